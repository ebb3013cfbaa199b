// The Japanese translation of an observation's remarks and of the remarks
// searched for anywhere in its body (see report_translation.cpp).

#include "translate/report_translator.h"

#include "translate/group_forms.h"
#include "translate/group_translators.h"
#include "translate/report_forms.h"

#include <cmath>

namespace kolde_sub::jp {

namespace {

// "SLP" without a digit after it (SLPNO, ALSTG/SLP).
bool pressure_in_letters(QStringView g)
{
    const qsizetype slp = g.indexOf(u"SLP");
    return slp >= 0 && !(slp + 3 < g.size() && is_ascii_digit(g[slp + 3]));
}

bool digit_1_to_9(QStringView g) { return !g.isEmpty() && g[0] >= u'1' && g[0] <= u'9'; }

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

// A direction, and a second one after AND ("N AND S" gives 北・南); ahead
// has read the second one when there is one.
QString with_second_direction(GroupReader& ahead, const QString& d)
{
    GroupReader probe = ahead;
    if (probe.next() != u"AND")
        return d;
    const QString second = direction_words(probe.next());
    if (second.isEmpty())
        return d;
    ahead = probe;
    return d + u'・' + second;
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
        if (sea_level_pressure(cur_)) {
            remark(t::sea_level_pressure, jp::slp_text(cur_), t::hectopascals);
            cur_ = mid_or_throw(cur_, 4, 3);
        } else if (pressure_in_letters(cur_)) {
            // A pressure given in letters (SLPNO) cannot be translated; one
            // with too few or too many digits (SLP95) gives no line.
            jp::slp_text(cur_.sliced(cur_.indexOf(u"SLP")));
        }
        weather_event_remarks();
        if (hourly_precipitation(cur_))
            precipitation_amounts();
        // The maintenance mark may be glued to the group (T01220117$).
        if (jp::remark_temperatures(cur_.endsWith(u'$') ? cur_.chopped(1) : cur_))
            remark_temperatures();
        if (cur_.contains(u"P/RR"))
            remark(t::pressure_rising);
        if (cur_.contains(u"P/FR"))
            remark(t::pressure_falling);
        if (cur_ == u"WS") {
            // A runway's wind shear; a wind shift (WSHFT) is none.
            GroupReader ahead = reader_;
            if (const QStringView runway = wind_shear_runway(ahead.next()); !runway.isEmpty()) {
                next();
                remark(t::runway, runway, t::wind_shear);
            }
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
        if (cur_ == u"VIS")
            visibility_remark();
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
// after the words that stand between ("CB TO NE", "FG BNK DSNT NW"), which
// then becomes the current group; distant is set when that word says it is
// far away, with a direction or not. Empty, and nothing read, when neither
// is a direction.
QString ReportTranslator::remark_direction(bool& distant)
{
    GroupReader ahead = reader_;
    QStringView g = ahead.next();
    QString d = direction_words(g);
    // A word may stand between, and a second one when it says the thing
    // is far away ("FG BNK DSNT NE-S", not "CB OHD MOV E").
    for (int words = 0; d.isEmpty() && connecting_word(g) && (words == 0 || (words == 1 && distant_word(g))); ++words) {
        distant = distant || distant_word(g);
        g = ahead.next();
        d = direction_words(g);
    }
    if (!d.isEmpty()) {
        d = with_second_direction(ahead, d);
        reader_ = ahead;
        cur_ = g;
    }
    return d;
}

// A cloud group of the remarks: amount digit, type letters, height. A
// group of another form (3AC, 4SC) gives no line.
void ReportTranslator::remark_cloud()
{
    QStringView code;
    qsizetype height_at = 0;
    if (!remark_cloud_layer(cur_, code, height_at))
        return;
    const auto type = std::find_if(t::remark_cloud_types.begin(), t::remark_cloud_types.end(),
                                   [code](const t::CloudType& c) { return c.code == code; });
    cloud_remark(hundreds_of(cur_.sliced(height_at, 3)), t::remark_amounts[cur_[0].unicode() - u'0'], type->name);
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

// The weather that began or ended: rain, snow, drizzle or a thunderstorm,
// at hour and minutes, or at minutes of the report's hour. Other phenomena
// give no line.
void ReportTranslator::weather_event_remarks()
{
    const QList<WeatherEvent> events = weather_events(cur_);
    const auto kind_of = [](QStringView phenomenon) {
        QStringView kind;
        for (const t::Precipitation& p : t::precipitation)
            if (phenomenon.contains(p.code))
                kind = p.name;
        return kind;
    };
    const auto time_of = [this](QString& out, const WeatherEvent& e) {
        if (!e.hour.isEmpty()) {
            QString zone;
            const QString hour = local_hour(e.hour, zone);
            append_time(out, hour, e.minute, zone);
            return true;
        }
        const QStringView hour = report_hour();
        if (hour.size() != 2 || !all_digits(hour))
            return false;
        append_time(out, hour, e.minute, report_zone());
        return true;
    };
    for (qsizetype i = 0; i < events.size(); ++i) {
        const WeatherEvent& e = events[i];
        const QStringView kind = kind_of(e.phenomenon);
        if (kind.isEmpty())
            continue;
        QString text;
        if (!time_of(text, e))
            continue;
        if (!e.began) {
            text += t::ended_at;
            text += kind;
            text += t::ended_observing;
        } else {
            text += t::began_from;
            text += kind;
            text += t::observed;
            // Began and ended: one line.
            if (i + 1 < events.size() && !events[i + 1].began && events[i + 1].phenomenon == e.phenomenon) {
                QString end;
                if (time_of(end, events[i + 1])) {
                    text += t::and_word;
                    text += end;
                    text += t::observation_ended;
                    ++i;
                }
            }
        }
        remark(text);
    }
}

// "P" and the last hour's amount, then the amounts of longer periods: a
// "6" group holds three hours in the reports of 03, 09, 15 and 21 UTC and
// six in those of the other synoptic hours, a "7" group 24 hours.
void ReportTranslator::precipitation_amounts()
{
    if (cur_.sliced(1) == u"////")
        remark(t::last_hour_open, t::missing);
    else if (const float amount = inches_of(cur_); amount == 0.0f)
        remark(t::last_hour_trace);
    else
        remark(t::last_hour_open, single_text(amount), t::inches);
    for (next(); period_precipitation(cur_); next()) {
        const QString hours = cur_[0] == u'7' ? QStringLiteral("24") : utc_hour() % 6 == 3 ? QStringLiteral("3") : QStringLiteral("6");
        if (cur_.sliced(1) == u"////")
            remark(t::past, hours, t::hours_precipitation, t::missing);
        else
            remark(t::past, hours, t::hours_precipitation, single_text(inches_of(cur_)), t::inches);
    }
    // The next turn of the remarks reads the group that ends the run with
    // every test (an SLP group after P0001); a pressure not reported in
    // digits (SLPNO) is left to the tests after this one, as it always was.
    if (pressure_in_letters(cur_))
        return;
    push_back();
    cur_ = {};
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
        // Slashes stand for what was not measured.
        const auto tenths_or_missing = [this](qsizetype p) {
            return mid_or_throw(cur_, p, 1) == u"/" ? t::missing.toString() : tenths(cur_, p);
        };
        if (extreme_temperature(cur_, u'1')) {
            remark(t::six_hour_maximum, tenths_or_missing(2));
        } else if (extreme_temperature(cur_, u'2')) {
            remark(t::six_hour_minimum, tenths_or_missing(2));
        } else if (pressure_tendency(cur_)) {
            if (cur_[1] == u'/')
                remark(t::three_hour_pressure_change, t::missing);
            else
                remark(t::three_hour_pressure_change, value_of(mid_or_throw(cur_, 3, 2)), QStringView(u"."),
                       mid_or_throw(cur_, 5, 1), t::hectopascals);
        } else if (daily_extremes(cur_)) {
            // The "4" group holds the last 24 hours' extremes.
            remark(t::day_maximum, tenths(cur_, 2));
            remark(t::day_minimum, tenths(cur_, 6));
        } else {
            // The next turn of the remarks reads this group, once.
            push_back();
            cur_ = {};
            return;
        }
    }
}

// "VIS", a direction (or two joined by AND), perhaps a word of place
// (VLY), and the visibility there; anything else gives no line.
void ReportTranslator::visibility_remark()
{
    GroupReader ahead = reader_;
    QString d = direction_words(ahead.next());
    if (d.isEmpty())
        return;
    d = with_second_direction(ahead, d);
    QStringView v = ahead.next();
    if (remark_visibility(v) == RemarkVisibility::none && connecting_word(v))
        v = ahead.next();
    const RemarkVisibility kind = remark_visibility(v);
    if (kind == RemarkVisibility::none)
        return;
    reader_ = ahead;
    cur_ = v;
    QString value;
    QStringView unit;
    switch (kind) {
    case RemarkVisibility::metres:
        value = value_of(v);
        unit = t::metres;
        break;
    case RemarkVisibility::kilometres:
        value = value_of(v);
        unit = t::kilometres;
        break;
    default: {
        // Statute miles: whole miles, or a fraction (11/2 is 1 1/2).
        value = (v.endsWith(u"SM") ? v.chopped(2) : v).toString();
        if (const qsizetype slash = value.indexOf(u'/'); slash == 2 && value[0] != u'0' && value.mid(1, 1).toInt() < value.mid(3).toInt())
            value.insert(1, u' ');
        // Whole miles and a fraction after them (2 1/2).
        GroupReader probe = ahead;
        if (const QStringView fraction = probe.next();
            !value.contains(u'/') && fraction.contains(u'/') && remark_visibility(fraction) == RemarkVisibility::miles) {
            value += u' ';
            value += fraction.endsWith(u"SM") ? fraction.chopped(2) : fraction;
            reader_ = probe;
            cur_ = fraction;
        }
        unit = t::miles;
        break;
    }
    }
    remark(t::at_airport, d, t::direction, d.contains(t::from) ? t::over_range : t::of, t::visibility_is, value,
           unit);
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
