// The per-station report files of the report server as the program reads
// them, and the texts of the report display built from them.
//
// A station file is a stamp line "YYYY/MM/DD HH:MM" (UTC), a line feed, then
// the report: for an observation "CCCC DDHHMMZ ...", for a forecast
// "TAF CCCC DDHHMMZ ..." with indented continuation lines; an amended or
// corrected forecast carries its mark before the code ("TAF AMD CCCC ...").
#pragma once

#include <QString>

namespace kolde_sub {

// Labels of the report blocks.
inline constexpr char metar_label[] = "  METAR ";
inline constexpr char speci_label[] = "  SPECI ";
inline constexpr char taf_label[] = "  TAF   ";
// Texts that stand in for a missing file.
inline constexpr char no_observation_text[] = "      NO OBSERVATION";
inline constexpr char no_forecast_text[] = "      NO FORECAST";
inline constexpr char not_found_text[] = "  NOT FOUND";
// The indent in front of the report line of an observation block.
inline constexpr char report_indent[] = "      ";

// The server answers a missing file with an HTML page.
bool is_error_page(const QString& reply);

// What identifies a file's version: its stamp time "HH:MM" (characters
// 12-16 of the reply), trimmed.
QString change_key(const QString& reply);

// One fetched station file as the display shows it.
struct StationFile {
    // The formatted report, or the text that stands in for a missing file
    // ("      NO OBSERVATION", "      NO FORECAST").
    QString text;
    // False when the observation file was missing; true for any forecast.
    bool found = true;
    // The time label ("0530Z", "1430I"); empty for a missing file.
    QString label;
};

struct StationTime {
    QString label;  // "0530Z", "1430I"; hours and minutes of the stamp
    QString zone;   // "Z", or the zone letter of the time difference
};
// The time label of a file from its stamp, in UTC or shifted by the time
// difference (a difference that is no number shifts by nothing).
StationTime station_time_label(const QString& reply, bool local, const QString& time_difference);

// The report cut out of a file and re-spaced for the console: it starts
// with the blank before the time group, loses the final line feed and ends
// in trailing blanks. A forecast's mark (AMD, COR, TRD) before its code
// stays, in front of the time group: " AMD   DDHHMMZ ...".
QString station_report_text(const QString& reply, bool forecast);

// Routine observations are issued at minutes 00, 30 and 50-59; any other
// minute means a special one.
bool is_routine_minutes(int minutes);
// The same rule on a time label "HHMMZ" (its minutes).
bool is_routine_time_label(const QString& time_label);
// "  METAR " for a routine observation, "  SPECI " otherwise.
QString observation_label(bool routine);

// The log line of a received forecast, e.g. "RJTT TAF(AMD) RECEIVED"; empty
// for the missing-forecast text (no line is written then).
QString taf_log_text(const QString& code, const QString& forecast_text);

// A company route: the group id is the last two letters of the first code
// followed by the last two letters of the second code (TTAA for RJTT RJAA);
// letters 3 and 4 of each code, whatever the codes' lengths.
bool is_company_route(const QString& list, const QString& group);

// The header line of a normal display (with its CR LF), for a company route,
// a group, the automatic-decode list or a typed list.
QString display_header(const QString& list, bool group_mode, bool auto_mode, const QString& current_group);

// The header line of one station in the Japanese display; every station but
// the first is preceded by a line break.
QString japanese_header(const QString& code, bool first);

// The block of a station without an observation file: CR LF, the code,
// "  NOT FOUND", CR LF.
QString not_found_block(const QString& code);

// The observation block of a report line "CCCC DDHHMMZ ..." as the Japanese
// and sequence displays show it: CR LF, code, METAR/SPECI label (from the
// report's own minutes), time text, CR LF, six blanks, the report without
// its code. The time text is the report's HHMM plus "Z", or the local hour,
// minutes and zone letter; latest adds " (LATEST ISSUED)". The time text is
// handed back through time_text_out when given.
QString observation_block(const QString& report, const QString& code, bool latest, bool local,
                          const QString& time_difference, QString* time_text_out = nullptr);

// The body of a report line "CCCC DDHHMMZ ...": everything from the group
// after the day-time group, whatever that group's length (a time group
// without its "Z" moves nothing); empty when there is no such group.
QString observation_body(const QString& report);

}  // namespace kolde_sub
