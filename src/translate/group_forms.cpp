#include "translate/group_forms.h"

#include "reports/weather_codes.h"
#include "translate/report_forms.h"
#include "translate/group_text.h"

#include <algorithm>
#include <array>

namespace kolde_sub::jp {

namespace {

// Reads a group from the front: each step takes what it names when it is
// there and tells whether it took it.
struct Cursor {
    QStringView rest;

    bool take(QStringView s)
    {
        if (!rest.startsWith(s))
            return false;
        rest = rest.sliced(s.size());
        return true;
    }
    bool take_one_of(QStringView letters)
    {
        if (rest.isEmpty() || !letters.contains(rest.front()))
            return false;
        rest = rest.sliced(1);
        return true;
    }
    // Between min and max digits.
    bool digits(qsizetype min, qsizetype max)
    {
        qsizetype n = 0;
        while (n < rest.size() && n < max && is_ascii_digit(rest[n]))
            ++n;
        if (n < min)
            return false;
        rest = rest.sliced(n);
        return true;
    }
    bool done() const { return rest.isEmpty(); }
};

bool all_of(QStringView g, char16_t c)
{
    return !g.isEmpty() && std::all_of(g.begin(), g.end(), [c](QChar x) { return x == c; });
}

// "M" or nothing, then two digits.
bool degrees(Cursor& c)
{
    c.take(u"M");
    return c.digits(2, 2);
}

// An RVR value: "P" or "M" or nothing, then four digits.
bool rvr_value(Cursor& c)
{
    c.take_one_of(u"PM");
    return c.digits(4, 4);
}

}  // namespace

bool report_word(QStringView g)
{
    if (g == u"COR" || g == u"RTD" || g == u"METAR" || g == u"SPECI")
        return true;
    return g.size() == 3 && g.startsWith(u"CC") && g[2] >= u'A' && g[2] <= u'Z';
}

bool wind_group(QStringView g)
{
    Cursor c{g};
    if (!c.digits(3, 3) && !c.take(u"VRB"))
        return false;
    c.take(u"P");
    if (!c.digits(2, 3))
        return false;
    if (c.take(u"G")) {
        c.take(u"P");
        if (!c.digits(2, 3))
            return false;
    }
    return (c.take(u"KTS") || c.take(u"KT") || c.take(u"MPS")) && c.done();
}

bool missing_wind(QStringView g)
{
    qsizetype slashes = 0;
    while (slashes < g.size() && g[slashes] == u'/')
        ++slashes;
    const QStringView unit = g.sliced(slashes);
    return (slashes == 5 && unit.isEmpty()) || (slashes >= 3 && (unit == u"KT" || unit == u"MPS"));
}

bool wind_direction_range(QStringView g)
{
    Cursor c{g};
    return c.digits(3, 3) && c.take(u"V") && c.digits(3, 3) && c.done();
}

bool prevailing_visibility(QStringView g)
{
    Cursor metres{g};
    if (metres.digits(4, 4) && (metres.done() || (metres.take(u"NDV") && metres.done())))
        return true;
    Cursor km{g};
    if (km.digits(1, 2) && km.take(u"KM") && km.done())
        return true;
    Cursor sm{g};
    sm.take_one_of(u"PM");
    return sm.digits(1, 3) && (!sm.take(u"/") || sm.digits(1, 2)) && sm.take(u"SM") && sm.done();
}

bool whole_miles(QStringView g)
{
    Cursor c{g};
    return c.digits(1, 2) && c.done();
}

bool mile_fraction(QStringView g)
{
    Cursor c{g};
    return c.digits(1, 2) && c.take(u"/") && c.digits(1, 2) && c.take(u"SM") && c.done();
}

bool directional_visibility(QStringView g)
{
    Cursor c{g};
    if (!c.digits(4, 4))
        return false;
    static constexpr std::array<QStringView, 8> points = {u"N", u"NE", u"E", u"SE", u"S", u"SW", u"W", u"NW"};
    return std::find(points.begin(), points.end(), c.rest) != points.end();
}

bool runway_visual_range(QStringView g)
{
    Cursor c{g};
    if (!c.take(u"R") || !c.digits(2, 2))
        return false;
    c.take_one_of(u"LRC");
    if (!c.take(u"/"))
        return false;
    if (all_of(c.rest, u'/'))
        return true;
    if (c.take(u"////")) {
        // Not reported, with a tendency or feet: R12/////N.
    } else if (!rvr_value(c) || (c.take(u"V") && !rvr_value(c))) {
        return false;
    }
    c.take(u"FT");
    c.take(u"/");
    c.take_one_of(u"UDN");
    return c.done();
}

bool cloud_group(QStringView g)
{
    Cursor c{g};
    if (!c.take(u"FEW") && !c.take(u"SCT") && !c.take(u"BKN") && !c.take(u"OVC"))
        return false;
    if (!c.digits(3, 3) && !c.take(u"///"))
        return false;
    const bool convective = c.take(u"CB") || c.take(u"TCU");
    c.take(u"///");
    static constexpr std::array<QStringView, 9> types = {u"CI", u"CC", u"CS", u"AC", u"AS",
                                                         u"NS", u"SC", u"ST", u"CU"};
    return c.done() || (!convective && std::find(types.begin(), types.end(), c.rest) != types.end());
}

bool cloud_base_missing(QStringView g) { return cloud_group(g) && g.sliced(3, 3) == u"///"; }

bool vertical_visibility(QStringView g)
{
    Cursor c{g};
    return c.take(u"VV") && (c.digits(3, 3) || c.take(u"///")) && c.done();
}

bool weather_codes(QStringView g)
{
    if (g.startsWith(u'-') || g.startsWith(u'+'))
        g = g.sliced(1);
    if (g.isEmpty() || g.size() % 2 != 0)
        return false;
    for (qsizetype i = 0; i < g.size(); i += 2)
        if (!is_weather_code(g.sliced(i, 2)))
            return false;
    return true;
}

bool temperature_group(QStringView g)
{
    Cursor c{g};
    if (!degrees(c) || !c.take(u"/"))
        return false;
    if (c.done() || all_of(c.rest, u'/'))
        return true;
    Cursor dew = c;
    if (degrees(dew) && dew.done())
        return true;
    // A dew point that cannot be read: a few characters, not digits alone
    // (27/1400 is a runway's), no "/" and no fraction of a mile (15/16SM).
    return c.rest.size() <= 4 && !std::all_of(c.rest.begin(), c.rest.end(), is_ascii_digit) &&
           !c.rest.contains(u'/') && !c.rest.endsWith(u"SM");
}

bool has_dew_point(QStringView g)
{
    Cursor c{g};
    return degrees(c) && c.take(u"/") && degrees(c) && c.done();
}

bool pressure_group(QStringView g)
{
    Cursor c{g};
    return c.take_one_of(u"QA") && (c.digits(4, 4) || c.take(u"////")) && c.done();
}

bool pressure_reported(QStringView g)
{
    Cursor c{g};
    return c.take_one_of(u"QA") && c.digits(4, 4) && c.done();
}

bool observation_ends(QStringView g)
{
    return g == u"BECMG" || g == u"TEMPO" || g == u"NOSIG" || g == u"RMK";
}

namespace {

// Two digits from the front of c, read as a number from min to max.
bool two_digits_within(Cursor& c, int min, int max)
{
    const QStringView before = c.rest;
    if (!c.digits(2, 2))
        return false;
    const int v = (before[0].unicode() - u'0') * 10 + (before[1].unicode() - u'0');
    return v >= min && v <= max;
}

// The day (01 to 31) and hour (00 to 24) of a forecast period.
bool day_hour(Cursor& c, int& day, int& hour)
{
    const QStringView before = c.rest;
    if (!two_digits_within(c, 1, 31) || !two_digits_within(c, 0, 24))
        return false;
    day = (before[0].unicode() - u'0') * 10 + (before[1].unicode() - u'0');
    hour = (before[2].unicode() - u'0') * 10 + (before[3].unicode() - u'0');
    return true;
}

}  // namespace

bool day_time_group(QStringView g)
{
    Cursor c{g};
    return two_digits_within(c, 1, 31) && two_digits_within(c, 0, 23) && two_digits_within(c, 0, 59) &&
           c.take(u"Z") && c.done();
}

bool national_cloud_layer(QStringView g)
{
    QStringView type;
    qsizetype height_at = 0;
    return remark_cloud_layer(g, type, height_at) && type != u"CB" && type != u"TCU";
}

bool remark_temperatures(QStringView g)
{
    Cursor c{g};
    return c.take(u"T") && c.take_one_of(u"01") && c.digits(3, 3) && c.take_one_of(u"01") && c.digits(3, 3) &&
           c.done();
}

bool forecast_period(QStringView g)
{
    Cursor c{g};
    int from_day = 0, from_hour = 0, to_day = 0, to_hour = 0;
    if (!day_hour(c, from_day, from_hour) || !c.take(u"/") || !day_hour(c, to_day, to_hour) || !c.done())
        return false;
    // A month ends after day 28 at the earliest.
    int days = to_day - from_day;
    if (days < 0)
        days = to_day + std::max(from_day, 28) - from_day;
    const int hours = days * 24 + to_hour - from_hour;
    return hours >= 1 && hours <= 30;
}

}  // namespace kolde_sub::jp
