// Which control of the options dialog shows which settings field: one table
// that the dialog's loader and its change handlers both walk, and the small
// rules of the dialog that need no window.
#pragma once

#include <QString>

#include <array>
#include <span>

class QDateTime;

namespace kolde_sub {

// How a field is shown.
enum class BindingKind {
    Check,       // Boolean in CheckBox[index]
    OptionPair,  // Boolean in an option pair; index 1: Option1, 2: Option2
    Slider,      // whole number 1 to 10 in Slider
    Threshold,   // whole number in TextBox[index]
    Colour,      // 0x00BBGGRR as the background of the swatch lbl[index]
    Combo,       // text of cmb[index]
    Shown,       // Boolean as the visibility of the sample's scroll bar
};

namespace binding_flag {
// A change reloads every control (the enabling cascade of the conditions).
inline constexpr unsigned reload = 1;
// A change re-renders the samples.
inline constexpr unsigned samples = 2;
// An empty text is refused with a message (the font lists).
inline constexpr unsigned refuse_empty = 4;
// A change sets cycle_slot to 25, so the next hourly fetch does its work.
inline constexpr unsigned new_cycle_slot = 8;
// Written by the close button, never by a change.
inline constexpr unsigned on_close = 16;
// Loaded only while its enabling rule holds; otherwise the control keeps
// what it shows (the print mode while printing on update is off).
inline constexpr unsigned only_when_enabled = 32;
}  // namespace binding_flag

struct Binding {
    const char* field;
    BindingKind kind;
    int index;
    // The control is enabled exactly when every named field is on; with no
    // names the loader leaves its enabled state alone.
    std::array<const char*, 2> enabled_when{};
    unsigned flags = 0;
    // Option pairs: the element chosen when the field is on (the other one
    // otherwise).
    int option_when_on = 0;
};

// Every bound field in loading order.
std::span<const Binding> opton_bindings();
// The binding of a control; nullptr when the control shows no field.
const Binding* find_binding(BindingKind kind, int index);

// The value stored for a threshold text: the magnitude of its leading
// number (full-width digits count as digits), rounded to a whole number
// (halves to even), limited to 0..32767.
long long threshold_value(const QString& text);

// Minutes of the day of an hour text and a minute text ("08", "30").
int print_time_minutes(const QString& hour, const QString& minute);

// The first line of the printer test page.
QString print_test_header(const QString& version, const QDateTime& at);

}  // namespace kolde_sub
