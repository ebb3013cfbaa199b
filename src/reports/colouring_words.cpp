// Telling the colouring's own words from station codes and group ids.
#include "colouring_words.h"

#include "reports/weather_codes.h"

#include <algorithm>
#include <array>
#include <span>

namespace kolde_sub::colouring_detail {

namespace {

// The kinds of precipitation that one group may join (RASN, SHRAGS).
constexpr std::array<QStringView, 7> precipitation{u"DZ", u"RA", u"SN", u"SG", u"PL", u"GR", u"GS"};

// What the other descriptors may describe.
constexpr std::array<QStringView, 10> described{u"MIFG", u"BCFG", u"PRFG", u"FZFG", u"BLSN",
                                                u"BLSA", u"BLDU", u"DRSN", u"DRSA", u"DRDU"};

bool listed(std::span<const QStringView> list, QStringView word)
{
    return std::find(list.begin(), list.end(), word) != list.end();
}

bool listed(std::span<const char16_t* const> list, QStringView word)
{
    return std::any_of(list.begin(), list.end(), [&](const char16_t* w) { return word == QStringView(w); });
}

// One or more kinds of precipitation, none twice.
bool precipitation_run(QStringView word)
{
    if (word.isEmpty() || word.size() % 2 != 0)
        return false;
    for (qsizetype i = 0; i < word.size(); i += 2) {
        const QStringView kind = word.mid(i, 2);
        if (!listed(precipitation, kind))
            return false;
        for (qsizetype j = 0; j < i; j += 2) {
            if (word.mid(j, 2) == kind)
                return false;
        }
    }
    return true;
}

}  // namespace

bool reads_as_colour_word(QStringView word)
{
    if (listed(std::span<const QStringView>(weather_words), word) || listed(special_words, word) || listed(emphasis_words, word))
        return true;
    // A weather group: an intensity, nearby or recent, then its phenomena.
    QStringView w = word;
    if (w.startsWith(u'+') || w.startsWith(u'-'))
        w = w.mid(1);
    if (w.startsWith(u"VC") || w.startsWith(u"RE"))
        w = w.mid(2);
    if (listed(weather_descriptors, w) || listed(weather_phenomena, w) || listed(described, w))
        return true;
    const QStringView head = w.left(2);
    if ((head == u"TS" || head == u"SH" || head == u"FZ") && precipitation_run(w.mid(2)))
        return true;
    return precipitation_run(w);
}

bool is_whole_word(const QString& text, qsizetype at, qsizetype length)
{
    const qsizetype end = at + length;
    if (at < 0 || length <= 0 || end > text.size())
        return false;
    return (at == 0 || text[at - 1].isSpace()) && (end == text.size() || text[end].isSpace());
}

}  // namespace kolde_sub::colouring_detail
