// Program-wide values set by the start-up and read across the program: the
// addresses of the sites, the connection state, and the heartbeat's count
// and period.
#pragma once

#include <QString>

namespace kolde_sub {

// The program's own version text.
QString version_text();

// The addresses the program fetches from; no trailing "/" on update.
struct Addresses {
    // Base address of the update site; paths such as "/data/version.dat"
    // are appended.
    QString update;
    // Per-station observation and forecast folders of the report server.
    QString observations;
    QString forecasts;
    // Chart and image addresses, read only by the chart window.
    QString radar_amedas, weather_points, amedas, satellite, radar, typhoon, pdf_chart, fax_chart, upper_wind;
};
// Shared state, owner the start-up: set from the built-in addresses when the
// splash loads (set_builtin_addresses), then the update site moves to the
// stored BASEurl or the site's server file (set_update_address). Tests point
// them at their own servers.
const Addresses& addresses();
void set_update_address(const QString& url);
// The observation and forecast folders on the report server at base.
void set_report_address(const QString& base);

// Whether the update site answered the last probe. Shared state, owner the
// start-up's probe and then the heartbeat's; the buttons, menus, command
// line and tray icon read it to refuse or offer network work.
bool is_online();
void set_online(bool online);

// Seconds counted by the heartbeat since the last probe and cycle. Shared
// state, owner the heartbeat (count_cycle_tick); shared because the windows
// that open for a while postpone the next cycle.
int cycle_ticks();
void count_cycle_tick();
// Starts the count afresh: the next probe and cycle come a whole period
// from now (the heartbeat after its work, the windows that open for a while).
void postpone_next_cycle();
// Sets the count (tests).
void set_cycle_ticks(int ticks);

// 11 - バッファ (1 to 10). Shared state, owner the main window's loading and
// the options dialog's slider; the heartbeat reads it.
int update_interval();
void set_update_interval(int interval);

// Built-in addresses: $KOLDE_UPDATE_URL, $KOLDE_REPORT_URL, $KOLDE_WEB_URL,
// each http://127.0.0.1:8737 when unset; no trailing "/".
QString builtin_update_url();
QString builtin_report_url();
QString builtin_web_url();
// True when $KOLDE_UPDATE_URL names the update site for this run: it then
// wins over the address stored by an earlier run.
bool update_url_overridden();

// Sets every address to its built-in value (when the splash loads).
void set_builtin_addresses();

}  // namespace kolde_sub
