// Cutting report groups by 1-based character positions and reading their
// numbers, the way the Japanese translation counts. A cut that begins before
// the first character or has a negative length cannot be made and ends the
// translation (Untranslatable); a cut that runs past the end stops short.
#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>

namespace kolde_sub::jp {

// Thrown inside the translation when a group cannot be read; the
// translation then gives its fixed failure text.
struct Untranslatable {};

// count characters from position pos (1-based); a cut before the first
// character or of a negative length throws Untranslatable.
inline QStringView mid_or_throw(QStringView s, qsizetype pos, qsizetype count)
{
    if (pos < 1 || count < 0)
        throw Untranslatable{};
    if (pos > s.size())
        return {};
    return s.sliced(pos - 1, std::min(count, s.size() - pos + 1));
}

// Everything from position pos (1-based); a cut before the first character
// throws Untranslatable.
inline QStringView mid_or_throw(QStringView s, qsizetype pos)
{
    if (pos < 1)
        throw Untranslatable{};
    if (pos > s.size())
        return {};
    return s.sliced(pos - 1);
}

inline QStringView left(QStringView s, qsizetype count)
{
    if (count < 0)
        throw Untranslatable{};
    return s.first(std::min(count, s.size()));
}

inline QStringView right(QStringView s, qsizetype count)
{
    if (count < 0)
        throw Untranslatable{};
    return s.last(std::min(count, s.size()));
}

// 1-based position of the first needle, 0 when there is none.
inline qsizetype position_of(QStringView s, QStringView needle) { return s.indexOf(needle) + 1; }
inline qsizetype position_of(QStringView s, char16_t c) { return s.indexOf(QChar(c)) + 1; }

inline bool is_ascii_digit(QChar c) { return c >= u'0' && c <= u'9'; }

// The leading number of a text: blanks skipped, an optional sign, digits
// and an optional decimal point with more digits; 0 when the text does not
// begin with a number. A number too large to hold ends the translation.
double number_of(QStringView s);

// A number written back as plain decimal text without leading zeros
// (600, 1.5, -3).
QString number_text(double v);

// The value of a text: its leading number as plain decimal text (0600
// gives 600, 15G25 gives 15, 300N gives 300).
inline QString value_of(QStringView s) { return number_text(number_of(s)); }

// The leading number of a text in hundreds of feet, as feet (030 gives
// 3000).
inline QString hundreds_of(QStringView s) { return number_text(number_of(s) * 100); }

}  // namespace kolde_sub::jp
