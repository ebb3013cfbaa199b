// Positions of the main window's controls. The window is laid out in twips
// (15 twips per pixel); the console layout is worked out once, at the
// first activation, from the window's inner size.
#pragma once

#include "core/twips.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kolde_sub {


struct ConsoleLayout {
    QRect textbox1;  // backing box (also the browser pane's place)
    QRect textbox0;  // the console
    QRect textbox2;  // the cover box over the console's right edge
    int line_x2 = 0;
    int padshape_width = 0;
    int padlbl_left = 0;
    int padlbl_width = 0;
    int input_left = 0;
    int input_width = 0;
    int go_left = 0;
};

// All values in twips. inner_* is the window's client area (status bar
// included), window_width its outer width.
ConsoleLayout console_layout(int inner_width, int inner_height, int status_height, int frame_height,
                             int window_width, int padshape_left);

// Where the start banner goes on the client area: centred on the window's
// outer size (frame, menu bar and status bar included), in any one unit.
QPoint banner_position(QSize window_outer, QSize banner);

}  // namespace kolde_sub
