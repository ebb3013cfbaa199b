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

// The default value of a field, or a null value when reset_settings leaves
// it alone. The time difference takes tz_offset_text.
platform::Value settings_default(const SettingField& f);

// Reads a field of the first settings row; null when the store is closed.
platform::Value setting(const QString& name);
bool setting_bool(const QString& name);
long long setting_int(const QString& name);
QString setting_text(const QString& name);

// Writes one field on the first row and commits it.
bool set_setting(const QString& name, const platform::Value& v);

// Writes the 64 defaults and commits them once; every failure is skipped.
void reset_settings();

}  // namespace kolde_sub
