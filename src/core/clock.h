// The program's one clock. Every "now" of the program is read here, so that
// tests can put the program at any moment of any day.
//
// UTC is what the reports speak. The program's local time is now_utc() plus
// the time-difference setting (時差), whatever the computer's own zone (many
// Linux machines run at UTC); the computer's zone only proposes 時差's
// default.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace kolde_sub {

// The moment now, in UTC.
[[nodiscard]] QDateTime now_utc();
// The moment now in the program's local time: its date and time are the
// wall time of UTC plus 時差 (offset from UTC set accordingly). A 時差 that
// holds no number counts as 0, as everywhere else.
[[nodiscard]] QDateTime now_local();
// Today's date and the time of day in the program's local time.
[[nodiscard]] QDate today_local();
[[nodiscard]] QTime time_local();

// For tests: from now on the clock reads `moment` (any time spec). With
// `runs` the clock goes on from there at the real pace; without it, it
// stands still until set again.
void set_clock(const QDateTime& moment, bool runs = false);
// Moves a set clock on by the given seconds (a standing clock too).
void advance_clock(qint64 seconds);
// Back to the computer's own clock.
void reset_clock();

}  // namespace kolde_sub
