#include "download.h"

#include "core/database.h"
#include "core/files.h"
#include "core/logging.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace kolde_sub {

namespace {

// Stores bytes as target's whole content. They go to a file beside the
// target first, which must then hold every byte (a full disk can cut a
// write short without the write reporting it), and only then take the
// target's place in one rename; until then the target stays as it was.
bool store_whole(const QString& target, const QByteArray& bytes)
{
    const QString part = target + QStringLiteral(".part");
    bool stored = write_file_atomically(part, bytes);
    if (stored && QFileInfo(part).size() != bytes.size()) {
        qCWarning(lc_startup) << "only part of" << bytes.size() << "bytes reached" << part;
        stored = false;
    }
    if (stored) {
        std::error_code ec;
        std::filesystem::rename(part.toStdString(), target.toStdString(), ec);
        if (ec) {
            qCWarning(lc_startup) << "cannot put" << part << "in place of" << target << QString::fromStdString(ec.message());
            stored = false;
        }
    }
    if (!stored)
        QFile::remove(part);
    return stored;
}

}  // namespace

bool is_answer(const QString& reply) { return !reply.isEmpty() && !reply.startsWith(u'<'); }

bool is_good_download(const platform::TransferResult& r)
{
    return r.ok && !r.body.isEmpty() && !r.body.startsWith('<');
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
    if (!store_whole(target, r.body)) {
        qCWarning(lc_startup) << "download of" << url << "could not be stored in" << target;
        return false;
    }
    return true;
}

bool database_file_usable(const QString& path)
{
    platform::Connection conn;
    if (!conn.open(path, QString::fromLatin1(database_password))) {
        qCWarning(lc_startup) << "database" << path << "does not open:" << conn.last_error();
        return false;
    }
    platform::Recordset settings;
    return settings.open(conn, QStringLiteral("設定")) && settings.record_count() > 0;
}

}  // namespace kolde_sub
