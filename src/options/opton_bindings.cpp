#include "options/opton_bindings.h"

#include "core/shared.h"
#include "platform/value.h"

#include <QDateTime>

#include <cmath>

namespace kolde_sub {

namespace {

using K = BindingKind;
namespace f = binding_flag;

constexpr const char* master = "計器気象状態を強調";

// In loading order. A condition's controls are usable only while the master
// switch and that condition are both on.
const Binding bindings[] = {
        {"自動デコード有効", K::Check, 2, {}, f::samples},
        {"マニュアル入力時停止", K::Check, 9, {"自動デコード有効"}, f::reload | f::samples},
        {"鉛直視程1有効", K::Check, 10, {master, "条件1有効"}, f::samples},
        {"鉛直視程2有効", K::Check, 11, {master, "条件2有効"}, f::samples},
        {"鉛直視程3有効", K::Check, 12, {master, "条件3有効"}, f::samples},
        {"起動時にバージョン確認", K::Check, 13, {}, f::samples},
        {"切断時メッセージ", K::Check, 14, {}, f::samples},
        {"切断時アラーム", K::Check, 16, {"切断時メッセージ"}, f::samples},
        {"更新終了時アラーム", K::Check, 17, {}, f::samples},
        {"更新終了時メッセージ", K::Check, 20, {}, f::samples},
        {"ブラウザー", K::Check, 27, {}, f::samples},
        {"更新確認メッセージ", K::Check, 29, {}, f::samples},
        {"バッファ", K::Slider, 0},
        {"CBTCUを強調", K::Check, 18, {master}, f::samples},
        {"条件1有効", K::Check, 6, {master}, f::reload | f::samples},
        {"条件2有効", K::Check, 7, {master}, f::reload | f::samples},
        {"条件3有効", K::Check, 8, {master}, f::reload | f::samples},
        {master, K::Check, 3, {}, f::reload | f::samples},
        {"雲高1", K::Threshold, 0, {master, "条件1有効"}},
        {"視程1", K::Threshold, 1, {master, "条件1有効"}},
        {"雲高1の色", K::Colour, 2, {master, "条件1有効"}},
        {"視程1の色", K::Colour, 19, {master, "条件1有効"}},
        {"雲高2", K::Threshold, 2, {master, "条件2有効"}},
        {"視程2", K::Threshold, 3, {master, "条件2有効"}},
        {"RVR2", K::Threshold, 4, {master, "条件2有効"}},
        {"雲高2の色", K::Colour, 25, {master, "条件2有効"}},
        {"視程2の色", K::Colour, 13, {master, "条件2有効"}},
        {"雲高3", K::Threshold, 5, {master, "条件3有効"}},
        {"視程3", K::Threshold, 6, {master, "条件3有効"}},
        {"RVR3", K::Threshold, 7, {master, "条件3有効"}},
        {"雲高3の色", K::Colour, 29, {master, "条件3有効"}},
        {"視程3の色", K::Colour, 28, {master, "条件3有効"}},
        {"表示領域の色", K::Colour, 0, {}, f::samples},
        {"表示文字の色", K::Colour, 1, {}, f::samples},
        {"SPECIの色", K::Colour, 48, {"SPECI着色"}, f::samples},
        {"天気略語の色", K::Colour, 49, {"天気略語着色"}, f::samples},
        {"表示文字のフォント", K::Combo, 0, {}, f::samples | f::refuse_empty},
        {"表示文字のサイズ", K::Combo, 1, {}, f::samples},
        {"時差", K::Combo, 4, {"LOCAL使用"}, f::samples},
        {"表示文字のボールド", K::Check, 0, {}, f::samples},
        {"スクロールバーを表示", K::Check, 5, {}, f::samples},
        {"スクロールバーを表示", K::Shown, 0},
        {"前画面クリアー", K::Check, 4, {}, f::samples},
        {"先頭行", K::Check, 24, {}, f::samples},
        {"ポップアップ", K::Check, 19, {}, f::samples},
        {"SPECI着色", K::Check, 21, {}, f::samples},
        {"天気略語着色", K::Check, 22, {}, f::samples},
        {"LOCAL使用", K::Check, 23, {}, f::samples},
        {"PAD表示", K::Check, 26, {}, f::samples},
        {"コマンドボタン", K::OptionPair, 2, {}, 0, 0},
        {"シーケンス表示", K::Check, 28, {}, f::samples},
        {"シーケンス時間", K::Combo, 9, {"シーケンス表示"}, f::samples | f::new_cycle_slot},
        {"印刷文字のフォント", K::Combo, 2, {}, f::samples | f::refuse_empty},
        {"印刷文字のサイズ", K::Combo, 3, {}, f::samples},
        {"印刷文字のボールド", K::Check, 1, {}, f::samples},
        {"印刷開始時", K::Combo, 5, {"印刷更新時印刷", "印刷時刻指定"}, f::samples | f::on_close},
        {"印刷開始分", K::Combo, 6, {"印刷更新時印刷", "印刷時刻指定"}, f::samples | f::on_close},
        {"印刷終了時", K::Combo, 7, {"印刷更新時印刷", "印刷時刻指定"}, f::samples | f::on_close},
        {"印刷終了分", K::Combo, 8, {"印刷更新時印刷", "印刷時刻指定"}, f::samples | f::on_close},
        {"印刷更新時印刷", K::Check, 15, {}, f::samples},
        {"印刷時刻指定", K::OptionPair, 1, {"印刷更新時印刷"}, f::only_when_enabled, 1},
        {"印刷時ダイアログ", K::Check, 25, {}, f::samples},
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
