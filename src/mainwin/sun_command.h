// The answer of the console's sunrise and sunset command: one line per
// station code, from the built-in airport positions and the sun-time
// calculation.
#pragma once

#include <QDate>
#include <QString>

namespace kolde_sub {

// The height figure of an elevation text: 15 minus the elevation, rounded
// half up to one decimal in single precision, written with at most 7
// significant digits and no trailing zeros, "+" in front when above 0 and
// "±" when 0 ("+5", "±0", "-54.8").
QString height_difference_text(const QString& elevation);

// For each code of a station-code list (4 letters at positions 1, 6, 11,
// ...), in the typed order, a line break and its line:
//   "RJTT  SUNRISE 06:50  SUNSET 16:39   ELV 21  ⊿H -6"
// with the times of that date in Japan Standard Time, or for a code without
// a position "XXXX  NOT FOUND POSITION DATA".
QString sun_times_block(const QString& codes, const QDate& date);

}  // namespace kolde_sub
