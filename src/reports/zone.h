// Time labels the user sees: the military zone letter of a whole-hour
// offset from UTC, and the last-update label of the automatic decode cycle.
#pragma once

#include <QDateTime>
#include <QString>

namespace kolde_sub {

// The military time-zone letter of a whole-hour offset from UTC ("Z" for 0,
// "A".."M" east without J, "N".."Y" west); outside -12..+12, where no letter
// exists, the offset itself with its sign ("+13", "-13").
QString zone_letter(int hours);

// Wraps any whole hour into 0..23.
int wrap_day_hour(int hour);

// The last-update label of the automatic decode cycle at the moment now (any
// time spec: only the moment counts, not the zone of the computer's clock).
// Gives "HH:MM(Z)" in UTC, or, when local is set, the time of
// time_difference "HH:MM(L)" with its zone letter.
// When local is set and time_difference holds no number at all, the result
// is an empty text: the caller then keeps the status text it had.
QString format_update_time(const QDateTime& now, bool local, const QString& time_difference);

}  // namespace kolde_sub
