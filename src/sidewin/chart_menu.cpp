#include "chart_menu.h"

#include "chart_stamps.h"

#include "core/program.h"

#include <initializer_list>

namespace kolde_sub {

namespace {

using Kind = ChartMenuItem::Kind;

// The outside sites that have no base address of their own.
QString weather_points_site() { return builtin_web_url() + QStringLiteral("/weather"); }
QString portal_site() { return builtin_web_url(); }
QString emagram_site() { return builtin_web_url() + QStringLiteral("/emagram"); }
QString river_site() { return builtin_web_url() + QStringLiteral("/river"); }

class Builder {
public:
    std::vector<ChartMenuItem> items;

    void submenu(int depth, const char* name, const QString& caption, bool visible = true)
    {
        items.push_back({Kind::Submenu, depth, QString::fromLatin1(name), -1, caption, QString(), 0, 0, visible});
    }
    void separator(int depth, const char* name, int index = -1)
    {
        items.push_back(
            {Kind::Separator, depth, QString::fromLatin1(name), index, QStringLiteral("-"), QString(), 0, 0, true});
    }
    void chart(int depth, const char* name, int index, const QString& caption, const QString& address, int width,
               int height, bool visible = true)
    {
        items.push_back({Kind::Chart, depth, QString::fromLatin1(name), index, caption, address, width, height, visible});
    }
    // A PDF chart, shown maximised.
    void pdf(const char* name, const QString& caption, const char* file)
    {
        chart(0, name, -1, caption, addresses().pdf_chart + QLatin1String(file), 0, 0);
    }
    void dated(Kind kind, const char* name, const QString& caption, const char* prefix)
    {
        items.push_back(
            {kind, 0, QString::fromLatin1(name), -1, caption, addresses().fax_chart + QLatin1String(prefix), 0, 0, true});
    }
    // An item array of charts of one size, its captions and address parts
    // side by side; index_base is the first index. A caption "-" is a
    // separator of the array.
    void array(int depth, const char* name, int index_base, std::initializer_list<const char*> captions,
               std::initializer_list<const char*> parts, const QString& before, const QString& after, int width,
               int height, bool visible = true)
    {
        auto part = parts.begin();
        int index = index_base;
        for (const char* caption : captions) {
            const QString c = QString::fromUtf8(caption);
            if (c == QStringLiteral("-"))
                separator(depth, name, index);
            else
                chart(depth, name, index, c, before + QLatin1String(*part) + after, width, height, visible);
            ++part;
            ++index;
        }
    }
};

// Today's weather, the airport forecasts and the emagrams.
void add_today_items(Builder& b)
{
    b.submenu(0, "menu_chart_today_", QStringLiteral("今日の天気"));
    b.chart(1, "menu_chart_today", 1, QStringLiteral("天気のツボ (昼)"), addresses().weather_points + QStringLiteral("LBWwb_tubo_1.jpg"),
            9600, 7300);
    b.chart(1, "menu_chart_today", 2, QStringLiteral("天気のツボ (夜)"), addresses().weather_points + QStringLiteral("LBWwb_tubo_2.jpg"),
            9600, 7300);
    b.chart(1, "menu_chart_today", 3, QStringLiteral("実況天気図"),
            weather_points_site() + QStringLiteral("/imagedata/chart/LBWwb_asas.jpg"), 9600, 7300);
    b.chart(1, "menu_chart_today", 4, QStringLiteral("予想天気図"),
            weather_points_site() + QStringLiteral("/imagedata/chart/LBWwb_fsas.jpg"), 9600, 7300);
    b.chart(0, "menu_yahoo", -1, QStringLiteral("Yahoo 空港天気予報"),
            portal_site() + QStringLiteral("/weather/jp/leisure/airport/"), 0, 0);
    b.submenu(0, "menu_chart_ema_", QStringLiteral("エマグラム"), false);
    b.array(1, "menu_chart_ema", 1,
            {"稚内", "根室", "札幌", "仙台", "秋田", "輪島", "館野", "米子", "潮ノ岬", "福岡", "鹿児島", "那覇",
             "石垣島", "八丈島", "名瀬", "南大東島", "父島"},
            {"wak", "nem", "sap", "sen", "aki", "waj", "tat", "yon", "sio", "fuk", "kag", "nah", "ish", "hac", "naz",
             "min", "chi"},
            emagram_site() + QStringLiteral("/sis/images/ema_"), QStringLiteral(".gif"), 11000, 8700, false);
}

// The analysed and forecast weather maps, the cross sections and the upper winds.
void add_weather_map_items(Builder& b)
{
    b.pdf("menu_SPAS", QStringLiteral("速報天気図"), "SPAS.pdf");
    b.pdf("menu_ASAS", QStringLiteral("アジア地上解析図"), "ASAS.pdf");
    b.pdf("menu_AUPQ78", QStringLiteral("アジア 850,700hPa 高層天気図"), "AUPQ78.pdf");
    b.pdf("menu_AUPQ35", QStringLiteral("アジア 500,300hPa 高層天気図"), "AUPQ35.pdf");
    b.pdf("manu_AUPA20", QStringLiteral("アジア太平洋 200hPa 高度・気温・風・圏界面図"), "AUPA20.pdf");
    b.pdf("menu_AXFE578", QStringLiteral("極東 500,700hPa 天気図"), "AXFE578.pdf");
    b.dated(Kind::DatedThreeHourly, "menu_FXJP", QStringLiteral("国内航空路断面図"), "fxjp106_");
    b.pdf("menu_AXJP140", QStringLiteral("高層断面図"), "AXJP140.pdf");
    b.chart(0, "menu_windaloft", -1, QStringLiteral("毎時大気解析"), addresses().upper_wind, 12660, 9750, false);
    b.dated(Kind::DatedSixHourly, "menu_FBJP", QStringLiteral("悪天予想図 - 6時間予想"), "fbjp_");
    b.dated(Kind::DatedThreeHourly, "menu_FBJP112", QStringLiteral("悪天予想図 - 12時間予想"), "fbjp112_");
    b.pdf("menu_AUXN50", QStringLiteral("北半球 500hPa 高度・気温天気図"), "AUXN50.pdf");
    b.separator(0, "menu_lne1");
    b.pdf("menu_FSAS24", QStringLiteral("アジア地上24時間予想天気図"), "FSAS.pdf");
    b.pdf("menu_FSAS48", QStringLiteral("アジア地上48時間予想天気図"), "FSAS48.pdf");
    b.pdf("menu_FXFE502", QStringLiteral("500hPa 高度・渦度 12/24時間予想図"), "FXFE502.pdf");
    b.pdf("menu_FXFE504", QStringLiteral("500hPa 高度・渦度 36/48時間予想図"), "FXFE504.pdf");
    b.pdf("menu_FXFE507", QStringLiteral("500hPa 高度・渦度 72時間予想図"), "FXFE507.pdf");
    b.pdf("menu_FXFE5782", QStringLiteral("極東 850hPa 気温・風、700hPa 上昇流 12/24時間予想図"), "FXFE5782.pdf");
    b.pdf("menu_FXFE5784", QStringLiteral("極東 850hPa 気温・風、700hPa 上昇流 36/48時間予想図"), "FXFE5784.pdf");
    b.pdf("menu_FXFE577", QStringLiteral("極東 850hPa 気温・風、700hPa 上昇流 72時間予想図"), "FXFE577.pdf");
    b.pdf("menu_FXJP854", QStringLiteral("日本 850hPa 風・相当温位予想図"), "FXJP854.pdf");
    b.separator(0, "menu_lne2");
    b.pdf("menu_FXXN519", QStringLiteral("週間予報支援図"), "FXXN519.pdf");
    b.pdf("menu_FZCX50", QStringLiteral("週間予報支援図 （アンサンブル）"), "FZCX50.pdf");
    b.pdf("menu_FEFE19", QStringLiteral("週間アンサンブル予想図"), "FEFE19.pdf");
}

// Typhoons, the AMeDAS maps, the radars and the satellite pictures.
void add_observation_items(Builder& b)
{
    b.submenu(0, "menu_chart_typ", QStringLiteral("台風情報"));
    b.array(1, "menu_chart_typoon", 1, {"アジア広域", "日本広域", "日本拡大"}, {"asia_l", "koiki_l", "kakudai_l"},
            addresses().typhoon, QStringLiteral(".jpg"), 10200, 7800);
    b.submenu(0, "menu_chart_amedas", QStringLiteral("アメダス"));
    struct AmedasKind {
        const char* submenu;
        const char* array;
        const char* caption;
        const char* kind;
    };
    for (const AmedasKind k : {AmedasKind{"menu_chart_amedas_rain_", "menu_chart_amedas_rain", "降水量", "rain"},
                               AmedasKind{"menu_chart_amedas_wind_", "menu_chart_amedas_wind", "風向・風速", "wind"},
                               AmedasKind{"menu_chart_amedas_temp_", "menu_chart_amedas_temp", "気温", "temp"},
                               AmedasKind{"menu_chart_amedas_sun_", "menu_chart_amedas_sun", "日照", "sun"}}) {
        b.submenu(1, k.submenu, QString::fromUtf8(k.caption));
        b.array(2, k.array, 0,
                {"全国", "-", "北海道", "東北", "関東・甲信越", "東海・北陸・近畿", "中国・四国", "九州", "沖縄"},
                {"zen", "", "hokkaido", "tohoku", "kanto", "kinki", "chushikoku", "kyushu", "okinawa"},
                addresses().amedas + QStringLiteral("amedas-") + QLatin1String(k.kind) + QStringLiteral("-b-"),
                QStringLiteral(".jpg"), 10200, 7800);
    }
    b.submenu(0, "menu_chart_radaramedas_", QStringLiteral("レーダーアメダス合成図"));
    b.array(1, "menu_chart_radaramedas", 1, {"日本全図", "南日本"}, {"jp", "sjp"},
            addresses().radar_amedas + QStringLiteral("rdam/rd0_"), QStringLiteral(".gif"), 10200, 10150);
    b.separator(0, "menu_lne3");
    b.chart(0, "menu_chart_kouikiradar", -1, QStringLiteral("広域合成レーダー"),
            river_site() + QStringLiteral("/img/summary/radar_Area80.png"), 7400, 7400);
    b.submenu(0, "menu_chart_radar_", QStringLiteral("合成レーダー"));
    b.array(1, "menu_chart_radar", 0,
            {"北海道", "東北北部", "東北南部・関東", "東海・近畿", "中国・四国・九州北部", "九州南部", "沖縄東部",
             "沖縄西部"},
            {"RSAP", "RNTH", "RKNT", "RWTK", "RCGK", "RNKG", "RNAH", "RISG"}, addresses().radar + QStringLiteral("radar"),
            QStringLiteral(".jpg"), 10200, 7800);
    b.submenu(0, "menu_chart_sat_", QStringLiteral("気象衛星"));
    b.chart(1, "menu_chart_sat", 1, QStringLiteral("日本付近"), addresses().satellite + QStringLiteral("FE/00Latest.jpg"),
            10200, 7800);
    b.chart(1, "menu_chart_sat", 2, QStringLiteral("クイックルック"),
            addresses().satellite + QStringLiteral("QL/00Latest.jpg"), 9300, 9300);
}

}  // namespace

std::vector<ChartMenuItem> chart_menu_items()
{
    Builder b;
    add_today_items(b);
    b.separator(0, "menu_lne0");
    add_weather_map_items(b);
    b.separator(0, "menu_lne4");
    add_observation_items(b);
    return b.items;
}

QString chart_item_address(const ChartMenuItem& item, const QDateTime& now, const QString& time_difference)
{
    switch (item.kind) {
    case Kind::DatedSixHourly:
    case Kind::DatedThreeHourly: {
        const ChartCycle cycle = item.kind == Kind::DatedSixHourly ? ChartCycle::SixHourly : ChartCycle::ThreeHourly;
        return item.address + dated_chart_stamp(now, time_difference, cycle)
               + QStringLiteral(".png");
    }
    default:
        return item.address;
    }
}

ChartMenuItem first_chart(int clock_hour)
{
    const bool day = clock_hour < 12;
    return {Kind::Chart,
            0,
            QStringLiteral("menu_chart_today"),
            day ? 1 : 2,
            day ? QStringLiteral("天気のツボ (昼)") : QStringLiteral("天気のツボ (夜)"),
            addresses().weather_points + (day ? QStringLiteral("LBWwb_tubo_1.jpg") : QStringLiteral("LBWwb_tubo_2.jpg")),
            9600,
            7300,
            true};
}

bool is_pdf_address(const QString& url) { return url.endsWith(QStringLiteral("pdf")); }

QString reader_download_url()
{
    return builtin_web_url() + QStringLiteral("/products/acrobat/readstep2.html");
}

}  // namespace kolde_sub
