// The rules of printing the console that need no window: the daily print
// window of automatic printing, the header line and the notice lines.
#pragma once

#include <QDateTime>
#include <QString>

namespace kolde_sub {

// The number in the leading digits of a text ("08" -> 8, "7x" -> 7); 0 when
// it begins with none. Leading blanks are skipped.
int leading_digits(const QString& text);
// Minutes of the day of an hour text and a minute text.
int minutes_of_day(const QString& hour_text, const QString& minute_text);
// The print window is closed at both ends and does not wrap past midnight.
bool inside_print_window(int now_minutes, int start_minutes, int end_minutes);

// "*** WEATHER OBSERVATION AND FORECASTS ***   KOLDE Version 4.31   03-05-2012   09:15:00"
QString print_header_line(const QString& version, const QDateTime& at);

// The notice box after a notice: old & CR LF & text & hh:mm:ss & CR LF.
QString with_notice_line(const QString& old_text, const QString& text, const QTime& at);

}  // namespace kolde_sub
