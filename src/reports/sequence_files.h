// The work files behind the sequence display: local copies of the report
// server's hourly cycle files (data/hh.dat) and the record of shown
// observations (data/sequence.dat), and the sequence text built from them.
#pragma once

#include <QString>

#include <map>
#include <vector>

class QTime;

namespace kolde_sub {

inline constexpr char loading_sequence_text[] = "  LOADING SEQUENCE DATA AT ";
inline constexpr char no_data_at_text[] = "  NO DATA AT ";
inline constexpr char no_sequence_data_text[] = "  NO SEQUENCE DATA";
// The line added to the console when data/sequence.dat does not exist.
inline constexpr char no_sequence_file_text[] = "NO SEQUENCE DATA";

// ---- hours and hourly cycle files

// The cycle hours of a range: the hours_back past hours, oldest first,
// then the current hour, each in 0..23.
std::vector<int> cycle_hours_to_fetch(int utc_hour, int hours_back);

// The ten-minute slot of a time of day (the tens digit of its minutes).
int ten_minute_slot(const QTime& time);

// The server's cycle file of a UTC hour. report_base is the server root
// without a trailing "/".
QString cycle_file_url(const QString& report_base, int hour);
// The local copy of an hour's cycle file: data/hh.dat in the program folder.
QString cycle_copy_path(int hour);
// Writes a cycle reply as the hour's local copy (replacing it): the reply
// unchanged, then CR LF.
bool write_cycle_copy(const QString& path, const QString& reply);

// The hour of a cycle file as the sequence display names it: "0900Z", or
// the local hour with its zone letter ("1800I").
QString hourly_time_text(int file_hour, bool local, const QString& time_difference);

// A report in an hourly file is one line of a few hundred characters, and a
// station issues a few in an hour. A longer line is cut at the first limit,
// and reports past the second are left out, so that whatever an hourly file
// holds, the console gets no more than it lays out at once.
inline constexpr qsizetype hourly_report_limit = 1024;
inline constexpr int hourly_reports_per_station = 50;

struct HourlySearch {
    QString blocks;      // the observation blocks found, each followed by CR LF
    bool found = false;  // the file gave at least one report not shown before
};
// Finds the station's reports in the text of one hourly file. A report runs
// from the code to the next line feed (cut at hourly_report_limit); its
// first 12 characters (code, blank, time group) are its key. Reports whose
// key is already in key_list are skipped; the others, up to
// hourly_reports_per_station, are added to it (each key preceded by a
// blank).
HourlySearch search_hourly_file(const QString& file_text, const QString& code, QString& key_list, bool local,
                                const QString& time_difference);

// The header of one station in the sequence display; every station but the
// first is preceded by a line break.
QString sequence_header(const QString& code, bool first);

struct StationSequence {
    QString text;                 // header and the station's blocks
    bool missing_hours = false;   // an hourly file was missing: show again later
};
// The sequence text of one station: the hourly files of first_hour ..
// first_hour + hours_back (hour -> file text; a missing hour is absent from
// the map), then the station's latest report from its own file unless an
// hourly file already held it. A latest reply that is the server's error
// page gives "  NOT FOUND" and no history.
StationSequence station_sequence(const QString& code, bool first, const QString& latest_reply,
                                 const std::map<int, QString>& hourly_files, int first_hour, int hours_back,
                                 bool local, const QString& time_difference);

// ---- data/sequence.dat

QString sequence_file_path();

// Appends one record (header line, CR LF, observation text) followed by an
// empty line; creates the file when missing.
bool append_sequence_record(const QString& path, const QString& record);

// The records of one station in the text of data/sequence.dat (header
// lines that begin with the code and a blank), each once, or CR LF, the
// code, "  NO SEQUENCE DATA", CR LF when there is none.
QString sequence_file_buffer(const QString& file_text, const QString& code);

// Reads a work file whole (empty when it cannot be read).
QString read_work_file(const QString& path);

}  // namespace kolde_sub
