// The request: the text that says which stations the next display shows,
// the station table derived from it, and the counters of the automatic
// decode cycle.
#pragma once

#include "core/program.h"

#include <QString>
#include <QStringList>

#include <array>
#include <utility>
#include <vector>

namespace platform { class Recordset; }

namespace kolde_sub {

// Per station: code, stamp of the last METAR file, stamp of the last TAF
// file.
enum StationColumn { station_code = 0, station_metar_stamp = 1, station_taf_stamp = 2 };
using StationRow = std::array<QString, 3>;

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

// The request at hand with its station table and the slot of the last hourly
// fetch.
class Request {
public:
    // Codes separated by single blanks (4-letter codes as a rule), optionally
    // prefixed "SQ " or "JP "; empty at start-up.
    const QString& codes() const { return codes_; }
    void set_codes(const QString& codes) { codes_ = codes; }
    // Drops a leading prefix ("SQ ", "JP "); true when the codes had it.
    bool drop_prefix(const QString& prefix);
    // The company group id when the request is a group route.
    const QString& group() const { return group_; }
    void set_group_route(const QString& route, const QString& group);
    void set_group(const QString& group) { group_ = group; }
    void forget_group() { group_.clear(); }

    // Rows 1..n, one per requested station; row 0 is never used.
    const std::vector<StationRow>& stations() const { return stations_; }
    // build_station_table over the codes and the station table.
    bool rebuild_stations(bool auto_mode, platform::Recordset& list, int& count);
    // Row r (1..n) replaced; nothing outside the table.
    void set_station(int r, const StationRow& row);
    // The stamps of rows 1..count emptied: every station's reports count as
    // new at the next display.
    void forget_stamps(int count);
    void set_stations(std::vector<StationRow> rows) { stations_ = std::move(rows); }

    // The ten-minute slot of the last hourly fetch (25 matches none).
    int cycle_slot() const { return cycle_slot_; }
    // Takes slot for the hourly fetch; false when it was taken already.
    bool take_cycle_slot(int slot);
    // The next hourly fetch does its work whatever the slot.
    void forget_cycle_slot() { cycle_slot_ = 25; }

private:
    QString codes_;
    QString group_;
    std::vector<StationRow> stations_;
    int cycle_slot_ = 25;
};

// Shared state, one object, owner the main window: its displays, command
// line, menus and buttons set the request and group and rebuild the station
// table, its heartbeat updates the stamps and takes the cycle slot, the
// options dialog forgets the slot; the colouring reads the group.
Request& current_request();

}  // namespace kolde_sub
