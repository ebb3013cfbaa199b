// The Japanese translation of a whole observation: the header, the groups
// up to the pressure, the landing forecast, the remarks and the remarks
// searched for anywhere in the body.

#include "translate/translation.h"

#include "translate/group_reader.h"
#include "translate/group_text.h"
#include "translate/group_translators.h"
#include "translate/translation_texts.h"
#include "core/shared.h"
#include "reports/zone.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kolde_sub {

namespace {

namespace t = jp_text;
using jp::GroupReader;
using jp::hundreds_of;
using jp::is_ascii_digit;
using jp::left;
using jp::mid;
using jp::number_of;
using jp::number_text;
using jp::position_of;
using jp::right;
using jp::Untranslatable;
using jp::value_of;

constexpr QStringView crlf = u"\r\n";

// Line breaks and tabs count as blanks between groups.
QString normalised(const QString& body)
{
    QString out = body;
    for (QChar& c : out)
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    return out;
}

QString look_up(const std::function<QString(QStringView)>& f, QStringView key) { return f ? f(key) : QString(); }

bool digit_1_to_9(QStringView g) { return !g.isEmpty() && g[0] >= u'1' && g[0] <= u'9'; }

bool all_digits(QStringView g)
{
    return std::all_of(g.begin(), g.end(), [](QChar c) { return is_ascii_digit(c); });
}

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
float inches_of(QStringView g) { return static_cast<float>(number_of(mid(g, 2, 2)) + number_of(mid(g, 4)) / 100); }

QString single_text(float v)
{
    if (v == 0.0f)
        return QStringLiteral("0");
    if (!std::isfinite(v))
        throw Untranslatable{};
    return QString::number(static_cast<double>(v), 'g', 7);
}

const t::DirectionWord* direction_word(QChar c)
{
    const auto w = std::find_if(t::direction_words.begin(), t::direction_words.end(),
                                [c](const t::DirectionWord& d) { return d.letter == c; });
    return w == t::direction_words.end() ? nullptr : &*w;
}

// A direction group: compass letters and "-" only (NE, SW-NW).
bool is_direction(QStringView g)
{
    return !g.isEmpty() && std::all_of(g.begin(), g.end(), [](QChar c) { return direction_word(c) != nullptr; });
}

// A direction group in words: NE gives 北東, SW-NW gives 南西から北西; a
// group that is no direction gives nothing.
QString direction_words(QStringView g)
{
    QString out;
    if (!is_direction(g))
        return out;
    for (const QChar c : g)
        out += direction_word(c)->word;
    return out;
}

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

class ReportTranslator {
public:
    ReportTranslator(const TranslationSources& sources, const QString& body)
        : src_(sources), body_(normalised(body)), reader_(body_)
    {
        result_.reserve(1024);
    }

    Translation run(const QString& code, const QString& time)
    {
        Translation out;
        try {
            header(code, time, out.routine);
            observation();
            trend_and_remarks();
            result_ += crlf;
            out.text = std::move(result_);
        } catch (const Untranslatable&) {
            out.text = QString::fromUtf8(untranslatable_text);
        }
        return out;
    }

private:
    void next() { cur_ = reader_.next(); }
    void push_back() { reader_.push_back(); }
    void yield() const
    {
        if (src_.yield)
            src_.yield();
    }

    // The label of a section's first line, or the continuation indent once
    // the section has begun.
    QStringView indentation(QStringView label, QStringView word) const
    {
        return result_.contains(word) ? t::indent : label;
    }

    template <typename... Pieces>
    void line(QStringView indentation, const Pieces&... pieces)
    {
        result_ += crlf;
        result_ += indentation;
        (result_ += ... += pieces);
    }

    template <typename... Pieces>
    void remark(const Pieces&... pieces)
    {
        line(indentation(t::remark_label, t::remark_word), pieces...);
    }

    // An hour of the report in local time when the settings ask for it,
    // with its zone letter.
    QString local_hour(QStringView hour_text, QString& zone) const
    {
        zone = QStringLiteral("Z");
        if (!src_.local_time)
            return hour_text.toString();
        const int difference = time_difference_hours(src_.time_difference);
        double h = number_of(hour_text) + difference;
        if (h > 23)
            h -= 24;
        else if (h < 0)
            h += 24;
        zone = zone_letter(difference);
        const QString text = number_text(h);
        return h < 10 ? QStringLiteral("0") + text : text;
    }

    // hh "時" mm "分(" zone
    void append_time(QString& out, QStringView hour, QStringView minute, QStringView zone) const
    {
        out += hour;
        out += t::hour;
        out += minute;
        out += t::minute_open;
        out += zone;
    }

    // ------------------------------------------------------------- header

    void header(const QString& code, const QString& time, bool& routine)
    {
        QString name = look_up(src_.airport_name, trim_blanks(code).toUpper());
        name.remove(u'　');
        name.remove(u' ');
        const bool aerodrome = std::find(t::aerodromes.begin(), t::aerodromes.end(), QStringView(code)) !=
                               t::aerodromes.end();
        const double minute = number_of(mid(time, 3, 2));
        routine = minute == 0 || minute == 30 || minute >= 50;

        // The zone follows the hour and minute: a letter, or an offset that
        // has none ("+13").
        header_zone_ = time.size() > 5 ? mid(time, 5).toString() : right(time, 1).toString();
        header_time_.clear();
        append_time(header_time_, mid(time, 1, 2), mid(time, 3, 2), header_zone_);
        header_time_ += t::issued;

        result_ += t::header_open;
        result_ += name;
        result_ += aerodrome ? t::aerodrome_suffix : t::airport_suffix;
        result_ += routine ? t::routine_kind : t::special_kind;
        result_ += header_time_;
        result_ += t::header_close;
        result_ += crlf;
        result_ += crlf;
    }

    // ------------------------------------------------- observation groups

    void observation()
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
                result_ += mid(cur_, 1, 3);
                result_ += t::range_from;
                result_ += mid(cur_, 5, 3);
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

    void visibility()
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
    bool whole_and_fraction_of_miles()
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
    bool weather_and_cloud()
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
    void weather_code(QStringView weather_indent)
    {
        const QString parts = weather_parts(cur_);
        line(weather_indent, cur_, t::range_open);
        result_ += parts.isEmpty() ? QStringView(t::cannot_decode) : QStringView(parts);
    }

    // The intensity, then " " meaning "(" code ")" for each two letters.
    QString weather_parts(QStringView codes) const
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

    void cloud()
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
            const QStringView base = mid(cur_, 4, 3);
            if (base == u"///")
                line(cloud_indent, a.no_base, type);
            else
                line(cloud_indent, hundreds_of(base), a.base, type);
        }
        if (cur_.contains(u"VV"))
            line(t::vertical_label, hundreds_of(mid(cur_, 3, 3)), t::vertical_feet);
    }

    void temperature()
    {
        temperature_line(t::temperature_label, cur_);
        temperature_line(t::dew_point_label, mid(cur_, position_of(cur_, u'/') + 1));
    }

    void temperature_line(QStringView label, QStringView g)
    {
        if (g.startsWith(u'M'))
            line(label, t::minus, value_of(mid(g, 2, 2)), t::celsius);
        else
            line(label, value_of(mid(g, 1, 2)), t::celsius);
    }

    // "Q" or "A" and four digits; any other group after the temperatures
    // (a trend, a remark, a pressure not reported) gives no pressure line
    // and is left for what follows.
    void pressure()
    {
        const bool reported = cur_.size() == 5 && (cur_[0] == u'Q' || cur_[0] == u'A') &&
                              std::all_of(cur_.begin() + 1, cur_.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (!reported) {
            if (!cur_.startsWith(u'Q') && !cur_.startsWith(u'A'))
                push_back();
            return;
        }
        if (cur_.startsWith(u'A'))
            line(t::altimeter_label, mid(cur_, 2, 2), QStringView(u"."), mid(cur_, 4, 2), t::inches_of_mercury);
        else
            line(t::pressure_label, value_of(mid(cur_, 2)), t::hectopascals_whole);
    }

    // ------------------------------------------------- trend and remarks

    void trend_and_remarks()
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

    void trend(QStringView change)
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
                result_ += mid(cur_, 1, 3);
                result_ += t::from_direction;
                result_ += value_of(mid(cur_, 4));
                result_ += t::trend_knots;
            }
            for (const t::CloudAmount& a : t::cloud_amounts) {
                if (cur_.contains(a.code)) {
                    result_ += hundreds_of(mid(cur_, 4, 3));
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
    void trend_weather()
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
    void trend_time(qsizetype at, QStringView tail)
    {
        local_time(result_, at + 2, at + 4);
        result_ += tail;
    }

    void remarks()
    {
        bool cloud_phase = true;
        do {
            next();
            if (cloud_phase) {
                if (digit_1_to_9(cur_))
                    remark_cloud();
                else
                    cloud_phase = false;
            }
            if (cur_.size() == 5 && cur_[0] == u'A' && all_digits(cur_.sliced(1)))
                remark(t::remark_altimeter, mid(cur_, 2, 2), QStringView(u"."), mid(cur_, 4, 2),
                       t::inches_of_mercury);
            if (cur_.contains(u"AO1"))
                remark(t::station_without_rain_gauge);
            if (cur_.contains(u"AO2"))
                remark(t::station_with_rain_gauge);
            if (cur_.contains(u"SLP")) {
                remark(t::sea_level_pressure, jp::slp_text(cur_), t::hectopascals);
                cur_ = mid(cur_, 4, 3);
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
                remark(t::runway, mid(cur_, 2), t::wind_shear);
            }
            // A group after one of these words that is no direction is read
            // in the next turn as a remark of its own.
            const auto* seen = std::find_if(t::seen_in_direction.begin(), t::seen_in_direction.end(),
                                            [this](const t::SeenInDirection& s) { return cur_ == s.word; });
            if (seen != t::seen_in_direction.end()) {
                next();
                const QString d = direction_words(cur_);
                remark(t::at_airport, d, d.contains(t::from) ? t::towards_range : t::towards, seen->text);
                if (d.isEmpty()) {
                    push_back();
                    yield();
                    continue;
                }
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
                if (cur_.contains(u'V'))
                    remark(t::ceiling, hundreds_of(mid(cur_, 1, 3)), t::feet_from, hundreds_of(mid(cur_, 5, 3)),
                           t::feet_varying);
                else
                    remark(t::ceiling, hundreds_of(cur_), t::feet);
            }
            yield();
        } while (!reader_.last());
    }

    // A cloud group of the remarks: amount digit, type letters, height.
    void remark_cloud()
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
            cloud_remark(hundreds_of(mid(cur_, at + type.code.size() + 1, 3)), amount, type.name);
        }
    }

    // A cloud line of that height and amount gains the type; without one, a
    // remark line tells it.
    void cloud_remark(const QString& height, QStringView amount, QStringView type)
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

    void precipitation_began()
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
            append_time(text, report_hour(), mid(cur_, 4, 2), report_zone());
            text += t::began_from;
            text += kind;
            if (cur_.size() == 8) {
                text += t::observed_and;
                append_time(text, report_hour(), mid(cur_, 7, 2), report_zone());
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

    void precipitation_ended()
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
            append_time(text, report_hour(), mid(cur_, 4, 2), report_zone());
        else
            return;
        text += t::ended_at;
        text += kind;
        text += t::ended_observing;
        remark(text);
    }

    // The time of the hour digits at position h and the minute digits at m
    // of the current group, in local time when the settings ask for it.
    void local_time(QString& out, qsizetype h, qsizetype m) const
    {
        QString zone;
        const QString hour = local_hour(mid(cur_, h, 2), zone);
        append_time(out, hour, mid(cur_, m, 2), zone);
    }

    // The hour and zone letter of the header's time.
    QStringView report_hour() const { return mid(header_time_, 1, 2); }
    QStringView report_zone() const { return header_zone_; }

    // "P" and the last hour's amount, then the amounts of longer periods.
    void precipitation_amounts()
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
    QString tenths(QStringView g, qsizetype p) const
    {
        QString out;
        if (mid(g, p, 1) == u"1")
            out += t::minus;
        out += value_of(mid(g, p + 1, 2));
        out += u'.';
        out += mid(g, p + 3, 1);
        out += t::celsius;
        return out;
    }

    void remark_temperatures()
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
                remark(t::three_hour_pressure_change, value_of(mid(cur_, 3, 2)), QStringView(u"."), mid(cur_, 5, 1),
                       t::hectopascals);
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
    void body_remarks()
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

    const TranslationSources& src_;
    const QString body_;  // the whole body, line breaks as blanks
    GroupReader reader_;
    QStringView cur_;     // the current group
    QString result_;
    QString header_time_; // hh "時" mm "分(" zone ") 発表"
    QString header_zone_;
};

}  // namespace

Translation translate_observation(const QString& code, const QString& time, const QString& body,
                                  const TranslationSources& sources)
{
    return ReportTranslator(sources, body).run(code, time);
}

}  // namespace kolde_sub
