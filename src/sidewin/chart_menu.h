// The chart window's menu of charts, images and pages as one table, and the
// addresses it opens. The addresses are made from the chart base addresses
// (core/program.h) and the outside sites' addresses when the table is built.
#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

namespace kolde_sub {

struct ChartMenuItem {
    enum class Kind {
        Submenu,           // opens a submenu: the following deeper items are in it
        Separator,         // caption "-"
        Chart,             // a fixed address
        DatedSixHourly,    // address + issue stamp + ".png", six-hourly charts
        DatedThreeHourly,  // the same, three-hourly charts
    };
    Kind kind;
    int depth;        // 0: directly in the chart menu; a submenu's items are one deeper
    QString name;     // the menu item's name
    int index;        // its index in its item array; -1 for a single item
    QString caption;  // also the window's title while it is shown
    QString address;  // the whole address; of a dated chart, the part before the stamp
    int width;        // browser size in twips; 0 x 0 is maximised
    int height;
    bool visible;
};

// The chart menu in menu order.
std::vector<ChartMenuItem> chart_menu_items();

// The address the item opens at this clock time and time difference.
QString chart_item_address(const ChartMenuItem& item, const QDateTime& now, const QString& time_difference);

// The image the chart window opens on: the day image before noon, the
// night image from noon. Its caption is the window's title.
ChartMenuItem first_chart(int clock_hour);

// An address is a PDF when its last three characters are "pdf" exactly.
bool is_pdf_address(const QString& url);

// The PDF reader's download page.
QString reader_download_url();

}  // namespace kolde_sub
