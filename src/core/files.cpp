#include "core/files.h"

#include "core/logging.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace kolde_sub {

namespace {

constexpr QFile::Permissions owner_only_file = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions owner_only_folder = owner_only_file | QFile::ExeOwner;

// The permission bits as QFileInfo reports them, with the user's and the
// owner's bits alike (QFileInfo reports both for the owner).
QFile::Permissions mode_of(const QFileInfo& fi)
{
    return fi.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

bool set_mode(const QString& path, QFile::Permissions mode)
{
    if (mode_of(QFileInfo(path)) == mode)
        return true;
    if (!QFile::setPermissions(path, mode)) {
        qCWarning(lc_files) << "cannot restrict" << path << "to its owner";
        return false;
    }
    return true;
}

}  // namespace

bool write_file_atomically(const QString& target, const QByteArray& bytes)
{
    const bool is_new = !QFileInfo::exists(target);
    QSaveFile f(target);
    // Unbuffered, so that a failed write is seen here and not lost in a
    // buffer that the commit flushes without checking.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qCWarning(lc_files) << "cannot open" << target << "for writing:" << f.errorString();
        return false;
    }
    // The temporary file takes the mode the target gets, before anything is
    // written into it.
    if (is_new && !f.setPermissions(owner_only_file)) {
        qCWarning(lc_files) << "cannot restrict" << target << "to its owner:" << f.errorString();
        f.cancelWriting();
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

bool make_private_folder(const QString& path)
{
    const QFileInfo fi(path);
    if (!fi.exists()) {
        const QString parent = fi.absolutePath();
        if (!QDir().mkpath(parent) || !QDir().mkdir(fi.absoluteFilePath(), owner_only_folder)) {
            qCWarning(lc_files) << "cannot make the folder" << path;
            return false;
        }
        return true;
    }
    if (!fi.isDir())
        return false;
    return set_mode(path, owner_only_folder);
}

bool make_private_file(const QString& path)
{
    const QFileInfo fi(path);
    if (!fi.exists() || fi.isSymLink() || !fi.isFile())
        return !fi.exists();
    return set_mode(path, owner_only_file);
}

}  // namespace kolde_sub
