#include "startup/compaction.h"

#include "startup/download.h"
#include "core/database.h"
#include "core/logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace kolde_sub {

namespace {

// A text as an SQL string literal.
QString sql_literal(const QString& text)
{
    QString q = text;
    q.replace(u'\'', QStringLiteral("''"));
    return u'\'' + q + u'\'';
}

// Removes the database file (or a symbolic link) of that name with its
// companions; true when none is left. A folder of that name is not ours to
// remove.
bool remove_file_entry(const QString& path)
{
    const QFileInfo fi(path);
    if (fi.isDir() && !fi.isSymLink()) {
        qCWarning(lc_startup) << "compaction: a folder stands in the way of" << path;
        return false;
    }
    return remove_database_file(path);
}

// Writes a compacted copy of source into target (which must not exist),
// encrypted with the same password.
bool export_compacted(const QString& source, const QString& target)
{
    const QString password = QString::fromLatin1(database_password);
    // The store's connection may not create files, so the target is created
    // first, empty and keyed, and attached as it stands.
    {
        platform::Connection target_conn;
        if (!target_conn.create(target, password))
            return false;
    }
    platform::Connection conn;
    if (!conn.open(source, password))
        return false;
    if (!conn.execute(QStringLiteral("ATTACH DATABASE %1 AS compacted KEY %2")
                              .arg(sql_literal(target), sql_literal(password))))
        return false;
    const bool exported = conn.execute(QStringLiteral("SELECT sqlcipher_export('compacted')"));
    const bool detached = conn.execute(QStringLiteral("DETACH DATABASE compacted"));
    conn.close();
    return exported && detached;
}

// Makes a rename inside folder durable.
void sync_folder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    static_cast<void>(::fsync(fd));
    ::close(fd);
}

// Puts the copy in the store's place in one step: a reader sees either the
// old store or the compacted one, never neither.
bool replace_store(const QString& copy, const QString& store, const QString& folder)
{
    QFile::setPermissions(copy, QFileInfo(store).permissions());
    if (std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(store).constData()) != 0) {
        qCWarning(lc_startup) << "compaction: cannot rename" << copy << "over" << store << ":"
                              << std::strerror(errno);
        return false;
    }
    sync_folder(folder);
    return true;
}

}  // namespace

void remove_compaction_leftovers(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder + QStringLiteral("/kolde.mdb")).isFile())
        return;
    static_cast<void>(remove_file_entry(folder + u'/' + QString::fromLatin1(compaction_file_name)));
}

ExitCount count_exit(long long stored)
{
    if (stored > 50)
        return {0, true};
    return {stored + 1, false};
}

bool compact_database(const QString& folder)
{
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) {
        qCWarning(lc_startup) << "compaction: no absolute program folder:" << folder;
        return false;
    }
    if (db_conn().is_open()) {
        qCWarning(lc_startup) << "compaction refused: the store is still open";
        return false;
    }
    const QString store = folder + QStringLiteral("/kolde.mdb");
    const QString copy = folder + u'/' + QString::fromLatin1(compaction_file_name);
    if (!QFileInfo(store).isFile())
        return false;
    // A copy left by an earlier run is never compacted into.
    if (!remove_file_entry(copy))
        return false;

    const bool done = export_compacted(store, copy) && database_file_usable(copy) && replace_store(copy, store, folder);
    if (!done) {
        qCWarning(lc_startup) << "compaction failed; the store stays as it was";
        static_cast<void>(remove_file_entry(copy));
    }
    return done;
}

}  // namespace kolde_sub
