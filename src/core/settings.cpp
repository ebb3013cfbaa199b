#include "core/settings.h"

#include "core/database.h"
#include "core/shared.h"

namespace kolde_sub {

namespace {
using T = SettingType;
using D = SettingField::Default;

const std::array<SettingField, settings_field_count> fields = {{
        {"アドビインフォメーション", T::Boolean, D::Value, 0, nullptr},  // 1
        {"BASEurl", T::Text, D::None, 0, nullptr},  // 2
        {"KOLDEバージョン", T::Version, D::None, 0, nullptr},  // 3
        {"KOLDE更新日", T::Date, D::None, 0, nullptr},  // 4
        {"UPDATEバージョン", T::Version, D::None, 0, nullptr},  // 5
        {"UPDATE更新日", T::Date, D::None, 0, nullptr},  // 6
        {"DBバージョン", T::Version, D::None, 0, nullptr},  // 7
        {"DB更新日", T::Date, D::None, 0, nullptr},  // 8
        {"起動回数", T::Integer, D::Value, 0, nullptr},  // 9
        {"起動時にバージョン確認", T::Boolean, D::Value, -1, nullptr},  // 10
        {"更新確認メッセージ", T::Boolean, D::Value, 0, nullptr},  // 11
        {"自動デコード有効", T::Boolean, D::Value, -1, nullptr},  // 12
        {"マニュアル入力時停止", T::Boolean, D::Value, 0, nullptr},  // 13
        {"切断時メッセージ", T::Boolean, D::Value, -1, nullptr},  // 14
        {"切断時アラーム", T::Boolean, D::Value, -1, nullptr},  // 15
        {"更新終了時メッセージ", T::Boolean, D::Value, -1, nullptr},  // 16
        {"更新終了時アラーム", T::Boolean, D::Value, -1, nullptr},  // 17
        {"バッファ", T::Integer, D::Value, 10, nullptr},  // 18
        {"計器気象状態を強調", T::Boolean, D::Value, -1, nullptr},  // 19
        {"CBTCUを強調", T::Boolean, D::Value, -1, nullptr},  // 20
        {"天気略語着色", T::Boolean, D::Value, -1, nullptr},  // 21
        {"天気略語の色", T::Colour, D::Value, 65280, nullptr},  // 22
        {"SPECI着色", T::Boolean, D::Value, -1, nullptr},  // 23
        {"SPECIの色", T::Colour, D::Value, 8388863, nullptr},  // 24
        {"LOCAL使用", T::Boolean, D::Value, -1, nullptr},  // 25
        {"時差", T::Text, D::TimeDifference, 0, nullptr},  // 26
        {"条件1有効", T::Boolean, D::Value, -1, nullptr},  // 27
        {"雲高1", T::Integer, D::Value, 1000, nullptr},  // 28
        {"鉛直視程1有効", T::Boolean, D::Value, -1, nullptr},  // 29
        {"視程1", T::Integer, D::Value, 5000, nullptr},  // 30
        {"RVR1", T::Integer, D::None, 0, nullptr},  // 31
        {"雲高1の色", T::Colour, D::Value, 65535, nullptr},  // 32
        {"視程1の色", T::Colour, D::Value, 65535, nullptr},  // 33
        {"条件2有効", T::Boolean, D::Value, -1, nullptr},  // 34
        {"雲高2", T::Integer, D::Value, 200, nullptr},  // 35
        {"RVR2", T::Integer, D::Value, 1600, nullptr},  // 36
        {"鉛直視程2有効", T::Boolean, D::Value, -1, nullptr},  // 37
        {"視程2", T::Integer, D::Value, 1600, nullptr},  // 38
        {"雲高2の色", T::Colour, D::Value, 33023, nullptr},  // 39
        {"視程2の色", T::Colour, D::Value, 33023, nullptr},  // 40
        {"条件3有効", T::Boolean, D::Value, -1, nullptr},  // 41
        {"雲高3", T::Integer, D::Value, 200, nullptr},  // 42
        {"RVR3", T::Integer, D::Value, 550, nullptr},  // 43
        {"鉛直視程3有効", T::Boolean, D::Value, -1, nullptr},  // 44
        {"視程3", T::Integer, D::Value, 800, nullptr},  // 45
        {"雲高3の色", T::Colour, D::Value, 255, nullptr},  // 46
        {"視程3の色", T::Colour, D::Value, 255, nullptr},  // 47
        {"表示領域の色", T::Colour, D::Value, 0, nullptr},  // 48
        {"表示文字の色", T::Colour, D::Value, 16777215, nullptr},  // 49
        {"表示文字のフォント", T::Text, D::Value, 0, "ＭＳ ゴシック"},  // 50
        {"表示文字のサイズ", T::Integer, D::Value, 11, nullptr},  // 51
        {"表示文字のボールド", T::Boolean, D::Value, 0, nullptr},  // 52
        {"スクロールバーを表示", T::Boolean, D::Value, 0, nullptr},  // 53
        {"前画面クリアー", T::Boolean, D::Value, -1, nullptr},  // 54
        {"先頭行", T::Boolean, D::Value, 0, nullptr},  // 55
        {"ポップアップ", T::Boolean, D::Value, -1, nullptr},  // 56
        {"印刷文字のフォント", T::Text, D::Value, 0, "ＭＳ ゴシック"},  // 57
        {"印刷文字のサイズ", T::Integer, D::Value, 11, nullptr},  // 58
        {"印刷文字のボールド", T::Boolean, D::Value, 0, nullptr},  // 59
        {"印刷更新時印刷", T::Boolean, D::Value, 0, nullptr},  // 60
        {"印刷時刻指定", T::Boolean, D::Value, 0, nullptr},  // 61
        {"印刷開始時", T::Text, D::Value, 0, "00"},  // 62
        {"印刷開始分", T::Text, D::Value, 0, "00"},  // 63
        {"印刷終了時", T::Text, D::Value, 0, "23"},  // 64
        {"印刷終了分", T::Text, D::Value, 0, "59"},  // 65
        {"印刷時ダイアログ", T::Boolean, D::Value, -1, nullptr},  // 66
        {"プリンター", T::Text, D::Value, 0, "*"},  // 67
        {"PAD表示", T::Boolean, D::Value, -1, nullptr},  // 68
        {"ブラウザー", T::Boolean, D::Value, -1, nullptr},  // 69
        {"コマンドボタン", T::Boolean, D::Value, -1, nullptr},  // 70
        {"シーケンス表示", T::Boolean, D::Value, -1, nullptr},  // 71
        {"シーケンス時間", T::Integer, D::Value, 3, nullptr},  // 72
}};
}  // namespace

const std::array<SettingField, settings_field_count>& settings_fields() { return fields; }

platform::Value settings_default(const SettingField& f)
{
    switch (f.default_kind) {
    case D::None:
        return platform::Value();
    case D::TimeDifference:
        return platform::Value(tz_offset_text);
    case D::Value:
        break;
    }
    if (f.type == T::Text)
        return platform::Value(f.text);
    return platform::Value(f.number);
}

platform::Value setting(const QString& name)
{
    platform::Recordset& rs = rs_settings();
    if (rs.eof() && rs.record_count() > 0)
        rs.move_first();
    return rs.field(name);
}

bool setting_bool(const QString& name) { return setting(name).to_bool(); }
long long setting_int(const QString& name) { return setting(name).to_int(); }
QString setting_text(const QString& name) { return setting(name).to_text(); }

bool set_setting(const QString& name, const platform::Value& v)
{
    platform::Recordset& rs = rs_settings();
    rs.move_first();
    if (!rs.set_field(name, v))
        return false;
    return rs.update();
}

void reset_settings()
{
    platform::Recordset& rs = rs_settings();
    rs.move_first();
    for (const SettingField& f : fields) {
        if (f.default_kind == D::None)
            continue;
        rs.set_field(QString::fromUtf8(f.name), settings_default(f));
    }
    rs.update();
}

}  // namespace kolde_sub
