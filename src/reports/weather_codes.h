// The two-letter present-weather codes of a report: what the translation
// reads a weather group by, and what the colouring tells its words by.
#pragma once

#include <QStringView>

#include <algorithm>
#include <array>

namespace kolde_sub {

inline constexpr std::array<QStringView, 8> weather_descriptors{u"MI", u"BC", u"PR", u"DR",
                                                                u"BL", u"SH", u"TS", u"FZ"};

inline constexpr std::array<QStringView, 21> weather_phenomena{
    u"DZ", u"RA", u"SN", u"SG", u"IC", u"PL", u"GR", u"GS", u"UP", u"BR", u"FG",
    u"FU", u"VA", u"DU", u"SA", u"HZ", u"PO", u"SQ", u"FC", u"SS", u"DS"};

// A descriptor, a phenomenon, or VC (in the vicinity).
inline bool is_weather_code(QStringView code)
{
    return code == u"VC" ||
           std::find(weather_descriptors.begin(), weather_descriptors.end(), code) != weather_descriptors.end() ||
           std::find(weather_phenomena.begin(), weather_phenomena.end(), code) != weather_phenomena.end();
}

}  // namespace kolde_sub
