// The sun-time window " 空港別 日出没時刻": for one airfield and one year,
// the sunrise and sunset of every day as a table of 31 days by 12 months
// and as a year graph, today marked in both, and the print of either.
// Shown modal from the main window's menus; nothing is handed over.
#pragma once

#include "sidewin/sun_table.h"

#include <QDialog>
#include <QWidget>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace kolde_sub {

class HoverButtons;

// The year graph: the scale, two dotted curves, the extreme labels and the
// today line. Coordinates are twips.
class sun_graph : public QWidget {
    Q_OBJECT
public:
    explicit sun_graph(QWidget* parent = nullptr);

    // The points plotted; both empty after clear().
    SunCurve sunrise;
    SunCurve sunset;
    void clear();

    // Line(19): today's line.
    QFrame* today_line = nullptr;
    void place_today_line(int x);

protected:
    void paintEvent(QPaintEvent* e) override;
};

class suntime : public QDialog {
    Q_OBJECT
public:
    explicit suntime(QWidget* parent = nullptr);
    ~suntime() override;

    // 0 the airfield list, 1 the year list.
    std::array<QComboBox*, 2> cmb{};
    QTableWidget* grid = nullptr;
    QTabWidget* SSTab = nullptr;
    std::array<QFrame*, 12> Frame1{};
    std::array<QLabel*, 12> Label1{};
    sun_graph* Picture1 = nullptr;
    std::array<QLabel*, 39> lbl{};
    // 0 print, 1 close.
    std::array<QPushButton*, 2> cmd{};

    QString field_code;
    float field_elevation = 0;
    QString latitude_caption;
    QString longitude_caption;
    bool leap_year = false;
    bool graph_stale = false;
    bool position_found = false;
    bool window_activated = false;

    // The index of the highlighted button; 99 = none.
    int hovered_button() const;
    // The pointer shows the wait cursor (the print button is down).
    bool waiting() const { return wait_cursor_; }

    void Form_Activate();
    void cmb_Click();
    void SSTab_Click();
    void cmd_MouseDown(int index);
    void cmd_Click(int index);

    void init_grid();
    void calculate_year();
    void draw_graph();
    // False when the printer could not print the table.
    bool print_table();

protected:
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void create_heading();
    void create_table(QWidget* table_page);
    void create_graph(QWidget* graph_page);
    void Form_Load();
    void place_month_frames();
    void show_cells();
    void restore_print_button();
    bool current_year_shown() const;

    // The airfield list's items, in the list's order.
    QList<AirfieldItem> airfields_;
    SunCells cells_ = empty_sun_cells();
    HoverButtons* hover_ = nullptr;
    bool wait_cursor_ = false;
};

}  // namespace kolde_sub
