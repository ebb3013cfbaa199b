#include "chart.h"

#include "core/clock.h"
#include "core/settings.h"
#include "core/twips.h"
#include "sidewin/open_windows.h"
#include "platform/printers.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

namespace kolde_sub {

namespace {

// What the PDF and three-hourly charts leave of the main window's inner size.
constexpr int pdf_margin_twips = 700;

}  // namespace

chart::chart()
    : web_side_window(QStringLiteral("chart"), SideWindowId::chart)
{
    setWindowTitle(QStringLiteral(" 地上天気図"));
    QMenuBar* bar = menuBar();
    menu_exit = bar->addAction(QStringLiteral("閉じる"));
    menu_exit->setObjectName(QStringLiteral("menu_exit"));
    menu_print = bar->addAction(QStringLiteral("印刷"));
    menu_print->setObjectName(QStringLiteral("menu_print"));
    menu_chart = bar->addMenu(QStringLiteral("天気図"));
    menu_chart->setObjectName(QStringLiteral("menu_chart"));
    connect(menu_exit, &QAction::triggered, this, &QWidget::close);
    connect(menu_print, &QAction::triggered, this, &chart::menu_print_Click);

    // The menu from its table: a submenu takes the deeper items after it.
    items_ = chart_menu_items();
    QList<QMenu*> open_menus{menu_chart};
    for (int row = 0; row < static_cast<int>(items_.size()); ++row) {
        const ChartMenuItem& item = items_[row];
        open_menus.resize(item.depth + 1);
        QMenu* parent = open_menus.back();
        QAction* a = nullptr;
        if (item.kind == ChartMenuItem::Kind::Submenu) {
            QMenu* sub = parent->addMenu(item.caption);
            sub->setObjectName(item.name);
            open_menus.append(sub);
            a = sub->menuAction();
        } else if (item.kind == ChartMenuItem::Kind::Separator) {
            a = parent->addSeparator();
        } else {
            a = parent->addAction(item.caption);
            connect(a, &QAction::triggered, this, [this, row] { item_Click(row); });
        }
        a->setObjectName(item.index < 0 ? item.name : item.name + QStringLiteral("(%1)").arg(item.index));
        a->setVisible(item.visible);
        actions_.append(a);
    }

    Timer = new QTimer(this);
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, &chart::Timer_Timer);
    Form_Load();
}

void chart::Form_Load()
{
    const ChartMenuItem first = first_chart(time_local().hour());
    chart_url = first.address;
    chart_title = first.caption;
    chart_width = first.width;
    chart_height = first.height;
    show_chart();
    chart_refresh_ticks = 0;
    Timer->start();
    chart_maximize_next = false;
}

void chart::show_chart()
{
    setUpdatesEnabled(false);
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    const QSize inner = main_window_inner_twips();
    if (!is_pdf_address(chart_url)) {
        menu_print->setEnabled(true);
    } else {
        menu_print->setEnabled(false);
        chart_width = inner.width() - pdf_margin_twips;
        chart_height = inner.height() - pdf_margin_twips;
    }
    if (platform::printer_names().isEmpty())
        menu_print->setEnabled(false);
    if (chart_maximize_next) {
        // Sized to the main window's inner area first, so that the chart
        // is large also where no window manager maximises it.
        const int menu_height = menuBar()->sizeHint().height();
        set_browser_size(QSize(px(inner.width()), px(inner.height()) - menu_height));
        resize(px(inner.width()), px(inner.height()));
        move(0, 0);
        setWindowState(windowState() | Qt::WindowMaximized);
        chart_maximize_next = false;
    } else {
        const QSize browser(px(chart_width), px(chart_height));
        set_browser_size(browser);
        resize(browser.width(), browser.height() + menuBar()->sizeHint().height());
        const QSize outer = main_window_size_twips();
        move(px((outer.width() - (chart_width + frame_width_twips)) / 2),
             px((outer.height() - (chart_height + frame_height_twips)) / 2));
    }
    navigate(chart_url);
    setWindowTitle(QStringLiteral(" ") + chart_title);
    setUpdatesEnabled(true);
    unsetCursor();
}

void chart::item_Click(int row)
{
    if (row < 0 || row >= static_cast<int>(items_.size()))
        return;
    const ChartMenuItem& item = items_[row];
    chart_url = chart_item_address(item, now_utc(), setting_text(key::time_difference));
    chart_title = item.caption;
    if (item.kind == ChartMenuItem::Kind::DatedThreeHourly) {
        const QSize inner = main_window_inner_twips();
        chart_width = inner.width() - pdf_margin_twips;
        chart_height = inner.height() - pdf_margin_twips;
    }
    if (item.width == 0 && item.height == 0) {
        chart_maximize_next = true;
    } else {
        chart_width = item.width;
        chart_height = item.height;
    }
    show_chart();
}

void chart::menu_print_Click()
{
    if (menu_print->isEnabled())
        print_page();
}

void chart::Timer_Timer()
{
    ++chart_refresh_ticks;
    if (chart_refresh_ticks >= 300) {
        chart_refresh_ticks = 0;
        refresh();
    }
}

// ------------------------------------------------------------ opening

namespace {

QPointer<chart> the_chart;

}  // namespace

void show_chart()
{
    if (!the_chart)
        the_chart = new chart;
    the_chart->show();
    the_chart->raise();
    the_chart->activateWindow();
}

QWidget* chart_window() { return the_chart.data(); }

}  // namespace kolde_sub
