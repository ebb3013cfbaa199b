#include "download.h"

#include "core/database.h"

#include <QFile>

namespace kolde_sub {

bool is_answer(const QString& reply) { return !reply.isEmpty() && !reply.startsWith(u'<'); }

bool is_good_download(const platform::TransferResult& r)
{
    return r.ok && !r.body.isEmpty() && !r.body.startsWith('<');
}

bool download_to(platform::Transfer& transfer, const QString& url, const QString& target)
{
    const platform::TransferResult r = transfer.get(url);
    if (!is_good_download(r))
        return false;
    return write_file_atomically(target, r.body);
}

bool database_file_usable(const QString& path)
{
    platform::Connection conn;
    if (!conn.open(path, QString::fromLatin1(database_password)))
        return false;
    platform::Recordset settings;
    return settings.open(conn, QStringLiteral("設定")) && settings.record_count() > 0;
}

}  // namespace kolde_sub
