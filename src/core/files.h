// Writing whole files so that a reader never sees half of one.
#pragma once

#include <QByteArray>
#include <QString>

namespace kolde_sub {

// Writes bytes to target through a temporary file beside it that is renamed
// over the target; an existing target stays as it was when anything fails.
[[nodiscard]] bool write_file_atomically(const QString& target, const QByteArray& bytes);

}  // namespace kolde_sub
