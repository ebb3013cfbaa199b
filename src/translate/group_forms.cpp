#include "translate/group_forms.h"

#include "reports/weather_codes.h"
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
    return sm.digits(1, 2) && (!sm.take(u"/") || sm.digits(1, 2)) && sm.take(u"SM") && sm.done();
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
    return c.done() || all_of(c.rest, u'/') || (degrees(c) && c.done());
}

bool has_dew_point(QStringView g)
{
    const qsizetype slash = g.indexOf(u'/');
    return slash >= 0 && slash + 1 < g.size() && g[slash + 1] != u'/';
}

bool pressure_group(QStringView g)
{
    Cursor c{g};
    return c.take_one_of(u"QA") && (c.digits(4, 4) || c.take(u"////")) && c.done();
}

bool observation_ends(QStringView g)
{
    return g == u"BECMG" || g == u"TEMPO" || g == u"NOSIG" || g == u"RMK";
}

}  // namespace kolde_sub::jp
