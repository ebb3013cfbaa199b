// The main window's menus: the menu bar and the pop-up menu, the airport and
// group menus built from the database, and the file-menu handlers.

#include "view.h"

#include "platform/msg_box.h"
#include "platform/printers.h"
#include "reports/colouring.h"
#include "core/database.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

using namespace kolde_sub;

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

// Makes sure element i of a menu item array exists.
QAction* array_item(std::vector<QAction*>& items, QMenu* menu, const char* name, std::size_t i)
{
    while (items.size() <= i) {
        QAction* a = menu->addAction(QString());
        a->setObjectName(QString::fromLatin1(name));
        a->setData(static_cast<int>(items.size()));
        items.push_back(a);
    }
    return items[i];
}

}  // namespace

void view::create_menus()
{
    QMenuBar* bar = menuBar();

    menu_file = submenu(bar, "menu_file", QStringLiteral("ファイル"));
    menu_print = item(menu_file, "menu_print", QStringLiteral("印刷"));
    menu_save = item(menu_file, "menu_save", QStringLiteral("保存"));
    menu_lne1 = separator(menu_file, "menu_lne1");
    menu_exit = item(menu_file, "menu_exit", QStringLiteral("KOLDE を終了"));

    menu_list = submenu(bar, "menu_list", QStringLiteral("シーケンス"));
    array_item(menu_listAP, menu_list, "menu_listAP", 0);

    menu_company = submenu(bar, "menu_company", QStringLiteral("グループ"));
    menu_company_edit = item(menu_company, "menu_company_edit", QStringLiteral("グループ編集"));
    menu_company_line = separator(menu_company, "menu_company_line");
    array_item(menu_company_data, menu_company, "menu_company_data", 0);

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

    menu_popup = submenu(bar, "menu_popup", QStringLiteral("ポップアップ"));
    menu_popup_group = menu_popup->addMenu(QStringLiteral("グループ"));
    menu_popup_group->setObjectName(QStringLiteral("menu_popup_group"));
    menu_popup_group->menuAction()->setObjectName(QStringLiteral("menu_popup_group"));
    array_item(menu_popup_group_data, menu_popup_group, "menu_popup_group_data", 0);
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

    // The chart and camera entries come up hidden; the load shows them.
    for (QAction* a : {menu_chart, menu_camera, menu_popup_wx, menu_popup_cam})
        a->setVisible(false);

    connect(menu_print, &QAction::triggered, this, &view::menu_print_Click);
    connect(menu_popup_print, &QAction::triggered, this, &view::menu_popup_print_Click);
    connect(menu_save, &QAction::triggered, this, &view::menu_save_Click);
    connect(menu_popup_save, &QAction::triggered, this, &view::menu_popup_save_Click);
    connect(menu_exit, &QAction::triggered, this, &view::menu_exit_Click);
    connect(menu_popup_exit, &QAction::triggered, this, &view::menu_popup_exit_Click);
    connect(menu_update, &QAction::triggered, this, &view::menu_update_Click);
}

// ------------------------------------------------------------ file menu

void view::menu_print_Click()
{
    if (platform::printer_names().isEmpty()) {
        platform::msg_box(this, platform::MsgIcon::Information, QStringLiteral(" 情報"),
                          QStringLiteral("利用可能なプリンターがありません　　"));
        return;
    }
    print_display();
    show_ready_prompt();
    append_console_text(QStringLiteral("\r\n"));
    color_report_text();
}

void view::menu_popup_print_Click() { menu_print_Click(); }
void view::menu_save_Click() { save_display(); }
void view::menu_popup_save_Click() { save_display(); }

void view::menu_exit_Click()
{
    // The browser pane, once it exists, closes first; the window after.
    if (hide_browser_pane())
        return;
    close();
}

void view::menu_popup_exit_Click() { close(); }

// ------------------------------------------------------------ database menus

void view::build_airport_menu()
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
        array_item(menu_listAP, menu_list, "menu_listAP", i)
                ->setText(rs.field(QStringLiteral("ICAOコード")).to_text() + QStringLiteral("  ") +
                          rs.field(QStringLiteral("飛行場名")).to_text());
        ++i;
        rs.move_next();
    }
}

void view::build_group_menus()
{
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
            array_item(menu_company_data, menu_company, "menu_company_data", i)->setText(id);
            array_item(menu_popup_group_data, menu_popup_group, "menu_popup_group_data", i)->setText(id);
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
