// The issue stamps of the dated prognostic charts: which chart is the
// latest at a given clock time, as a plain function of the date, the clock
// hour and the time difference setting.
#pragma once

#include <QDate>
#include <QString>

namespace kolde_sub {

enum class ChartCycle {
    SixHourly,    // issued at 00, 06, 12 and 18
    ThreeHourly,  // issued every three hours from 00
};

// The hour that picks the chart: the clock hour moved by the time
// difference (時差) less nine hours, brought into 0 to 23. The time
// difference is read as the value of its text: its leading sign and digits,
// 0 when it does not begin with a number ("±0" is 0).
int selection_hour(int clock_hour, const QString& time_difference);

// Twelve digits: the issue date (year, month, day) and issue time (hours
// and minutes) of the latest chart of the cycle. In the first band of the
// day (before 06 or before 03) that is the last chart of the day before.
QString dated_chart_stamp(const QDate& today, int clock_hour, const QString& time_difference, ChartCycle cycle);

}  // namespace kolde_sub
