#include "download.h"

#include "core/database.h"
#include "core/files.h"
#include "core/logging.h"

#include <QFile>
#include <QFileInfo>

namespace kolde_sub {

bool is_answer(const QString& reply) { return !reply.isEmpty() && !reply.startsWith(u'<'); }

bool is_error_page(const QByteArray& body)
{
    if (!body.startsWith('<'))
        return false;
    // A binary file (the encrypted database, the update program) begins
    // with that byte by chance now and then; its head holds control bytes
    // that no page of text has.
    for (const char c : body.left(512)) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != '\t' && b != '\n' && b != '\r') || b == 0x7F)
            return false;
    }
    return true;
}

bool is_good_download(const platform::TransferResult& r)
{
    return r.ok && !r.body.isEmpty() && !is_error_page(r.body);
}

bool download_to(platform::Transfer& transfer, const QString& url, const QString& target)
{
    const platform::TransferResult r = transfer.get(url);
    if (!is_good_download(r)) {
        qCWarning(lc_startup) << "download of" << url << "failed:"
                              << (!r.ok ? r.error
                                        : r.body.isEmpty() ? QStringLiteral("empty reply")
                                                           : QStringLiteral("an error page, status %1").arg(r.status));
        return false;
    }
    if (!write_file_atomically(target, r.body)) {
        qCWarning(lc_startup) << "download of" << url << "could not be stored in" << target;
        return false;
    }
    return true;
}

bool database_file_usable(const QString& path)
{
    platform::Connection conn;
    if (!conn.open(path, QString::fromLatin1(database_password), platform::Connection::Schema::untrusted)) {
        qCWarning(lc_startup) << "database" << path << "does not open:" << conn.last_error();
        return false;
    }
    if (!conn.check_integrity()) {
        qCWarning(lc_startup) << "database" << path << "is damaged:" << conn.last_error();
        return false;
    }
    platform::Recordset settings;
    return settings.open(conn, QStringLiteral("設定")) && settings.record_count() > 0;
}

bool remove_database_file(const QString& path)
{
    bool gone = true;
    for (const QString& file : QStringList{path} + platform::companion_files(path)) {
        const QFileInfo fi(file);
        if ((fi.exists() || fi.isSymLink()) && !QFile::remove(file)) {
            qCWarning(lc_startup) << "cannot delete" << file;
            gone = false;
        }
    }
    return gone;
}

}  // namespace kolde_sub
