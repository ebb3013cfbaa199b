// Program-wide flags of the windows the main window opens and hides with
// itself, and the hand-over values of the dialogs it shows.
#pragma once

namespace kolde_sub {

// True while the chart, camera or command-list window is open.
extern bool chart_open;
extern bool camera_open;
extern bool command_open;
// What the dictionary editor shows: 0 abbreviations, 1 translation words,
// 2 pictures.
extern int weather_mode;
// The PDF-reader notice's download banner was used: the caller closes the
// main window instead of opening the chart.
extern bool reader_download_requested;

}  // namespace kolde_sub
