// The issue stamps of the dated prognostic charts: which chart is the
// latest at a given moment, as a plain function of the moment and the time
// difference setting.
#pragma once

#include <QDateTime>
#include <QString>

namespace kolde_sub {

enum class ChartCycle {
    SixHourly,    // issued at 00, 06, 12 and 18
    ThreeHourly,  // issued every three hours from 00
};

// Twelve digits: the issue date (year, month, day) and issue time (hours
// and minutes) of the latest chart of the cycle at the moment now, counted
// in the time of the time difference (時差): UTC plus the value of its text
// (its leading sign and digits, taken modulo a day; 0 when it does not
// begin with a number, "±0" is 0). In the first band of that day (before
// 06 or before 03) it is the last chart of the day before.
QString dated_chart_stamp(const QDateTime& now, const QString& time_difference, ChartCycle cycle);

}  // namespace kolde_sub
