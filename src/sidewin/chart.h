// The chart window: one weather chart, image or page at a time, chosen from
// its own menu, reloaded every 300 seconds, printed on the current printer.
#pragma once

#include "chart_menu.h"
#include "chart_web.h"

#include <QDateTime>
#include <QList>

#include <functional>

class QAction;
class QMenu;
class QTimer;

namespace kolde_sub {

class chart : public web_side_window {
    Q_OBJECT
public:
    chart();

    QAction* menu_exit = nullptr;
    QAction* menu_print = nullptr;
    QMenu* menu_chart = nullptr;
    QTimer* Timer = nullptr;

    // The chart to show next and the size of the browser for it, in twips.
    QString chart_url;
    QString chart_title;
    int chart_width = 0;
    int chart_height = 0;
    bool chart_maximize_next = false;
    int chart_refresh_ticks = 0;

    // The chart menu's items with their table rows, in menu order.
    const std::vector<ChartMenuItem>& items() const { return items_; }
    QList<QAction*> item_actions() const { return actions_; }

    // Shows the chart described by the values above.
    void show_chart();
    // A click on a chart menu item (by its place in items()).
    void item_Click(int row);
    void menu_print_Click();
    void Timer_Timer();

private:
    void Form_Load();

    std::vector<ChartMenuItem> items_;
    QList<QAction*> actions_;
};

// Shows the chart window without waiting, creating it when it is not open;
// a window already open comes to the front.
void show_chart();
// The open window, or null.
QWidget* chart_window();

}  // namespace kolde_sub
