// Report groups read by their forms, each with the numbers it holds, for the
// checks that compare a translation or an explanation with the report. This
// reading is kept apart from the program's own: a fault there must not hide
// here.
//
// An item is what one line may show of a group: a number in its shortest
// decimal form ("2500", "29.92", "-1.2"), a time "06:30(Z)", a cloud layer
// "少量 2500 CB" (amount word, height in feet or "?", CB, TCU or "-"), or a
// pair such as "6 0.12" (period and amount).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace kolde_test::forms {

// The shortest decimal form of a number, minus zero as zero.
QString number_key(double v);
// The numbers of a text as keys, "マイナス" (with or without a blank after
// it) making the next one negative.
QStringList number_keys(QStringView text);
// The same, and a time "hh時mm分(zone)" as one item "hh:mm(zone)".
QStringList time_keys(QStringView text, QString* rest = nullptr);

// "hh:mm(zone)".
QString time_key(QStringView hour, QStringView minute, QStringView zone);
// The hour of hh moved by difference hours, in two digits (a day's 24 hours).
QString moved_hour(QStringView hh, int difference);

// A cloud layer item, and whether one shown item may stand for another:
// equal items do; a layer of the same amount and height does when the one
// standing for it names no CB or TCU, or the same.
QString layer_key(QStringView amount, QStringView height, QStringView type);
bool fits(const QString& held, const QString& shown);

// A group without the report's closing "=".
QString without_end(const QString& group);

// ---- observation groups (whole groups; nothing when the form differs)

// Direction, mean speed and gust; 0.4 for calm in knots; 100 (knots) or 50
// (metres per second) for a speed above the range ("P99"). Calm in metres
// per second, CALM and a wind not reported hold no number.
std::optional<QStringList> wind(const QString& g);
bool wind_not_reported(const QString& g);
// "240V300".
std::optional<QStringList> wind_range(const QString& g);
// A prevailing visibility ("0800", "9999" for 10 km, "5KM", "1/2SM"),
// or one towards a point ("4000SW"), or whole miles ("1") that a fraction
// follows.
std::optional<QStringList> prevailing_visibility(const QString& g);
std::optional<QStringList> directional_visibility(const QString& g);
bool whole_miles(const QString& g);
bool mile_fraction(const QString& g);
// The runway's number and the values of a runway visual range.
std::optional<QStringList> runway_visual_range(const QString& g);
// The layers of a cloud group ("FEW025CB", "BKN010CB/SE", "FEW///"); two
// layers written together are both read.
std::optional<QStringList> cloud_layers(const QString& g);
// "VV005": 500; "VV///": no number.
std::optional<QStringList> vertical_visibility(const QString& g);
// "M02/M05": air temperature and, when it is reported, the dew point.
struct Temperatures {
    QStringList air, dew;
};
std::optional<Temperatures> temperatures(const QString& g);
// "A2992": 29.92; "Q1013": 1013.
std::optional<QStringList> altimeter(const QString& g);
std::optional<QStringList> qnh(const QString& g);
// "251230Z": day, hour and minute (a day, hour or minute out of its range
// is no time).
struct DayTime {
    QString day, hour, minute;
};
std::optional<DayTime> day_time(const QString& g);

// ---- remark groups

// "SLP013": 1001.3; "SLP982": 998.2.
std::optional<QStringList> sea_level_pressure(const QString& g);
// "T01230056": 12.3 and 5.6 (sign digit 1 below zero).
std::optional<Temperatures> remark_temperatures(const QString& g);
// "P0012": 0.12, "P0000": "trace".
std::optional<QStringList> hourly_precipitation(const QString& g);
// "60012": "6 0.12" in the reports nearest 00, 06, 12 and 18 UTC, "3 0.12"
// in those nearest 03, 09, 15 and 21, both in others or when the time is
// not known (empty day_time); "70125": "24 1.25"; "6////": "6 ?" or "3 ?".
std::optional<QStringList> period_precipitation(const QString& g, const QString& day_time);
// A present weather group ("-SHRA", "VCTS", "BR", "RERA").
bool weather_group(const QString& g);
// "10123": "高 6 12.3"; "21012": "低 6 -1.2"; "401230056": "高 24 12.3",
// "低 24 5.6".
std::optional<QStringList> extreme_temperatures(const QString& g);
// "52015": "3 1.5".
std::optional<QStringList> pressure_tendency(const QString& g);
// "3SC030": the layer "散在 3000 -", "1CB020": "少量 2000 CB"; with its
// amount digit.
struct RemarkLayer {
    QString layer;
    int octas = 0;
};
std::optional<RemarkLayer> remark_layer(const QString& g);
// The times of the begin and end groups of precipitation ("RAB15",
// "TSB1215E30", "RAB1159E12SNB12"): hour from the group or, for minutes
// alone, the report's hour, each as a time item in the given zone.
std::optional<QStringList> precipitation_times(const QString& g, QStringView report_hour, int difference,
                                               QStringView zone);
// A direction group of a remark: "NE", "NNW", "SW-NW".
bool direction(const QString& g);
// "CIG 015", "CIG 010V015": the heights.
std::optional<QStringList> ceiling(const QString& g);
// The runway of a wind shear remark: "R24", "RWY24L".
std::optional<QStringList> wind_shear_runway(const QString& g);
// The value of a remark visibility with its unit: "3000 メートル", "5 キロメートル",
// "1_1_2 陸マイル" (for "1 1/2": next is the group after g); two readings
// joined by "|" ("11/2": 11/2 or 1 1/2).
std::optional<QString> remark_visibility(const QString& g, const QString& next);

}  // namespace kolde_test::forms
