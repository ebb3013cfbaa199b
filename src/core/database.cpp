#include "core/database.h"

#include "core/shared.h"

#include <memory>

namespace kolde_sub {

namespace {

struct Store {
    platform::Connection conn;
    platform::Recordset airport, autodecode, company, abbrev, translation, data, settings;
};

std::unique_ptr<Store>& store_holder()
{
    static std::unique_ptr<Store> store;
    return store;
}

Store& store()
{
    auto& s = store_holder();
    if (!s)
        s = std::make_unique<Store>();
    return *s;
}

const QString sort_column = QStringLiteral("順位");

}  // namespace

platform::Connection& db_conn() { return store().conn; }
platform::Recordset& rs_airport() { return store().airport; }
platform::Recordset& rs_autodecode() { return store().autodecode; }
platform::Recordset& rs_company() { return store().company; }
platform::Recordset& rs_abbrev() { return store().abbrev; }
platform::Recordset& rs_translation() { return store().translation; }
platform::Recordset& rs_data() { return store().data; }
platform::Recordset& rs_settings() { return store().settings; }

bool open_table(platform::Recordset& rs, platform::Connection& conn, const QString& table)
{
    if (!rs.open(conn, table))
        return false;
    if (table == QStringLiteral("設定"))
        rs.move_first();
    else
        rs.set_sort(sort_column);
    return true;
}

bool open_database()
{
    Store& s = store();
    if (!s.conn.open(program_path(QStringLiteral("kolde.mdb")), QString::fromLatin1(database_password)))
        return false;
    const std::pair<platform::Recordset*, const char*> order[] = {
        {&s.airport, "飛行場情報"},   {&s.autodecode, "自動デコード"}, {&s.company, "カンパニー"},
        {&s.abbrev, "気象略語"},      {&s.translation, "日本語解析"},  {&s.data, "データ"},
        {&s.settings, "設定"},
    };
    for (const auto& [rs, table] : order) {
        if (!open_table(*rs, s.conn, QString::fromUtf8(table)))
            return false;
    }
    return true;
}

void close_database()
{
    auto& holder = store_holder();
    if (!holder)
        return;
    Store& s = *holder;
    for (platform::Recordset* rs :
         {&s.airport, &s.autodecode, &s.company, &s.abbrev, &s.translation, &s.data, &s.settings})
        rs->close();
    s.conn.close();
}

void release_store()
{
    close_database();
    store_holder().reset();
}

bool save_shared_list(platform::Recordset& rs, const QStringList& other_columns,
                      const QList<QList<platform::Value>>& rows)
{
    QList<QList<platform::Value>> numbered;
    numbered.reserve(rows.size());
    int n = 0;
    for (const auto& row : rows) {
        QList<platform::Value> r{platform::Value(++n)};
        r += row;
        numbered << r;
    }
    return save_ranked_list(rs, other_columns, numbered);
}

bool save_ranked_list(platform::Recordset& rs, const QStringList& other_columns,
                      const QList<QList<platform::Value>>& ranked_rows)
{
    const QString table = rs.table();
    if (table.isEmpty() || !db_conn().is_open())
        return false;
    QStringList columns{sort_column};
    columns += other_columns;
    if (!platform::save_list(db_conn(), table, columns, ranked_rows))
        return false;
    return open_table(rs, db_conn(), table);
}

QByteArray registered_picture(platform::Recordset& pictures, const QString& name)
{
    pictures.move_first();
    while (!pictures.eof()) {
        const platform::Value v = pictures.field(QStringLiteral("名称"));
        if (!v.is_null() && v.to_text() == name) {
            const qint64 size = pictures.actual_size(QStringLiteral("データ"));
            return size > 0 ? pictures.get_chunk(QStringLiteral("データ"), size) : QByteArray();
        }
        pictures.move_next();
    }
    return QByteArray();
}

}  // namespace kolde_sub
