#include "download.h"

#include "database.h"

#include <QFile>
#include <QSaveFile>

namespace kolde_sub {

bool is_answer(const QString& reply) { return !reply.isEmpty() && !reply.startsWith(u'<'); }

bool is_good_download(const platform::TransferResult& r)
{
    return r.ok && !r.body.isEmpty() && !r.body.startsWith('<');
}

bool write_file_atomically(const QString& target, const QByteArray& bytes)
{
    QSaveFile f(target);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
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
