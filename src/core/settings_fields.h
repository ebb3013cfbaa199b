// The settings record's 72 fields, their types and the defaults that
// reset_settings writes, and one compile-time handle per field: the program
// names a field only by its handle in namespace key, and a handle whose
// column name is not in the table does not compile.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

namespace kolde_sub {

enum class SettingType { Boolean, Integer, Colour, Text, Version, Date };

struct SettingField {
    const char* name;  // the column name, UTF-8
    SettingType type;
    enum class Default { None, Value, TimeDifference } default_kind;
    long long number;   // default of Boolean (0 / -1), Integer and Colour fields
    const char* text;   // default of Text fields
};

inline constexpr int settings_field_count = 72;

namespace settings_detail {
using T = SettingType;
using D = SettingField::Default;

// The fields in the order in which an upgrade copies them.
inline constexpr std::array<SettingField, settings_field_count> fields = {{
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

constexpr bool same_name(const char* a, const char* b)
{
    for (; *a != '\0' && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}
}  // namespace settings_detail

// A field of the settings record. Made from a column name only at compile
// time: a name that is not in the table makes the constructor throw, which
// is no constant expression, so the program does not compile.
class SettingKey {
public:
    consteval explicit SettingKey(const char* name) : index_(index_of(name)) {}

    // The key of the i-th field (i below settings_field_count), for walks
    // over the whole table.
    static constexpr SettingKey at(std::size_t i) { return SettingKey(i); }

    constexpr std::size_t index() const { return index_; }
    constexpr const SettingField& field() const { return settings_detail::fields[index_]; }
    constexpr const char* name() const { return field().name; }

    friend constexpr bool operator==(SettingKey, SettingKey) = default;

private:
    constexpr explicit SettingKey(std::size_t i) : index_(i < settings_detail::fields.size() ? i : 0) {}

    static consteval std::size_t index_of(const char* name)
    {
        for (std::size_t i = 0; i < settings_detail::fields.size(); ++i) {
            if (settings_detail::same_name(settings_detail::fields[i].name, name))
                return i;
        }
        throw "not a settings field";
    }

    std::size_t index_;
};

namespace settings_detail {
template <std::size_t... I>
constexpr std::array<SettingKey, sizeof...(I)> keys(std::index_sequence<I...>)
{
    return {SettingKey::at(I)...};
}
}  // namespace settings_detail

// Every field's key, in the order of the table.
constexpr std::array<SettingKey, settings_field_count> all_setting_keys()
{
    return settings_detail::keys(std::make_index_sequence<settings_field_count>());
}

// The handles, one a field.
namespace key {
inline constexpr SettingKey pdf_reader_notice{"アドビインフォメーション"};
inline constexpr SettingKey base_url{"BASEurl"};
inline constexpr SettingKey program_version{"KOLDEバージョン"};
inline constexpr SettingKey program_updated{"KOLDE更新日"};
inline constexpr SettingKey updater_version{"UPDATEバージョン"};
inline constexpr SettingKey updater_updated{"UPDATE更新日"};
inline constexpr SettingKey database_version{"DBバージョン"};
inline constexpr SettingKey database_updated{"DB更新日"};
inline constexpr SettingKey start_count{"起動回数"};
inline constexpr SettingKey check_version_on_start{"起動時にバージョン確認"};
inline constexpr SettingKey update_confirm_message{"更新確認メッセージ"};
inline constexpr SettingKey auto_decode{"自動デコード有効"};
inline constexpr SettingKey stop_on_manual_input{"マニュアル入力時停止"};
inline constexpr SettingKey disconnect_message{"切断時メッセージ"};
inline constexpr SettingKey disconnect_alarm{"切断時アラーム"};
inline constexpr SettingKey update_done_message{"更新終了時メッセージ"};
inline constexpr SettingKey update_done_alarm{"更新終了時アラーム"};
inline constexpr SettingKey buffer{"バッファ"};
inline constexpr SettingKey emphasise_conditions{"計器気象状態を強調"};
inline constexpr SettingKey emphasise_cb_tcu{"CBTCUを強調"};
inline constexpr SettingKey weather_colouring{"天気略語着色"};
inline constexpr SettingKey weather_colour{"天気略語の色"};
inline constexpr SettingKey speci_colouring{"SPECI着色"};
inline constexpr SettingKey speci_colour{"SPECIの色"};
inline constexpr SettingKey local_time{"LOCAL使用"};
inline constexpr SettingKey time_difference{"時差"};
inline constexpr SettingKey condition1{"条件1有効"};
inline constexpr SettingKey cloud_height1{"雲高1"};
inline constexpr SettingKey vertical_visibility1{"鉛直視程1有効"};
inline constexpr SettingKey visibility1{"視程1"};
inline constexpr SettingKey rvr1{"RVR1"};
inline constexpr SettingKey cloud_colour1{"雲高1の色"};
inline constexpr SettingKey visibility_colour1{"視程1の色"};
inline constexpr SettingKey condition2{"条件2有効"};
inline constexpr SettingKey cloud_height2{"雲高2"};
inline constexpr SettingKey rvr2{"RVR2"};
inline constexpr SettingKey vertical_visibility2{"鉛直視程2有効"};
inline constexpr SettingKey visibility2{"視程2"};
inline constexpr SettingKey cloud_colour2{"雲高2の色"};
inline constexpr SettingKey visibility_colour2{"視程2の色"};
inline constexpr SettingKey condition3{"条件3有効"};
inline constexpr SettingKey cloud_height3{"雲高3"};
inline constexpr SettingKey rvr3{"RVR3"};
inline constexpr SettingKey vertical_visibility3{"鉛直視程3有効"};
inline constexpr SettingKey visibility3{"視程3"};
inline constexpr SettingKey cloud_colour3{"雲高3の色"};
inline constexpr SettingKey visibility_colour3{"視程3の色"};
inline constexpr SettingKey display_background{"表示領域の色"};
inline constexpr SettingKey display_text_colour{"表示文字の色"};
inline constexpr SettingKey display_font{"表示文字のフォント"};
inline constexpr SettingKey display_size{"表示文字のサイズ"};
inline constexpr SettingKey display_bold{"表示文字のボールド"};
inline constexpr SettingKey scroll_bar{"スクロールバーを表示"};
inline constexpr SettingKey clear_screen{"前画面クリアー"};
inline constexpr SettingKey top_line{"先頭行"};
inline constexpr SettingKey popup_menu{"ポップアップ"};
inline constexpr SettingKey print_font{"印刷文字のフォント"};
inline constexpr SettingKey print_size{"印刷文字のサイズ"};
inline constexpr SettingKey print_bold{"印刷文字のボールド"};
inline constexpr SettingKey print_on_update{"印刷更新時印刷"};
inline constexpr SettingKey print_timed{"印刷時刻指定"};
inline constexpr SettingKey print_start_hour{"印刷開始時"};
inline constexpr SettingKey print_start_minute{"印刷開始分"};
inline constexpr SettingKey print_end_hour{"印刷終了時"};
inline constexpr SettingKey print_end_minute{"印刷終了分"};
inline constexpr SettingKey print_dialog{"印刷時ダイアログ"};
inline constexpr SettingKey printer{"プリンター"};
inline constexpr SettingKey scratch_pad{"PAD表示"};
inline constexpr SettingKey browser{"ブラウザー"};
inline constexpr SettingKey command_buttons{"コマンドボタン"};
inline constexpr SettingKey sequence{"シーケンス表示"};
inline constexpr SettingKey sequence_hours{"シーケンス時間"};
}  // namespace key

}  // namespace kolde_sub
