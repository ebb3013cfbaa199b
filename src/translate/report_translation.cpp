// The Japanese translation of a whole observation: the header, the groups
// up to the pressure, the landing forecast, the remarks and the remarks
// searched for anywhere in the body. This file holds the translator's start
// and its header; the groups are in report_translation_body.cpp and the
// remarks in report_translation_remarks.cpp.

#include "translate/report_translator.h"

#include "core/shared.h"
#include "reports/zone.h"

#include <QRegularExpression>

namespace kolde_sub {

namespace jp {

namespace {

// Line breaks, tabs and other blanks (a no-break space) count as blanks
// between groups, and so do control and format characters, which no group
// holds. The end mark "=" after the last group belongs to none.
QString normalised(const QString& body)
{
    QString out = body;
    for (QChar& c : out)
        if (c.isSpace() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = u' ';
    while (out.endsWith(u' '))
        out.chop(1);
    if (out.endsWith(u'='))
        out.chop(1);
    return out;
}

const t::DirectionWord* direction_word(QChar c)
{
    const auto w = std::find_if(t::direction_words.begin(), t::direction_words.end(),
                                [c](const t::DirectionWord& d) { return d.letter == c; });
    return w == t::direction_words.end() ? nullptr : &*w;
}

// A direction group: compass letters, "-" and "/" only, a letter first and
// last (NE, SW-NW, E/SE).
bool is_direction(QStringView g)
{
    const auto compass = [](QChar c) { return c != u'-' && c != u'/'; };
    return !g.isEmpty() && compass(g.front()) && compass(g.back()) &&
           std::all_of(g.begin(), g.end(), [](QChar c) { return direction_word(c) != nullptr; });
}

}  // namespace

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

ReportTranslator::ReportTranslator(const TranslationSources& sources, const QString& body)
    : src_(sources), body_(normalised(body)), reader_(body_)
{
    result_.reserve(1024);
}

Translation ReportTranslator::run(const QString& code, const QString& time)
{
    Translation out;
    try {
        end_before_another_report(code);
        header(code, time, out.routine);
        observation();
        trend_and_remarks();
        // Without a wind line the first line follows the header directly.
        if (QStringView(result_).sliced(observation_start_).startsWith(crlf))
            result_.remove(observation_start_, crlf.size());
        // A report without a line ends with the header's empty line.
        if (result_.size() > observation_start_ || !result_.endsWith(crlf))
            result_ += crlf;
        out.text = std::move(result_);
    } catch (const Untranslatable&) {
        out.text = QString::fromUtf8(untranslatable_text);
    } catch (const Abandoned&) {
        out.text.clear();
    }
    return out;
}

// An hour of the report in local time when the settings ask for it,
// with its zone letter.
QString ReportTranslator::local_hour(QStringView hour_text, QString& zone) const
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

int ReportTranslator::utc_hour() const
{
    // A report from half past on is the next hour's (0855 is the 09 UTC one).
    int h = static_cast<int>(number_of(report_hour()));
    if (number_of(mid_or_throw(header_time_, 4, 2)) >= 30)
        ++h;
    if (src_.local_time)
        h -= time_difference_hours(src_.time_difference);
    return ((h % 24) + 24) % 24;
}

// A second report run on in the same line is another station's ("... METAR
// MMHO 060242Z ...", "HZ MHTG 060500Z ..."): the translation ends before it.
// The station's own code and time said again are passed over later.
void ReportTranslator::end_before_another_report(const QString& code)
{
    static const QRegularExpression another(
        QStringLiteral("(?:^| )(?:(?:METAR|SPECI) ([A-Z]{4})|([A-Z]{4}) \\d{6}Z)(?= |$)"));
    const QString own = trim_blanks(code).toUpper();
    for (auto it = another.globalMatch(body_); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString other = m.hasCaptured(1) ? m.captured(1) : m.captured(2);
        if (other != own && other != u"AUTO") {
            body_.truncate(m.capturedStart());
            reader_ = GroupReader(body_);
            return;
        }
    }
}

void ReportTranslator::header(const QString& code, const QString& time, bool& routine)
{
    QString name = look_up(src_.airport_name, trim_blanks(code).toUpper());
    name.remove(u'　');
    name.remove(u' ');
    const bool aerodrome = std::find(t::aerodromes.begin(), t::aerodromes.end(), QStringView(code)) !=
                           t::aerodromes.end();
    const double minute = number_of(mid_or_throw(time, 3, 2));
    routine = minute == 0 || minute == 30 || minute >= 50;
    // A report cut inside its day-time group has no hour and minute to show.
    const bool timed = time.size() >= 5 && all_digits(QStringView(time).first(4)) &&
                       number_of(QStringView(time).first(2)) <= 23 && minute <= 59;

    // The zone follows the hour and minute: a letter, or an offset that
    // has none ("+13").
    header_zone_ = time.size() > 5 ? mid_or_throw(time, 5).toString() : right(time, 1).toString();
    header_time_.clear();
    if (timed) {
        append_time(header_time_, mid_or_throw(time, 1, 2), mid_or_throw(time, 3, 2), header_zone_);
        header_time_ += t::issued;
    }

    result_ += t::header_open;
    result_ += name;
    result_ += aerodrome ? t::aerodrome_suffix : t::airport_suffix;
    result_ += routine ? t::routine_kind : t::special_kind;
    if (!timed)
        result_.chop(1);
    result_ += header_time_;
    result_ += t::header_close;
    result_ += crlf;
    result_ += crlf;
}

}  // namespace jp

Translation translate_observation(const QString& code, const QString& time, const QString& body,
                                  const TranslationSources& sources)
{
    return jp::ReportTranslator(sources, body).run(code, time);
}

}  // namespace kolde_sub
