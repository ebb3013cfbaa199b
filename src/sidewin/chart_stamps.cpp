#include "chart_stamps.h"

#include "platform/value.h"

#include <cmath>

namespace kolde_sub {

QString dated_chart_stamp(const QDateTime& now, const QString& time_difference, ChartCycle cycle)
{
    // Only the whole hours before any other character count; a number too
    // large for an hour count is taken modulo a day, which gives the same hour.
    const double value = std::trunc(platform::leading_number(time_difference));
    const int difference = std::isfinite(value) ? static_cast<int>(std::fmod(value, 24.0)) : 0;
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
