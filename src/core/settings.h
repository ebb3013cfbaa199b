// The settings record: the one row of table 設定, read field by field at
// the moment of use and written at once. Its fields and their handles are in
// core/settings_fields.h.
#pragma once

#include "core/settings_fields.h"
#include "platform/value.h"

#include <QString>

#include <array>

namespace kolde_sub {

// The fields in the order in which an upgrade copies them.
constexpr const std::array<SettingField, settings_field_count>& settings_fields() { return settings_detail::fields; }

// The default value of a field, or a null value when reset_settings leaves
// it alone. The time difference takes computer_zone().text.
platform::Value settings_default(const SettingField& f);

// Reads a field of the first settings row. While the settings cannot be read
// (the store is closed, the table has no row or lacks the column) a field
// gives its default, so the window still shows its default colours and
// font; a field without a default then reads as null.
platform::Value setting(SettingKey key);
// The one rule for switches: any non-zero value is on; zero, null and text
// that does not begin with a non-zero number are off.
bool setting_bool(SettingKey key);
long long setting_int(SettingKey key);
QString setting_text(SettingKey key);

// Writes one field on the first row and commits it.
bool set_setting(SettingKey key, const platform::Value& v);

// Adds the settings row, made of the 64 defaults, to a table that has lost
// it; the fields without a default stay empty. True when the table holds
// its row afterwards (also when it had one).
bool provide_settings_row();

// Writes the 64 defaults, each field in its own write, so a field that
// cannot be written keeps its old value and the others still get theirs.
// False when any field could not be written (a full disk).
bool reset_settings();

}  // namespace kolde_sub
