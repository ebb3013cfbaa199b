// The program's one clock. Every "now" of the program is read here, so that
// tests can put the program at any moment of any day.
//
// UTC is what the reports speak; the computer's local time is what the
// computer shows. Where the program shows the time of the time-difference
// setting (時差), it adds that difference to now_utc(): the computer's own
// zone may be another (many Linux machines run at UTC).
#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace kolde_sub {

// The moment now, in UTC.
[[nodiscard]] QDateTime now_utc();
// The moment now, in the computer's local time.
[[nodiscard]] QDateTime now_local();
// Today's date and the time of day on the computer's clock.
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
