// Time labels the user sees: the military zone letter of a whole-hour
// offset from UTC, and the last-update label of the automatic decode cycle.
#pragma once

#include <QString>

namespace kolde_sub {

// The military time-zone letter of a whole-hour offset from UTC ("Z" for 0,
// "A".."M" east without J, "N".."Y" west); outside -12..+12, where no letter
// exists, the offset itself with its sign ("+13", "-13").
QString zone_letter(int hours);

// Wraps any whole hour into 0..23.
int wrap_day_hour(int hour);

// The last-update label of the automatic decode cycle. time_text is the
// computer's time of day "HH:MM:SS"; the computer clock is taken as Japan
// time (UTC + 9). Gives "HH:MM(Z)" in UTC, or "HH:MM(L)" with the zone
// letter of time_difference when local is set.
// When local is set and time_difference holds no number at all, the result
// is an empty text: the caller then keeps the status text it had.
QString format_update_time(const QString& time_text, bool local, const QString& time_difference);

}  // namespace kolde_sub
