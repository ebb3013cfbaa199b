#include "chart_stamps.h"

#include "core/shared.h"

namespace kolde_sub {

QString dated_chart_stamp(const QDateTime& now, const QString& time_difference, ChartCycle cycle)
{
    // 時差 read as everywhere in the program: a text that is no time
    // difference counts as 0.
    const int difference = time_difference_hours(time_difference);
    const QDateTime there = now.toUTC().addSecs(difference * 3600LL);
    const QDate today = there.date();
    const int band_hours = cycle == ChartCycle::SixHourly ? 6 : 3;
    const int band = there.time().hour() / band_hours;
    // The chart of a band is the one issued at the start of the band before.
    QDate day = today;
    int issue_hour = (band - 1) * band_hours;
    if (band == 0) {
        day = today.addDays(-1);
        issue_hour = 24 - band_hours;
    }
    return QStringLiteral("%1%2%3%4")
               .arg(day.year(), 4, 10, QLatin1Char('0'))
               .arg(day.month(), 2, 10, QLatin1Char('0'))
               .arg(day.day(), 2, 10, QLatin1Char('0'))
               .arg(issue_hour, 2, 10, QLatin1Char('0'))
           + QStringLiteral("00");
}

}  // namespace kolde_sub
