// Writing whole files so that a reader never sees half of one, and keeping
// the program folder the user's alone.
#pragma once

#include <QByteArray>
#include <QString>

namespace kolde_sub {

// Writes bytes to target through a temporary file beside it that is renamed
// over the target; an existing target stays as it was when anything fails.
// A new file is readable and writable by its owner only; a file that is
// replaced keeps its mode.
[[nodiscard]] bool write_file_atomically(const QString& target, const QByteArray& bytes);

// Makes the folder path (with any missing parent) for its owner alone
// (mode 0700); an existing folder is given that mode. False when the folder
// cannot be made or its mode cannot be set.
bool make_private_folder(const QString& path);

// Gives an existing file (not a symbolic link) mode 0600, so only its owner
// reads and writes it. True when it has that mode or does not exist.
bool make_private_file(const QString& path);

}  // namespace kolde_sub
