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

constexpr const char* master = "計器気象状態を強調";

// In loading order. A condition's controls are usable only while the master
// switch and that condition are both on.
const Binding bindings[] = {
        {"自動デコード有効", K::Check, check_auto_decode, {}, f::samples},
        {"マニュアル入力時停止", K::Check, check_stop_on_input, {"自動デコード有効"}, f::reload | f::samples},
        {"鉛直視程1有効", K::Check, check_vertical1, {master, "条件1有効"}, f::samples},
        {"鉛直視程2有効", K::Check, check_vertical2, {master, "条件2有効"}, f::samples},
        {"鉛直視程3有効", K::Check, check_vertical3, {master, "条件3有効"}, f::samples},
        {"起動時にバージョン確認", K::Check, check_version_on_start, {}, f::samples},
        {"切断時メッセージ", K::Check, check_error_message, {}, f::samples},
        {"切断時アラーム", K::Check, check_error_alarm, {"切断時メッセージ"}, f::samples},
        {"更新終了時アラーム", K::Check, check_update_sound, {}, f::samples},
        {"更新終了時メッセージ", K::Check, check_update_message, {}, f::samples},
        {"ブラウザー", K::Check, check_browser, {}, f::samples},
        {"更新確認メッセージ", K::Check, check_update_confirm, {}, f::samples},
        {"バッファ", K::Slider, 0},
        {"CBTCUを強調", K::Check, check_cb_tcu, {master}, f::samples},
        {"条件1有効", K::Check, check_condition1, {master}, f::reload | f::samples},
        {"条件2有効", K::Check, check_condition2, {master}, f::reload | f::samples},
        {"条件3有効", K::Check, check_condition3, {master}, f::reload | f::samples},
        {master, K::Check, check_conditions, {}, f::reload | f::samples},
        {"雲高1", K::Threshold, threshold_cloud1, {master, "条件1有効"}},
        {"視程1", K::Threshold, threshold_visibility1, {master, "条件1有効"}},
        {"雲高1の色", K::Colour, swatch_cloud1, {master, "条件1有効"}},
        {"視程1の色", K::Colour, swatch_visibility1, {master, "条件1有効"}},
        {"雲高2", K::Threshold, threshold_cloud2, {master, "条件2有効"}},
        {"視程2", K::Threshold, threshold_visibility2, {master, "条件2有効"}},
        {"RVR2", K::Threshold, threshold_rvr2, {master, "条件2有効"}},
        {"雲高2の色", K::Colour, swatch_cloud2, {master, "条件2有効"}},
        {"視程2の色", K::Colour, swatch_visibility2, {master, "条件2有効"}},
        {"雲高3", K::Threshold, threshold_cloud3, {master, "条件3有効"}},
        {"視程3", K::Threshold, threshold_visibility3, {master, "条件3有効"}},
        {"RVR3", K::Threshold, threshold_rvr3, {master, "条件3有効"}},
        {"雲高3の色", K::Colour, swatch_cloud3, {master, "条件3有効"}},
        {"視程3の色", K::Colour, swatch_visibility3, {master, "条件3有効"}},
        {"表示領域の色", K::Colour, swatch_background, {}, f::samples},
        {"表示文字の色", K::Colour, swatch_text, {}, f::samples},
        {"SPECIの色", K::Colour, swatch_speci, {"SPECI着色"}, f::samples},
        {"天気略語の色", K::Colour, swatch_weather, {"天気略語着色"}, f::samples},
        {"表示文字のフォント", K::Combo, combo_display_font, {}, f::samples | f::refuse_empty},
        {"表示文字のサイズ", K::Combo, combo_display_size, {}, f::samples},
        {"時差", K::Combo, combo_time_difference, {"LOCAL使用"}, f::samples},
        {"表示文字のボールド", K::Check, check_display_bold, {}, f::samples},
        {"スクロールバーを表示", K::Check, check_scroll_bar, {}, f::samples},
        {"スクロールバーを表示", K::Shown, 0},
        {"前画面クリアー", K::Check, check_clear_screen, {}, f::samples},
        {"先頭行", K::Check, check_top_line, {}, f::samples},
        {"ポップアップ", K::Check, check_popup_menu, {}, f::samples},
        {"SPECI着色", K::Check, check_speci_colour, {}, f::samples},
        {"天気略語着色", K::Check, check_weather_colour, {}, f::samples},
        {"LOCAL使用", K::Check, check_local_time, {}, f::samples},
        {"PAD表示", K::Check, check_scratch_pad, {}, f::samples},
        {"コマンドボタン", K::OptionPair, 2, {}, 0, 0},
        {"シーケンス表示", K::Check, check_sequence, {}, f::samples},
        {"シーケンス時間", K::Combo, combo_sequence_hours, {"シーケンス表示"}, f::samples | f::new_cycle_slot},
        {"印刷文字のフォント", K::Combo, combo_print_font, {}, f::samples | f::refuse_empty},
        {"印刷文字のサイズ", K::Combo, combo_print_size, {}, f::samples},
        {"印刷文字のボールド", K::Check, check_print_bold, {}, f::samples},
        {"印刷開始時", K::Combo, combo_start_hour, {"印刷更新時印刷", "印刷時刻指定"}, f::samples | f::on_close},
        {"印刷開始分", K::Combo, combo_start_minute, {"印刷更新時印刷", "印刷時刻指定"}, f::samples | f::on_close},
        {"印刷終了時", K::Combo, combo_end_hour, {"印刷更新時印刷", "印刷時刻指定"}, f::samples | f::on_close},
        {"印刷終了分", K::Combo, combo_end_minute, {"印刷更新時印刷", "印刷時刻指定"}, f::samples | f::on_close},
        {"印刷更新時印刷", K::Check, check_print_on_update, {}, f::samples},
        {"印刷時刻指定", K::OptionPair, 1, {"印刷更新時印刷"}, f::only_when_enabled, 1},
        {"印刷時ダイアログ", K::Check, check_printer_dialog, {}, f::samples},
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
