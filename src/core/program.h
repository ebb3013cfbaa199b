// Program-wide values set by the start-up and read across the program.
#pragma once

#include <QString>

namespace kolde_sub {

// The program's own version text.
extern QString version_text;
// Base address of the update site (no trailing "/"); paths such as
// "/data/version.dat" are appended. Built in, then replaced by the stored
// BASEurl and by the site's server file.
extern QString update_base_url;
// Per-station observation and forecast folders of the report server.
extern QString obs_base_url;
extern QString taf_base_url;
// Chart and image addresses, read only by the chart window.
extern QString url_radar_amedas, url_weather_points, url_amedas, url_satellite, url_radar, url_typhoon,
    url_pdf_chart, url_fax_chart, url_upper_wind;
// Whether the update site answered the last probe.
extern bool online;
// Seconds counted by the heartbeat since the last probe and cycle.
extern int cycle_tick_count;
// Starts the count afresh: the next probe and cycle come a whole period
// from now (the heartbeat after its work, the windows that open for a while).
void postpone_next_cycle();
// 11 - バッファ (1 to 10).
extern int update_interval;
// Set when a sound that the program waits for has finished (or the wait
// for it ended).
extern bool sound_done;

// Built-in addresses: $KOLDE_UPDATE_URL, $KOLDE_REPORT_URL, $KOLDE_WEB_URL,
// each http://127.0.0.1:8737 when unset; no trailing "/".
QString builtin_update_url();
QString builtin_report_url();
QString builtin_web_url();
// True when $KOLDE_UPDATE_URL names the update site for this run: it then
// wins over the address stored by an earlier run.
bool update_url_overridden();

// Sets version_text and every built-in address (when the splash loads).
void set_builtin_addresses();

}  // namespace kolde_sub
