// The settings record: the one row of table 設定, read field by field at
// the moment of use and written at once. This file fixes its 72 fields, their
// types and the defaults that reset_settings writes.
#pragma once

#include "platform/value.h"

#include <QString>

#include <array>

namespace kolde_sub {

enum class SettingType { Boolean, Integer, Colour, Text, Version, Date };

struct SettingField {
    const char* name;  // the column name, UTF-8
    SettingType type;
    enum class Default { None, Value, TimeDifference } default_kind;
    long long number;   // default of Boolean (0 / -1), Integer and Colour fields
    const char* text;   // default of Text fields
};

constexpr int settings_field_count = 72;

// The fields in the order in which an upgrade copies them.
const std::array<SettingField, settings_field_count>& settings_fields();

// The field of that column name; nullptr when there is none.
const SettingField* find_setting_field(const QString& name);

// The default value of a field, or a null value when reset_settings leaves
// it alone. The time difference takes computer_zone().text.
platform::Value settings_default(const SettingField& f);

// The readers and set_setting take a column name of settings_fields(). Any
// other name is a programming error: it fails an assertion in debug builds
// and otherwise logs a warning of kolde.core that begins with this text, and
// reads as null (set_setting writes nothing).
inline constexpr char unknown_setting_warning[] = "unknown settings field";

// Reads a field of the first settings row. While the settings cannot be read
// (the store is closed, the table has no row or lacks the column) a field
// gives its default, so the window still shows its default colours and
// font; a field without a default then reads as null.
platform::Value setting(const QString& name);
// The one rule for switches: any non-zero value is on; zero, null and text
// that does not begin with a non-zero number are off.
bool setting_bool(const QString& name);
long long setting_int(const QString& name);
QString setting_text(const QString& name);

// Writes one field on the first row and commits it.
bool set_setting(const QString& name, const platform::Value& v);

// Writes the 64 defaults, each field in its own write, so a field that
// cannot be written keeps its old value and the others still get theirs.
// Every failure is skipped.
void reset_settings();

}  // namespace kolde_sub
