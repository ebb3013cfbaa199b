#include "chart_stamps.h"

#include "platform/value.h"

#include <cmath>

namespace kolde_sub {

int selection_hour(int clock_hour, const QString& time_difference)
{
    // Only the whole hours before any other character count; a number too
    // large for an hour count is taken modulo a day, which gives the same hour.
    const double value = std::trunc(platform::leading_number(time_difference));
    const int difference = std::isfinite(value) ? static_cast<int>(std::fmod(value, 24.0)) : 0;
    const int h = (clock_hour % 24 - 9 + difference) % 24;
    return h < 0 ? h + 24 : h;
}

QString dated_chart_stamp(const QDate& today, int clock_hour, const QString& time_difference, ChartCycle cycle)
{
    const int band_hours = cycle == ChartCycle::SixHourly ? 6 : 3;
    const int band = selection_hour(clock_hour, time_difference) / band_hours;
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
