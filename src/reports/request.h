// The request: the text that says which stations the next display shows,
// the station table derived from it, and the counters of the automatic
// decode cycle.
#pragma once

#include "core/program.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace platform { class Recordset; }

namespace kolde_sub {

// Codes separated by single blanks (4-letter codes as a rule), optionally
// prefixed "SQ " or "JP "; empty at start-up.
extern QString current_request;
// The company group id when the request is a group route.
extern QString current_group;

// Per station: code, stamp of the last METAR file, stamp of the last TAF
// file.
enum StationColumn { station_code = 0, station_metar_stamp = 1, station_taf_stamp = 2 };
using StationRow = std::array<QString, 3>;
// Rows 1..n, one per requested station; row 0 is never used.
extern std::vector<StationRow> station_table;

// The ten-minute slot of the last hourly fetch (25 matches none).
extern int cycle_slot;

// The codes of a request: its words between blanks, in order. A code that
// is not four letters long stays one code, whatever its length, so it
// never moves the codes after it.
QStringList request_codes(const QString& request);

// The automatic-decode list as a request: each row's ICAOコード (trimmed;
// empty ones left out) and a blank, in recordset order, trimmed. Empty for
// an empty list.
QString autodecode_request(platform::Recordset& list);

// Builds the station table from the request. In automatic mode the request
// is first rebuilt from the list; an empty list leaves it empty and the
// table untouched. An empty request leaves the table untouched. Returns
// whether the table was rebuilt.
bool build_station_table(bool auto_mode, platform::Recordset& list, QString& request,
                         std::vector<StationRow>& table, int& count);

}  // namespace kolde_sub
