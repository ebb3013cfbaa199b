// The forms of an observation's groups. The translation reads each group by
// its form wherever it stands, so that a group a report leaves out moves no
// other group into its place.
#pragma once

#include <QStringView>

namespace kolde_sub::jp {

// A range of wind directions: three digits, "V", three digits (240V300).
bool wind_direction_range(QStringView g);

// A prevailing visibility by itself: four digits (0800, 9999, 9999NDV),
// kilometres (5KM) or statute miles (10SM, 3SM, 1/2SM, M1/4SM, P6SM). The
// whole miles of "1 1/2SM" are read with the group that follows.
bool prevailing_visibility(QStringView g);
// Whole statute miles before a fraction: one or two digits.
bool whole_miles(QStringView g);
// A fraction of a statute mile: "1/2SM", "3/16SM".
bool mile_fraction(QStringView g);
// A visibility towards one compass point: four digits and N, NE, E, SE, S,
// SW, W or NW.
bool directional_visibility(QStringView g);

// A runway visual range: "R", the runway, "/", then either slashes only
// (not reported) or a value of four digits with an optional "P" or "M", an
// optional varying upper value "V" likewise, an optional "FT" and an
// optional tendency U, D or N (after a "/" or not). Recent weather
// (RETS/RESH) and runway states (R24/450195, R24/CLRD70) are none.
bool runway_visual_range(QStringView g);

// Present weather codes: an optional intensity, then two-letter codes only.
bool weather_codes(QStringView g);

// Temperature and dew point: "M" and two digits or two digits, "/", and the
// dew point in the same form, or nothing or slashes when it is missing
// (15/08, M02/M05, 15/, 15///).
bool temperature_group(QStringView g);
// Whether the temperature group holds a dew point.
bool has_dew_point(QStringView g);

// The pressure: "Q" (hectopascals) or "A" (hundredths of inches) and four
// digits, or four slashes when it is not reported.
bool pressure_group(QStringView g);

// Words after which the observation's groups are over: the trend and the
// remarks.
bool observation_ends(QStringView g);

}  // namespace kolde_sub::jp
