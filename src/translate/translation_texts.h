// Every text of the Japanese translation of an observation: the line labels,
// the fixed lines and the pieces the translators put together. The labels
// differ on purpose: a label of four full-width characters is padded with two
// full-width blanks and a blank before its colon, one with a half-width "/"
// ("風向/風速", "雲量/高度") with two full-width blanks and no blank, so that
// every colon stands in the same column.
#pragma once

#include <QStringView>

#include <array>

namespace kolde_sub::jp_text {

// ---- line labels and the continuation indent
inline constexpr QStringView indent = u"　　　　　　　　";
inline constexpr QStringView auto_line = u"観測形態　　 ： 自動観測装置による観測 (METAR AUTO)";
inline constexpr QStringView wind_label = u"風向/風速　　： ";
inline constexpr QStringView visibility_label = u"地上視程　　 ： ";
inline constexpr QStringView rvr_label = u"滑走路視距離 ： ";
inline constexpr QStringView weather_label = u"現在天気　　 ： ";
inline constexpr QStringView cloud_label = u"雲量/高度　　： ";
inline constexpr QStringView vertical_label = u"鉛直視程　　 ： ";
inline constexpr QStringView temperature_label = u"地上気温　　 ： ";
inline constexpr QStringView dew_point_label = u"露点温度　　 ： ";
inline constexpr QStringView altimeter_label = u"高度計規正値 ： ";
inline constexpr QStringView pressure_label = u"地上気圧　　 ： ";
inline constexpr QStringView nosig_line = u"補足記事　　 ： 顕著な天候変化なし";
inline constexpr QStringView trend_label = u"着陸予報　　 ： ";
inline constexpr QStringView remark_label = u"備　　考　　 ： ";

// The words by which a section counts as begun.
inline constexpr QStringView rvr_word = u"滑走路視距離";
inline constexpr QStringView cloud_word = u"雲量/高度";
inline constexpr QStringView remark_word = u"備　　考";

// A group that says its value is not reported.
inline constexpr QStringView missing = u"欠測";
inline constexpr QStringView direction_missing = u"風向欠測 ";

// ---- header
inline constexpr QStringView header_open = u"*** ";
inline constexpr QStringView header_close = u" ***";
inline constexpr QStringView airport_suffix = u"空港 ";
inline constexpr QStringView aerodrome_suffix = u"飛行場 ";
inline constexpr QStringView routine_kind = u"定時飛行場実況通報 ";
inline constexpr QStringView special_kind = u"特別飛行場実況通報 ";
inline constexpr QStringView issued = u") 発表";

// Stations named "飛行場" rather than "空港".
inline constexpr std::array<QStringView, 38> aerodromes = {
    u"RJCA", u"RJCJ", u"RJSH", u"RJSU", u"RJST", u"RJSM", u"RJSO", u"RJTA", u"RJTF", u"RJAH",
    u"RJTJ", u"RJAK", u"RJTK", u"RJTL", u"RJTC", u"RJTE", u"RJTU", u"RJTY", u"RJTR", u"RJAW",
    u"RJAM", u"RJOE", u"RJNG", u"RJNH", u"RJNA", u"RJNY", u"RJOY", u"RJBH", u"RJOF", u"RJOI",
    u"RJOZ", u"RJFA", u"RJFY", u"RJDM", u"RJFN", u"RJFZ", u"RORM", u"RODN"};

// ---- times: hh "時" mm "分(" zone ")"
inline constexpr QStringView hour = u"時";
inline constexpr QStringView minute_open = u"分(";

// ---- wind
inline constexpr QStringView calm_group_text = u"風速 0.4ノット以下の静穏な風";
inline constexpr QStringView calm = u"無風";
inline constexpr QStringView variable_open = u"風向が特定できない ";
inline constexpr QStringView variable_close = u"の風";
inline constexpr QStringView from_direction = u"°方向から ";
inline constexpr QStringView knots = u"ノット";
inline constexpr QStringView hundred_knots_or_more = u"100ノット以上";
// A wind in metres per second; "P49MPS" stands for 50 or more.
inline constexpr QStringView metres_per_second = u"メートル毎秒";
inline constexpr QStringView fifty_metres_per_second_or_more = u"50メートル毎秒以上";
inline constexpr QStringView gust = u" / 最大瞬間風速 ";
inline constexpr QStringView range_open = u" / ";
inline constexpr QStringView range_from = u"°から ";
inline constexpr QStringView range_close = u"°の間で風向変動あり";

// ---- visibility
inline constexpr QStringView ten_km_or_more = u"10キロメートル以上";
inline constexpr QStringView ten_miles_or_more = u"10陸マイル (Statute Mile) 以上";
inline constexpr QStringView kilometres = u"キロメートル";
inline constexpr QStringView metres = u"メートル";
inline constexpr QStringView miles = u" 陸マイル (Statute Mile)";
inline constexpr QStringView feet = u"フィート";
// A visibility towards one direction, after the prevailing one: " / ",
// the direction, then this and the metres.
inline constexpr QStringView towards_direction = u"方向 ";

// ---- runway visual range
inline constexpr QStringView runway = u"滑走路";
inline constexpr QStringView rvr_is = u"のRVRは、";
inline constexpr QStringView rvr_missing = u"欠測している";
inline constexpr QStringView from = u"から";
inline constexpr QStringView rvr_upper_limit_varying = u"(測定範囲の上限)の間を変動して";
inline constexpr QStringView rvr_lower_limit_from = u"(測定範囲の下限)から";
inline constexpr QStringView rvr_varying = u"の間を変動して";
inline constexpr QStringView rvr_above = u"(測定範囲の上限)を超えて";
inline constexpr QStringView rvr_below = u"(測定範囲の下限)を下回って";
inline constexpr QStringView rvr_single_rising = u"で、さらに上昇中";
inline constexpr QStringView rvr_single_falling = u"で、さらに下降中";
inline constexpr QStringView rvr_single_unknown = u"で、変化傾向は不明";
inline constexpr QStringView rvr_single_steady = u"で、変化なし";
inline constexpr QStringView varying = u"変動して";
inline constexpr QStringView varying_rising = u"変動しながら上昇中";
inline constexpr QStringView varying_falling = u"変動しながら下降中";
inline constexpr QStringView above = u"超えて";
inline constexpr QStringView above_rising = u"超えており、さらに上昇中";
inline constexpr QStringView below = u"下回って";
inline constexpr QStringView below_falling = u"下回っており、さらに下降中";
inline constexpr QStringView steady = u"おり、変化なし";
inline constexpr QStringView tendency_unknown = u"おり、変化傾向は不明";

// ---- present weather
inline constexpr QStringView clear_sky = u"快晴";
inline constexpr QStringView fine = u"晴れ";
inline constexpr QStringView light = u"弱い(-)";
inline constexpr QStringView heavy = u"強い(+)";
inline constexpr QStringView no_such_code = u" 記号該当なし";
inline constexpr QStringView cannot_decode = u"解析不能";
inline constexpr QStringView same_line = u"  ";

// ---- cloud
struct CloudAmount {
    QStringView code;      // as in the report
    QStringView no_base;   // amount without a known base
    QStringView base;      // after the height in feet
    QStringView trend;     // in the landing forecast, after the height
};
inline constexpr std::array<CloudAmount, 4> cloud_amounts = {{
    {u"FEW", u"雲低高度不明な少量の", u"フィートに少量の", u"フィートに少量の雲 "},
    {u"SCT", u"雲低高度不明な散在した", u"フィートに散在した", u"フィートに散在する雲 "},
    {u"BKN", u"雲低高度不明な多量の", u"フィートに多量の", u"フィートに多量の雲 "},
    {u"OVC", u"雲低高度不明な全天を覆う", u"フィートに全天を覆う", u"フィートに全天を覆う雲 "},
}};
inline constexpr QStringView cloud = u"雲";
inline constexpr QStringView cumulonimbus = u"積乱雲";
inline constexpr QStringView towering_cumulus = u"塔状積雲";
inline constexpr QStringView vertical_feet = u" フィート";

// ---- temperature and pressure
inline constexpr QStringView minus = u"マイナス ";
inline constexpr QStringView celsius = u"℃";
inline constexpr QStringView inches_of_mercury = u"インチ水銀柱";
inline constexpr QStringView hectopascals_whole = u".0ヘクトパスカル";
inline constexpr QStringView hectopascals = u"ヘクトパスカル";

// ---- landing forecast
inline constexpr QStringView gradually = u"序々";
inline constexpr QStringView temporarily = u"一時的";
inline constexpr QStringView until = u")までに、";
inline constexpr QStringView after = u")以降、";
inline constexpr QStringView trend_wind = u"風が ";
inline constexpr QStringView trend_knots = u"ノット ";
inline constexpr QStringView trend_metres_per_second = u"メートル毎秒 ";
inline constexpr QStringView trend_visibility = u"地上視程 ";
inline constexpr QStringView trend_metres = u"メートル ";
inline constexpr QStringView change_open = u"に";
inline constexpr QStringView change_close = u"に変化";

// ---- remarks
// Cloud amounts of a remark cloud group by its leading digit (index 1 to 8).
inline constexpr std::array<QStringView, 9> remark_amounts = {
    u"", u"少量の", u"少量の", u"散在した", u"散在した", u"多量の", u"多量の", u"多量の", u"全天を覆う"};
struct CloudType {
    QStringView code;
    QStringView name;
};
inline constexpr std::array<CloudType, 11> remark_cloud_types = {{
    {u"CB", u"積乱雲 (Cumulonimbus)"},
    {u"TCU", u"塔状積雲 (Towering Cumulus)"},
    {u"ST", u"層雲 (Stratus)"},
    {u"SC", u"層積雲 (Stratocumulus)"},
    {u"NS", u"乱層雲 (Nimbostratus)"},
    {u"CU", u"積雲 (Cumulus)"},
    {u"AS", u"高層雲 (Altostratus)"},
    {u"CI", u"巻雲 (Cirrus)"},
    {u"CC", u"巻積雲 (Cirrocumulus)"},
    {u"CS", u"巻層雲 (Cirrostratus)"},
    {u"AC", u"高積雲 (Altocumulus)"},
}};
inline constexpr QStringView feet_at = u"フィートに";
// What a cloud line of the main section loses when a remark names its type.
inline constexpr std::array<QStringView, 3> replaced_cloud_words = {u")雲", u")積乱雲", u")塔状積雲"};
inline constexpr QStringView bracket_close = u")";

inline constexpr QStringView remark_altimeter = u"高度計規正値 ";
inline constexpr QStringView station_without_rain_gauge = u"降水測定機能のない自動観測装置による観測";
inline constexpr QStringView station_with_rain_gauge = u"降水測定機能のある自動観測装置による観測";
inline constexpr QStringView sea_level_pressure = u"海面水位圧力 ";

// The weather whose beginning and end the remarks tell, by its code; the
// last code a phenomenon holds names it (TSRA is a thunderstorm).
struct Precipitation {
    QStringView code;
    QStringView name;
};
inline constexpr std::array<Precipitation, 4> precipitation = {{
    {u"RA", u"雨"},
    {u"SN", u"雪"},
    {u"DZ", u"霧雨"},
    {u"TS", u"雷雨"},
}};
inline constexpr QStringView began_from = u")から";
inline constexpr QStringView observed = u"を観測";
inline constexpr QStringView and_word = u"し、";
inline constexpr QStringView observation_ended = u")に観測を終了";
inline constexpr QStringView ended_at = u")に";
inline constexpr QStringView ended_observing = u"の観測を終了";

inline constexpr QStringView last_hour_open = u"過去1時間あたりの降水量 ";
inline constexpr QStringView last_hour_trace = u"過去1時間あたりの降水量 0.01インチ以下";
inline constexpr QStringView inches = u"インチ";
inline constexpr QStringView past = u"過去";
inline constexpr QStringView hours_precipitation = u"時間の降水量 ";

inline constexpr QStringView remark_temperature = u"地上気温 ";
inline constexpr QStringView remark_dew_point = u"露点温度 ";
inline constexpr QStringView six_hour_maximum = u"過去6時間以内の最高気温 ";
inline constexpr QStringView six_hour_minimum = u"過去6時間以内の最低気温 ";
inline constexpr QStringView day_maximum = u"過去24時間以内の最高気温 ";
inline constexpr QStringView day_minimum = u"過去24時間以内の最低気温 ";
inline constexpr QStringView three_hour_pressure_change = u"過去3時間の気圧変化 ";

inline constexpr QStringView pressure_rising = u"地上気圧が急速に上昇中";
inline constexpr QStringView pressure_falling = u"地上気圧が急速に下降中";
inline constexpr QStringView wind_shear = u"にウィンドシァー警報";

// Remarks of a phenomenon seen in a direction: the word, then the direction.
struct SeenInDirection {
    QStringView word;
    QStringView text;
};
inline constexpr std::array<SeenInDirection, 5> seen_in_direction = {{
    {u"LIGHTNING", u"稲光を観測"},
    {u"TCU", u"塔状積雲を観測"},
    {u"CB", u"積乱雲を観測"},
    {u"FG", u"霧を観測"},
    {u"RA", u"雨を観測"},
}};
inline constexpr QStringView at_airport = u"空港の";
// A phenomenon seen without a direction: this, then what was seen.
inline constexpr QStringView at_airport_without_direction = u"空港で";
inline constexpr QStringView towards_range = u"方向にかけて";
inline constexpr QStringView towards = u"方向に";
// The same for something seen far away (DSNT, DISTANT): never at the airport.
inline constexpr QStringView distant_without_direction = u"遠方に";
inline constexpr QStringView towards_range_distant = u"方向にかけての遠方に";
inline constexpr QStringView towards_distant = u"方向の遠方に";
inline constexpr QStringView direction = u"方向";
inline constexpr QStringView over_range = u"にかけての";
inline constexpr QStringView of = u"の";
inline constexpr QStringView visibility_is = u"視程は ";
inline constexpr QStringView ceiling = u"雲底高度 ";
inline constexpr QStringView feet_from = u"フィートから";
inline constexpr QStringView feet_varying = u"フィートの間を変動";

// Letters of a direction group and their words; a group of other
// characters, or one that does not begin and end with a compass letter, is
// no direction (E/SE gives 東・南東).
struct DirectionWord {
    char16_t letter;
    QStringView word;
};
inline constexpr std::array<DirectionWord, 6> direction_words = {{
    {u'E', u"東"}, {u'W', u"西"}, {u'S', u"南"}, {u'N', u"北"}, {u'-', u"から"}, {u'/', u"・"},
}};

// Remarks searched for anywhere in the body.
inline constexpr QStringView yellow_sand = u"黄砂を観測";
inline constexpr QStringView fog_on_runway = u"上に霧を観測";
inline constexpr QStringView maximum_wind = u"最大風速 ";
inline constexpr QStringView maintenance_needed = u"自動観測装置のメンテナンスが必要";

}  // namespace kolde_sub::jp_text
