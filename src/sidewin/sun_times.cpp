#include "sidewin/sun_times.h"

#include "core/sun_coef.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace kolde_sub {

namespace {

struct AirportPosition {
    const char* code;
    const char* latitude;   // DDMMSS
    const char* longitude;  // DDDMMSS
    float elevation;
};

// Eastern and northern Japan first, then western Japan and the south-western
// islands.
constexpr AirportPosition airport_positions[] = {
    {"RJEC", "434015", "1422651", 690.0f},
    {"RJCA", "434740", "1422154", 377.0f},
    {"RJCJ", "424740", "1413959", 89.0f},
    {"RJCH", "414612", "1404919", 111.9f},
    {"RJCK", "430227", "1441135", 311.0f},
    {"RJCM", "435250", "1440951", 109.0f},
    {"RJEB", "441815", "1432415", 58.4f},
    {"RJCN", "433439", "1445736", 214.0f},
    {"RJCB", "424400", "1431302", 490.0f},
    {"RJEO", "420423", "1392545", 171.0f},
    {"RJCR", "452718", "1410221", 89.0f},
    {"RJER", "451431", "1411115", 99.0f},
    {"RJCO", "430703", "1412253", 26.0f},
    {"RJCC", "424631", "1414133", 69.8f},
    {"RJCT", "425325", "1430930", 281.0f},
    {"RJCW", "452415", "1414803", 26.0f},
    {"RJSK", "393656", "1401307", 305.0f},
    {"RJSA", "404400", "1404119", 650.0f},
    {"RJSF", "371339", "1402541", 1220.0f},
    {"RJSH", "403307", "1412802", 152.0f},
    {"RJSI", "392543", "1410807", 294.0f},
    {"RJSU", "381408", "1405523", 23.0f},
    {"RJST", "382411", "1411243", 7.0f},
    {"RJSM", "404219", "1412219", 119.0f},
    {"RJSR", "401131", "1402218", 276.0f},
    {"RJSO", "411358", "1410756", 24.0f},
    {"RJSS", "380823", "1405501", 5.6f},
    {"RJSY", "384844", "1394714", 72.0f},
    {"RJSC", "382443", "1402216", 345.0f},
    {"RJTA", "352717", "1392700", 205.0f},
    {"RJTF", "354018", "1393140", 139.0f},
    {"RJAH", "361054", "1402453", 105.0f},
    {"RJTJ", "355031", "1392438", 295.0f},
    {"RJAK", "360205", "1401134", 85.0f},
    {"RJTK", "352354", "1395435", 10.0f},
    {"RJAF", "361000", "1375522", 2157.0f},
    {"RJAA", "354553", "1402311", 134.5f},
    {"RJSN", "375721", "1390642", 4.6f},
    {"RJSD", "380340", "1382451", 75.0f},
    {"RJTL", "354756", "1400044", 98.0f},
    {"RJTC", "354239", "1392411", 313.0f},
    {"RJTE", "345915", "1394955", 10.0f},
    {"RJTT", "353312", "1394652", 21.0f},
    {"RJTU", "363052", "1395215", 334.0f},
    {"RJTY", "354512", "1392048", 461.0f},
    {"RJTR", "353112", "1392348", 359.0f},
    {"RJTH", "330654", "1394709", 301.0f},
    {"RJAW", "244703", "1411921", 370.0f},
    {"RJAZ", "341122", "1390801", 454.0f},
    {"RJAM", "241812", "1535758", 22.0f},
    {"RJTQ", "340425", "1393337", 65.0f},
    {"RJAN", "342210", "1391607", 94.0f},
    {"RJTO", "344655", "1392137", 124.0f},
    {"RJOE", "343200", "1364020", 20.0f},
    {"RJGG", "345130", "1364819", 12.0f},
    {"RJNF", "360834", "1361326", 18.0f},
    {"RJNG", "352340", "1365210", 128.0f},
    {"RJNH", "344501", "1374211", 150.0f},
    {"RJNK", "362337", "1362428", 18.0f},
    {"RJNA", "351518", "1365528", 46.0f},
    {"RJNW", "371736", "1365744", 718.0f},
    {"RJNS", "344746", "1381122", 433.0f},
    {"RJNY", "344846", "1381753", 23.0f},
    {"RJNT", "363854", "1371115", 77.0f},
    {"RJBB", "342538", "1351439", 14.8f},
    {"RJBE", "343758", "1351326", 22.0f},
    {"RJBD", "333944", "1352152", 293.0f},
    {"RJOO", "344704", "1352621", 39.0f},
    {"RJBT", "353046", "1344713", 578.0f},
    {"RJOY", "343548", "1353602", 33.0f},
    {"RJOA", "342610", "1325510", 1086.0f},
    {"RJBH", "342201", "1322450", 9.0f},
    {"RJOF", "340204", "1313247", 7.0f},
    {"RJOI", "340838", "1321409", 8.0f},
    {"RJOW", "344035", "1314725", 177.0f},
    {"RJOC", "352449", "1325324", 6.0f},
    {"RJBK", "343529", "1335600", 0.0f},
    {"RJOH", "352932", "1331411", 11.0f},
    {"RJOB", "344525", "1335119", 785.0f},
    {"RJNO", "361052", "1331929", 303.0f},
    {"RJOZ", "340249", "1310308", 13.0f},
    {"RJOR", "353148", "1340954", 48.0f},
    {"RJDC", "335548", "1311643", 15.0f},
    {"RJOK", "333246", "1334010", 29.0f},
    {"RJOM", "334938", "1324159", 13.0f},
    {"RJOT", "341251", "1340056", 607.0f},
    {"RJOS", "340758", "1343621", 26.0f},
    {"RJDA", "322856", "1300932", 340.0f},
    {"RJFA", "335253", "1303906", 98.0f},
    {"RJFE", "323959", "1284958", 251.0f},
    {"RJFF", "333504", "1302706", 30.0f},
    {"RJDB", "334457", "1294709", 41.0f},
    {"RJFK", "314812", "1304310", 892.0f},
    {"RJDK", "330049", "1291133", 263.0f},
    {"RJFY", "312205", "1305017", 214.0f},
    {"RJFR", "335044", "1310206", 21.0f},
    {"RJFT", "325014", "1305119", 632.0f},
    {"RJDM", "331931", "1302449", 53.0f},
    {"RJFM", "315238", "1312655", 19.0f},
    {"RJFU", "325501", "1295449", 8.0f},
    {"RJFN", "320501", "1312705", 259.0f},
    {"RJFO", "332846", "1314414", 17.0f},
    {"RJDO", "331127", "1290525", 25.0f},
    {"RJFS", "330859", "1301808", 6.0f},
    {"RJFZ", "334106", "1310225", 55.0f},
    {"RJDT", "341706", "1291950", 207.0f},
    {"RORA", "263534", "1271425", 38.0f},
    {"RJKA", "282551", "1294245", 14.0f},
    {"ROTM", "261615", "1274453", 246.0f},
    {"RORH", "240330", "1234814", 43.0f},
    {"RORE", "264321", "1274713", 238.0f},
    {"ROIG", "242041", "1241113", 86.0f},
    {"RODN", "262120", "1274603", 146.0f},
    {"RORK", "255641", "1311937", 70.9f},
    {"ROKJ", "262149", "1264250", 22.7f},
    {"ROKR", "261006", "1271736", 156.0f},
    {"RJKI", "281917", "1295541", 15.26f},
    {"ROMD", "255048", "1311549", 158.5f},
    {"ROMY", "244658", "1251742", 140.0f},
    {"ROAH", "261145", "1273845", 11.0f},
    {"RJKB", "272554", "1284220", 88.0f},
    {"RORS", "244936", "1250841", 25.0f},
    {"RJFG", "303248", "1305710", 303.0f},
    {"RORT", "243914", "1244031", 33.8f},
    {"RJKN", "275011", "1285253", 8.0f},
    {"RJFC", "302308", "1303933", 122.0f},
    {"ROYN", "242801", "1225840", 53.0f},
    {"RORY", "270238", "1282406", 47.0f},
};

// Degrees to radians with pi taken as 3.14159, as the times have always been
// computed.
constexpr double rad = 3.14159 / 180.0;

// The sine of 54.2 arc minutes: the sun's centre stands that far below the
// horizon at sunrise and sunset (refraction and the sun's radius).
constexpr double horizon_depression = 0.01576549;

double sin_deg(double a) { return std::sin(a * rad); }
double cos_deg(double a) { return std::cos(a * rad); }
double tan_deg(double a) { return std::tan(a * rad); }

// Reduces an angle to 0 <= a < 360.
double reduce_360(double a) { return a - std::floor(a / 360.0) * 360.0; }

// Value of `width` decimal digits starting at `pos`; nullopt when any of
// them is not a digit.
std::optional<int> digits(std::string_view text, std::size_t pos, std::size_t width)
{
    int value = 0;
    for (std::size_t i = pos; i < pos + width; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Degrees of a DDMMSS (deg_width 2) or DDDMMSS (deg_width 3) text, as a
// single-precision number.
std::optional<float> position_degrees(std::string_view text, std::size_t deg_width)
{
    if (text.size() < deg_width + 4)
        return std::nullopt;
    const auto d = digits(text, 0, deg_width);
    const auto m = digits(text, deg_width, 2);
    const auto s = digits(text, deg_width + 2, 2);
    if (!d || !m || !s)
        return std::nullopt;
    return static_cast<float>(*d + *m / 60.0 + *s / 3600.0);
}

// Days since 31 December 1974 (1 January 1975 is day 1); right for the years
// 1901 to 2099.
double day_number(int year, int month, int day)
{
    const double q = (year - 1900) / 4.0;
    const double f = q - std::floor(q);
    const double a = std::floor((month + 7) / 10.0);
    return std::floor(1461.0 * q) + 31.0 * month + day + std::floor(1.0 - f) * (a - 1.0)
        - std::floor((month + 4.4) * 0.44) * a - 27424.0;
}

// Hours and minutes of a Japan Standard Time; empty when the time does not lie
// within the day.
std::string hhmm(double tau)
{
    if (tau < 0.0)
        tau += 24.0;
    if (!(tau >= 0.0 && tau < 24.0))
        return {};
    int hh = static_cast<int>(std::floor(tau));
    int mm = static_cast<int>(std::floor((tau - hh) * 60.0 + 0.5));
    while (mm >= 60) {
        mm -= 60;
        ++hh;
    }
    std::string out;
    out += static_cast<char>('0' + hh / 10);
    out += static_cast<char>('0' + hh % 10);
    out += static_cast<char>('0' + mm / 10);
    out += static_cast<char>('0' + mm % 10);
    return out;
}

// Time of the sunrise, or of the sunset when `sunset` is set, in JST as HHMM.
// The sun's position is evaluated once, at 6 h (18 h) local mean time.
std::string event_time(int year, int month, int day, const std::string& latitude,
                       const std::string& longitude, bool sunset)
{
    const auto lat = position_degrees(latitude, 2);
    const auto lon = position_degrees(longitude, 3);
    // A latitude beyond the pole is no position.
    if (!lat || !lon || *lat > 90.0f)
        return {};
    const double phi = *lat;
    const double lambda = *lon;
    const double cos_phi = cos_deg(phi);

    const double d = day_number(year, month, day);
    // First guess of the event, hours of Universal Time from 0 h of the date.
    const double t = (sunset ? 18.0 : 6.0) - lambda / 15.0;

    // Julian years since day 0 of 1975, and the same corrected for the
    // difference between dynamical and universal time.
    const double T = d / 365.25 + t / 8766.0;
    const double Tc = T + (0.8 * year - 1534.2) * 3.169e-10 * 100.0;

    const double eps = 23.44253 - 0.00013 * Tc + 0.00256 * cos_deg(249.0 - 19.3 * Tc)
        - 0.00015 * cos_deg(198.0 + 720.0 * Tc);

    const double theta = reduce_360(360.00769 * T + 99.0359 + 360.0 * (t / 24.0)
                                    + 0.0044 * sin_deg(68.64 - 19.34 * T)
                                    + 0.0003 * sin_deg(18.0 + 720.0 * T));

    double L = reduce_360(360.00769 * Tc) + 279.0358
        + (1.9159 - 0.00005 * Tc) * sin_deg(356.531 + 359.991 * Tc);
    for (int k = 1; k <= 18; ++k)
        L += sun_coef[3 * k - 2] * sin_deg(sun_coef[3 * k - 1] + sun_coef[3 * k] * Tc);
    L = reduce_360(L);

    const double alpha = sun_detail::right_ascension(L, eps);
    const double s = sin_deg(eps) * sin_deg(L);
    const double delta = std::atan(s / std::sqrt(1.0 - s * s)) / rad;

    double G = theta - alpha;
    while (G < 0.0)
        G += 360.0;
    double E = G / 15.0 - t - 12.0;
    if (E <= -23.0)
        E += 24.0;

    const double x = -(horizon_depression / (cos_phi * cos_deg(delta)) + tan_deg(delta) * tan_deg(phi));
    // Polar day or night (or a position that makes no sense): no event.
    if (!(std::fabs(x) < 1.0))
        return {};
    const double H = (1.5708 - std::atan(x / std::sqrt(1.0 - x * x))) / rad;

    const double tau = 12.0 + (sunset ? H : -H) / 15.0 - E - lambda / 15.0 + 9.0;
    return hhmm(tau);
}

}  // namespace

namespace sun_detail {

double right_ascension(double L, double eps)
{
    double alpha = std::atan(tan_deg(L) * cos_deg(eps)) / rad;
    if (L >= 90.0 && L < 270.0)
        alpha += 180.0;
    else if (L >= 270.0)
        alpha += 360.0;
    // With pi taken short, the tangent changes sign a little after 90 and 270
    // degrees instead of at them, and the step above puts alpha half a turn
    // off there; bring it back beside L.
    if (alpha - L > 90.0)
        alpha -= 180.0;
    else if (L - alpha > 90.0)
        alpha += 180.0;
    return alpha;
}

}  // namespace sun_detail

std::string get_airport_position(const std::string& code)
{
    for (const auto& a : airport_positions) {
        if (code != a.code)
            continue;
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, a.elevation);
        return std::string(a.latitude) + a.longitude + std::string(buf, r.ptr);
    }
    return {};
}

std::string elevation_text(float value)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string calc_sunrise(int year, int month, int day, const std::string& latitude,
                         const std::string& longitude)
{
    return event_time(year, month, day, latitude, longitude, false);
}

std::string calc_sunset(int year, int month, int day, const std::string& latitude,
                        const std::string& longitude)
{
    return event_time(year, month, day, latitude, longitude, true);
}

}  // namespace kolde_sub
