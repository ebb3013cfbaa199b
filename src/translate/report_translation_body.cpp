// The Japanese translation of an observation's groups up to the pressure
// and of its landing forecast (see report_translation.cpp).

#include "translate/report_translator.h"

#include "translate/group_forms.h"
#include "translate/group_translators.h"
#include "translate/report_forms.h"
#include "core/shared.h"

namespace kolde_sub::jp {

namespace {

// The cover of a cloud layer (FEW, SCT, BKN or OVC), which it begins with.
const t::CloudAmount& cover_of(QStringView layer)
{
    return *std::find_if(t::cloud_amounts.begin(), t::cloud_amounts.end(),
                         [layer](const t::CloudAmount& a) { return layer.startsWith(a.code); });
}

// The group names a cloud cover somewhere, readable or not.
bool names_a_cover(QStringView g)
{
    return std::any_of(t::cloud_amounts.begin(), t::cloud_amounts.end(),
                       [g](const t::CloudAmount& a) { return g.contains(a.code); });
}

// A wind group in words, in knots or metres per second as it says.
QString wind_in_its_unit(QStringView g)
{
    return jp::wind_text(g, g.endsWith(u"MPS") ? jp::WindUnit::metres_per_second : jp::WindUnit::knots);
}

}  // namespace

// ------------------------------------------------- observation groups

void ReportTranslator::observation()
{
    // Words between the day-time group and the wind: AUTO gives its line, a
    // correction or the report's kind said again gives none, and so does a
    // day-time group said again, with its station code or not.
    bool automatic = false;
    for (next(); !cur_.isEmpty(); next()) {
        if (cur_ == u"AUTO" || report_word(cur_) || stray_time_group(cur_)) {
            automatic = automatic || cur_ == u"AUTO";
            continue;
        }
        GroupReader ahead = reader_;
        if (station_code(cur_) && stray_time_group(ahead.next()) && cur_ != u"AUTO" && cur_ != u"CALM") {
            reader_ = ahead;
            continue;
        }
        break;
    }
    push_back();
    if (automatic) {
        result_ += t::auto_line;
        result_ += crlf;
    }
    observation_start_ = result_.size();

    wind();

    // A report that ends early shows what it has. Every group after the
    // wind is read by its form: one the report leaves out gives no line.
    if (cur_.isEmpty())
        return;
    if (cur_ == u"SKC" || cur_ == u"CAVOK") {
        add_weather((cur_ == u"SKC" ? t::clear_sky : t::fine).toString(), false);
    } else if (visibility_follows()) {
        visibility();
    } else {
        push_back();
    }
    if (weather_and_cloud())
        temperature();
    else if (cur_.isEmpty())
        return;
    next();
    if (!cur_.isEmpty())
        pressure();
}

// The wind group and a range of directions after it; the group after them
// is current. A first group that is neither is left for what follows. The
// wind line is there only when it has something to say.
void ReportTranslator::wind()
{
    next();
    QString text;
    bool read = true;
    const QString upper = cur_.toString().toUpper();  // 16007g23KT
    if (cur_ == u"CALM" || cur_ == u"00000MPS") {
        text = t::calm.toString();
    } else if (missing_wind(cur_)) {
        text = t::missing.toString();
    } else if (wind_without_direction(cur_)) {
        text = t::direction_missing.toString();
        text += value_of(mid_or_throw(cur_, 4));
        text += cur_.endsWith(u"MPS") ? t::metres_per_second : t::knots;
    } else if (wind_group(upper)) {
        text = wind_in_its_unit(upper);
    } else if (const QStringView glued = leading_wind(cur_); !glued.isEmpty()) {
        // The group glued after the wind (12006KT5000) is read next.
        text = wind_in_its_unit(glued);
        reader_.split_current(glued.size());
        read = false;
        next();
    } else {
        // A wind group that cannot be read gives no line.
        read = cur_.contains(u"KT") || cur_.contains(u"MPS");
    }
    if (read)
        next();
    if (wind_direction_range(cur_)) {
        // After a wind that cannot be read the range says itself alone.
        if (!text.isEmpty())
            text += t::range_open;
        text += mid_or_throw(cur_, 1, 3);
        text += t::range_from;
        text += mid_or_throw(cur_, 5, 3);
        text += t::range_close;
        next();
    }
    if (!text.isEmpty()) {
        result_ += t::wind_label;
        result_ += text;
    }
}

// The current group is a prevailing visibility, a visibility towards one
// point that stands for it, or whole miles that a fraction follows
// ("1 1/2SM").
bool ReportTranslator::visibility_follows() const
{
    if (prevailing_visibility(cur_) || directional_visibility(cur_))
        return true;
    GroupReader ahead = reader_;
    return whole_miles(cur_) && mile_fraction(ahead.next());
}

void ReportTranslator::visibility()
{
    // Towards one point: the direction in words and the metres (4000SW
    // gives 南西方向 4000メートル).
    const auto towards = [this] {
        result_ += direction_words(cur_.sliced(4));
        result_ += t::towards_direction;
        result_ += value_of(cur_.first(4));
        result_ += t::metres;
    };
    result_ += crlf;
    result_ += t::visibility_label;
    if (cur_ == u"9999" || cur_ == u"9999NDV") {
        result_ += t::ten_km_or_more;
    } else if (cur_ == u"10SM") {
        result_ += t::ten_miles_or_more;
    } else if (cur_.contains(u"KM")) {
        result_ += value_of(cur_);
        result_ += t::kilometres;
    } else if (cur_.contains(u"SM")) {
        result_ += left(cur_, cur_.size() - 2);
        result_ += t::miles;
    } else if (whole_miles(cur_)) {
        // Whole miles and the fraction in the next group, as one visibility.
        result_ += cur_;
        result_ += u' ';
        next();
        result_ += left(cur_, cur_.size() - 2);
        result_ += t::miles;
    } else if (directional_visibility(cur_)) {
        towards();
    } else {
        result_ += value_of(cur_);
        result_ += t::metres;
    }
    next();
    // Visibilities towards one direction join the line.
    for (; directional_visibility(cur_); next()) {
        result_ += t::range_open;
        towards();
    }
    while (runway_visual_range(cur_)) {
        line(indentation(t::rvr_label, t::rvr_word), jp::rvr_text(cur_));
        yield();
        next();
    }
    push_back();
}

// Present weather and cloud up to the temperature group; true when the
// temperature group is current. The pressure, a trend or the remarks end
// the groups without one and are put back; so does the end of the report.
bool ReportTranslator::weather_and_cloud()
{
    for (;;) {
        next();
        if (cur_.isEmpty())
            return false;
        if (temperature_group(cur_))
            return true;
        if (pressure_group(cur_) || observation_ends(cur_)) {
            push_back();
            return false;
        }
        if (runway_visual_range(cur_)) {
            line(indentation(t::rvr_label, t::rvr_word), jp::rvr_text(cur_));
            yield();
            continue;
        }
        bool handled = false;
        const QString meaning = look_up(src_.translation_word, cur_);
        if (!meaning.isEmpty()) {
            add_weather(meaning, true);
            handled = true;
        }
        if (cur_.startsWith(u"VV"))
            handled = true;
        // A garbled group with digits (BK090) is no weather either.
        if (!handled && !names_a_cover(cur_) && !cur_.contains(u'/') && std::none_of(cur_.begin(), cur_.end(), is_ascii_digit))
            weather_code();
        // A group that begins with a well-formed layer says that layer, and
        // a layer glued after it its own; one that cannot be read gives no
        // line.
        for (QStringView rest = cur_, layer; !(layer = leading_cloud_layer(rest)).isEmpty();
             rest = rest.sliced(layer.size()))
            cloud(layer);
        if (vertical_visibility(cur_)) {
            const QStringView height = mid_or_throw(cur_, 3, 3);
            if (height == u"///")
                line(t::vertical_label, t::missing);
            else
                line(t::vertical_label, hundreds_of(height), t::vertical_feet);
        }
        yield();
    }
}

// A weather group read two letters at a time from the abbreviations.
void ReportTranslator::weather_code()
{
    const QString parts = weather_parts(cur_);
    QString text = cur_.toString();
    text += t::range_open;
    text += parts.isEmpty() ? QStringView(t::cannot_decode) : QStringView(parts);
    add_weather(text, false);
}

// Weather goes on the weather lines, after the last of them, also when a
// runway visual range or a cloud stands between in the report; the first
// weather line comes before the cloud lines. A word of
// the dictionary joins the line before it; anything else is a line of its
// own.
void ReportTranslator::add_weather(const QString& text, bool same_line)
{
    const bool begun = weather_end_ >= 0;
    QString piece;
    if (begun && same_line) {
        piece = t::same_line.toString();
    } else {
        piece = crlf.toString();
        piece += begun ? t::indent : t::weather_label;
    }
    piece += text;
    qsizetype at = begun ? weather_end_ : result_.size();
    if (const qsizetype cloud = result_.indexOf(t::cloud_label); !begun && cloud >= 0)
        at = cloud - crlf.size();
    result_.insert(at, piece);
    weather_end_ = at + piece.size();
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

void ReportTranslator::cloud(QStringView layer)
{
    QStringView type = t::cloud;
    if (layer.contains(u"CB"))
        type = t::cumulonimbus;
    if (layer.contains(u"TCU"))
        type = t::towering_cumulus;
    const t::CloudAmount& amount = cover_of(layer);
    const QStringView indent = indentation(t::cloud_label, t::cloud_word);
    if (layer.sliced(3, 3) == u"///")
        line(indent, amount.no_base, type);
    else
        line(indent, hundreds_of(layer.sliced(3, 3)), amount.base, type);
}

void ReportTranslator::temperature()
{
    temperature_line(t::temperature_label, cur_);
    if (has_dew_point(cur_))
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
    if (!pressure_reported(cur_)) {
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
    if (!change.isEmpty() && !rest.contains(u"FCST") && to_trend())
        trend(change);

    push_back();
    rest = reader_.rest();
    if (const qsizetype rmk = rest.indexOf(u"RMK"); rmk >= 0) {
        reader_.skip(rmk + 4);
        remarks();
    }
    body_remarks();
}

// The landing forecast begins at its first BECMG or TEMPO before the
// remarks: groups before it (recent weather, wind shear, a colour state)
// are the observation's, not the forecast's. False when there is none.
bool ReportTranslator::to_trend()
{
    GroupReader ahead = reader_;
    for (QStringView g = ahead.next(); !g.isEmpty() && g != u"RMK"; g = ahead.next()) {
        if (g == u"BECMG" || g == u"TEMPO") {
            ahead.push_back();
            reader_ = ahead;
            return true;
        }
    }
    return false;
}

void ReportTranslator::trend(QStringView change)
{
    // A trend whose groups give nothing gives no line.
    const qsizetype line_start = result_.size();
    result_ += crlf;
    result_ += t::trend_label;
    const qsizetype pieces_start = result_.size();
    while (cur_ != u"RMK" && !reader_.last()) {
        next();
        bool read = false;
        // "FM 0550Z": the word and its time apart.
        GroupReader ahead = reader_;
        if ((cur_ == u"TL" || cur_ == u"FM" || cur_ == u"AT") && trend_time(cur_.toString() + ahead.next().toString())) {
            // The word and its time apart ("TL 1800", "FM 0550Z"): the time
            // is no visibility. AT gives no piece.
            const QStringView word = cur_;
            next();
            if (word != u"AT")
                trend_time_piece(cur_, word == u"TL");
            yield();
            continue;
        }
        if (trend_time(cur_) && !cur_.startsWith(u"AT")) {
            trend_time_piece(cur_.sliced(2), cur_.startsWith(u"TL"));
            read = true;
        }
        const QString upper = cur_.toString().toUpper();
        if (wind_group(upper)) {
            read = true;
            // Direction in characters 1-3, speed from character 4 on (a
            // gust or a third digit of speed stays out of the direction).
            result_ += t::trend_wind;
            result_ += mid_or_throw(upper, 1, 3);
            result_ += t::from_direction;
            result_ += value_of(mid_or_throw(upper, 4));
            result_ += upper.contains(u"KT") ? t::trend_knots : t::trend_metres_per_second;
        } else if (cur_.contains(u"KT") || cur_.contains(u"MPS")) {
            read = true;  // a wind that cannot be read (GUST 20-25KTS) says nothing
        }
        if (const QStringView layer = leading_cloud_layer(cur_); !layer.isEmpty()) {
            read = true;
            if (layer.sliced(3, 3) != u"///") {
                result_ += hundreds_of(layer.sliced(3, 3));
                result_ += cover_of(layer).trend;
            }
        } else if (names_a_cover(cur_)) {
            read = true;  // a layer that cannot be read says nothing
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
    if (result_.size() == pieces_start) {
        result_.truncate(line_start);
        return;
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

// The hour and minute of a trend time (hhmm, or hhmmZ), "until" or
// "after" it.
void ReportTranslator::trend_time_piece(QStringView hhmm, bool until)
{
    QString zone;
    const QString hour = local_hour(hhmm.first(2), zone);
    append_time(result_, hour, hhmm.sliced(2, 2), zone);
    result_ += until ? t::until : t::after;
}

}  // namespace kolde_sub::jp
