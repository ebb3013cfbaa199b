#include "translate/report_forms.h"

#include "translate/group_forms.h"
#include "translate/group_text.h"

#include <algorithm>
#include <array>

namespace kolde_sub::jp {

namespace {

constexpr std::array<QStringView, 4> covers = {u"FEW", u"SCT", u"BKN", u"OVC"};
constexpr std::array<QStringView, 9> cloud_types = {u"CI", u"CC", u"CS", u"AC", u"AS", u"NS", u"SC", u"ST", u"CU"};

// How many digits g holds from position at on (at most max).
qsizetype digits_at(QStringView g, qsizetype at, qsizetype max = 1000)
{
    qsizetype n = 0;
    while (at + n < g.size() && n < max && is_ascii_digit(g[at + n]))
        ++n;
    return n;
}

bool digits_only(QStringView g, qsizetype count)
{
    return g.size() == count && digits_at(g, 0) == count;
}

bool slashes_only(QStringView g)
{
    return !g.isEmpty() && std::all_of(g.begin(), g.end(), [](QChar c) { return c == u'/'; });
}

bool starts_with_cover(QStringView g)
{
    return std::any_of(covers.begin(), covers.end(), [g](QStringView c) { return g.startsWith(c); });
}

bool capital(QChar c) { return c >= u'A' && c <= u'Z'; }

}  // namespace

QStringView leading_cloud_layer(QStringView g)
{
    if (!starts_with_cover(g))
        return {};
    qsizetype n = 3;
    if (digits_at(g, n, 3) == 3)
        n += 3;
    else if (g.sliced(n).startsWith(u"///"))
        n += 3;
    else
        return {};
    const QStringView rest = g.sliced(n);
    if (rest.startsWith(u"CB")) {
        n += 2;
    } else if (rest.startsWith(u"TCU")) {
        n += 3;
    } else if (!starts_with_cover(rest)) {
        const auto type = std::find_if(cloud_types.begin(), cloud_types.end(),
                                       [rest](QStringView t) { return rest.startsWith(t); });
        if (type != cloud_types.end())
            n += 2;
    }
    if (g.sliced(n).startsWith(u"///"))
        n += 3;
    // A digit after it makes the height another one (FEW0014).
    if (n < g.size() && is_ascii_digit(g[n]))
        return {};
    return g.first(n);
}

QStringView leading_wind(QStringView g)
{
    for (const QStringView unit : {QStringView(u"KT"), QStringView(u"MPS")}) {
        const qsizetype at = g.indexOf(unit);
        if (at < 0)
            continue;
        const qsizetype end = at + unit.size();
        const QStringView rest = g.sliced(end);
        if ((rest == u"CAVOK" || digits_only(rest, 4)) && wind_group(g.first(end)))
            return g.first(end);
    }
    return {};
}

bool wind_without_direction(QStringView g)
{
    if (!g.startsWith(u"///"))
        return false;
    const qsizetype speed = digits_at(g, 3, 3);
    if (speed < 2)
        return false;
    const QStringView unit = g.sliced(3 + speed);
    return unit == u"KT" || unit == u"MPS";
}

bool stray_time_group(QStringView g)
{
    return g.size() >= 4 && g.size() <= 7 && g.endsWith(u'Z') && digits_at(g, 0) == g.size() - 1;
}

bool station_code(QStringView g)
{
    return g.size() == 4 && std::all_of(g.begin(), g.end(), capital);
}

bool trend_time(QStringView g)
{
    if (!g.startsWith(u"TL") && !g.startsWith(u"FM") && !g.startsWith(u"AT"))
        return false;
    const QStringView time = g.sliced(2);
    return digits_only(time, 4) || (time.size() == 5 && digits_at(time, 0) == 4 && time.back() == u'Z');
}

bool remark_cloud_layer(QStringView g, QStringView& type, qsizetype& height_at)
{
    if (g.isEmpty() || g[0] < u'1' || g[0] > u'8')
        return false;
    static constexpr std::array<QStringView, 11> types = {u"TCU", u"CB", u"ST", u"SC", u"NS", u"CU",
                                                          u"AS",  u"CI", u"CC", u"CS", u"AC"};
    const QStringView rest = g.sliced(1);
    for (const QStringView t : types) {
        if (rest.startsWith(t) && digits_only(rest.sliced(t.size()), 3)) {
            type = t;
            height_at = 1 + t.size();
            return true;
        }
    }
    return false;
}

bool hourly_precipitation(QStringView g)
{
    return g.size() == 5 && g[0] == u'P' && (digits_only(g.sliced(1), 4) || g.sliced(1) == u"////");
}

bool period_precipitation(QStringView g)
{
    return g.size() == 5 && (g[0] == u'6' || g[0] == u'7') && (digits_only(g.sliced(1), 4) || g.sliced(1) == u"////");
}

bool extreme_temperature(QStringView g, QChar first)
{
    return g.size() == 5 && g[0] == first &&
           (((g[1] == u'0' || g[1] == u'1') && digits_only(g.sliced(2), 3)) || slashes_only(g.sliced(1)));
}

bool pressure_tendency(QStringView g)
{
    return g.size() == 5 && g[0] == u'5' && (digits_only(g.sliced(1), 4) || slashes_only(g.sliced(1)));
}

bool daily_extremes(QStringView g)
{
    return g.size() == 9 && g[0] == u'4' && (g[1] == u'0' || g[1] == u'1') && (g[5] == u'0' || g[5] == u'1') &&
           digits_only(g.sliced(2, 3), 3) && digits_only(g.sliced(6), 3);
}

bool sea_level_pressure(QStringView g)
{
    return g.size() == 6 && g.startsWith(u"SLP") && digits_only(g.sliced(3), 3);
}

QStringView wind_shear_runway(QStringView g)
{
    const QStringView runway = g.startsWith(u"RWY") ? g.sliced(3) : g.startsWith(u'R') ? g.sliced(1) : QStringView();
    const bool side = runway.size() == 3 && (runway[2] == u'L' || runway[2] == u'R' || runway[2] == u'C');
    if ((runway.size() == 2 || side) && digits_at(runway, 0) == 2)
        return runway;
    return {};
}

QList<WeatherEvent> weather_events(QStringView g)
{
    QList<WeatherEvent> events;
    QStringView phenomenon;
    qsizetype at = 0;
    while (at < g.size()) {
        // Letters up to a "B" or "E" with digits after it name a new
        // phenomenon, two letters a code.
        qsizetype letters = 0;
        while (at + letters < g.size() && capital(g[at + letters]) &&
               !((g[at + letters] == u'B' || g[at + letters] == u'E') && digits_at(g, at + letters + 1) > 0))
            ++letters;
        if (letters > 0) {
            if (letters % 2 != 0)
                return {};
            phenomenon = g.sliced(at, letters);
            at += letters;
        }
        if (phenomenon.isEmpty() || at >= g.size() || (g[at] != u'B' && g[at] != u'E'))
            return {};
        const qsizetype n = digits_at(g, at + 1);
        if (n != 2 && n != 4)
            return {};
        WeatherEvent e;
        e.phenomenon = phenomenon;
        e.began = g[at] == u'B';
        e.hour = n == 4 ? g.sliced(at + 1, 2) : QStringView();
        e.minute = g.sliced(at + 1 + n - 2, 2);
        const int hour = e.hour.isEmpty() ? 0 : e.hour.toInt();
        if (hour > 24 || e.minute.toInt() > 59)
            return {};
        events << e;
        at += 1 + n;
    }
    return events;
}

RemarkVisibility remark_visibility(QStringView g)
{
    if (digits_only(g, 4) || (g.size() == 5 && digits_at(g, 0) == 4 && g.back() == u'M'))
        return RemarkVisibility::metres;
    if (g.endsWith(u"KM") && (digits_only(g.chopped(2), 1) || digits_only(g.chopped(2), 2)))
        return RemarkVisibility::kilometres;
    const QStringView miles = g.endsWith(u"SM") ? g.chopped(2) : g;
    if (digits_only(miles, 1) || digits_only(miles, 2))
        return RemarkVisibility::miles;
    const qsizetype slash = miles.indexOf(u'/');
    if (slash > 0 && digits_at(miles, 0) == slash && digits_at(miles, slash + 1) == miles.size() - slash - 1 &&
        slash + 1 < miles.size() && miles.size() <= 5)
        return RemarkVisibility::miles;
    return RemarkVisibility::none;
}

}  // namespace kolde_sub::jp
