#include "core/settings.h"

#include "core/database.h"
#include "core/logging.h"
#include "core/shared.h"

#include <QHash>

namespace kolde_sub {

namespace {
using T = SettingType;
using D = SettingField::Default;

const std::array<SettingField, settings_field_count> fields = {{
        {"アドビインフォメーション", T::Boolean, D::Value, 0, nullptr},
        {"BASEurl", T::Text, D::None, 0, nullptr},
        {"KOLDEバージョン", T::Version, D::None, 0, nullptr},
        {"KOLDE更新日", T::Date, D::None, 0, nullptr},
        {"UPDATEバージョン", T::Version, D::None, 0, nullptr},
        {"UPDATE更新日", T::Date, D::None, 0, nullptr},
        {"DBバージョン", T::Version, D::None, 0, nullptr},
        {"DB更新日", T::Date, D::None, 0, nullptr},
        {"起動回数", T::Integer, D::Value, 0, nullptr},
        {"起動時にバージョン確認", T::Boolean, D::Value, -1, nullptr},
        {"更新確認メッセージ", T::Boolean, D::Value, 0, nullptr},
        {"自動デコード有効", T::Boolean, D::Value, -1, nullptr},
        {"マニュアル入力時停止", T::Boolean, D::Value, 0, nullptr},
        {"切断時メッセージ", T::Boolean, D::Value, -1, nullptr},
        {"切断時アラーム", T::Boolean, D::Value, -1, nullptr},
        {"更新終了時メッセージ", T::Boolean, D::Value, -1, nullptr},
        {"更新終了時アラーム", T::Boolean, D::Value, -1, nullptr},
        {"バッファ", T::Integer, D::Value, 10, nullptr},
        {"計器気象状態を強調", T::Boolean, D::Value, -1, nullptr},
        {"CBTCUを強調", T::Boolean, D::Value, -1, nullptr},
        {"天気略語着色", T::Boolean, D::Value, -1, nullptr},
        {"天気略語の色", T::Colour, D::Value, 65280, nullptr},
        {"SPECI着色", T::Boolean, D::Value, -1, nullptr},
        {"SPECIの色", T::Colour, D::Value, 8388863, nullptr},
        {"LOCAL使用", T::Boolean, D::Value, -1, nullptr},
        {"時差", T::Text, D::TimeDifference, 0, nullptr},
        {"条件1有効", T::Boolean, D::Value, -1, nullptr},
        {"雲高1", T::Integer, D::Value, 1000, nullptr},
        {"鉛直視程1有効", T::Boolean, D::Value, -1, nullptr},
        {"視程1", T::Integer, D::Value, 5000, nullptr},
        {"RVR1", T::Integer, D::None, 0, nullptr},
        {"雲高1の色", T::Colour, D::Value, 65535, nullptr},
        {"視程1の色", T::Colour, D::Value, 65535, nullptr},
        {"条件2有効", T::Boolean, D::Value, -1, nullptr},
        {"雲高2", T::Integer, D::Value, 200, nullptr},
        {"RVR2", T::Integer, D::Value, 1600, nullptr},
        {"鉛直視程2有効", T::Boolean, D::Value, -1, nullptr},
        {"視程2", T::Integer, D::Value, 1600, nullptr},
        {"雲高2の色", T::Colour, D::Value, 33023, nullptr},
        {"視程2の色", T::Colour, D::Value, 33023, nullptr},
        {"条件3有効", T::Boolean, D::Value, -1, nullptr},
        {"雲高3", T::Integer, D::Value, 200, nullptr},
        {"RVR3", T::Integer, D::Value, 550, nullptr},
        {"鉛直視程3有効", T::Boolean, D::Value, -1, nullptr},
        {"視程3", T::Integer, D::Value, 800, nullptr},
        {"雲高3の色", T::Colour, D::Value, 255, nullptr},
        {"視程3の色", T::Colour, D::Value, 255, nullptr},
        {"表示領域の色", T::Colour, D::Value, 0, nullptr},
        {"表示文字の色", T::Colour, D::Value, 16777215, nullptr},
        {"表示文字のフォント", T::Text, D::Value, 0, "ＭＳ ゴシック"},
        {"表示文字のサイズ", T::Integer, D::Value, 11, nullptr},
        {"表示文字のボールド", T::Boolean, D::Value, 0, nullptr},
        {"スクロールバーを表示", T::Boolean, D::Value, 0, nullptr},
        {"前画面クリアー", T::Boolean, D::Value, -1, nullptr},
        {"先頭行", T::Boolean, D::Value, 0, nullptr},
        {"ポップアップ", T::Boolean, D::Value, -1, nullptr},
        {"印刷文字のフォント", T::Text, D::Value, 0, "ＭＳ ゴシック"},
        {"印刷文字のサイズ", T::Integer, D::Value, 11, nullptr},
        {"印刷文字のボールド", T::Boolean, D::Value, 0, nullptr},
        {"印刷更新時印刷", T::Boolean, D::Value, 0, nullptr},
        {"印刷時刻指定", T::Boolean, D::Value, 0, nullptr},
        {"印刷開始時", T::Text, D::Value, 0, "00"},
        {"印刷開始分", T::Text, D::Value, 0, "00"},
        {"印刷終了時", T::Text, D::Value, 0, "23"},
        {"印刷終了分", T::Text, D::Value, 0, "59"},
        {"印刷時ダイアログ", T::Boolean, D::Value, -1, nullptr},
        {"プリンター", T::Text, D::Value, 0, "*"},
        {"PAD表示", T::Boolean, D::Value, -1, nullptr},
        {"ブラウザー", T::Boolean, D::Value, -1, nullptr},
        {"コマンドボタン", T::Boolean, D::Value, -1, nullptr},
        {"シーケンス表示", T::Boolean, D::Value, -1, nullptr},
        {"シーケンス時間", T::Integer, D::Value, 3, nullptr},
}};
}  // namespace

const std::array<SettingField, settings_field_count>& settings_fields() { return fields; }

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

const SettingField* find_setting_field(const QString& name)
{
    static const QHash<QString, const SettingField*> by_name = [] {
        QHash<QString, const SettingField*> h;
        for (const SettingField& f : fields)
            h.insert(QString::fromUtf8(f.name), &f);
        return h;
    }();
    return by_name.value(name, nullptr);
}

namespace {

// The field of a name given by a caller; an unknown name is a misspelling in
// the program, reported loudly rather than read as off.
const SettingField* checked_field(const QString& name)
{
    const SettingField* f = find_setting_field(name);
    if (f == nullptr) {
        qCWarning(lc_core).noquote() << unknown_setting_warning << name;
        Q_ASSERT_X(false, "kolde_sub::setting", "unknown settings field");
    }
    return f;
}

}  // namespace

platform::Value setting(const QString& name)
{
    const SettingField* f = checked_field(name);
    if (f == nullptr)
        return platform::Value();
    platform::Recordset& rs = rs_settings();
    if (rs.eof() && rs.record_count() > 0)
        rs.move_first();
    if (rs.eof() || !rs.has_field(name))
        return settings_default(*f);
    return rs.field(name);
}

bool setting_bool(const QString& name) { return setting(name).to_bool(); }
long long setting_int(const QString& name) { return setting(name).to_int(); }
QString setting_text(const QString& name) { return setting(name).to_text(); }

bool set_setting(const QString& name, const platform::Value& v)
{
    if (checked_field(name) == nullptr)
        return false;
    platform::Recordset& rs = rs_settings();
    rs.move_first();
    if (!rs.set_field(name, v))
        return false;
    return rs.update();
}

void reset_settings()
{
    platform::Recordset& rs = rs_settings();
    // One commit for the whole reset, each field in a savepoint of its own:
    // a field that cannot be written keeps its old value, the rest go on.
    static_cast<void>(db_conn().transaction([&] {
        for (const SettingField& f : fields) {
            if (f.default_kind == D::None)
                continue;
            rs.move_first();
            static_cast<void>(db_conn().transaction(
                    [&] { return rs.set_field(QString::fromUtf8(f.name), settings_default(f)) && rs.update(); }));
        }
        return true;
    }));
}

}  // namespace kolde_sub
