// The menu bar and the pop-up menu: what each item logs and opens, the
// sequence and group items with and without the stop on manual input, the
// group menus built again after the group editor, the automatic decode
// after the decode list, and the chart after the PDF-reader notice.
#include "view_fixture.h"

#include "core/window_flags.h"
#include "editors/editors.h"
#include "mainwin/browser_rules.h"
#include "options/opton.h"
#include "platform/transfer.h"
#include "reports/request.h"
#include "reports/sequence_files.h"
#include "sidewin/side_windows.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <functional>
#include <vector>

using kolde_sub::WebPage;
using kolde_test::ModalCloser;
using kolde_test::forecasts;
using kolde_test::stations;
using platform::Value;

namespace {

const QString terminated = QStringLiteral("AUTO DECODE SEQUENCE TERMINATED");
const QString stopped_text = QStringLiteral("自動デコード停止");
const QString running_text = QStringLiteral("自動デコード作動　　最終更新  0530Z");

const char rjtt_metar[] = "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG\n";
const char rjtt_taf[] = "2011/11/30 05:00\nTAF RJTT 300500Z 3006/0112 34008KT 9999 FEW030\n";

void close_side_windows()
{
    for (QWidget* w : {kolde_sub::chart_window(), kolde_sub::camera_window(), kolde_sub::command_window()})
        delete w;
}

// The captions of the items of a menu that are shown, separators as "-".
QStringList shown_items(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        if (a->isVisible())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QStringList captions(const std::vector<QAction*>& items)
{
    QStringList out;
    for (const QAction* a : items)
        out << a->text();
    return out;
}

class Menus : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        if (HasFatalFailure())
            return;
        use_report_folder();
        for (const char* off : {"ブラウザー", "マニュアル入力時停止", "LOCAL使用", "先頭行", "更新終了時アラーム",
                                "更新終了時メッセージ", "印刷更新時印刷"})
            set(off, Value::boolean(false));
        // The PDF-reader notice is off unless a test switches it on.
        set("アドビインフォメーション", Value::boolean(true));
        set("前画面クリアー", Value::boolean(true));
        set("シーケンス表示", Value::boolean(true));
        set("シーケンス時間", Value(3));
        serve(stations + "RJTT.TXT", rjtt_metar);
        serve(forecasts + "RJTT.TXT", rjtt_taf);
        fill_table(kolde_sub::rs_airport(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")},
                   {{"RJTT", "東京国際"}, {"RJAA", "成田国際"}});
        fill_table(kolde_sub::rs_company(), {QStringLiteral("id"), QStringLiteral("route")},
                   {{"TOKYO", "RJTT RJAA"}, {"KANSAI", "RJBB RJOO"}});
        fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")},
                   {{"RJTT", "東京国際"}});
        kolde_sub::set_default_browser_opener([this](const QUrl& url) {
            opened.push_back(url.toString());
            return true;
        });
    }

    void TearDown() override
    {
        kolde_sub::set_default_browser_opener({});
        close_side_windows();
        kolde_sub::unload_opton();
        ViewFixture::TearDown();
    }

    // The first activation builds the menus; the heartbeat and the banner
    // timer are stopped so that only the items switch them.
    static void start(view& v)
    {
        kolde_test::activate(v);
        v.Timer->stop();
        v.Timer2->stop();
    }

    std::vector<QString> opened;
};

// ------------------------------------------------------------ simple items

TEST_F(Menus, EachItemLogsAndOpensItsWindowOrPage)
{
    view v;
    start(v);
    const auto page = [this](WebPage p) {
        return [this, p] { return opened == std::vector<QString>{kolde_sub::web_page_url(p)}; };
    };
    const auto window = [](QWidget* (*get)()) { return [get] { return get() != nullptr && get()->isVisible(); }; };
    const auto log_shown = [] { return kolde_sub::log_window()->isVisible(); };
    struct Case {
        QAction* view::*item;
        QStringList log;
        QString modal;                  // the modal window's name
        std::function<bool()> opened;   // else the modeless window or page
    };
    const Case cases[] = {
            {&view::menu_suntime, {"DISPLAY SUNRISE/SUNSET GRAPH"}, "suntime", {}},
            {&view::menu_popup_suntime, {"DISPLAY SUNRISE/SUNSET GRAPH"}, "suntime", {}},
            {&view::menu_info_version, {"DISPLAY SYSTEM VERSION INFORMATION"}, "version", {}},
            {&view::menu_info_compornent, {"DISPLAY SYSTEM COMPORNENTS INFORMATION"}, "compornent", {}},
            {&view::menu_airport, {"DISPLAY AIRPORT LIST"}, "airport", {}},
            {&view::menu_popup_ap, {"DISPLAY AIRPORT LIST"}, "airport", {}},
            {&view::menu_company_edit, {"DISPLAY GROUP LIST"}, "company", {}},
            {&view::menu_popup_company, {"DISPLAY GROUP LIST"}, "company", {}},
            {&view::menu_info_weather, {}, "weather", {}},
            {&view::menu_option, {"DISPLAY SYSTEM SETUP MENU"}, "opton", {}},
            {&view::menu_popup_config, {"DISPLAY SYSTEM SETUP MENU"}, "opton", {}},
            {&view::menu_chart, {"DISPLAY WEATHER CHART"}, {}, window(kolde_sub::chart_window)},
            {&view::menu_popup_wx, {"DISPLAY WEATHER CHART"}, {}, window(kolde_sub::chart_window)},
            {&view::menu_camera, {"DISPLAY NETWORK CAMERA"}, {}, window(kolde_sub::camera_window)},
            {&view::menu_popup_cam, {"DISPLAY NETWORK CAMERA"}, {}, window(kolde_sub::camera_window)},
            {&view::menu_command, {"DISPLAY COMMAND LIST"}, {}, window(kolde_sub::command_window)},
            {&view::menu_popup_command, {"DISPLAY COMMAND LIST"}, {}, window(kolde_sub::command_window)},
            {&view::menu_info_log, {"DISPLAY RUNNING LOG"}, {}, log_shown},
            {&view::menu_popup_log, {"DISPLAY RUNNING LOG"}, {}, log_shown},
            {&view::menu_yahoo, {"DISPLAY Yahoo! WEATHER"}, {}, page(WebPage::AirportWeather)},
            {&view::menu_ais, {"DISPLAY AIS-JAPAN"}, {}, page(WebPage::Ais)},
            {&view::menu_popup_ais, {"DISPLAY AIS-JAPAN"}, {}, page(WebPage::Ais)},
            {&view::menu_info_help, {"DISPLAY ONLINE HELP"}, {}, page(WebPage::Help)},
            {&view::menu_popup_help, {"DISPLAY ONLINE HELP"}, {}, page(WebPage::Help)},
            {&view::menu_info_homepage, {"DISPLAY KOLDE HOMEPAGE"}, {}, page(WebPage::HomeIndex)},
            {&view::menu_popup_homepage, {"DISPLAY KOLDE HOMEPAGE"}, {}, page(WebPage::HomePage)},
    };
    for (const Case& c : cases) {
        QAction* item = v.*c.item;
        SCOPED_TRACE(item->objectName().toStdString());
        opened.clear();
        close_side_windows();
        kolde_sub::log_window()->hide();
        const qsizetype before = log_texts().size();
        QStringList modal;
        {
            ModalCloser closer;
            item->trigger();
            modal = closer.names();
        }
        // The options dialog comes behind its wait notice.
        modal.removeAll(QStringLiteral("fontmsg"));
        EXPECT_EQ(log_texts().mid(before), c.log);
        if (c.modal.isEmpty()) {
            EXPECT_TRUE(modal.isEmpty()) << qPrintable(modal.join(u' '));
            EXPECT_TRUE(c.opened());
        } else {
            EXPECT_EQ(modal, QStringList{c.modal});
            EXPECT_TRUE(opened.empty());
        }
    }
}

TEST_F(Menus, WeatherItemOpensTheAbbreviationDictionary)
{
    view v;
    start(v);
    kolde_sub::weather_mode = 2;
    ModalCloser closer;
    v.menu_info_weather->trigger();
    ASSERT_EQ(closer.shown().size(), 1);
    EXPECT_EQ(closer.shown()[0].name, QStringLiteral("weather"));
    EXPECT_EQ(closer.shown()[0].caption, kolde_sub::weather_caption(0));
}

// ------------------------------------------------------ sequence and group

TEST_F(Menus, ManualInputStopEndsTheAutomaticDecodeOrTheTimerRunsOn)
{
    // The sequence comes from the record of the observations shown, which
    // holds one of RJTT.
    set("シーケンス表示", Value::boolean(false));
    view v;
    start(v);
    ASSERT_TRUE(kolde_test::write_file(kolde_sub::sequence_file_path(),
                                       "RJTT  METAR 0530Z\r\n 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG\r\n\r\n"));
    ASSERT_EQ(v.menu_listAP[0]->text(), QStringLiteral("RJTT  東京国際"));
    ASSERT_EQ(v.menu_company_data[0]->text(), QStringLiteral("TOKYO"));
    enum class Item { Sequence, Group, PopupGroup };
    for (const Item item : {Item::Sequence, Item::Group, Item::PopupGroup}) {
        for (const bool stop : {true, false}) {
            SCOPED_TRACE(static_cast<int>(item));
            SCOPED_TRACE(stop);
            set("マニュアル入力時停止", Value::boolean(stop));
            v.Panels[2]->setText(running_text);
            v.status_text = running_text;
            v.Timer->start();
            const qsizetype before = log_texts().size();
            switch (item) {
            case Item::Sequence:
                v.menu_listAP[0]->trigger();
                break;
            case Item::Group:
                v.menu_company_data[0]->trigger();
                break;
            case Item::PopupGroup:
                v.menu_popup_group_data[0]->trigger();
                break;
            }
            v.Timer4->stop();
            const QStringList rows = log_texts().mid(before);

            EXPECT_EQ(v.Timer->isActive(), !stop);
            EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("READY / PRESS ESC TO EXIT\r\n")));
            if (item == Item::Sequence) {
                // The stop comes before the request's own line.
                QStringList expected{QStringLiteral("RJTT MANUAL DECODE"), QStringLiteral("CALL SEQUENCE RJTT")};
                if (stop)
                    expected.prepend(terminated);
                EXPECT_EQ(rows, expected);
                EXPECT_EQ(kolde_sub::current_request, QStringLiteral("SQ RJTT"));
            } else {
                // The stop comes after the display.
                ASSERT_FALSE(rows.isEmpty());
                EXPECT_TRUE(rows.contains(QStringLiteral("NOT FOUND RJAA")));
                EXPECT_EQ(rows.last() == terminated, stop);
                EXPECT_EQ(rows.count(terminated), stop ? 1 : 0);
                EXPECT_EQ(kolde_sub::current_request, QStringLiteral("RJTT RJAA"));
                EXPECT_EQ(kolde_sub::current_group, QStringLiteral("TOKYO"));
                EXPECT_TRUE(v.group_mode);
            }
            EXPECT_FALSE(v.auto_mode);
            if (stop) {
                // After the display the panel tells that the automatic
                // decode stopped, not what it showed before the click.
                EXPECT_EQ(v.status_text, stopped_text);
                EXPECT_EQ(v.Panels[2]->text(), stopped_text);
            }
        }
    }
}

// A click while a display waits for the network changes nothing: the
// request, the log and the heartbeat stay as the running display has them.
TEST_F(Menus, SequenceAndGroupItemsWaitForNoDisplay)
{
    view v;
    start(v);
    serve(stations + "RJAA.TXT", "2011/11/30 05:15\nRJAA 300515Z 36010KT 3000 BR BKN008 12/11 Q1018\n");
    const QString stalled = stations + "RJAA.TXT";
    server->set_fault(stalled.toStdString(), kolde_site::Fault::Stall);
    v.inet->set_request_timeout(30);
    const qsizetype before = log_texts().size();
    const bool waited = while_requested(stalled, [&] {
        v.menu_listAP[0]->trigger();
        v.menu_company_data[0]->trigger();
        v.menu_popup_group_data[1]->trigger();
        EXPECT_EQ(kolde_sub::current_request, QStringLiteral("RJAA"));
        EXPECT_FALSE(v.Timer->isActive());
        server->clear_fault(stalled.toStdString());
    }, [&] { v.console_enter(QStringLiteral("RJAA")); });
    EXPECT_TRUE(waited);
    const QStringList rows = log_texts().mid(before);
    EXPECT_FALSE(rows.contains(QStringLiteral("RJTT MANUAL DECODE")));
    EXPECT_EQ(served(stations + "RJTT.TXT"), 0);
    EXPECT_EQ(served(stations + "RJBB.TXT"), 0);
    EXPECT_FALSE(v.Timer->isActive());
    EXPECT_FALSE(v.group_mode);
}

// ------------------------------------------------------------ group editor

TEST_F(Menus, GroupEditorBuildsBothGroupMenusAgain)
{
    view v;
    start(v);
    ASSERT_EQ(captions(v.menu_popup_group_data), (QStringList{"TOKYO", "KANSAI"}));

    const QStringList columns{QStringLiteral("id"), QStringLiteral("route")};
    struct Case {
        QList<QList<Value>> rows;
        QStringList ids;
    };
    const Case cases[] = {
            {{}, {}},
            {{{"NORTH", "RJCC"}, {"EAST", "RJTT"}, {"WEST", "RJFF"}}, {"NORTH", "EAST", "WEST"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ids.join(u' ').toStdString());
        {
            // The table changes while the editor is open.
            ModalCloser closer([&](QWidget*) { fill_table(kolde_sub::rs_company(), columns, c.rows); });
            v.menu_popup_company->trigger();
            EXPECT_EQ(closer.names(), QStringList{QStringLiteral("company")});
        }
        EXPECT_EQ(v.group_menu_count, c.ids.size());
        if (c.ids.isEmpty()) {
            EXPECT_EQ(shown_items(v.menu_company), QStringList{QStringLiteral("グループ編集")});
            EXPECT_FALSE(v.menu_popup_group->menuAction()->isEnabled());
            EXPECT_EQ(v.menu_company_data.size(), 1u);
            EXPECT_EQ(v.menu_popup_group_data.size(), 1u);
        } else {
            EXPECT_EQ(shown_items(v.menu_company), QStringList({QStringLiteral("グループ編集"), "-"}) + c.ids);
            EXPECT_TRUE(v.menu_popup_group->menuAction()->isEnabled());
            EXPECT_EQ(captions(v.menu_company_data), c.ids);
            EXPECT_EQ(captions(v.menu_popup_group_data), c.ids);
            EXPECT_EQ(v.menu_popup_group->actions().size(), c.ids.size());
        }
    }

    // The items made again run their own group.
    ASSERT_EQ(v.menu_popup_group_data.size(), 3u);
    v.menu_popup_group_data[2]->trigger();
    EXPECT_EQ(kolde_sub::current_group, QStringLiteral("WEST"));
    EXPECT_EQ(kolde_sub::current_request, QStringLiteral("RJFF"));
    v.menu_company_data[1]->trigger();
    EXPECT_EQ(kolde_sub::current_group, QStringLiteral("EAST"));
    EXPECT_EQ(kolde_sub::current_request, QStringLiteral("RJTT"));
    v.Timer->stop();
}

// ------------------------------------------------------------ decode list

TEST_F(Menus, DecodeListRestartsTheAutomaticDecode)
{
    view v;
    start(v);
    struct Case {
        QAction* view::*item;
        bool online;
        bool restarts;
    };
    const Case cases[] = {
            {&view::menu_autodecode, false, false},
            {&view::menu_autodecode, true, true},
            {&view::menu_popup_de, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((v.*c.item)->objectName().toStdString() + (c.online ? " online" : " offline"));
        kolde_sub::online = c.online;
        v.Timer->stop();
        v.auto_mode = false;
        const qsizetype before = log_texts().size();
        {
            ModalCloser closer;
            (v.*c.item)->trigger();
            EXPECT_EQ(closer.names(), QStringList{QStringLiteral("decodelist")});
        }
        const QStringList rows = log_texts().mid(before);
        ASSERT_FALSE(rows.isEmpty());
        EXPECT_EQ(rows.first(), QStringLiteral("DISPLAY AUTO DECODE LIST"));
        EXPECT_EQ(rows.size() > 1, c.restarts);
        EXPECT_EQ(v.Timer->isActive(), c.restarts);
        EXPECT_EQ(v.auto_mode, c.restarts);
        EXPECT_EQ(served(stations + "RJTT.TXT") > 0, c.restarts);
        server->clear_requests();
    }
    v.Timer->stop();
}

// ------------------------------------------------------------ chart

TEST_F(Menus, ChartAfterTheReaderNotice)
{
    set("アドビインフォメーション", Value::boolean(false));
    struct Case {
        QAction* view::*item;
        bool banner;  // the notice's download banner is used
    };
    const Case cases[] = {
            {&view::menu_chart, false},
            {&view::menu_popup_wx, false},
            {&view::menu_chart, true},
            {&view::menu_popup_wx, true},
    };
    for (const Case& c : cases) {
        // A case that closed the window closed the store with it.
        if (!kolde_sub::db_conn().is_open()) {
            ASSERT_TRUE(kolde_sub::open_database());
        }
        opened.clear();
        close_side_windows();
        view v;
        v.show();
        SCOPED_TRACE((v.*c.item)->objectName().toStdString() + (c.banner ? " banner" : " closed"));
        // The shut-down unloads the log: its rows are read as it begins.
        const qsizetype before = log_texts().size();
        QStringList rows;
        QObject::connect(&v, &view::shutting_down, [&] { rows = log_texts().mid(before); });
        QStringList modal;
        {
            ModalCloser closer([&](QWidget* w) {
                if (auto* notice = qobject_cast<kolde_sub::adobeinfo*>(w); notice && c.banner)
                    notice->image_Click();
            });
            (v.*c.item)->trigger();
            modal = closer.names();
        }
        EXPECT_EQ(modal, QStringList{QStringLiteral("adobeinfo")});
        if (c.banner) {
            EXPECT_EQ(rows, (QStringList{"DISPLAY ADOBE PDF INFORMATION", "SYSTEM UNLOAD"}));
            EXPECT_FALSE(v.isVisible());
            EXPECT_EQ(kolde_sub::chart_window(), nullptr);
            EXPECT_EQ(opened, std::vector<QString>{kolde_sub::reader_download_url()});
        } else {
            EXPECT_EQ(log_texts().mid(before), (QStringList{"DISPLAY ADOBE PDF INFORMATION", "DISPLAY WEATHER CHART"}));
            EXPECT_TRUE(v.isVisible());
            EXPECT_NE(kolde_sub::chart_window(), nullptr);
            EXPECT_TRUE(opened.empty());
        }
    }
}

// ------------------------------------------------------------ closed store

// With the store closed the items still run (the reads give nothing); the
// group editor then finds no group.
TEST_F(Menus, ItemsRunOnAClosedStore)
{
    view v;
    start(v);
    kolde_sub::close_database();
    ModalCloser closer;
    for (QAction* a : {v.menu_listAP[0], v.menu_company_data[0], v.menu_popup_group_data[1], v.menu_company_edit,
                       v.menu_chart, v.menu_option, v.menu_autodecode, v.menu_info_weather}) {
        SCOPED_TRACE(a->objectName().toStdString());
        a->trigger();
        v.Timer4->stop();
    }
    v.Timer->stop();
    EXPECT_EQ(v.group_menu_count, 0);
    EXPECT_FALSE(v.menu_popup_group->menuAction()->isEnabled());
    EXPECT_EQ(v.menu_popup_group_data.size(), 1u);
}

}  // namespace
