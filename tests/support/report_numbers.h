// What each line of a Japanese translation shows, and what the report's own
// groups hold for a line of that kind, read here from the groups by their
// forms (support/report_forms.h) apart from the translation's reading. The
// table of report forms and the check over a whole file of real reports
// compare the two.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <map>

namespace kolde_test {

// Kinds of line: the label ("風向/風速", "雲量/高度", "着陸予報", ...), the
// header "見出し", and for a remark "備考:" and what it tells ("備考:海面気圧",
// "備考:降水時刻", ...). Items are those of support/report_forms.h.
struct ShownLine {
    QString kind;
    QString text;
    QStringList items;
    // What a line without numbers tells, for the lines lost: each weather
    // group or dictionary word of a weather line, the whole text of others.
    QStringList words;
    bool empty = false;    // a label or indent with nothing after it
    bool control = false;  // a control character or a raw line break inside the line
};
QList<ShownLine> shown_lines(const QString& translation);

// How the report was translated.
struct ReportContext {
    // The day-time group ("061230Z"); empty: the header is not checked.
    QString day_time;
    // Hours added to the report's times when they are shown in local time,
    // and the zone letter they are shown with.
    int difference = 0;
    QString zone = QStringLiteral("Z");
    // The meaning of a group in the translation dictionary: the numbers of
    // a meaning are the dictionary's, and the weather and trend lines may
    // show them.
    std::function<QString(QStringView)> dictionary;
};

// What a report holds, by kind of line: the items a line may show, and
// those the translation must show (the observation's groups, the sea-level
// pressure, the remark temperatures, the altimeter and ceiling remarks).
struct Held {
    std::map<QString, QStringList> allowed, required;
};
Held held_items(const QString& body, const ReportContext& context = {});

struct LineFault {
    QString kind;
    QString line;
    QString item;
};

// foreign: the kinds of line that show an item the report does not hold, or
// more often than it holds it; lost: the kinds whose required items are not
// all shown; empty, control: the kinds with such a line. details names each.
struct NumberCheck {
    QStringList foreign, lost, empty, control;
    QList<LineFault> foreign_details, lost_details;
};
NumberCheck check_numbers(const QString& body, const QString& translation, const ReportContext& context = {});

// The items that the lines of before showed, that were the report's own,
// and that no line of now shows, by kind; and the words of the lines without
// numbers (the weather's only when they are the report's own groups or
// their dictionary meanings).
std::map<QString, QStringList> no_longer_shown(const QString& body, const QString& before, const QString& now,
                                               const ReportContext& context = {});

// The items of wanted that no item of pool stands for (forms::fits(pool
// item, wanted item)), each item of pool standing for one only.
QStringList unmatched(const QStringList& wanted, QStringList pool);

// A control character or raw line break.
bool control_character(QChar c);

}  // namespace kolde_test
