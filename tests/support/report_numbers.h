// The numbers a Japanese translation shows, by line, and the numbers the
// report's own groups hold, read here from the groups by their forms apart
// from the translation's reading. The table of report forms and the check
// over a whole file of real reports compare the two.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <map>

namespace kolde_test {

// By line: 風向/風速, 地上視程, RVR (the values of the runway visual range
// lines) and "RVR lines" (a 0 for each), 鉛直視程, 雲量/高度, 地上気温,
// 露点温度, 地上気圧 (inches of mercury as well), 雲底高度 (the ceiling
// remark).
using Numbers = std::map<QString, QList<double>>;

// What the lines of a translation show.
Numbers shown_numbers(const QString& translation);
// What the groups of a report body (after its code and day-time group) hold.
Numbers held_numbers(QString body);

// The lines that show a number the report does not hold, or more numbers
// than it holds; and the lines whose numbers the report holds but the
// translation does not show.
struct NumberCheck {
    QStringList foreign;
    QStringList lost;
};
NumberCheck check_numbers(const QString& body, const QString& translation);

}  // namespace kolde_test
