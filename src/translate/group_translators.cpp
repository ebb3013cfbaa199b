#include "translate/group_translators.h"

#include "translate/group_text.h"
#include "translate/translation_texts.h"

#include <algorithm>

namespace kolde_sub::jp {

namespace t = kolde_sub::jp_text;

QString wind_text(QStringView group, WindUnit unit)
{
    if (group == u"00000KT")
        return t::calm_group_text.toString();
    const qsizetype length = group.size();
    if (length < 5)
        throw Untranslatable{};
    const bool mps = unit == WindUnit::metres_per_second;
    const QStringView speed_unit = mps ? t::metres_per_second : t::knots;
    const QStringView above_range = mps ? t::fifty_metres_per_second_or_more : t::hundred_knots_or_more;
    // The mean speed runs from the fourth character to the unit; its value
    // stops at a "G" by itself.
    const QStringView speed = mid_or_throw(group, 4, mps ? std::max<qsizetype>(length - 6, 0) : length - 5);
    QString out;
    if (left(group, 3) == u"VRB") {
        out += t::variable_open;
        out += value_of(speed);
        out += speed_unit;
        out += t::variable_close;
        return out;
    }
    out += left(group, 3);
    out += t::from_direction;
    const qsizetype g = position_of(group, u'G');
    const QStringView mean = g ? mid_or_throw(group, 4, g - 4) : speed;
    if (mean.contains(u'P')) {
        out += above_range;
    } else {
        out += value_of(speed);
        out += speed_unit;
    }
    if (g) {
        // The gust runs to the end; the "P" of "MPS" is no "P" of a speed.
        const QStringView gust =
            mps ? mid_or_throw(group, g + 1, std::max<qsizetype>(length - g - 3, 0)) : mid_or_throw(group, g + 1);
        out += t::gust;
        if (gust.contains(u'P')) {
            out += above_range;
        } else {
            out += value_of(gust);
            out += speed_unit;
        }
    }
    return out;
}

QString slp_text(QStringView group)
{
    const QStringView digits = mid_or_throw(group, 4, 3);
    if (digits.isEmpty() || !is_ascii_digit(digits[0]))
        throw Untranslatable{};
    QString out = digits[0] <= u'4' ? QStringLiteral("10") : QStringLiteral("9");
    out += left(digits, 2);
    out += u'.';
    out += mid_or_throw(digits, 3, 1);
    return out;
}

QString rvr_text(QStringView group)
{
    const qsizetype k = position_of(group, u'/');
    const QStringView unit = group.sliced(std::max<qsizetype>(k, 0)).contains(u"FT") ? t::feet : t::metres;
    QString out;
    out += t::runway;
    out += mid_or_throw(group, 2, k - 2);
    out += t::rvr_is;
    // A value part without a digit gives no value (R12////).
    const QStringView value_part = group.sliced(k);
    if (group.contains(u"/////") || std::none_of(value_part.begin(), value_part.end(), is_ascii_digit)) {
        out += t::rvr_missing;
        return out;
    }
    // Appends the value of the four characters from position p and the unit.
    const auto value_at = [&](qsizetype p) {
        out += value_of(mid_or_throw(group, p, 4));
        out += unit;
    };
    const QChar tendency = group.isEmpty() ? QChar() : group.back();
    // A lower value above the range (P2000VP2000) is read as that value
    // and above, as a "P" value by itself is.
    const bool low_above = mid_or_throw(group, k + 1, 1) == u"P";
    if (const qsizetype v = position_of(group, u'V'); v && !low_above) {
        // Either value may be a limit of the range: "M" before the lower,
        // "P" before the upper.
        const bool low_below = mid_or_throw(group, k + 1, 1) == u"M";
        const bool high_above = mid_or_throw(group, v + 1, 1) == u"P";
        value_at(low_below ? k + 2 : k + 1);
        out += low_below ? t::rvr_lower_limit_from : t::from;
        value_at(high_above ? v + 2 : v + 1);
        out += high_above ? t::rvr_upper_limit_varying : t::rvr_varying;
    } else if (const qsizetype p = position_of(group, u'P')) {
        value_at(p + 1);
        out += t::rvr_above;
    } else if (const qsizetype m = position_of(group, u'M')) {
        value_at(m + 1);
        out += t::rvr_below;
    } else {
        // One value: its tendency ends the text.
        value_at(k + 1);
        if (tendency == u'U')
            out += t::rvr_single_rising;
        else if (tendency == u'D')
            out += t::rvr_single_falling;
        else if (tendency == u'N')
            out += t::rvr_single_steady;
        else
            out += t::rvr_single_unknown;
        return out;
    }
    if (tendency == u'U') {
        out.replace(t::varying.toString(), t::varying_rising.toString());
        out.replace(t::above.toString(), t::above_rising.toString());
    } else if (tendency == u'D') {
        out.replace(t::varying.toString(), t::varying_falling.toString());
        out.replace(t::below.toString(), t::below_falling.toString());
    } else if (tendency == u'N') {
        out += t::steady;
    } else {
        out += t::tendency_unknown;
    }
    return out;
}

}  // namespace kolde_sub::jp
