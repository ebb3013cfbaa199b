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

namespace {

// The tables the store opens.
constexpr const char* store_tables[] = {"飛行場情報", "自動デコード", "カンパニー", "気象略語",
                                        "日本語解析", "データ", "設定"};

// Whether a schema entry is of a kind the program's own files hold: a table
// or an index. An entry builds what its text begins with (the engine writes
// that head itself), whatever its type column says.
bool plain_entry(const platform::Connection::SchemaEntry& e)
{
    const auto starts = [&](const char* head) { return e.sql.startsWith(QLatin1String(head), Qt::CaseInsensitive); };
    if (e.type == QLatin1String("table"))
        return starts("CREATE TABLE ");
    // An index the engine made for a constraint has no text.
    return e.type == QLatin1String("index") &&
           (e.sql.isEmpty() || starts("CREATE INDEX ") || starts("CREATE UNIQUE INDEX "));
}

}  // namespace

bool strip_schema_code(const QString& path)
{
    platform::Connection conn;
    if (!conn.open(path, QString::fromLatin1(database_password), platform::Connection::Schema::untrusted)) {
        qCWarning(lc_startup) << "database" << path << "does not open:" << conn.last_error();
        return false;
    }
    const auto before = conn.schema();
    // Triggers first: dropping a view takes its triggers along.
    const bool dropped = before && conn.transaction([&] {
        for (const char* type : {"trigger", "view"}) {
            for (const auto& e : *before) {
                if (e.type == QLatin1String(type) &&
                    !conn.execute(QStringLiteral("DROP %1 %2").arg(QString::fromLatin1(type).toUpper(),
                                                                   platform::Connection::quote(e.name))))
                    return false;
            }
        }
        return true;
    });
    const auto after = dropped ? conn.schema() : std::nullopt;
    if (!after) {
        qCWarning(lc_startup) << "database" << path << "keeps triggers or views:" << conn.last_error();
        return false;
    }
    QStringList tables;
    for (const auto& e : *after) {
        if (!plain_entry(e)) {
            qCWarning(lc_startup) << "database" << path << "holds a schema entry of its own:" << e.type << e.name;
            return false;
        }
        if (e.type == QLatin1String("table"))
            tables << e.name;
    }
    for (const char* t : store_tables) {
        if (!tables.contains(QString::fromUtf8(t))) {
            qCWarning(lc_startup) << "database" << path << "has no table" << QString::fromUtf8(t);
            return false;
        }
    }
    return true;
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
