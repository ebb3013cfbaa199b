// Which control of the options dialog shows which settings field: one table
// that the dialog's loader and its change handlers both walk, and the small
// rules of the dialog that need no window.
#pragma once

#include "core/settings_fields.h"

#include <QString>

#include <array>
#include <optional>
#include <span>

class QDateTime;

namespace kolde_sub {

// The indexes of the options dialog's control arrays, named for what each
// control shows. The dialog's own files use them unqualified.
namespace opton_index {

// CheckBox[]
enum CheckIndex : int {
    check_display_bold = 0,
    check_print_bold = 1,
    check_auto_decode = 2,
    check_conditions = 3,  // colour the conditions at all
    check_clear_screen = 4,
    check_scroll_bar = 5,
    check_condition1 = 6,
    check_condition2 = 7,
    check_condition3 = 8,
    check_stop_on_input = 9,
    check_vertical1 = 10,  // the condition counts the vertical visibility
    check_vertical2 = 11,
    check_vertical3 = 12,
    check_version_on_start = 13,
    check_error_message = 14,
    check_print_on_update = 15,
    check_error_alarm = 16,
    check_update_sound = 17,
    check_cb_tcu = 18,
    check_popup_menu = 19,
    check_update_message = 20,
    check_speci_colour = 21,
    check_weather_colour = 22,
    check_local_time = 23,
    check_top_line = 24,
    check_printer_dialog = 25,
    check_scratch_pad = 26,
    check_browser = 27,
    check_sequence = 28,
    check_update_confirm = 29,
    check_count
};

// lbl[]: the colour swatches, the printer shown, and the captions that are
// kept.
enum LabelIndex : int {
    swatch_background = 0,
    swatch_text = 1,
    swatch_cloud1 = 2,
    swatch_visibility2 = 13,
    swatch_visibility1 = 19,
    swatch_cloud2 = 25,
    swatch_visibility3 = 28,
    swatch_cloud3 = 29,
    caption_display_sample = 41,
    caption_print_sample = 42,
    caption_printer = 43,
    caption_buffer = 44,
    caption_slow = 45,
    caption_fast = 46,
    label_printer = 47,
    swatch_speci = 48,
    swatch_weather = 49,
    caption_print_window = 50,  // 50 to 53: the words after the four lists
    caption_buttons = 54,
    caption_sequence = 55,
    label_count
};

// cmb[]
enum ComboIndex : int {
    combo_display_font = 0,
    combo_display_size = 1,
    combo_print_font = 2,
    combo_print_size = 3,
    combo_time_difference = 4,
    combo_start_hour = 5,
    combo_start_minute = 6,
    combo_end_hour = 7,
    combo_end_minute = 8,
    combo_sequence_hours = 9,
    combo_count
};

// TextBox[]: the thresholds of the three conditions.
enum ThresholdIndex : int {
    threshold_cloud1 = 0,
    threshold_visibility1 = 1,
    threshold_cloud2 = 2,
    threshold_visibility2 = 3,
    threshold_rvr2 = 4,
    threshold_cloud3 = 5,
    threshold_visibility3 = 6,
    threshold_rvr3 = 7,
    threshold_count
};

// cmd[]
enum ButtonIndex : int {
    button_close = 0,
    button_defaults = 1,
    button_alarm_test = 2,
    button_sound_test = 3,
    button_printer_setup = 4,
    button_print_test = 5,
    button_count
};

// Option1[]: the print mode
enum PrintModeIndex : int { print_always = 0, print_timed = 1 };

// Option2[]: the look of the command buttons
enum ButtonLookIndex : int { buttons_grey = 0, buttons_colour = 1 };

// viewSample[]
enum SampleIndex : int { sample_display = 0, sample_print = 1 };

// SSTab's pages
enum TabIndex : int { tab_connection = 0, tab_conditions = 1, tab_display = 2, tab_print = 3 };

}  // namespace opton_index

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
// A change forgets the cycle slot, so the next hourly fetch does its work.
inline constexpr unsigned new_cycle_slot = 8;
// Written by the close button, never by a change.
inline constexpr unsigned on_close = 16;
// Loaded only while its enabling rule holds; otherwise the control keeps
// what it shows (the print mode while printing on update is off).
inline constexpr unsigned only_when_enabled = 32;
}  // namespace binding_flag

struct Binding {
    SettingKey field;
    BindingKind kind;
    int index;
    // The control is enabled exactly when every named field is on; with no
    // names the loader leaves its enabled state alone.
    std::array<std::optional<SettingKey>, 2> enabled_when{};
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
