#include "core/files.h"

#include "core/logging.h"

#include <QSaveFile>

namespace kolde_sub {

bool write_file_atomically(const QString& target, const QByteArray& bytes)
{
    QSaveFile f(target);
    // Unbuffered, so that a failed write is seen here and not lost in a
    // buffer that the commit flushes without checking.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qCWarning(lc_files) << "cannot open" << target << "for writing:" << f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size()) {
        qCWarning(lc_files) << "short write to" << target << ":" << f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        qCWarning(lc_files) << "cannot replace" << target << ":" << f.errorString();
        return false;
    }
    return true;
}

}  // namespace kolde_sub
