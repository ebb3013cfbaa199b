// The Japanese translation of an observation's remarks and of the remarks
// searched for anywhere in its body (see report_translation.cpp).

#include "translate/report_translator.h"

#include "translate/group_translators.h"

#include <cmath>

namespace kolde_sub::jp {

namespace {

bool digit_1_to_9(QStringView g) { return !g.isEmpty() && g[0] >= u'1' && g[0] <= u'9'; }

// The remark temperature group: "T" and eight digits.
bool temperature_remark(QStringView g)
{
    return g.size() >= 9 && g[0] == u'T' && all_digits(g.sliced(1, 8));
}

// Where key stands in text at or after from, not right after a digit (a
// height of 500 feet is no part of 1500 feet); -1 when nowhere.
qsizetype find_height(const QString& text, QStringView key, qsizetype from)
{
    for (qsizetype at = text.indexOf(key, from); at >= 0; at = text.indexOf(key, at + 1))
        if (at == 0 || !is_ascii_digit(text[at - 1]))
            return at;
    return -1;
}

// A precipitation amount in hundredths of inches, in single precision.
float inches_of(QStringView g)
{
    return static_cast<float>(number_of(mid_or_throw(g, 2, 2)) + number_of(mid_or_throw(g, 4)) / 100);
}

QString single_text(float v)
{
    if (v == 0.0f)
        return QStringLiteral("0");
    if (!std::isfinite(v))
        throw Untranslatable{};
    return QString::number(static_cast<double>(v), 'g', 7);
}

const t::SeenInDirection* seen_in_direction(QStringView g)
{
    const auto* seen = std::find_if(t::seen_in_direction.begin(), t::seen_in_direction.end(),
                                    [g](const t::SeenInDirection& s) { return g == s.word; });
    return seen == t::seen_in_direction.end() ? nullptr : seen;
}

// Something seen far away: the word before it, or between it and its
// direction ("DISTANT LIGHTNING", "TCU DSNT SE").
bool distant_word(QStringView g) { return g == u"DSNT" || g == u"DISTANT" || g == u"DIST"; }

// The height of a ceiling remark: three digits, or two joined by "V".
bool ceiling_height(QStringView g)
{
    const auto three_digits = [](QStringView d) { return d.size() == 3 && all_digits(d); };
    return three_digits(g) || (g.size() == 7 && three_digits(g.first(3)) && g[3] == u'V' && three_digits(g.sliced(4)));
}

// A word that may stand between a remark of something seen and its
// direction: letters only, and no remark of its own.
bool connecting_word(QStringView g)
{
    return !g.isEmpty() && std::all_of(g.begin(), g.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; }) &&
           !seen_in_direction(g) && g != u"VIS" && g != u"CIG" && g != u"WS" && g != u"RMK";
}

}  // namespace

void ReportTranslator::remarks()
{
    bool cloud_phase = true;
    QStringView before;  // the group read in the turn before
    do {
        before = cur_;
        next();
        if (cloud_phase) {
            if (digit_1_to_9(cur_))
                remark_cloud();
            else
                cloud_phase = false;
        }
        if (cur_.size() == 5 && cur_[0] == u'A' && all_digits(cur_.sliced(1)))
            remark(t::remark_altimeter, mid_or_throw(cur_, 2, 2), QStringView(u"."), mid_or_throw(cur_, 4, 2),
                   t::inches_of_mercury);
        if (cur_.contains(u"AO1"))
            remark(t::station_without_rain_gauge);
        if (cur_.contains(u"AO2"))
            remark(t::station_with_rain_gauge);
        if (cur_.contains(u"SLP")) {
            remark(t::sea_level_pressure, jp::slp_text(cur_), t::hectopascals);
            cur_ = mid_or_throw(cur_, 4, 3);
        }
        precipitation_began();
        precipitation_ended();
        if (cur_.startsWith(u'P') && cur_.size() == 5)
            precipitation_amounts();
        if (temperature_remark(cur_))
            remark_temperatures();
        if (cur_.contains(u"P/RR"))
            remark(t::pressure_rising);
        if (cur_.contains(u"P/FR"))
            remark(t::pressure_falling);
        if (cur_.contains(u"WS")) {
            next();
            remark(t::runway, mid_or_throw(cur_, 2), t::wind_shear);
        }
        // Groups after one of these words that give no direction are read
        // in the next turns as remarks of their own.
        if (const t::SeenInDirection* seen = seen_in_direction(cur_)) {
            bool distant = distant_word(before);
            const QString d = remark_direction(distant);
            if (d.isEmpty()) {
                remark(distant ? t::distant_without_direction : t::at_airport_without_direction, seen->text);
                yield();
                continue;
            }
            const bool range = d.contains(t::from);
            remark(t::at_airport, d,
                   distant ? (range ? t::towards_range_distant : t::towards_distant)
                           : (range ? t::towards_range : t::towards),
                   seen->text);
        }
        if (cur_ == u"VIS") {
            next();
            const QString d = direction_words(cur_);
            // Without a direction it is no visibility remark.
            if (d.isEmpty()) {
                push_back();
                yield();
                continue;
            }
            next();
            remark(t::at_airport, d, t::direction, d.contains(t::from) ? t::over_range : t::of,
                   t::visibility_is, value_of(cur_), cur_.contains(u"KM") ? t::kilometres : t::metres);
        }
        if (cur_ == u"CIG") {
            next();
            // Without a height (CIG RAG) it is no ceiling remark.
            if (!ceiling_height(cur_))
                push_back();
            else if (cur_.contains(u'V'))
                remark(t::ceiling, hundreds_of(mid_or_throw(cur_, 1, 3)), t::feet_from,
                       hundreds_of(mid_or_throw(cur_, 5, 3)), t::feet_varying);
            else
                remark(t::ceiling, hundreds_of(cur_), t::feet);
        }
        yield();
    } while (!reader_.last());
}

// The direction of a remark of something seen: the next group, or the one
// after it when a word stands between ("CB TO NE", "FG DSNT NW"), which
// then becomes the current group; distant is set when that word says it is
// far away, with a direction or not. Empty, and nothing read, when neither
// is a direction.
QString ReportTranslator::remark_direction(bool& distant)
{
    GroupReader ahead = reader_;
    QStringView g = ahead.next();
    QString d = direction_words(g);
    if (d.isEmpty() && connecting_word(g)) {
        distant = distant || distant_word(g);
        g = ahead.next();
        d = direction_words(g);
    }
    if (!d.isEmpty()) {
        reader_ = ahead;
        cur_ = g;
    }
    return d;
}

// A cloud group of the remarks: amount digit, type letters, height.
void ReportTranslator::remark_cloud()
{
    const double octas = number_of(cur_);
    const QStringView amount =
        octas >= 1 && octas <= 8 && octas == std::trunc(octas) ? t::remark_amounts[static_cast<int>(octas)]
                                                               : QStringView();
    bool towering = false;
    for (const t::CloudType& type : t::remark_cloud_types) {
        if (towering && type.code == u"CU")
            continue;  // the CU of TCU
        const qsizetype at = cur_.indexOf(type.code);
        if (at < 0)
            continue;
        towering = towering || type.code == u"TCU";
        // The height follows the type letters.
        cloud_remark(hundreds_of(mid_or_throw(cur_, at + type.code.size() + 1, 3)), amount, type.name);
    }
}

// A cloud line of that height and amount gains the type; without one, a
// remark line tells it.
void ReportTranslator::cloud_remark(const QString& height, QStringView amount, QStringView type)
{
    QString key = height;
    key += t::feet_at;
    key += amount;
    qsizetype at = find_height(result_, key, 0);
    if (at < 0) {
        remark(key, type);
        return;
    }
    QString typed = key;
    typed += type;
    for (; at >= 0; at = find_height(result_, key, at + typed.size()))
        result_.replace(at, key.size(), typed);
    for (const QStringView word : t::replaced_cloud_words)
        result_.replace(word.toString(), t::bracket_close.toString());
}

void ReportTranslator::precipitation_began()
{
    QStringView kind;
    for (const t::Precipitation& p : t::precipitation)
        if (cur_.contains(p.began))
            kind = p.name;
    if (kind.isEmpty())
        return;
    QString text;
    switch (cur_.size()) {
    case 7:  // RAB hhmm
    case 12: // RAB hhmm E hhmm
        local_time(text, 4, 6);
        text += t::began_from;
        text += kind;
        text += t::observed;
        if (cur_.size() == 12) {
            text += t::and_word;
            local_time(text, 9, 11);
            text += t::observation_ended;
        }
        break;
    case 5:  // RAB mm
    case 8:  // RAB mm E mm
        append_time(text, report_hour(), mid_or_throw(cur_, 4, 2), report_zone());
        text += t::began_from;
        text += kind;
        if (cur_.size() == 8) {
            text += t::observed_and;
            append_time(text, report_hour(), mid_or_throw(cur_, 7, 2), report_zone());
            text += t::observation_ended;
        } else {
            text += t::observed;
        }
        break;
    default:
        return;
    }
    remark(text);
}

void ReportTranslator::precipitation_ended()
{
    QStringView kind;
    for (const t::Precipitation& p : t::precipitation)
        if (cur_.contains(p.ended))
            kind = p.name;
    if (kind.isEmpty())
        return;
    QString text;
    if (cur_.size() == 7)
        local_time(text, 4, 6);
    else if (cur_.size() == 5)
        append_time(text, report_hour(), mid_or_throw(cur_, 4, 2), report_zone());
    else
        return;
    text += t::ended_at;
    text += kind;
    text += t::ended_observing;
    remark(text);
}

// The time of the hour digits at position h and the minute digits at m
// of the current group, in local time when the settings ask for it.
void ReportTranslator::local_time(QString& out, qsizetype h, qsizetype m) const
{
    QString zone;
    const QString hour = local_hour(mid_or_throw(cur_, h, 2), zone);
    append_time(out, hour, mid_or_throw(cur_, m, 2), zone);
}

// "P" and the last hour's amount, then the amounts of longer periods.
void ReportTranslator::precipitation_amounts()
{
    const float amount = inches_of(cur_);
    if (amount == 0.0f)
        remark(t::last_hour_trace);
    else
        remark(t::last_hour_open, single_text(amount), t::inches);
    for (next(); cur_.size() == 5 && digit_1_to_9(cur_); next())
        remark(t::past, cur_.first(1), t::hours_precipitation, single_text(inches_of(cur_)), t::inches);
}

// Sign digit ("1" below zero), two digits, one decimal, from position p.
QString ReportTranslator::tenths(QStringView g, qsizetype p) const
{
    QString out;
    if (mid_or_throw(g, p, 1) == u"1")
        out += t::minus;
    out += value_of(mid_or_throw(g, p + 1, 2));
    out += u'.';
    out += mid_or_throw(g, p + 3, 1);
    out += t::celsius;
    return out;
}

void ReportTranslator::remark_temperatures()
{
    remark(t::remark_temperature, tenths(cur_, 2));
    remark(t::remark_dew_point, tenths(cur_, 6));
    for (;;) {
        next();
        const QChar first = cur_.isEmpty() ? QChar() : cur_[0];
        if (cur_.size() == 5 && first == u'1') {
            remark(t::six_hour_maximum, tenths(cur_, 2));
        } else if (cur_.size() == 5 && first == u'2') {
            remark(t::six_hour_minimum, tenths(cur_, 2));
        } else if (cur_.size() == 5 && first == u'5') {
            remark(t::three_hour_pressure_change, value_of(mid_or_throw(cur_, 3, 2)), QStringView(u"."),
                   mid_or_throw(cur_, 5, 1), t::hectopascals);
        } else if (cur_.size() == 9 && first == u'4') {
            remark(t::six_hour_maximum, tenths(cur_, 2));
            remark(t::six_hour_minimum, tenths(cur_, 6));
        } else {
            // The next turn of the remarks reads this group, once.
            push_back();
            cur_ = {};
            return;
        }
    }
}

// Remarks found anywhere in the body.
void ReportTranslator::body_remarks()
{
    const QStringView whole = body_;
    if (whole.contains(u"YELLOW SAND"))
        remark(t::yellow_sand);
    if (const qsizetype at = whole.indexOf(u"FOG ON"); at >= 0) {
        // From right after "FOG ON" to the end of the group that follows.
        const QStringView after = whole.sliced(at + 6);
        qsizetype end = 0;
        while (end < after.size() && after[end] == u' ')
            ++end;
        while (end < after.size() && after[end] != u' ')
            ++end;
        remark(t::runway, after.first(end), t::fog_on_runway);
    }
    if (const qsizetype at = whole.indexOf(u"MAX WIND"); at >= 0)
        remark(t::maximum_wind, value_of(whole.sliced(at + 8)), t::knots);
    if (whole.contains(u'$'))
        remark(t::maintenance_needed);
}

}  // namespace kolde_sub::jp
