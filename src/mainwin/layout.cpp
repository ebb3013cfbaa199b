#include "layout.h"

namespace kolde_sub {

ConsoleLayout console_layout(int inner_width, int inner_height, int status_height, int frame_height,
                             int window_width, int padshape_left)
{
    ConsoleLayout l;
    const int left1 = 30;
    const int top1 = frame_height + 100;
    const int height1 = inner_height - status_height - frame_height - 100;
    const int width1 = inner_width - 2 * left1;
    l.textbox1 = QRect(left1, top1, width1, height1);

    const int height0 = height1 - 200;
    l.textbox0 = QRect(200, top1 + 100, width1 - 250, height0);

    const int width2 = 370;
    const int top2 = top1 + (height1 - height0) / 4;
    const int height2 = height0 + (height1 - height0) / 2;
    l.textbox2 = QRect(width1 - width2 - left1, top2, width2, height2);

    l.line_x2 = window_width;

    l.padshape_width = width1 - padshape_left + left1;
    l.padlbl_left = padshape_left + 60;
    l.padlbl_width = l.padshape_width - 2 * (l.padlbl_left - padshape_left);
    l.input_left = l.padlbl_left;
    l.input_width = l.padlbl_width - 550;
    l.go_left = l.input_left + l.input_width + 50;
    return l;
}

QPoint banner_position(QSize window_outer, QSize banner)
{
    return QPoint((window_outer.width() - banner.width()) / 2, (window_outer.height() - banner.height()) / 2);
}

}  // namespace kolde_sub
