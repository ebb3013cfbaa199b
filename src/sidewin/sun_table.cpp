#include "sidewin/sun_table.h"

#include "platform/store.h"
#include "sidewin/sun_times.h"

#include <cmath>

namespace kolde_sub {

namespace {

const std::array<BuiltinField, 58> builtin_rows{{
    {"旭川(JSDF)", "434740", "1422154", 377.0f},
    {"阿見", "360126", "1401600", 66.0f},
    {"ダイコロ愛別", "435256", "1423634", 1024.0f},
    {"本田エアポート", "355832", "1393130", 39.0f},
    {"枕崎", "311558", "1302123", 171.0f},
    {"薩摩硫黄島", "304704", "1301614", 337.6f},
    {"大分県央", "330134", "1313020", 771.0f},
    {"竜ヶ崎", "355422", "1401429", 8.0f},
    {"鹿部", "420242", "1404736", 63.0f},
    {"弟子屈", "432845", "1442609", 360.0f},
    {"明石川崎(H)", "343928", "1345757", 54.0f},
    {"朝日・川越(H)", "355730", "1392802", 47.0f},
    {"足寄(H)", "431425", "1433013", 1058.0f},
    {"福島県警察(H)", "374231", "1402244", 669.0f},
    {"群馬(H)", "361904", "1390625", 243.0f},
    {"播磨(H)", "345537", "1342633", 1033.0f},
    {"石川県警察(H)", "363838", "1363957", 10.0f},
    {"上士幌(H)", "431504", "1431753", 972.0f},
    {"神戸(H)", "343932", "1351226", 15.0f},
    {"神戸消防(H)", "344227", "1350708", 979.0f},
    {"小松島(H)", "340019", "1343737", 8.0f},
    {"京都府(H)", "345347", "1354522", 40.0f},
    {"京都消防(H)", "345507", "1354419", 65.0f},
    {"舞洲(H)", "344022", "1352409", 15.4f},
    {"舞鶴(H)", "352925", "1352238", 19.0f},
    {"増毛(H)", "435104", "1413033", 66.0f},
    {"みかも(H)", "361910", "1393719", 162.0f},
    {"長崎新聞(H)", "324552", "1295147", 115.0f},
    {"奈良県(H)", "343923", "1355305", 1487.9f},
    {"ニセコ(H)", "424958", "1404019", 801.0f},
    {"西日本(H)", "333519", "1302405", 223.0f},
    {"大阪航空日野(H)", "350326", "1361449", 619.0f},
    {"乙部(H)", "415812", "1400942", 41.0f},
    {"小名浜(H)", "365838", "1405650", 297.0f},
    {"佐伯(H)", "325757", "1315523", 10.0f},
    {"SBS沼津(H)", "350546", "1385129", 166.3f},
    {"SBS静岡(H)", "345737", "1382420", 141.0f},
    {"仙台市消防(H)", "381343", "1405903", 19.0f},
    {"芝浦(H)", "353812", "1394508", 137.0f},
    {"占冠(H)", "430321", "1423704", 546.0f},
    {"静岡(H)", "350128", "1382431", 34.0f},
    {"相馬原(H)", "362605", "1385711", 1306.0f},
    {"砂川(H)", "432859", "1415247", 70.5f},
    {"高崎(H)", "361929", "1385937", 292.0f},
    {"館山(H)", "345915", "1394955", 10.0f},
    {"栃木(H)", "363335", "1400022", 426.0f},
    {"東京朝日(H)", "353951", "1394559", 243.0f},
    {"東京(H)", "353810", "1395022", 16.0f},
    {"豊富(H)", "450602", "1414532", 39.4f},
    {"富山市民病院(H)", "364023", "1371245", 100.0f},
    {"つくば(H)", "360703", "1400752", 26.0f},
    {"津市伊勢湾(H)", "344022", "1363321", 20.7f},
    {"浦安(H)", "353726", "1395340", 17.0f},
    {"若狭(H)", "352925", "1354708", 30.0f},
    {"山梨県警察(H)", "353202", "1382751", 1227.0f},
    {"横浜(H)", "352032", "1393923", 13.0f},
    {"米沢(H)", "375447", "1400958", 858.0f},
    {"湯村温泉(H)", "353146", "1342933", 1039.0f},
}};

// Rounds to the nearest whole number, halves to the even neighbour.
int round_even(double v) { return static_cast<int>(std::nearbyint(v)); }

// Minutes since midnight of an HHMM text.
int minutes_of(const QString& hhmm) { return hhmm.left(2).toInt() * 60 + hhmm.mid(2, 2).toInt(); }

}  // namespace

const std::array<BuiltinField, 58>& builtin_fields() { return builtin_rows; }

QList<AirportRow> airport_rows(platform::Recordset& rs)
{
    QList<AirportRow> rows;
    for (rs.move_first(); !rs.eof(); rs.move_next())
        rows.append({rs.field(QStringLiteral("ICAOコード")).to_text(), rs.field(QStringLiteral("飛行場名")).to_text()});
    return rows;
}

QString without_blanks(const QString& name)
{
    QString out = name;
    out.remove(u' ');
    out.remove(u'\u3000');
    return out;
}

QList<AirfieldItem> airfield_items(const QList<AirportRow>& rows)
{
    struct Mark {
        const char* code;
        const char* suffix;
    };
    static const Mark marks[] = {{"RJCA", "(JSDF)"}, {"RJCJ", "(JSDF)"}, {"RJCO", "(丘珠)"},
                                 {"RJAH", "(茨城)"}, {"RJTT", "(東京)"}, {"RJOH", "(米子)"}};
    QList<AirfieldItem> list;
    for (const AirportRow& row : rows) {
        if (!row.code.startsWith(QStringLiteral("RJ")) && !row.code.startsWith(QStringLiteral("RO")))
            continue;
        AirfieldItem item{without_blanks(row.name), row.code, -1};
        for (const Mark& m : marks) {
            if (row.code == QLatin1String(m.code))
                item.text += QString::fromUtf8(m.suffix);
        }
        // The JSDF field at Asahikawa is placed by the first built-in row.
        if (row.code == QStringLiteral("RJCA"))
            item.builtin = 0;
        list.append(item);
    }
    // The first built-in row only corrects a catalogue item; it is not offered.
    const auto builtin = [](std::size_t i) {
        return AirfieldItem{QString::fromUtf8(builtin_rows[i].name), QString(), static_cast<int>(i)};
    };
    list.append({QStringLiteral("---"), QString(), -1});
    for (std::size_t i = 1; i < 10; ++i)
        list.append(builtin(i));
    list.append({QStringLiteral("---"), QString(), -1});
    for (std::size_t i = 10; i < builtin_rows.size(); ++i)
        list.append(builtin(i));
    return list;
}

FieldPosition field_position(const AirfieldItem& item)
{
    FieldPosition pos;
    pos.code = item.code;
    if (item.builtin >= 0 && item.builtin < static_cast<int>(builtin_rows.size())) {
        const BuiltinField& f = builtin_rows[static_cast<std::size_t>(item.builtin)];
        pos.latitude = QString::fromLatin1(f.latitude);
        pos.longitude = QString::fromLatin1(f.longitude);
        pos.elevation = f.elevation;
        if (item.builtin == 0)
            pos.code = QStringLiteral("RJCA");
        pos.found = true;
        return pos;
    }
    if (item.code.isEmpty())
        return pos;
    const QString record = QString::fromStdString(get_airport_position(item.code.toStdString()));
    // An airport of the catalogue without a known position.
    if (record.isEmpty())
        return pos;
    pos.latitude = record.left(6);
    pos.longitude = record.mid(6, 7);
    pos.elevation = record.mid(13).toFloat();
    pos.found = true;
    return pos;
}

bool sun_leap_year(int year) { return year % 4 == 0; }

int days_in_month(int year, int month)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && sun_leap_year(year) ? 29 : lengths[month - 1];
}

SunCells empty_sun_cells()
{
    SunCells cells;
    for (int r = 1; r <= 31; ++r)
        cells[r][0] = QString::number(r);
    return cells;
}

SunCells sun_year_cells(int year, const QString& latitude, const QString& longitude)
{
    SunCells cells = empty_sun_cells();
    const std::string lat = latitude.toStdString();
    const std::string lon = longitude.toStdString();
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= days_in_month(year, month); ++day) {
            cells[day][sunrise_column(month)] = QString::fromStdString(calc_sunrise(year, month, day, lat, lon));
            cells[day][sunset_column(month)] = QString::fromStdString(calc_sunset(year, month, day, lat, lon));
        }
    }
    return cells;
}

QString latitude_caption(const QString& latitude)
{
    return latitude.mid(0, 2) + u' ' + latitude.mid(2, 2) + u' ' + latitude.mid(4, 2) + QStringLiteral(" N");
}

QString longitude_caption(const QString& longitude)
{
    return longitude.mid(0, 3) + u' ' + longitude.mid(3, 2) + u' ' + longitude.mid(5, 2) + QStringLiteral(" E");
}

QString elevation_caption(float elevation) { return QString::fromStdString(elevation_text(elevation)); }

QString delta_h_caption(float elevation)
{
    const float dh = 15.0f - std::floor(elevation + 0.5f);
    const QString text = elevation_caption(dh);
    return dh <= 0.0f ? text : u'+' + text;
}

SunCurve sun_curve(const SunCells& cells, bool leap_year, bool sunset)
{
    const int base = sunset ? 900 : 180;
    const double step = static_cast<double>(graph_year_width) / (leap_year ? 366 : 365);
    SunCurve curve;
    for (int month = 1; month <= 12; ++month) {
        const int col = sunset ? sunset_column(month) : sunrise_column(month);
        for (int day = 1; day <= 31; ++day) {
            const QString& time = cells[day][col];
            if (time.isEmpty())
                continue;
            const int m = minutes_of(time) - base;
            GraphPoint p;
            p.x = round_even(graph_first_x + static_cast<double>(curve.points.size()) * step);
            p.y = graph_base_y - 20 * m;
            p.month = month;
            p.day = day;
            p.time = time;
            const int index = static_cast<int>(curve.points.size());
            // Later points win only when strictly later (earlier).
            if (curve.latest < 0 || minutes_of(curve.points[curve.latest].time) - base < m)
                curve.latest = index;
            if (curve.earliest < 0 || m < minutes_of(curve.points[curve.earliest].time) - base)
                curve.earliest = index;
            curve.points.push_back(p);
        }
    }
    return curve;
}

int today_line_x(int year, int month, int day)
{
    const int length = days_in_month(year, month);
    if (length == 0)
        return graph_first_x;
    return round_even(graph_first_x + (month - 1) * 1080.0 + day * 1080.0 / length);
}

QString point_date_tip(int month, int day)
{
    return u' ' + QString::number(month) + u'月' + QString::number(day) + QStringLiteral("日 ");
}

QString sun_print_title(const SunPrintHeader& h)
{
    QString title = h.year + QStringLiteral("年  空港別 常用日出没時刻    【");
    if (!h.code.isEmpty())
        title += h.code + QStringLiteral("  ");
    title += h.airfield + QStringLiteral("】     ") + h.latitude + QStringLiteral("   ") + h.longitude
        + QStringLiteral("    ELV=") + h.elevation + QStringLiteral("    EH=MSL+15    ⊿H=") + h.delta_h;
    return title;
}

QList<PrintItem> sun_print_items(const SunPrintHeader& h, const SunCells& cells)
{
    QList<PrintItem> items;
    items.append({200, 100, sun_print_title(h), 14, true});
    for (int c = 0; c < 36; ++c) {
        if (!cells[0][c].isEmpty())
            items.append({440 * c + 430, 850, cells[0][c], 9, false});
    }
    items.append({200, 1050, QString(179, u'-'), 9, false});
    for (int r = 1; r <= 31; ++r) {
        for (int c = 0; c < 36; ++c) {
            if (!cells[r][c].isEmpty())
                items.append({440 * c + 200, 330 * r + 920, cells[r][c], 9, false});
        }
    }
    return items;
}

}  // namespace kolde_sub
