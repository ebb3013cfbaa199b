// What the console is doing: the kind of the request under way, how the
// automatic decode runs, and the texts the status panel goes back to. The
// main window owns the one session and hands it to its parts; the console
// command line, the display runner, the heartbeat, the menus and image
// buttons and the printing read and change it.
#pragma once

#include <QString>

struct ConsoleSession {
    // ---- the request (set by the command line, the menus and the image
    // buttons; the display runner carries it out and ends it)
    bool new_request = false;    // the station table is built afresh on the next display
    bool group_mode = false;     // the request is a group's
    bool sequence_mode = false;  // SQ: the stations' hourly sequence
    bool japanese_mode = false;  // JP: the observation translated
    bool enter_pressed = false;  // the display was started by Enter on the console
    int station_count = 0;       // stations of the request (rows of its table)
    QString current_url;         // the observation or the forecast folder being fetched

    // ---- the automatic decode (started and stopped by the commands, run by
    // the heartbeat)
    bool auto_mode = false;   // the automatic decode is on
    bool timer_run = false;   // the display under way is the heartbeat's cycle
    bool auto_print = false;  // the display under way prints its new reports
    QString standby_start;    // when the automatic decode last went to standby ("HH:MM" UTC)

    // ---- the console and the status panel
    bool ready_line_break = false;  // the next ready prompt starts on a new line
    QString status_text;            // the status panel's text while the pane is hidden
    QString saved_status_text;      // put back when a manual display ends
};
