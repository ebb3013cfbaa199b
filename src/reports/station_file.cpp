#include "reports/station_file.h"

#include "platform/value.h"
#include "reports/request.h"
#include "reports/zone.h"
#include "core/shared.h"

#include <algorithm>
#include <cmath>

namespace kolde_sub {

namespace {

const QString crlf = QStringLiteral("\r\n");

int number_of(const QString& text)
{
    return static_cast<int>(std::lround(platform::leading_number(text)));
}

QString two_digits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A report taken from a file may end in the file's bare line feed; the
// console breaks lines with CR LF only.
QString with_crlf_breaks(QString text)
{
    text.replace(crlf, QStringLiteral("\n"));
    text.replace(u'\n', crlf);
    return text;
}

}  // namespace

bool is_error_page(const QString& reply)
{
    return reply.startsWith(u'<');
}

namespace {

// Where the group that begins at or after from ends: the blank or line
// break after it, or the end of the text.
qsizetype group_end(const QString& s, qsizetype from)
{
    while (from < s.size() && s[from].isSpace())
        ++from;
    while (from < s.size() && !s[from].isSpace())
        ++from;
    return from;
}

}  // namespace

QString change_key(const QString& reply)
{
    return reply.mid(11, 5).trimmed();
}

StationTime station_time_label(const QString& reply, bool local, const QString& time_difference)
{
    int hours = number_of(reply.mid(11, 2));
    const QString minutes = reply.mid(14, 2);
    StationTime t;
    if (local) {
        const int diff = time_difference_hours(time_difference);
        hours = wrap_day_hour(hours + diff);
        t.zone = zone_letter(diff);
    } else {
        t.zone = QStringLiteral("Z");
    }
    t.label = (hours < 10 ? QStringLiteral("0") : QString()) + QString::number(hours) + minutes + t.zone;
    return t;
}

namespace {

// Where the report of a station file begins: after the stamp line and its
// line feed.
constexpr qsizetype report_start = 17;

// The marks an amended, corrected or otherwise marked forecast may carry
// between "TAF" and its code.
bool is_forecast_mark(QStringView group)
{
    return group == u"AMD" || group == u"COR" || group == u"TRD";
}

// The marks a forecast's first line carries before its code ("TAF AMD
// CCCC"), each with the blank in front of it; from is set to the blank after
// the code, where the console's text goes on. "TAF" itself and the code are
// left out.
QString forecast_marks(const QString& reply, qsizetype& from)
{
    QString marks;
    qsizetype at = std::min(report_start, reply.size());
    if (const qsizetype taf_end = group_end(reply, at); QStringView(reply).mid(at, taf_end - at).trimmed() == u"TAF")
        at = taf_end;
    for (;;) {
        const qsizetype end = group_end(reply, at);
        const QStringView group = QStringView(reply).mid(at, end - at).trimmed();
        at = end;
        if (!is_forecast_mark(group))
            break;
        marks += u' ';
        marks += group;
    }
    from = at;
    return marks;
}

}  // namespace

QString station_report_text(const QString& reply, bool forecast)
{
    // Observation: from the blank after the code; forecast: from the blank
    // after "TAF CCCC", the marks before the code in front. Both stop before
    // the final line feed.
    qsizetype from = report_start + 4;
    QString text = forecast ? forecast_marks(reply, from) : QString();
    const qsizetype length = reply.size() - from - 1;
    if (length > 0)
        text += reply.mid(from, length);
    text += QStringLiteral("     ");

    text.replace(QStringLiteral("TRD"), QStringLiteral("TRD  "));
    text.replace(QStringLiteral("AMD"), QStringLiteral("AMD  "));
    text.replace(QStringLiteral("COR"), QStringLiteral("COR  "));
    text.replace(QStringLiteral("       "), QStringLiteral("     "));
    text.replace(QStringLiteral("      "), QStringLiteral("     "));
    text.replace(QStringLiteral("    "), QStringLiteral("     "));
    text.replace(QStringLiteral("BECMG"), QStringLiteral("BECMG  "));
    text.replace(QStringLiteral("TEMPO"), QStringLiteral("TEMPO  "));
    return text;
}

bool is_routine_minutes(int minutes)
{
    return minutes >= 50 || minutes == 0 || minutes == 30;
}

bool is_routine_time_label(const QString& time_label)
{
    return is_routine_minutes(number_of(time_label.mid(2, 2)));
}

QString observation_label(bool routine)
{
    return QString::fromLatin1(routine ? metar_label : speci_label);
}

QString taf_log_text(const QString& code, const QString& forecast_text)
{
    if (forecast_text == QLatin1String(no_forecast_text))
        return QString();
    if (forecast_text.contains(QStringLiteral("AMD")))
        return code + QStringLiteral(" TAF(AMD) RECEIVED");
    if (forecast_text.contains(QStringLiteral("COR")))
        return code + QStringLiteral(" TAF(COR) RECEIVED");
    if (forecast_text.contains(QStringLiteral("TRD")))
        return code + QStringLiteral(" TAF(TRD) RECEIVED");
    return code + QStringLiteral(" TAF   RECEIVED");
}

bool is_company_route(const QString& list, const QString& group)
{
    const QStringList codes = request_codes(list);
    return group.size() == 4 && codes.size() >= 2 && codes[0].mid(2, 2) == group.mid(0, 2) &&
           codes[1].mid(2, 2) == group.mid(2, 2);
}

QString display_header(const QString& list, bool group_mode, bool auto_mode, const QString& current_group)
{
    if (group_mode && is_company_route(list, current_group)) {
        const QStringList codes = request_codes(list);
        return QStringLiteral("*** ") + codes[0] + QStringLiteral(" - ") + codes[1] +
               QStringLiteral(" COMPANY ROUTINE ROUTE OBSERVATION AND FORECASTS ***") + crlf;
    }
    if (group_mode)
        return QStringLiteral("*** ") + current_group + QStringLiteral(" - GROUP FORMAT OBSERVATION AND FORECASTS ***") +
               crlf;
    if (auto_mode)
        return QStringLiteral("*** AUTO DECODE - WEATHER OBSERVATION AND FORECASTS ***") + crlf;
    return QStringLiteral("*** ") + list + QStringLiteral(" - WEATHER OBSERVATION AND FORECASTS ***") + crlf;
}

QString japanese_header(const QString& code, bool first)
{
    return (first ? QString() : crlf) + QStringLiteral("*** ") + code +
           QStringLiteral(" - JAPANESE TRANSLATION WEATHER OBSERVATION ***") + crlf;
}

QString not_found_block(const QString& code)
{
    return crlf + code + QString::fromLatin1(not_found_text) + crlf;
}

QString observation_block(const QString& report, const QString& code, bool latest, bool local,
                          const QString& time_difference, QString* time_text_out)
{
    const bool routine = is_routine_minutes(number_of(report.mid(9, 2)));
    // The hour and minute of the day-time group, and nothing past its end
    // (a report cut inside its time group brings no line break along).
    qsizetype time_start = group_end(report, 0);
    while (time_start < report.size() && report[time_start].isSpace())
        ++time_start;
    const qsizetype hhmm = std::clamp<qsizetype>(group_end(report, time_start) - time_start - 2, 0, 4);
    QString time_text = report.mid(time_start + 2, hhmm);
    if (local) {
        const int diff = time_difference_hours(time_difference);
        const int hour = wrap_day_hour(number_of(time_text.left(2)) + diff);
        time_text = two_digits(hour) + time_text.mid(2, 2) + zone_letter(diff);
    } else {
        time_text += u'Z';
    }
    if (latest)
        time_text += QStringLiteral(" (LATEST ISSUED)");
    if (time_text_out)
        *time_text_out = time_text;
    return crlf + code + observation_label(routine) + time_text + crlf + QString::fromLatin1(report_indent) +
           with_crlf_breaks(report.mid(5));
}

QString observation_body(const QString& report)
{
    // The code, then the day-time group, then the body.
    qsizetype at = group_end(report, group_end(report, 0));
    while (at < report.size() && report[at].isSpace())
        ++at;
    return report.mid(at);
}

}  // namespace kolde_sub
