#include "core/settings.h"

#include "core/database.h"
#include "core/shared.h"

#include <array>

namespace kolde_sub {

namespace {
using T = SettingType;
using D = SettingField::Default;

// The column names as the recordset takes them, made once.
const QString& column_name(SettingKey key)
{
    static const std::array<QString, settings_field_count> names = [] {
        std::array<QString, settings_field_count> all;
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = QString::fromUtf8(settings_fields()[i].name);
        return all;
    }();
    return names[key.index()];
}
}  // namespace

platform::Value settings_default(const SettingField& f)
{
    switch (f.default_kind) {
    case D::None:
        return platform::Value();
    case D::TimeDifference:
        return platform::Value(computer_zone().text);
    case D::Value:
        break;
    }
    if (f.type == T::Text)
        return platform::Value(f.text);
    return platform::Value(f.number);
}

platform::Value setting(SettingKey key)
{
    const QString& name = column_name(key);
    platform::Recordset& rs = rs_settings();
    if (rs.eof() && rs.record_count() > 0)
        rs.move_first();
    if (rs.eof() || !rs.has_field(name))
        return settings_default(key.field());
    return rs.field(name);
}

bool setting_bool(SettingKey key) { return setting(key).to_bool(); }
long long setting_int(SettingKey key) { return setting(key).to_int(); }
QString setting_text(SettingKey key) { return setting(key).to_text(); }

bool set_setting(SettingKey key, const platform::Value& v)
{
    platform::Recordset& rs = rs_settings();
    rs.move_first();
    if (!rs.set_field(column_name(key), v))
        return false;
    return rs.update();
}

bool provide_settings_row()
{
    platform::Recordset& rs = rs_settings();
    if (!rs.is_open())
        return false;
    if (rs.record_count() > 0)
        return true;
    rs.add_new();
    for (std::size_t i = 0; i < settings_fields().size(); ++i) {
        const SettingKey key = SettingKey::at(i);
        if (key.field().default_kind != D::None && rs.has_field(column_name(key)))
            rs.set_field(column_name(key), settings_default(key.field()));
    }
    const bool added = rs.update();
    rs.move_first();
    return added && rs.record_count() > 0;
}

bool reset_settings()
{
    platform::Recordset& rs = rs_settings();
    // One commit for the whole reset, each field in a savepoint of its own:
    // a field that cannot be written keeps its old value, the rest go on.
    bool all_written = true;
    const bool committed = db_conn().transaction([&] {
        for (std::size_t i = 0; i < settings_fields().size(); ++i) {
            const SettingKey key = SettingKey::at(i);
            if (key.field().default_kind == D::None)
                continue;
            rs.move_first();
            if (!db_conn().transaction(
                        [&] { return rs.set_field(column_name(key), settings_default(key.field())) && rs.update(); }))
                all_written = false;
        }
        return true;
    });
    return committed && all_written;
}

}  // namespace kolde_sub
