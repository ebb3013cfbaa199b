// The words the colouring gives a colour of their own, and how a word that
// has been typed or shown is told from them.
#pragma once

#include "reports/weather_codes.h"

#include <QString>
#include <QStringView>

#include <array>

namespace kolde_sub::colouring_detail {

// The weather words, in the order they are coloured: VC, the present-weather
// codes of the reports, then the other words of the weather.
inline constexpr std::array<QStringView, 10> other_weather_words{u"RE",  u"CAVOK", u"NOSIG", u"SKC", u"NSC",
                                                                 u"NSW", u"WS",    u"RI++",  u"-",   u"+"};
inline constexpr auto weather_words = [] {
    std::array<QStringView, 1 + weather_descriptors.size() + weather_phenomena.size() + other_weather_words.size()>
        words{};
    auto at = words.begin();
    *at++ = u"VC";
    for (QStringView w : weather_descriptors)
        *at++ = w;
    for (QStringView w : weather_phenomena)
        *at++ = w;
    for (QStringView w : other_weather_words)
        *at++ = w;
    return words;
}();

inline constexpr const char16_t* special_words[] = {u"SPECI", u"AMD", u"COR", u"TRD"};

inline constexpr const char16_t* emphasis_words[] = {u"CB", u"TCU"};

// Whether a word reads as what the colouring colours: one of the words
// above (CB, FG, SPECI) or a weather group made of them (TSRA, -SHRA,
// VCFG, RESN, FZFG). Station codes spelt with the same letters but not
// as a weather group (WSSS, CBBC, SARE, VAPO) do not.
bool reads_as_colour_word(QStringView word);

// Whether the length characters at at stand as a word of their own: at the
// text's start or after a blank or line break, and at its end or before one.
bool is_whole_word(const QString& text, qsizetype at, qsizetype length);

}  // namespace kolde_sub::colouring_detail
