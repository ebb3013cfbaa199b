// The arithmetic of the heartbeat: how often it probes the update site, how
// long a probe may take, what counts as an answer, and when the automatic
// decode cycle may run again after the last one.
#pragma once

#include <QString>

class QDateTime;

namespace kolde_sub {

// The update interval u is 11 - バッファ (the line-speed setting, 1 to 10);
// the functions below take a u outside 1..10 as the nearest end of that
// range, so a stored setting out of range can neither make the heartbeat
// probe on every tick nor stop it.

// Seconds from one probe to the next: (u - 1) * 10 + 20.
int probe_period_seconds(int update_interval);
// The request time-out of a probe: (u - 1) * 10 + 60 seconds.
int probe_timeout_seconds(int update_interval);

// How many times in a row a sequence display waiting for hourly files shows
// itself again (every three seconds): enough to outlast two probe periods,
// so the heartbeat gets to download the hours, and never for ever.
int sequence_retry_cap(int update_interval);

// A probe reply answers when it arrived and is neither empty nor the
// server's HTML error page.
bool probe_answered(bool transfer_ok, const QString& reply);

// The wait between decode cycles is kept in UTC, the time the reports
// speak: the stamp of the last cycle and the time it is compared with are
// both UTC times of day, so a change of 時差 while the program runs neither
// holds the next cycle off nor brings it forward.

// The end of the wait after the cycle that ran at standby_start ("HH:MM"
// UTC; an empty or unreadable part counts 0): the start plus
// update_interval minutes, as minutes of the day. It does not wrap over
// midnight: an end of 24:00 or later comes out 1440 smaller (23:59 + 1
// gives 0, 23:58 + 5 gives 3).
int standby_end_minutes(const QString& standby_start, int update_interval);

// True while the cycle still waits: a cycle has run (the stamp is not
// empty), the UTC time of day of now (in minutes) is below the end and the
// end is not 0.
bool in_standby(const QString& standby_start, int update_interval, const QDateTime& now);

// The UTC time of day of now as the cycle records it: "HH:MM".
QString standby_stamp(const QDateTime& now);

}  // namespace kolde_sub
