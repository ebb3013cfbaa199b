// The main window's menus: the menu bar and the pop-up menu, the airport and
// group menus built from the database, and what a click on each item does.
//
// An item of the pop-up menu that does what a bar item does is connected to
// the bar item's handler; the pop-up items that differ (exit, the
// automatic-decode list, the home page) have their own.
#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <vector>

struct ConsoleSession;
class QAction;
class QMenu;
class QMenuBar;
class QPoint;
class view;
namespace kolde_test { class ViewDriver; }

namespace kolde_sub {

class MainMenus : public QObject {
    Q_OBJECT
public:
    // Creates the items on the window's menu bar. The chart and camera
    // entries come up hidden, until show_chart_and_camera.
    MainMenus(view& v, ConsoleSession& session);

    // ---- what the window and its other parts do with the items
    // The load shows the chart and camera entries; the pop-up menu lives on
    // the bar but is not shown there.
    void show_chart_and_camera();
    void hide_popup_on_bar();
    // Opens the pop-up menu at screen_pos as soon as the event being handled
    // (the console's right-button press) has been delivered.
    void open_popup(const QPoint& screen_pos);
    // The airport menu and both group menus, built from their tables; the
    // group menus are built again after the group editor.
    void build_airport_menu();
    void build_group_menus();
    // At shut-down: every built element of the three item arrays goes.
    void drop_built_items();
    // The menu items browser mode turns off, and the exit item whose caption
    // it changes.
    std::array<QAction*, 11> browser_mode_items() const;
    QAction* exit_item() const { return menu_exit; }
    // On (true) or off, the twelve items whose work needs the network. In
    // browser mode the entries it holds off stay off; the airport and pop-up
    // group entries stay off while they have no rows.
    void set_network_items_enabled(bool enabled, bool browser_mode);
    // The group menus count no groups until they are built again.
    void forget_groups() { group_menu_count = 0; }

    // ---- handlers, by the bar item's name; the handlers of the item arrays
    // receive the element's index
    void menu_print_Click();
    void menu_save_Click();
    void menu_exit_Click();
    void menu_popup_exit_Click();
    // The airport's sequence display.
    void menu_listAP_Click(int index);
    // The group's display; reads the caption of menu_company_data(index).
    void menu_company_data_Click(int index);
    // The group editor, then both group menus built again from the table.
    void menu_company_edit_Click();
    // The chart, after the PDF-reader notice while it is on.
    void menu_chart_Click();
    void menu_yahoo_Click();
    void menu_suntime_Click();
    void menu_info_weather_Click();
    void menu_ais_Click();
    void menu_camera_Click();
    void menu_airport_Click();
    // The automatic-decode list; afterwards the automatic decode runs again,
    // from the bar only while online, from the pop-up menu in any case.
    void menu_autodecode_Click();
    void menu_popup_de_Click();
    void menu_option_Click();
    void menu_command_Click();
    void menu_info_version_Click();
    void menu_info_compornent_Click();
    void menu_info_log_Click();
    void menu_info_help_Click();
    void menu_info_homepage_Click();
    void menu_popup_homepage_Click();

private:
    friend class kolde_test::ViewDriver;
    using ArrayHandler = void (MainMenus::*)(int);

    void create_file_and_database_menus(QMenuBar* bar);
    void create_weather_and_info_menus(QMenuBar* bar);
    void create_popup_menu(QMenuBar* bar);
    void connect_items();
    // Makes sure element i of a menu item array exists; a new element's
    // click goes to the array's handler with the element's index.
    QAction* array_item(ArrayHandler handler, std::vector<QAction*>& items, QMenu* menu, const char* name,
                        std::size_t i);
    // Removes every element of a menu item array but element 0, which
    // exists from the start.
    static void drop_built_items(std::vector<QAction*>& items);

    view& v_;
    ConsoleSession& session_;

    // ---- menu bar
    QMenu* menu_file = nullptr;
    QAction* menu_print = nullptr;
    QAction* menu_save = nullptr;
    QAction* menu_lne1 = nullptr;
    QAction* menu_exit = nullptr;
    QMenu* menu_list = nullptr;
    std::vector<QAction*> menu_listAP;
    QMenu* menu_company = nullptr;
    QAction* menu_company_edit = nullptr;
    QAction* menu_company_line = nullptr;
    std::vector<QAction*> menu_company_data;
    QMenu* menu_weather = nullptr;
    QAction* menu_chart = nullptr;
    QAction* menu_yahoo = nullptr;
    QAction* menu_suntime = nullptr;
    QAction* line = nullptr;
    QAction* menu_info_weather = nullptr;
    QAction* menu_ais = nullptr;
    QAction* menu_camera = nullptr;
    QAction* menu_airport = nullptr;
    QAction* menu_autodecode = nullptr;
    QAction* menu_option = nullptr;
    QAction* menu_update = nullptr;
    QAction* menu_command = nullptr;
    QMenu* menu_info = nullptr;
    QAction* menu_info_version = nullptr;
    QAction* menu_info_compornent = nullptr;
    QAction* menu_info_log = nullptr;
    QAction* l1 = nullptr;
    QAction* menu_info_help = nullptr;
    QAction* menu_info_homepage = nullptr;
    // ---- pop-up menu (hidden on the bar)
    QMenu* menu_popup = nullptr;
    QMenu* menu_popup_group = nullptr;
    std::vector<QAction*> menu_popup_group_data;
    QAction* menu_popup_wx = nullptr;
    QAction* menu_popup_cam = nullptr;
    QAction* menu_popup_suntime = nullptr;
    QAction* menu_popup_lne1 = nullptr;
    QAction* menu_popup_print = nullptr;
    QAction* menu_popup_save = nullptr;
    QAction* menu_popup_log = nullptr;
    QAction* menu_popup_lne2 = nullptr;
    QAction* menu_popup_command = nullptr;
    QAction* menu_popup_config = nullptr;
    QAction* menu_popup_ap = nullptr;
    QAction* menu_popup_de = nullptr;
    QAction* menu_popup_company = nullptr;
    QAction* menu_popup_lne5 = nullptr;
    QAction* menu_popup_ais = nullptr;
    QAction* menu_popup_lne3 = nullptr;
    QAction* menu_popup_help = nullptr;
    QAction* menu_popup_homepage = nullptr;
    QAction* menu_popup_exit = nullptr;

    int group_menu_count = 0;
    bool popup_queued_ = false;  // the pop-up menu opens at the next turn of the event loop
};

}  // namespace kolde_sub
