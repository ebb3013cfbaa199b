// The Japanese translation of an observation's groups up to the pressure
// and of its landing forecast (see report_translation.cpp).

#include "translate/report_translator.h"

#include "translate/group_translators.h"
#include "core/shared.h"

#include <array>

namespace kolde_sub::jp {

namespace {

// A visibility towards one compass point: four digits and N, NE, E, SE, S,
// SW, W or NW.
bool directional_visibility(QStringView g)
{
    if (g.size() < 5 || g.size() > 6 || !all_digits(g.first(4)))
        return false;
    const QStringView point = g.sliced(4);
    return point == u"N" || point == u"E" || point == u"S" || point == u"W" || point == u"NE" || point == u"SE" ||
           point == u"SW" || point == u"NW";
}

// A fraction of a statute mile: "1/2SM", "3/16SM".
bool mile_fraction(QStringView g)
{
    if (!g.endsWith(u"SM"))
        return false;
    const QStringView f = g.first(g.size() - 2);
    const qsizetype slash = f.indexOf(u'/');
    return slash > 0 && slash < f.size() - 1 && all_digits(f.first(slash)) && all_digits(f.sliced(slash + 1));
}

// A runway visual range wherever it stands: "R", a runway number, "/".
bool runway_visual_range(QStringView g)
{
    return g.size() > 2 && g[0] == u'R' && is_ascii_digit(g[1]) && g.contains(u'/');
}

// Present weather codes: an optional intensity, then two-letter codes only.
bool weather_codes(QStringView g)
{
    static constexpr std::array<QStringView, 30> codes = {
        u"VC", u"MI", u"BC", u"PR", u"DR", u"BL", u"SH", u"TS", u"FZ", u"DZ", u"RA", u"SN", u"SG", u"IC", u"PL",
        u"GR", u"GS", u"UP", u"BR", u"FG", u"FU", u"VA", u"DU", u"SA", u"HZ", u"PO", u"SQ", u"FC", u"SS", u"DS"};
    if (g.startsWith(u'-') || g.startsWith(u'+'))
        g = g.sliced(1);
    if (g.isEmpty() || g.size() % 2 != 0)
        return false;
    for (qsizetype i = 0; i < g.size(); i += 2)
        if (std::find(codes.begin(), codes.end(), g.sliced(i, 2)) == codes.end())
            return false;
    return true;
}

}  // namespace

// ------------------------------------------------- observation groups

void ReportTranslator::observation()
{
    next();
    if (cur_ == u"AUTO") {
        result_ += t::auto_line;
        result_ += crlf;
    } else {
        push_back();
    }

    result_ += t::wind_label;
    next();
    if (cur_ == u"CALM") {
        result_ += t::calm;
        next();
    } else {
        if (cur_.contains(u"KT"))
            result_ += jp::wind_text(cur_);
        else if (cur_ == u"00000MPS")
            result_ += t::calm;
        else if (cur_.contains(u"MPS"))
            result_ += jp::wind_text(cur_, jp::WindUnit::metres_per_second);
        next();
        if (cur_.contains(u'V') && !cur_.contains(u"CAVOK")) {
            result_ += t::range_open;
            result_ += mid_or_throw(cur_, 1, 3);
            result_ += t::range_from;
            result_ += mid_or_throw(cur_, 5, 3);
            result_ += t::range_close;
            next();
        }
    }

    // A report that ends early shows what it has.
    if (cur_.isEmpty())
        return;
    if (cur_ == u"SKC" || cur_ == u"CAVOK") {
        line(t::weather_label, cur_ == u"SKC" ? t::clear_sky : t::fine);
        next();
    } else {
        visibility();
        if (!weather_and_cloud())
            return;
    }
    if (cur_.isEmpty())
        return;
    temperature();
    next();
    if (!cur_.isEmpty())
        pressure();
}

void ReportTranslator::visibility()
{
    result_ += crlf;
    result_ += t::visibility_label;
    if (cur_ == u"9999") {
        result_ += t::ten_km_or_more;
    } else if (cur_ == u"10SM") {
        result_ += t::ten_miles_or_more;
    } else if (cur_.contains(u"KM")) {
        result_ += value_of(cur_);
        result_ += t::kilometres;
    } else if (cur_.contains(u"SM")) {
        result_ += left(cur_, cur_.size() - 2);
        result_ += t::miles;
    } else if (!whole_and_fraction_of_miles()) {
        result_ += value_of(cur_);
        result_ += t::metres;
    }
    next();
    // Visibilities towards one direction join the line.
    for (; directional_visibility(cur_); next()) {
        result_ += t::range_open;
        result_ += direction_words(cur_.sliced(4));
        result_ += t::towards_direction;
        result_ += value_of(cur_.first(4));
        result_ += t::metres;
    }
    while (cur_.contains(u'R') && cur_.contains(u'/')) {
        line(indentation(t::rvr_label, t::rvr_word), jp::rvr_text(cur_));
        yield();
        next();
    }
    push_back();
}

// Whole miles and a fraction in the next group ("1 1/2SM") are written
// as one visibility; otherwise the next group is put back.
bool ReportTranslator::whole_and_fraction_of_miles()
{
    const QStringView whole = cur_;
    if (whole.isEmpty() || whole.size() > 2 || !all_digits(whole))
        return false;
    next();
    if (!mile_fraction(cur_)) {
        push_back();
        cur_ = whole;
        return false;
    }
    result_ += whole;
    result_ += u' ';
    result_ += left(cur_, cur_.size() - 2);
    result_ += t::miles;
    return true;
}

// Present weather and cloud up to the temperature group; false when the
// report ends without one.
bool ReportTranslator::weather_and_cloud()
{
    for (;;) {
        next();
        if (cur_.isEmpty())
            return false;
        if (runway_visual_range(cur_)) {
            line(indentation(t::rvr_label, t::rvr_word), jp::rvr_text(cur_));
            yield();
            continue;
        }
        if (cur_.contains(u'/') && !cur_.contains(u"///"))
            return true;
        const bool weather_begun = result_.contains(t::weather_word);
        const QStringView weather_indent = weather_begun ? t::indent : t::weather_label;

        bool handled = false;
        const QString meaning = look_up(src_.translation_word, cur_);
        if (!meaning.isEmpty()) {
            if (weather_begun) {
                result_ += t::same_line;
                result_ += meaning;
            } else {
                line(weather_indent, meaning);
            }
            handled = true;
        }
        if (cur_.startsWith(u"VV"))
            handled = true;
        const bool cloud_amount =
            std::any_of(t::cloud_amounts.begin(), t::cloud_amounts.end(),
                        [this](const t::CloudAmount& a) { return cur_.contains(a.code); });
        if (!handled && !cloud_amount && !cur_.contains(u'/'))
            weather_code(weather_indent);
        if (cloud_amount || cur_.contains(u"VV"))
            cloud();
        yield();
    }
}

// A weather group read two letters at a time from the abbreviations.
void ReportTranslator::weather_code(QStringView weather_indent)
{
    const QString parts = weather_parts(cur_);
    line(weather_indent, cur_, t::range_open);
    result_ += parts.isEmpty() ? QStringView(t::cannot_decode) : QStringView(parts);
}

// The intensity, then " " meaning "(" code ")" for each two letters.
QString ReportTranslator::weather_parts(QStringView codes) const
{
    QString parts;
    if (codes.startsWith(u'-')) {
        parts += t::light;
        codes = codes.sliced(1);
    } else if (codes.startsWith(u'+')) {
        parts += t::heavy;
        codes = codes.sliced(1);
    }
    for (qsizetype i = 0; i < codes.size(); i += 2) {
        const QStringView pair = codes.sliced(i, std::min<qsizetype>(2, codes.size() - i));
        QString meaning = look_up(src_.weather_abbr, pair);
        if (meaning.isEmpty()) {
            parts += t::no_such_code;
        } else {
            // A note in brackets after the meaning is left out.
            for (const QChar open : {QChar(u'('), QChar(u'（')}) {
                const qsizetype at = meaning.indexOf(open);
                if (at >= 0)
                    meaning.truncate(at);
            }
            parts += u' ';
            parts += trim_blanks(meaning);
        }
        parts += u'(';
        parts += pair;
        parts += u')';
    }
    return parts;
}

void ReportTranslator::cloud()
{
    const QStringView cloud_indent = indentation(t::cloud_label, t::cloud_word);
    QStringView type = t::cloud;
    if (cur_.contains(u"CB"))
        type = t::cumulonimbus;
    if (cur_.contains(u"TCU"))
        type = t::towering_cumulus;
    for (const t::CloudAmount& a : t::cloud_amounts) {
        if (!cur_.contains(a.code))
            continue;
        const QStringView base = mid_or_throw(cur_, 4, 3);
        if (base == u"///")
            line(cloud_indent, a.no_base, type);
        else
            line(cloud_indent, hundreds_of(base), a.base, type);
    }
    if (cur_.contains(u"VV"))
        line(t::vertical_label, hundreds_of(mid_or_throw(cur_, 3, 3)), t::vertical_feet);
}

void ReportTranslator::temperature()
{
    temperature_line(t::temperature_label, cur_);
    temperature_line(t::dew_point_label, mid_or_throw(cur_, position_of(cur_, u'/') + 1));
}

void ReportTranslator::temperature_line(QStringView label, QStringView g)
{
    if (g.startsWith(u'M'))
        line(label, t::minus, value_of(mid_or_throw(g, 2, 2)), t::celsius);
    else
        line(label, value_of(mid_or_throw(g, 1, 2)), t::celsius);
}

// "Q" or "A" and four digits; any other group after the temperatures
// (a trend, a remark, a pressure not reported) gives no pressure line
// and is left for what follows.
void ReportTranslator::pressure()
{
    const bool reported = cur_.size() == 5 && (cur_[0] == u'Q' || cur_[0] == u'A') &&
                          std::all_of(cur_.begin() + 1, cur_.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!reported) {
        if (!cur_.startsWith(u'Q') && !cur_.startsWith(u'A'))
            push_back();
        return;
    }
    if (cur_.startsWith(u'A'))
        line(t::altimeter_label, mid_or_throw(cur_, 2, 2), QStringView(u"."), mid_or_throw(cur_, 4, 2),
             t::inches_of_mercury);
    else
        line(t::pressure_label, value_of(mid_or_throw(cur_, 2)), t::hectopascals_whole);
}

// ------------------------------------------------- trend and remarks

void ReportTranslator::trend_and_remarks()
{
    QStringView rest = reader_.rest();
    if (rest.contains(u"NOSIG")) {
        result_ += crlf;
        result_ += t::nosig_line;
    }
    QStringView change;
    if (rest.contains(u"BECMG"))
        change = t::gradually;
    else if (rest.contains(u"TEMPO"))
        change = t::temporarily;
    if (!change.isEmpty() && !rest.contains(u"FCST"))
        trend(change);

    push_back();
    rest = reader_.rest();
    if (const qsizetype rmk = rest.indexOf(u"RMK"); rmk >= 0) {
        reader_.skip(rmk + 4);
        remarks();
    }
    body_remarks();
}

void ReportTranslator::trend(QStringView change)
{
    result_ += crlf;
    result_ += t::trend_label;
    while (cur_ != u"RMK" && !reader_.last()) {
        next();
        bool read = false;
        if (const qsizetype at = position_of(cur_, u"TL")) {
            trend_time(at, t::until);
            read = true;
        }
        if (const qsizetype at = position_of(cur_, u"FM")) {
            trend_time(at, t::after);
            read = true;
        }
        if (cur_.contains(u"KT")) {
            read = true;
            // Direction in characters 1-3, speed from character 4 on (a
            // gust or a third digit of speed stays out of the direction).
            result_ += t::trend_wind;
            result_ += mid_or_throw(cur_, 1, 3);
            result_ += t::from_direction;
            result_ += value_of(mid_or_throw(cur_, 4));
            result_ += t::trend_knots;
        }
        for (const t::CloudAmount& a : t::cloud_amounts) {
            if (cur_.contains(a.code)) {
                result_ += hundreds_of(mid_or_throw(cur_, 4, 3));
                result_ += a.trend;
                read = true;
                break;
            }
        }
        // Only four digits are a visibility (not TSRA, SHRA, VCSH).
        if (cur_.size() == 4 && all_digits(cur_)) {
            result_ += t::trend_visibility;
            result_ += value_of(cur_);
            result_ += t::trend_metres;
            read = true;
        }
        if (!read)
            trend_weather();
        yield();
    }
    result_ += t::change_open;
    result_ += change;
    result_ += t::change_close;
}

// A trend group of weather, read as in the observation: CAVOK, a word
// of the dictionary, or weather codes. Anything else adds nothing.
void ReportTranslator::trend_weather()
{
    if (cur_ == u"BECMG" || cur_ == u"TEMPO" || cur_ == u"RMK" || cur_ == u"NOSIG")
        return;
    QString piece;
    if (cur_ == u"CAVOK")
        piece = t::fine.toString();
    else
        piece = look_up(src_.translation_word, cur_);
    if (piece.isEmpty() && weather_codes(cur_))
        piece = trim_blanks(weather_parts(cur_));
    if (piece.isEmpty())
        return;
    result_ += piece;
    result_ += u' ';
}

// "TL" or "FM" at position at: the hour and minute after it.
void ReportTranslator::trend_time(qsizetype at, QStringView tail)
{
    local_time(result_, at + 2, at + 4);
    result_ += tail;
}

}  // namespace kolde_sub::jp
