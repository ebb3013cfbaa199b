#include "migrate.h"

#include "core/database.h"
#include "core/logging.h"
#include "core/settings.h"

namespace kolde_sub {

namespace {

struct ListCopy {
    platform::Recordset& (*old_rs)();
    const char* table;
    const char* second;
    const char* third;
};

// Reads every row of an old list in its sorted order. The walk is bounded by
// the record count, so a recordset that misbehaves cannot keep it going.
QList<QList<platform::Value>> read_rows(platform::Recordset& rs, const QStringList& columns)
{
    QList<QList<platform::Value>> rows;
    const int count = rs.record_count();
    rs.move_first();
    for (int i = 0; i < count && !rs.eof(); ++i) {
        QList<platform::Value> row;
        for (const QString& c : columns)
            row << rs.field(c);
        rows << row;
        rs.move_next();
    }
    return rows;
}

}  // namespace

bool migrate_user_data(const QString& new_file)
{
    platform::Recordset& old_settings = rs_settings();
    if (!old_settings.is_open() || old_settings.record_count() == 0) {
        qCWarning(lc_startup) << "migration: the old settings cannot be read";
        return false;
    }

    platform::Connection migrate_conn;
    if (!migrate_conn.open(new_file, QString::fromLatin1(database_password), platform::Connection::Schema::untrusted)) {
        qCWarning(lc_startup) << "migration:" << new_file << "does not open:" << migrate_conn.last_error();
        return false;
    }

    platform::Recordset migrate_rs_settings;
    if (!open_table(migrate_rs_settings, migrate_conn, QStringLiteral("設定")) ||
        migrate_rs_settings.record_count() == 0) {
        qCWarning(lc_startup) << "migration:" << new_file << "has no settings row";
        return false;
    }

    // The settings record, field by field over the program's own list; a
    // field missing on either side is passed over.
    old_settings.move_first();
    migrate_rs_settings.move_first();
    for (const SettingField& f : settings_fields()) {
        const QString name = QString::fromUtf8(f.name);
        if (!old_settings.has_field(name) || !migrate_rs_settings.has_field(name))
            continue;
        migrate_rs_settings.set_field(name, old_settings.field(name));
    }
    if (!migrate_rs_settings.update()) {
        qCWarning(lc_startup) << "migration: the settings could not be written into" << new_file;
        return false;
    }
    migrate_rs_settings.close();

    const ListCopy lists[] = {
        {&rs_airport, "飛行場情報", "ICAOコード", "飛行場名"},
        {&rs_autodecode, "自動デコード", "ICAOコード", "飛行場名"},
        {&rs_company, "カンパニー", "id", "route"},
        {&rs_abbrev, "気象略語", "略語", "意味"},
    };
    bool ok = true;
    for (const ListCopy& list : lists) {
        platform::Recordset& old_rs = list.old_rs();
        if (old_rs.record_count() == 0)
            continue;  // the user gets the list as the new file brings it
        const QStringList columns{QStringLiteral("順位"), QString::fromUtf8(list.second),
                                  QString::fromUtf8(list.third)};
        const auto rows = read_rows(old_rs, columns);
        // 順位 is copied unchanged; a row that cannot be inserted is left out.
        if (!platform::save_list(migrate_conn, QString::fromUtf8(list.table), columns, rows, true)) {
            qCWarning(lc_startup) << "migration: the list" << QString::fromUtf8(list.table)
                                  << "could not be written:" << migrate_conn.last_error();
            ok = false;
        }
    }
    migrate_conn.close();
    return ok;
}

}  // namespace kolde_sub
