// The forms of the groups that real reports hold beside the well-formed
// observation groups of group_forms.h: a layer or a wind with something
// glued to it, the groups of the remarks and of the landing forecast. Each
// reader takes a group only in the form that says its number, so that no
// line shows a number the report does not hold.
#pragma once

#include <QList>
#include <QStringView>

namespace kolde_sub::jp {

// The cloud layer a group begins with: FEW, SCT, BKN or OVC, the base in
// hundreds of feet or "///", then CB, TCU or a cloud type's two letters,
// and "///". What follows is no part of it: a direction (FEW025CB(E),
// FEW010CBN, BKN010CB/SE), the end mark (FEW040=) or another layer
// (FEW018CBSCT020). Empty when the group begins with no such layer, or
// when a digit follows it (FEW0014 holds no height of three digits).
QStringView leading_cloud_layer(QStringView g);

// The surface wind a group begins with when the visibility or CAVOK is
// glued to it (12006KT5000, 04003KTCAVOK); empty otherwise.
QStringView leading_wind(QStringView g);

// A wind whose direction is not reported but whose speed is: "///", two or
// three digits, the unit (///05KT, ///12MPS).
bool wind_without_direction(QStringView g);

// A day-time group said again or garbled before the wind: digits and "Z"
// (500Z, 060000Z).
bool stray_time_group(QStringView g);

// A station code: four capital letters.
bool station_code(QStringView g);

// "TL", "FM" or "AT" and four digits of hour and minute, optionally "Z"
// (TL1130, FM0550Z).
bool trend_time(QStringView g);

// A remark of the cloud layers in the national form: the amount in
// eighths, the type, the base in hundreds of feet (3SC030, 1CU015, 5CB015).
// Gives the type letters and where the height begins (0-based); false for
// any other form (3AC, 4SC, SC5AC3).
bool remark_cloud_layer(QStringView g, QStringView& type, qsizetype& height_at);

// The hourly precipitation: "P" and four digits of hundredths of inches,
// or "P////" when it was not measured.
bool hourly_precipitation(QStringView g);
// The precipitation of three, six or 24 hours: "6" or "7" and four digits,
// or four slashes.
bool period_precipitation(QStringView g);

// The groups that follow the remark temperatures: the six-hour maximum
// ("1") and minimum ("2") with a sign digit and three digits of tenths,
// the pressure tendency ("5", the tendency, three digits of tenths of
// hectopascals), and the 24-hour maximum and minimum ("4", two of them).
// Slashes stand for what was not measured.
bool extreme_temperature(QStringView g, QChar first);
bool pressure_tendency(QStringView g);
bool daily_extremes(QStringView g);

// The sea-level pressure: "SLP" and three digits.
bool sea_level_pressure(QStringView g);

// The runway of a wind shear remark: "R" or "RWY", two digits, an
// optional L, R or C (R24, RWY34L). Gives the runway without its prefix;
// empty for anything else (WSHFT 2358 is a wind shift, no runway).
QStringView wind_shear_runway(QStringView g);

// A weather event of the remarks: the phenomenon's letters, then "B"
// (began) or "E" (ended) and its time, as minutes or hour and minutes,
// several of them one after the other (RAB15, TSB1215E30, SHRAE46,
// UPE14FZRAB45). The events in order; empty when the group is of another
// form.
struct WeatherEvent {
    QStringView phenomenon;
    bool began = false;
    QStringView hour;  // empty when only the minutes are given
    QStringView minute;
};
QList<WeatherEvent> weather_events(QStringView g);

// The value of a visibility remark: metres (3500, 3500M), kilometres
// (5KM), or statute miles in whole miles or a fraction (12, 1/2, 3/4SM).
enum class RemarkVisibility { none, metres, kilometres, miles };
RemarkVisibility remark_visibility(QStringView g);

}  // namespace kolde_sub::jp
