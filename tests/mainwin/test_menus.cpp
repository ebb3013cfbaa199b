// The menu bar and the pop-up menu: what each item logs and opens, the
// sequence and group items with and without the stop on manual input, the
// group menus built again after the group editor, the automatic decode
// after the decode list, and the chart after the PDF-reader notice.
#include "view_fixture.h"

#include "editors/editors.h"
#include "mainwin/browser_rules.h"
#include "options/opton.h"
#include "platform/transfer.h"
#include "reports/request.h"
#include "reports/sequence_files.h"
#include "sidewin/side_windows.h"

#include <QTest>

using kolde_sub::WebPage;
using kolde_test::ModalCloser;
using kolde_test::stations;
using platform::Value;

namespace {

const QString terminated = QStringLiteral("AUTO DECODE SEQUENCE TERMINATED");

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

class Menus : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        if (HasFatalFailure())
            return;
        use_report_folder();
        // The PDF-reader notice is off unless a test switches it on.
        switches({kolde_sub::key::browser, kolde_sub::key::stop_on_manual_input, kolde_sub::key::local_time, kolde_sub::key::top_line, kolde_sub::key::update_done_alarm, kolde_sub::key::update_done_message, kolde_sub::key::print_on_update},
                 {kolde_sub::key::pdf_reader_notice, kolde_sub::key::clear_screen, kolde_sub::key::sequence});
        set(kolde_sub::key::sequence_hours, Value(3));
        serve(stations + "RJTT.TXT", "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG\n");
        fill_table(kolde_sub::rs_airport(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")},
                   {{"RJTT", "東京国際"}, {"RJAA", "成田国際"}});
        fill_table(kolde_sub::rs_company(), {QStringLiteral("id"), QStringLiteral("route")},
                   {{"TOKYO", "RJTT RJAA"}, {"KANSAI", "RJBB RJOO"}});
        fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")},
                   {{"RJTT", "東京国際"}});
        kolde_sub::set_default_browser_opener([this](const QUrl& url) {
            opened << url.toString();
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
        drive(v).heartbeat_timer()->stop();
        drive(v).banner_timer()->stop();
    }

    // Triggers an item; the log rows it writes and the modal windows it
    // shows, by name.
    static QStringList trigger(QAction* item, QStringList* modal = nullptr)
    {
        const qsizetype before = log_texts().size();
        ModalCloser closer;
        item->trigger();
        if (modal)
            *modal = closer.names();
        return log_texts().mid(before);
    }

    QStringList opened;
};

// ------------------------------------------------------------ simple items

TEST_F(Menus, EachItemLogsAndOpensItsWindowOrPage)
{
    view v;
    start(v);
    const auto page = [this](WebPage p) { return [this, p] { return opened == QStringList{kolde_sub::web_page_url(p)}; }; };
    const auto window = [](QWidget* (*get)()) { return [get] { return get() != nullptr && get()->isVisible(); }; };
    const auto log_shown = [] { return kolde_sub::log_window()->isVisible(); };
    struct Case {
        const char* item;
        const char* log;
        QString modal;                 // the modal window's name
        std::function<bool()> shown;   // else the modeless window or page
    };
    const Case cases[] = {
            {"menu_suntime", "DISPLAY SUNRISE/SUNSET GRAPH", "suntime", {}},
            {"menu_popup_suntime", "DISPLAY SUNRISE/SUNSET GRAPH", "suntime", {}},
            {"menu_info_version", "DISPLAY SYSTEM VERSION INFORMATION", "version", {}},
            {"menu_info_compornent", "DISPLAY SYSTEM COMPORNENTS INFORMATION", "compornent", {}},
            {"menu_airport", "DISPLAY AIRPORT LIST", "airport", {}},
            {"menu_popup_ap", "DISPLAY AIRPORT LIST", "airport", {}},
            {"menu_company_edit", "DISPLAY GROUP LIST", "company", {}},
            {"menu_popup_company", "DISPLAY GROUP LIST", "company", {}},
            {"menu_info_weather", nullptr, "weather", {}},
            {"menu_option", "DISPLAY SYSTEM SETUP MENU", "opton", {}},
            {"menu_popup_config", "DISPLAY SYSTEM SETUP MENU", "opton", {}},
            {"menu_chart", "DISPLAY WEATHER CHART", {}, window(kolde_sub::chart_window)},
            {"menu_popup_wx", "DISPLAY WEATHER CHART", {}, window(kolde_sub::chart_window)},
            {"menu_camera", "DISPLAY NETWORK CAMERA", {}, window(kolde_sub::camera_window)},
            {"menu_popup_cam", "DISPLAY NETWORK CAMERA", {}, window(kolde_sub::camera_window)},
            {"menu_command", "DISPLAY COMMAND LIST", {}, window(kolde_sub::command_window)},
            {"menu_popup_command", "DISPLAY COMMAND LIST", {}, window(kolde_sub::command_window)},
            {"menu_info_log", "DISPLAY RUNNING LOG", {}, log_shown},
            {"menu_popup_log", "DISPLAY RUNNING LOG", {}, log_shown},
            {"menu_yahoo", "DISPLAY Yahoo! WEATHER", {}, page(WebPage::AirportWeather)},
            {"menu_ais", "DISPLAY AIS-JAPAN", {}, page(WebPage::Ais)},
            {"menu_popup_ais", "DISPLAY AIS-JAPAN", {}, page(WebPage::Ais)},
            {"menu_info_help", "DISPLAY ONLINE HELP", {}, page(WebPage::Help)},
            {"menu_popup_help", "DISPLAY ONLINE HELP", {}, page(WebPage::Help)},
            {"menu_info_homepage", "DISPLAY KOLDE HOMEPAGE", {}, page(WebPage::HomeIndex)},
            {"menu_popup_homepage", "DISPLAY KOLDE HOMEPAGE", {}, page(WebPage::HomePage)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(drive(v).menu_item(c.item)->objectName().toStdString());
        opened.clear();
        close_side_windows();
        kolde_sub::log_window()->hide();
        QStringList modal;
        EXPECT_EQ(trigger(drive(v).menu_item(c.item), &modal), c.log ? QStringList{QString::fromUtf8(c.log)} : QStringList{});
        EXPECT_EQ(modal, c.modal.isEmpty() ? QStringList{} : QStringList{c.modal});
        EXPECT_TRUE(c.shown ? c.shown() : opened.isEmpty());
    }

    // The abbreviation dictionary opens in its own mode.
    ModalCloser closer;
    drive(v).menu_item("menu_info_weather")->trigger();
    EXPECT_EQ(closer.shown().value(0).caption, kolde_sub::weather_caption(0));
}

// ------------------------------------------------------ sequence and group

// With the stop switched on, the sequence item stops the automatic decode
// before its display and the group items after theirs; switched off, the
// heartbeat runs on.
TEST_F(Menus, ManualInputStopEndsTheAutomaticDecodeOrTheTimerRunsOn)
{
    // The sequence comes from the record of the observations shown, which
    // holds one of RJTT.
    set(kolde_sub::key::sequence, Value::boolean(false));
    view v;
    start(v);
    ASSERT_TRUE(kolde_test::write_file(kolde_sub::sequence_file_path(),
                                       "RJTT  METAR 0530Z\r\n 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG\r\n\r\n"));
    const QString running = QStringLiteral("自動デコード作動　　最終更新  0530Z");
    const QString stopped = QStringLiteral("自動デコード停止");
    for (const char* items : {"menu_listAP", "menu_company_data", "menu_popup_group_data"}) {
        for (const bool stop : {true, false}) {
            const bool sequence = QByteArray(items) == "menu_listAP";
            SCOPED_TRACE(drive(v).menu_items(items)[0]->objectName().toStdString() + (stop ? " stop" : " run on"));
            set(kolde_sub::key::stop_on_manual_input, Value::boolean(stop));
            drive(v).set_status_panel_text(running);
            drive(v).status_text() = running;
            drive(v).heartbeat_timer()->start();
            const QStringList rows = trigger(drive(v).menu_items(items)[0]);
            drive(v).sequence_retry_timer()->stop();

            EXPECT_EQ(drive(v).heartbeat_timer()->isActive(), !stop);
            EXPECT_FALSE(drive(v).auto_mode());
            EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("READY / PRESS ESC TO EXIT\r\n")));
            if (sequence) {
                QStringList expected{QStringLiteral("RJTT MANUAL DECODE"), QStringLiteral("CALL SEQUENCE RJTT")};
                if (stop)
                    expected.prepend(terminated);
                EXPECT_EQ(rows, expected);
                EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("SQ RJTT"));
            } else {
                EXPECT_TRUE(rows.contains(QStringLiteral("NOT FOUND RJAA")));
                EXPECT_EQ(rows.value(rows.size() - 1) == terminated, stop);
                EXPECT_EQ(rows.count(terminated), stop ? 1 : 0);
                EXPECT_EQ(kolde_sub::current_request().group(), QStringLiteral("TOKYO"));
                EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("RJTT RJAA"));
                EXPECT_TRUE(drive(v).group_mode());
            }
            // After the display the panel tells that the automatic decode
            // stopped, not what it showed before the click.
            if (stop) {
                EXPECT_EQ(drive(v).status_text(), stopped);
                EXPECT_EQ(drive(v).status_panel_text(), stopped);
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
    drive(v).display_transfer()->set_request_timeout(30);
    const qsizetype before = log_texts().size();
    const bool waited = while_requested(stalled, [&] {
        drive(v).menu_items("menu_listAP")[0]->trigger();
        drive(v).menu_items("menu_company_data")[0]->trigger();
        drive(v).menu_items("menu_popup_group_data")[1]->trigger();
        EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("RJAA"));
        server->clear_fault(stalled.toStdString());
    }, [&] { v.console_enter(QStringLiteral("RJAA")); });
    EXPECT_TRUE(waited);
    EXPECT_FALSE(log_texts().mid(before).contains(QStringLiteral("RJTT MANUAL DECODE")));
    EXPECT_EQ(served(stations + "RJTT.TXT"), 0);
    EXPECT_EQ(served(stations + "RJBB.TXT"), 0);
    EXPECT_FALSE(drive(v).heartbeat_timer()->isActive());
    EXPECT_FALSE(drive(v).group_mode());
}

// A group chosen from the bar or the pop-up menu after a "JP " request typed
// on the console is shown as the group, not translated.
TEST_F(Menus, GroupItemsShowTheGroupAfterAJapaneseRequest)
{
    view v;
    start(v);
    const QString translated = QStringLiteral("JAPANESE TRANSLATION WEATHER OBSERVATION");
    for (const char* items : {"menu_company_data", "menu_popup_group_data"}) {
        SCOPED_TRACE(items);
        v.set_console_text(QString());
        QTest::keyClicks(drive(v).console(), QStringLiteral("JP RJTT"));
        QTest::keyClick(drive(v).console(), Qt::Key_Return);
        ASSERT_TRUE(v.console_text().contains(translated));
        trigger(drive(v).menu_items(items)[0]);
        const QString text = v.console_text();
        EXPECT_TRUE(text.contains(QStringLiteral("*** TOKYO - GROUP FORMAT OBSERVATION AND FORECASTS ***")))
            << text.toStdString();
        EXPECT_FALSE(text.contains(translated)) << text.toStdString();
    }
    drive(v).heartbeat_timer()->stop();
}

// ------------------------------------------------------------ group editor

// The group table changes while the editor is open; both group menus are
// made again from it, and the items made again run their own group.
TEST_F(Menus, GroupEditorBuildsBothGroupMenusAgain)
{
    view v;
    start(v);
    ASSERT_EQ(shown_items(drive(v).menu("menu_popup_group")), (QStringList{"TOKYO", "KANSAI"}));
    const QStringList edit{QStringLiteral("グループ編集")};
    for (const bool empty : {true, false}) {
        SCOPED_TRACE(empty);
        QList<QList<Value>> rows;
        if (!empty)
            rows = {{"NORTH", "RJCC"}, {"EAST", "RJTT"}, {"WEST", "RJFF"}};
        const QStringList ids = empty ? QStringList{} : QStringList{"NORTH", "EAST", "WEST"};
        {
            // The editor stores its grid when it closes.
            ModalCloser closer([&](QWidget* w) {
                auto* editor = qobject_cast<kolde_sub::company*>(w);
                ASSERT_NE(editor, nullptr);
                editor->grid->setRowCount(0);
                for (const QList<Value>& row : rows) {
                    const int r = editor->grid->rowCount();
                    editor->grid->insertRow(r);
                    editor->grid->setItem(r, 0, new QTableWidgetItem(row[0].to_text()));
                    editor->grid->setItem(r, 1, new QTableWidgetItem(row[1].to_text()));
                }
            });
            // From the menu, and from the console's "GP".
            if (empty)
                drive(v).menu_item("menu_popup_company")->trigger();
            else
                v.console_enter(QStringLiteral("GP"));
            EXPECT_EQ(closer.names(), QStringList{QStringLiteral("company")});
        }
        EXPECT_EQ(drive(v).group_menu_count(), ids.size());
        EXPECT_EQ(shown_items(drive(v).menu("menu_company")), empty ? edit : edit + QStringList{"-"} + ids);
        EXPECT_EQ(drive(v).menu_item("menu_popup_group")->isEnabled(), !empty);
        ASSERT_EQ(drive(v).menu_items("menu_popup_group_data").size(), empty ? 1u : 3u);
        if (!empty) {
            EXPECT_EQ(shown_items(drive(v).menu("menu_popup_group")), ids);
        }
    }

    drive(v).menu_items("menu_popup_group_data")[2]->trigger();
    EXPECT_EQ(kolde_sub::current_request().group(), QStringLiteral("WEST"));
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("RJFF"));
    drive(v).menu_items("menu_company_data")[1]->trigger();
    EXPECT_EQ(kolde_sub::current_request().group(), QStringLiteral("EAST"));
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("RJTT"));
    drive(v).heartbeat_timer()->stop();
}

// ------------------------------------------------------------ decode list

// After the decode list the bar's item restarts the automatic decode only
// online, the pop-up item offline too.
TEST_F(Menus, DecodeListRestartsTheAutomaticDecode)
{
    view v;
    start(v);
    const struct {
        const char* item;
        bool online;
        bool restarts;
    } cases[] = {{"menu_autodecode", false, false},
                 {"menu_autodecode", true, true},
                 {"menu_popup_de", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(drive(v).menu_item(c.item)->objectName().toStdString() + (c.online ? " online" : " offline"));
        kolde_sub::set_online(c.online);
        drive(v).heartbeat_timer()->stop();
        drive(v).auto_mode() = false;
        server->clear_requests();
        QStringList modal;
        const QStringList rows = trigger(drive(v).menu_item(c.item), &modal);
        EXPECT_EQ(modal, QStringList{QStringLiteral("decodelist")});
        EXPECT_EQ(rows.value(0), QStringLiteral("DISPLAY AUTO DECODE LIST"));
        EXPECT_EQ(rows.size() > 1, c.restarts);
        EXPECT_EQ(drive(v).heartbeat_timer()->isActive(), c.restarts);
        EXPECT_EQ(drive(v).auto_mode(), c.restarts);
        EXPECT_EQ(served(stations + "RJTT.TXT") > 0, c.restarts);
    }
    drive(v).heartbeat_timer()->stop();
}

// ------------------------------------------------------------ chart

// With the notice switched on it comes before the chart; asking there for
// the reader's download ends the program instead.
TEST_F(Menus, ChartAfterTheReaderNotice)
{
    set(kolde_sub::key::pdf_reader_notice, Value::boolean(false));
    for (const bool banner : {false, true}) {
        SCOPED_TRACE(banner);
        close_side_windows();
        view v;
        v.show();
        // The shut-down unloads the log: its rows are read as it begins.
        const qsizetype before = log_texts().size();
        QStringList rows;
        QObject::connect(&v, &view::shutting_down, [&] { rows = log_texts().mid(before); });
        ModalCloser closer([&](QWidget* w) {
            if (auto* notice = qobject_cast<kolde_sub::adobeinfo*>(w); notice && banner)
                notice->image_Click();
        });
        drive(v).menu_item("menu_chart")->trigger();
        EXPECT_EQ(closer.names(), QStringList{QStringLiteral("adobeinfo")});
        if (!banner)
            rows = log_texts().mid(before);
        const QString last = banner ? QStringLiteral("SYSTEM UNLOAD") : QStringLiteral("DISPLAY WEATHER CHART");
        EXPECT_EQ(rows, (QStringList{QStringLiteral("DISPLAY ADOBE PDF INFORMATION"), last}));
        EXPECT_EQ(v.isVisible(), !banner);
        EXPECT_EQ(kolde_sub::chart_window() != nullptr, !banner);
        EXPECT_EQ(opened, banner ? QStringList{kolde_sub::reader_download_url()} : QStringList{});
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
    kolde_test::ViewDriver d = drive(v);
    for (QAction* a : {d.menu_items("menu_listAP")[0], d.menu_items("menu_company_data")[0],
                       d.menu_items("menu_popup_group_data")[1], d.menu_item("menu_company_edit"), d.menu_item("menu_chart"),
                       d.menu_item("menu_option"), d.menu_item("menu_autodecode"), d.menu_item("menu_info_weather")}) {
        SCOPED_TRACE(a->objectName().toStdString());
        a->trigger();
        drive(v).sequence_retry_timer()->stop();
    }
    drive(v).heartbeat_timer()->stop();
    EXPECT_EQ(drive(v).group_menu_count(), 0);
    EXPECT_FALSE(drive(v).menu_item("menu_popup_group")->isEnabled());
    EXPECT_EQ(drive(v).menu_items("menu_popup_group_data").size(), 1u);
}

}  // namespace
