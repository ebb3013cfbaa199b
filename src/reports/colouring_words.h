// The words the colouring gives a colour of their own, and how a word that
// has been typed or shown is told from them.
#pragma once

#include <QString>
#include <QStringView>

namespace kolde_sub::colouring_detail {

// The weather words, in the order they are coloured.
inline constexpr const char16_t* weather_words[] = {
    u"VC", u"MI", u"BC", u"PR", u"DR", u"BL", u"SH", u"TS", u"FZ", u"DZ", u"RA", u"SN", u"SG",
    u"IC", u"PL", u"GR", u"GS", u"BR", u"FG", u"FU", u"VA", u"DU", u"SA", u"HZ", u"PO", u"SQ",
    u"FC", u"SS", u"DS", u"RE", u"CAVOK", u"NOSIG", u"SKC", u"NSC", u"NSW", u"WS", u"RI++", u"-", u"+",
};

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
