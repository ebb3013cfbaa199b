#include "options/opton_bindings.h"

#include "core/shared.h"
#include "platform/value.h"

#include <QDateTime>

#include <cmath>

namespace kolde_sub {

using namespace opton_index;

namespace {

using K = BindingKind;
namespace f = binding_flag;

constexpr SettingKey master = key::emphasise_conditions;

// In loading order. A condition's controls are usable only while the master
// switch and that condition are both on.
const Binding bindings[] = {
        {key::auto_decode, K::Check, check_auto_decode, {}, f::samples},
        {key::stop_on_manual_input, K::Check, check_stop_on_input, {key::auto_decode}, f::reload | f::samples},
        {key::vertical_visibility1, K::Check, check_vertical1, {master, key::condition1}, f::samples},
        {key::vertical_visibility2, K::Check, check_vertical2, {master, key::condition2}, f::samples},
        {key::vertical_visibility3, K::Check, check_vertical3, {master, key::condition3}, f::samples},
        {key::check_version_on_start, K::Check, check_version_on_start, {}, f::samples},
        {key::disconnect_message, K::Check, check_error_message, {}, f::samples},
        {key::disconnect_alarm, K::Check, check_error_alarm, {key::disconnect_message}, f::samples},
        {key::update_done_alarm, K::Check, check_update_sound, {}, f::samples},
        {key::update_done_message, K::Check, check_update_message, {}, f::samples},
        {key::browser, K::Check, check_browser, {}, f::samples},
        {key::update_confirm_message, K::Check, check_update_confirm, {}, f::samples},
        {key::buffer, K::Slider, 0},
        {key::emphasise_cb_tcu, K::Check, check_cb_tcu, {master}, f::samples},
        {key::condition1, K::Check, check_condition1, {master}, f::reload | f::samples},
        {key::condition2, K::Check, check_condition2, {master}, f::reload | f::samples},
        {key::condition3, K::Check, check_condition3, {master}, f::reload | f::samples},
        {master, K::Check, check_conditions, {}, f::reload | f::samples},
        {key::cloud_height1, K::Threshold, threshold_cloud1, {master, key::condition1}},
        {key::visibility1, K::Threshold, threshold_visibility1, {master, key::condition1}},
        {key::cloud_colour1, K::Colour, swatch_cloud1, {master, key::condition1}},
        {key::visibility_colour1, K::Colour, swatch_visibility1, {master, key::condition1}},
        {key::cloud_height2, K::Threshold, threshold_cloud2, {master, key::condition2}},
        {key::visibility2, K::Threshold, threshold_visibility2, {master, key::condition2}},
        {key::rvr2, K::Threshold, threshold_rvr2, {master, key::condition2}},
        {key::cloud_colour2, K::Colour, swatch_cloud2, {master, key::condition2}},
        {key::visibility_colour2, K::Colour, swatch_visibility2, {master, key::condition2}},
        {key::cloud_height3, K::Threshold, threshold_cloud3, {master, key::condition3}},
        {key::visibility3, K::Threshold, threshold_visibility3, {master, key::condition3}},
        {key::rvr3, K::Threshold, threshold_rvr3, {master, key::condition3}},
        {key::cloud_colour3, K::Colour, swatch_cloud3, {master, key::condition3}},
        {key::visibility_colour3, K::Colour, swatch_visibility3, {master, key::condition3}},
        {key::display_background, K::Colour, swatch_background, {}, f::samples},
        {key::display_text_colour, K::Colour, swatch_text, {}, f::samples},
        {key::speci_colour, K::Colour, swatch_speci, {key::speci_colouring}, f::samples},
        {key::weather_colour, K::Colour, swatch_weather, {key::weather_colouring}, f::samples},
        {key::display_font, K::Combo, combo_display_font, {}, f::samples | f::refuse_empty},
        {key::display_size, K::Combo, combo_display_size, {}, f::samples},
        {key::time_difference, K::Combo, combo_time_difference, {key::local_time}, f::samples},
        {key::display_bold, K::Check, check_display_bold, {}, f::samples},
        {key::scroll_bar, K::Check, check_scroll_bar, {}, f::samples},
        {key::scroll_bar, K::Shown, 0},
        {key::clear_screen, K::Check, check_clear_screen, {}, f::samples},
        {key::top_line, K::Check, check_top_line, {}, f::samples},
        {key::popup_menu, K::Check, check_popup_menu, {}, f::samples},
        {key::speci_colouring, K::Check, check_speci_colour, {}, f::samples},
        {key::weather_colouring, K::Check, check_weather_colour, {}, f::samples},
        {key::local_time, K::Check, check_local_time, {}, f::samples},
        {key::scratch_pad, K::Check, check_scratch_pad, {}, f::samples},
        {key::command_buttons, K::OptionPair, 2, {}, 0, 0},
        {key::sequence, K::Check, check_sequence, {}, f::samples},
        {key::sequence_hours, K::Combo, combo_sequence_hours, {key::sequence}, f::samples | f::new_cycle_slot},
        {key::print_font, K::Combo, combo_print_font, {}, f::samples | f::refuse_empty},
        {key::print_size, K::Combo, combo_print_size, {}, f::samples},
        {key::print_bold, K::Check, check_print_bold, {}, f::samples},
        {key::print_start_hour, K::Combo, combo_start_hour, {key::print_on_update, key::print_timed}, f::samples | f::on_close},
        {key::print_start_minute, K::Combo, combo_start_minute, {key::print_on_update, key::print_timed}, f::samples | f::on_close},
        {key::print_end_hour, K::Combo, combo_end_hour, {key::print_on_update, key::print_timed}, f::samples | f::on_close},
        {key::print_end_minute, K::Combo, combo_end_minute, {key::print_on_update, key::print_timed}, f::samples | f::on_close},
        {key::print_on_update, K::Check, check_print_on_update, {}, f::samples},
        {key::print_timed, K::OptionPair, 1, {key::print_on_update}, f::only_when_enabled, 1},
        {key::print_dialog, K::Check, check_printer_dialog, {}, f::samples},
};

}  // namespace

std::span<const Binding> opton_bindings() { return bindings; }

const Binding* find_binding(BindingKind kind, int index)
{
    for (const Binding& b : bindings) {
        if (b.kind == kind && b.index == index)
            return &b;
    }
    return nullptr;
}

namespace {

// Full-width letters, digits and signs (as a Japanese input method types
// them) as their plain forms, the full-width blank as a blank.
QString plain_width(const QString& text)
{
    QString plain = text;
    for (QChar& c : plain) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            c = QChar(char16_t(u - 0xFEE0));
        else if (u == 0x3000)
            c = u' ';
    }
    return plain;
}

}  // namespace

long long threshold_value(const QString& text)
{
    const double v = std::fabs(platform::leading_number(plain_width(text)));
    if (std::isnan(v))
        return 0;
    // Halves go to the even neighbour under the default rounding mode.
    const double rounded = std::nearbyint(std::fmin(v, 32767.0));
    return static_cast<long long>(rounded);
}

int print_time_minutes(const QString& hour, const QString& minute)
{
    const double m = platform::leading_number(hour) * 60 + platform::leading_number(minute);
    if (!(m > -1e6 && m < 1e6))
        return m > 0 ? 1000000 : -1000000;
    return static_cast<int>(m);
}

QString print_test_header(const QString& version, const QDateTime& at)
{
    return QStringLiteral("*** KOLDE PRINT TEST ***   Version ") + version + QStringLiteral("   ") + date_text(at.date())
           + QStringLiteral("   ") + at.time().toString(QStringLiteral("hh:mm:ss"));
}

}  // namespace kolde_sub
