// The forms of an observation's groups. The translation reads each group by
// its form wherever it stands, so that a group a report leaves out moves no
// other group into its place.
#pragma once

#include <QStringView>

namespace kolde_sub::jp {

// Words that may stand between the day-time group and the wind: a
// correction (COR, CCA), a delayed report (RTD), or the report's kind again
// (METAR, SPECI).
bool report_word(QStringView g);

// A surface wind: three digits of direction or VRB, two or three digits of
// speed, optionally "G" and the gust, "KT" or "MPS"; a speed or gust above
// the range has a "P" before it (27015G25KT, VRB03KT, 050P99KT, 24008MPS,
// 18006KTS).
bool wind_group(QStringView g);
// A wind not reported: "/////", or slashes and the unit (/////KT).
bool missing_wind(QStringView g);
// A range of wind directions: three digits, "V", three digits (240V300).
bool wind_direction_range(QStringView g);

// A prevailing visibility by itself: four digits (0800, 9999, 9999NDV),
// kilometres (5KM) or statute miles (10SM, 3SM, 100SM, 1/2SM, M1/4SM,
// P6SM). The whole miles of "1 1/2SM" are read with the group that follows.
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

// A cloud layer: FEW, SCT, BKN or OVC, the base in hundreds of feet or
// "///", then nothing, CB, TCU, "///" or the two letters of a cloud type
// (FEW020, BKN///, SCT015CB, OVC037///, FEW300CI).
bool cloud_group(QStringView g);
// A cloud layer whose base is not reported (BKN///, ///CB).
bool cloud_base_missing(QStringView g);
// A vertical visibility: "VV" and three digits, or "VV///" when it is not
// reported.
bool vertical_visibility(QStringView g);

// Present weather codes: an optional intensity, then two-letter codes only.
bool weather_codes(QStringView g);

// Temperature and dew point: "M" and two digits or two digits, "/", and the
// dew point in the same form (15/08, M02/M05). A dew point that is missing
// (15/, 15///) or cannot be read (12/XX, 12/M2, 16/-02: a few characters
// that are not digits alone) leaves the temperature.
bool temperature_group(QStringView g);
// Whether the temperature group holds a dew point that can be read.
bool has_dew_point(QStringView g);

// The pressure: "Q" (hectopascals) or "A" (hundredths of inches) and four
// digits, or four slashes when it is not reported.
bool pressure_group(QStringView g);
// The same with four digits only.
bool pressure_reported(QStringView g);

// Words after which the observation's groups are over: the trend and the
// remarks.
bool observation_ends(QStringView g);

// The day and time of a report: two digits of day (01 to 31), two of hour
// (00 to 23) and two of minute (00 to 59), then "Z" (281230Z).
bool day_time_group(QStringView g);

// A cloud layer of the national remarks: the amount in eighths (1 to 8), the
// two letters of a cloud type, the base in hundreds of feet (3SC015). A layer
// written type first and amount after (SC5, SC5AC3) gives no base and is none.
bool national_cloud_layer(QStringView g);

// The temperatures of the remarks: "T", then for the air temperature and
// again for the dew point a sign digit (0 or 1) and three digits of tenths
// (T01230056).
bool remark_temperatures(QStringView g);

// A forecast period: day and hour of its start, "/", day and hour of its end
// (2812/2918), days 01 to 31 and hours 00 to 24, the end 1 to 30 hours after
// the start (a month may end between). The hours and minutes of a trend
// (2000/2300, 0300/0330) are none.
bool forecast_period(QStringView g);

}  // namespace kolde_sub::jp
