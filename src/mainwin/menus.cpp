// The main window's menus: the menu bar and the pop-up menu, the airport and
// group menus built from the database, and what a click on each item does.

#include "menus.h"

#include "view.h"

#include "browser_rules.h"
#include "heartbeat.h"
#include "request_rules.h"

#include "core/database.h"
#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "editors/editors.h"
#include "platform/msg_box.h"
#include "platform/printers.h"
#include "reports/colouring.h"
#include "reports/request.h"
#include "sidewin/log_window.h"
#include "sidewin/side_windows.h"
#include "platform/wait.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

namespace kolde_sub {

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QAction* separator(QMenu* menu, const char* name)
{
    QAction* a = menu->addSeparator();
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu* submenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* bar_item(QMenuBar* bar, const char* name, const QString& caption)
{
    QAction* a = bar->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

bool manual_input_stops() { return setting_bool(key::stop_on_manual_input); }

}  // namespace

MainMenus::MainMenus(view& v, ConsoleSession& session)
    : v_(v)
    , session_(session)
{
    QMenuBar* bar = v.menuBar();
    create_file_and_database_menus(bar);
    create_weather_and_info_menus(bar);
    create_popup_menu(bar);

    // The chart and camera entries come up hidden; the load shows them.
    for (QAction* a : {menu_chart, menu_camera, menu_popup_wx, menu_popup_cam})
        a->setVisible(false);

    connect_items();
}

void MainMenus::create_file_and_database_menus(QMenuBar* bar)
{
    menu_file = submenu(bar, "menu_file", QStringLiteral("ファイル"));
    menu_print = item(menu_file, "menu_print", QStringLiteral("印刷"));
    menu_save = item(menu_file, "menu_save", QStringLiteral("保存"));
    menu_lne1 = separator(menu_file, "menu_lne1");
    menu_exit = item(menu_file, "menu_exit", QStringLiteral("KOLDE を終了"));

    menu_list = submenu(bar, "menu_list", QStringLiteral("シーケンス"));
    array_item(&MainMenus::menu_listAP_Click, menu_listAP, menu_list, "menu_listAP", 0);

    menu_company = submenu(bar, "menu_company", QStringLiteral("グループ"));
    menu_company_edit = item(menu_company, "menu_company_edit", QStringLiteral("グループ編集"));
    menu_company_line = separator(menu_company, "menu_company_line");
    array_item(&MainMenus::menu_company_data_Click, menu_company_data, menu_company, "menu_company_data", 0);
}

void MainMenus::create_weather_and_info_menus(QMenuBar* bar)
{
    menu_weather = submenu(bar, "menu_weather", QStringLiteral("気象情報"));
    menu_chart = item(menu_weather, "menu_chart", QStringLiteral("天気図"));
    menu_yahoo = item(menu_weather, "menu_yahoo", QStringLiteral("Yahoo 空港天気予報"));
    menu_suntime = item(menu_weather, "menu_suntime", QStringLiteral("日出没時刻"));
    line = separator(menu_weather, "line");
    menu_info_weather = item(menu_weather, "menu_info_weather", QStringLiteral("天気略語"));

    menu_ais = bar_item(bar, "menu_ais", QStringLiteral("AIS JAPAN"));
    menu_camera = bar_item(bar, "menu_camera", QStringLiteral("ライブカメラ"));
    menu_airport = bar_item(bar, "menu_airport", QStringLiteral("飛行場リスト"));
    menu_autodecode = bar_item(bar, "menu_autodecode", QStringLiteral("自動デコードリスト"));
    menu_option = bar_item(bar, "menu_option", QStringLiteral("動作設定"));
    menu_update = bar_item(bar, "menu_update", QStringLiteral("アップデート"));
    menu_command = bar_item(bar, "menu_command", QStringLiteral("コマンド一覧"));

    menu_info = submenu(bar, "menu_info", QStringLiteral("情報"));
    menu_info_version = item(menu_info, "menu_info_version", QStringLiteral("バージョン情報"));
    menu_info_compornent = item(menu_info, "menu_info_compornent", QStringLiteral("コンポーネント情報"));
    menu_info_log = item(menu_info, "menu_info_log", QStringLiteral("通信ログ"));
    l1 = separator(menu_info, "l1");
    menu_info_help = item(menu_info, "menu_info_help", QStringLiteral("オンライン ヘルプ"));
    menu_info_homepage = item(menu_info, "menu_info_homepage", QStringLiteral("KOLDE Homepage"));
}

void MainMenus::create_popup_menu(QMenuBar* bar)
{
    menu_popup = submenu(bar, "menu_popup", QStringLiteral("ポップアップ"));
    menu_popup_group = menu_popup->addMenu(QStringLiteral("グループ"));
    menu_popup_group->setObjectName(QStringLiteral("menu_popup_group"));
    menu_popup_group->menuAction()->setObjectName(QStringLiteral("menu_popup_group"));
    // The pop-up group elements show the same groups as the bar's.
    array_item(&MainMenus::menu_company_data_Click, menu_popup_group_data, menu_popup_group, "menu_popup_group_data",
               0);
    menu_popup_wx = item(menu_popup, "menu_popup_wx", QStringLiteral("天気図"));
    menu_popup_cam = item(menu_popup, "menu_popup_cam", QStringLiteral("ライブカメラ"));
    menu_popup_suntime = item(menu_popup, "menu_popup_suntime", QStringLiteral("日出没時刻"));
    menu_popup_lne1 = separator(menu_popup, "menu_popup_lne1");
    menu_popup_print = item(menu_popup, "menu_popup_print", QStringLiteral("印刷"));
    menu_popup_save = item(menu_popup, "menu_popup_save", QStringLiteral("保存"));
    menu_popup_log = item(menu_popup, "menu_popup_log", QStringLiteral("通信ログ"));
    menu_popup_lne2 = separator(menu_popup, "menu_popup_lne2");
    menu_popup_command = item(menu_popup, "menu_popup_command", QStringLiteral("コマンド一覧"));
    menu_popup_config = item(menu_popup, "menu_popup_config", QStringLiteral("動作設定"));
    menu_popup_ap = item(menu_popup, "menu_popup_ap", QStringLiteral("飛行場リスト"));
    menu_popup_de = item(menu_popup, "menu_popup_de", QStringLiteral("自動デコードリスト"));
    menu_popup_company = item(menu_popup, "menu_popup_company", QStringLiteral("グループ編集"));
    menu_popup_lne5 = separator(menu_popup, "menu_popup_lne5");
    menu_popup_ais = item(menu_popup, "menu_popup_ais", QStringLiteral("AIS JAPAN"));
    menu_popup_lne3 = separator(menu_popup, "menu_popup_lne3");
    menu_popup_help = item(menu_popup, "menu_popup_help", QStringLiteral("オンライン ヘルプ"));
    menu_popup_homepage = item(menu_popup, "menu_popup_homepage", QStringLiteral("KOLDE homepage"));
    menu_popup_exit = item(menu_popup, "menu_popup_exit", QStringLiteral("KOLDE を終了"));
}

void MainMenus::connect_items()
{
    using Handler = void (MainMenus::*)();
    // Each handler with the bar item and, where it does the same, the pop-up
    // item.
    const struct {
        QAction* bar;
        QAction* popup;
        Handler handler;
    } handlers[] = {
            {menu_print, menu_popup_print, &MainMenus::menu_print_Click},
            {menu_save, menu_popup_save, &MainMenus::menu_save_Click},
            {menu_exit, nullptr, &MainMenus::menu_exit_Click},
            {nullptr, menu_popup_exit, &MainMenus::menu_popup_exit_Click},
            {menu_company_edit, menu_popup_company, &MainMenus::menu_company_edit_Click},
            {menu_chart, menu_popup_wx, &MainMenus::menu_chart_Click},
            {menu_yahoo, nullptr, &MainMenus::menu_yahoo_Click},
            {menu_suntime, menu_popup_suntime, &MainMenus::menu_suntime_Click},
            {menu_info_weather, nullptr, &MainMenus::menu_info_weather_Click},
            {menu_ais, menu_popup_ais, &MainMenus::menu_ais_Click},
            {menu_camera, menu_popup_cam, &MainMenus::menu_camera_Click},
            {menu_airport, menu_popup_ap, &MainMenus::menu_airport_Click},
            {menu_autodecode, nullptr, &MainMenus::menu_autodecode_Click},
            {nullptr, menu_popup_de, &MainMenus::menu_popup_de_Click},
            {menu_option, menu_popup_config, &MainMenus::menu_option_Click},
            {menu_command, menu_popup_command, &MainMenus::menu_command_Click},
            {menu_info_version, nullptr, &MainMenus::menu_info_version_Click},
            {menu_info_compornent, nullptr, &MainMenus::menu_info_compornent_Click},
            {menu_info_log, menu_popup_log, &MainMenus::menu_info_log_Click},
            {menu_info_help, menu_popup_help, &MainMenus::menu_info_help_Click},
            {menu_info_homepage, nullptr, &MainMenus::menu_info_homepage_Click},
            {nullptr, menu_popup_homepage, &MainMenus::menu_popup_homepage_Click},
    };
    for (const auto& h : handlers)
        for (QAction* a : {h.bar, h.popup})
            if (a)
                connect(a, &QAction::triggered, this, h.handler);
    // The update check is the window's own (it closes the window for an
    // update).
    connect(menu_update, &QAction::triggered, &v_, &view::menu_update_Click);
}

QAction* MainMenus::array_item(ArrayHandler handler, std::vector<QAction*>& items, QMenu* menu, const char* name,
                               std::size_t i)
{
    while (items.size() <= i) {
        QAction* a = menu->addAction(QString());
        const int index = static_cast<int>(items.size());
        a->setObjectName(QString::fromLatin1(name));
        a->setData(index);
        connect(a, &QAction::triggered, this, [this, handler, index] { (this->*handler)(index); });
        items.push_back(a);
    }
    return items[i];
}

void MainMenus::show_chart_and_camera()
{
    for (QAction* a : {menu_chart, menu_camera, menu_popup_wx, menu_popup_cam})
        a->setVisible(true);
}

void MainMenus::hide_popup_on_bar() { menu_popup->menuAction()->setVisible(false); }

// The pop-up menu runs the work of its items (a modal editor, the browser
// pane, the window's close) in its own event loop. Run from inside the press
// that asks for it, that work would happen while the main window is still
// delivering the press, and the pane's first web view switches the window to
// an OpenGL surface: Qt then destroys and re-creates the window's native
// window under that delivery, which goes on reading the destroyed one. So the
// menu opens once the press has been delivered.
void MainMenus::open_popup(const QPoint& screen_pos)
{
    if (popup_queued_)
        return;
    popup_queued_ = true;
    QTimer::singleShot(0, this, [this, screen_pos] {
        popup_queued_ = false;
        // Shown without a loop of its own: its items run from the window's
        // event loop, as every other menu's.
        menu_popup->popup(screen_pos);
    });
}

std::array<QAction*, 11> MainMenus::browser_mode_items() const
{
    return {menu_print,
            menu_save,
            menu_list->menuAction(),
            menu_company->menuAction(),
            menu_info_weather,
            menu_airport,
            menu_autodecode,
            menu_option,
            menu_update,
            menu_command,
            menu_info_log};
}

void MainMenus::set_network_items_enabled(bool enabled, bool browser_mode)
{
    const bool airports = menu_listAP.size() > 1 || !menu_listAP[0]->text().isEmpty();
    menu_list->menuAction()->setEnabled(enabled && airports && !browser_mode);
    menu_company->menuAction()->setEnabled(enabled && !browser_mode);
    menu_update->setEnabled(enabled && !browser_mode);
    menu_popup_group->menuAction()->setEnabled(enabled && group_menu_count > 0);
    for (QAction* a : {menu_chart, menu_camera, menu_info_help, menu_info_homepage, menu_popup_wx, menu_popup_cam,
                       menu_popup_help, menu_popup_homepage})
        a->setEnabled(enabled);
}

// ------------------------------------------------------------ file menu

void MainMenus::menu_print_Click()
{
    if (platform::printer_names().isEmpty()) {
        platform::msg_box(&v_, platform::MsgIcon::Information, QStringLiteral(" 情報"),
                          QStringLiteral("利用可能なプリンターがありません　　"));
        return;
    }
    v_.print_display();
    v_.show_ready_prompt();
    v_.append_console_text(QStringLiteral("\r\n"));
    color_report_text();
}

void MainMenus::menu_save_Click() { v_.save_display(); }

void MainMenus::menu_exit_Click()
{
    // The browser pane, once it exists, closes first; the window after.
    if (v_.hide_browser_pane())
        return;
    v_.close();
}

void MainMenus::menu_popup_exit_Click() { v_.close(); }

// ------------------------------------------------------------ database menus

void MainMenus::build_airport_menu()
{
    platform::Recordset& rs = rs_airport();
    if (rs.record_count() == 0) {
        menu_list->menuAction()->setEnabled(false);
        return;
    }
    menu_list->menuAction()->setEnabled(true);
    rs.move_first();
    std::size_t i = 0;
    while (!rs.eof()) {
        array_item(&MainMenus::menu_listAP_Click, menu_listAP, menu_list, "menu_listAP", i)
                ->setText(airport_item_caption(rs.field(QStringLiteral("ICAOコード")).to_text(),
                                               rs.field(QStringLiteral("飛行場名")).to_text()));
        ++i;
        rs.move_next();
    }
}

void MainMenus::drop_built_items(std::vector<QAction*>& items)
{
    while (items.size() > 1) {
        delete items.back();
        items.pop_back();
    }
}

void MainMenus::drop_built_items()
{
    drop_built_items(menu_listAP);
    drop_built_items(menu_company_data);
    drop_built_items(menu_popup_group_data);
}

void MainMenus::build_group_menus()
{
    // Element 0 of each group array exists from the start and stays; the
    // others are made again for the rows of the table.
    drop_built_items(menu_company_data);
    drop_built_items(menu_popup_group_data);

    platform::Recordset& rs = rs_company();
    const int rows = rs.record_count();
    if (rows > 0) {
        menu_company_data[0]->setVisible(true);
        menu_company_line->setVisible(true);
        menu_popup_group->menuAction()->setEnabled(true);
        rs.move_first();
        std::size_t i = 0;
        while (!rs.eof()) {
            const QString id = rs.field(QStringLiteral("id")).to_text();
            array_item(&MainMenus::menu_company_data_Click, menu_company_data, menu_company, "menu_company_data", i)
                    ->setText(id);
            array_item(&MainMenus::menu_company_data_Click, menu_popup_group_data, menu_popup_group,
                       "menu_popup_group_data", i)
                    ->setText(id);
            ++i;
            rs.move_next();
        }
    } else {
        menu_company_data[0]->setVisible(false);
        menu_company_line->setVisible(false);
        menu_popup_group->menuAction()->setEnabled(false);
    }
    group_menu_count = rows;
}

// ------------------------------------------------------------ requests

void MainMenus::menu_listAP_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(menu_listAP.size()))
        return;
    QPointer<view> self(&v_);
    bool stopped = false;
    const bool ran = v_.start_display([&] {
        current_request().set_codes(airport_item_code(menu_listAP[index]->text()));
        // A manual request may end the automatic decode, before the display.
        // The status text kept for after the sequence display is taken once
        // that is done, so that the panel does not claim afterwards that the
        // automatic decode still runs.
        stopped = manual_input_stops();
        if (stopped)
            v_.stop_auto_decode();
        session_.saved_status_text = v_.status_panel->text();
        write_log(current_request().codes() + QStringLiteral(" MANUAL DECODE"));
        session_.ready_line_break = true;
        session_.group_mode = false;
        session_.timer_run = false;
        postpone_next_cycle();
        v_.heartbeat_->stop();
        session_.new_request = true;
        session_.auto_mode = false;
        session_.sequence_mode = true;
        session_.japanese_mode = false;
        return true;
    });
    if (ran && self && !stopped)
        v_.heartbeat_->start();
}

void MainMenus::menu_company_data_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(menu_company_data.size()))
        return;
    QPointer<view> self(&v_);
    const bool ran = v_.start_display([&] {
        // The group whose id is the caption; a caption that no longer names
        // a group leaves the request as it is.
        const QString id = menu_company_data[index]->text();
        platform::Recordset& rs = rs_company();
        rs.move_first();
        while (!rs.eof()) {
            if (rs.field(QStringLiteral("id")).to_text() == id) {
                current_request().set_group_route(rs.field(QStringLiteral("route")).to_text(), id);
                break;
            }
            rs.move_next();
        }
        session_.ready_line_break = true;
        session_.timer_run = false;
        postpone_next_cycle();
        v_.heartbeat_->stop();
        session_.new_request = true;
        session_.group_mode = true;
        // A "JP " request typed before leaves its mode set for its own
        // reloads; a group from the menus is shown as a group.
        session_.japanese_mode = false;
        session_.auto_mode = false;
        return true;
    });
    if (!ran || !self)
        return;
    // A manual request may end the automatic decode, after the display.
    if (manual_input_stops())
        v_.stop_auto_decode();
    else
        v_.heartbeat_->start();
}

// ------------------------------------------------------------ editors

void MainMenus::menu_company_edit_Click()
{
    QPointer<view> self(&v_);
    write_log(QStringLiteral("DISPLAY GROUP LIST"));
    platform::exec_modal(new company(&v_));
    if (self)
        build_group_menus();
}

void MainMenus::menu_airport_Click()
{
    // The sequence menu stays as it was built at the start.
    write_log(QStringLiteral("DISPLAY AIRPORT LIST"));
    platform::exec_modal(new airport(&v_));
}

namespace {

// Shows the automatic-decode list; false when the main window went away
// meanwhile.
bool show_decode_list(view& v)
{
    QPointer<view> self(&v);
    write_log(QStringLiteral("DISPLAY AUTO DECODE LIST"));
    platform::exec_modal(new decodelist(&v));
    return !self.isNull();
}

}  // namespace

void MainMenus::menu_autodecode_Click()
{
    if (show_decode_list(v_) && is_online())
        v_.restart_auto_decode();
}

// Unlike the bar's item, the pop-up item restarts offline too.
void MainMenus::menu_popup_de_Click()
{
    if (show_decode_list(v_))
        v_.restart_auto_decode();
}

void MainMenus::menu_info_weather_Click()
{
    platform::exec_modal(new weather(0, &v_));
}

void MainMenus::menu_option_Click() { v_.show_options(); }

// ------------------------------------------------------------ side windows

void MainMenus::menu_chart_Click()
{
    if (v_.show_reader_notice(true)) {
        // The user went for the reader's download: the program ends.
        write_log(QStringLiteral("SYSTEM UNLOAD"));
        v_.close();
        return;
    }
    write_log(QStringLiteral("DISPLAY WEATHER CHART"));
    show_chart();
}

void MainMenus::menu_suntime_Click()
{
    write_log(QStringLiteral("DISPLAY SUNRISE/SUNSET GRAPH"));
    platform::exec_modal(new suntime(&v_));
}

void MainMenus::menu_camera_Click()
{
    write_log(QStringLiteral("DISPLAY NETWORK CAMERA"));
    show_camera();
}

void MainMenus::menu_command_Click()
{
    write_log(QStringLiteral("DISPLAY COMMAND LIST"));
    show_command();
}

void MainMenus::menu_info_version_Click()
{
    write_log(QStringLiteral("DISPLAY SYSTEM VERSION INFORMATION"));
    platform::exec_modal(new version(&v_));
}

void MainMenus::menu_info_compornent_Click()
{
    write_log(QStringLiteral("DISPLAY SYSTEM COMPORNENTS INFORMATION"));
    platform::exec_modal(new compornent(&v_));
}

void MainMenus::menu_info_log_Click()
{
    write_log(QStringLiteral("DISPLAY RUNNING LOG"));
    kolde_sub::log* window = log_window();
    window->show();
    window->raise();
    window->activateWindow();
}

// ------------------------------------------------------------ web pages

namespace {

void open_web_page(view& v, WebPage page) { v.open_page(web_page_url(page), web_page_log_text(page)); }

}  // namespace

void MainMenus::menu_yahoo_Click() { open_web_page(v_, WebPage::AirportWeather); }
void MainMenus::menu_ais_Click() { v_.show_ais_page(); }
void MainMenus::menu_info_help_Click() { open_web_page(v_, WebPage::Help); }
void MainMenus::menu_info_homepage_Click() { open_web_page(v_, WebPage::HomeIndex); }
void MainMenus::menu_popup_homepage_Click() { open_web_page(v_, WebPage::HomePage); }

}  // namespace kolde_sub

void view::build_group_menus() { menus_->build_group_menus(); }
