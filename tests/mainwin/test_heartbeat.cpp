// The heartbeat against a local site: the probe and the connection state,
// the automatic decode cycle, the new-report detection against the site's
// station files, and the sequence retry that waits for the heartbeat's
// hourly files. Ticks are driven by calling the handlers directly.
#include "view_fixture.h"

#include "core/clock.h"
#include "platform/transfer.h"
#include "reports/heartbeat.h"
#include "reports/request.h"
#include "reports/sequence_files.h"
#include "reports/zone.h"
#include "sidewin/datachange.h"
#include "startup/notices.h"
#include "core/shared.h"

#include <QApplication>
#include <QFileInfo>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTime>

#include <algorithm>
#include <functional>

using platform::Value;

using kolde_test::forecasts;
using kolde_test::stations;

namespace {

const QByteArray metar_0500 = "2011/11/30 05:00\nRJTT 300500Z 34005KT 9999 FEW030 15/08 Q1020\n";
const QByteArray taf_0500 = "2011/11/30 05:00\nTAF RJTT 300500Z 3006/0112 34008KT 9999 FEW030\n";

// Counts the windows of type T that are shown.
template <typename T>
class ShowCounter : public QObject {
public:
    ShowCounter() { qApp->installEventFilter(this); }
    ~ShowCounter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<T*>(watched))
            ++shown;
        return false;
    }
    int shown = 0;
};

class Heartbeat : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        use_report_folder();
        switches({kolde_sub::key::local_time, kolde_sub::key::top_line, kolde_sub::key::stop_on_manual_input, kolde_sub::key::update_done_alarm, kolde_sub::key::update_done_message, kolde_sub::key::print_on_update, kolde_sub::key::disconnect_message,
                  kolde_sub::key::disconnect_alarm, kolde_sub::key::sequence},
                 {kolde_sub::key::clear_screen, kolde_sub::key::auto_decode});
        set(kolde_sub::key::sequence_hours, Value(3));
        fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")},
                   {{Value("RJTT"), Value("東京国際")}});
        serve(stations + "RJTT.TXT", metar_0500);
        serve(forecasts + "RJTT.TXT", taf_0500);
        kolde_sub::set_code_history(QStringLiteral(" "));
        kolde_sub::set_update_interval(1);
        kolde_sub::current_request().forget_cycle_slot();
    }

    void TearDown() override
    {
        kolde_sub::close_network_loss_notice();
        ViewFixture::TearDown();
    }

    // The state the first activation leaves for the heartbeat.
    static void ready_for_heartbeat(view& v)
    {
        drive(v).heartbeat_timer()->setInterval(1000);
        drive(v).sequence_retry_timer()->setInterval(3000);
        drive(v).was_online() = true;
        drive(v).probe_period() = 0;
        // A cycle that ran at 23:59 holds nothing off (its end is 0).
        drive(v).standby_start() = QStringLiteral("23:59");
    }

    // One tick that reaches the probe. The window's own timer is stopped
    // again so that no tick comes on its own; whether the tick left it on
    // is handed back.
    static bool probe_tick(view& v)
    {
        kolde_sub::set_cycle_ticks(drive(v).probe_period());
        v.Timer_Timer();
        const bool running = drive(v).heartbeat_timer()->isActive();
        drive(v).heartbeat_timer()->stop();
        return running;
    }

    static std::vector<QAction*> network_menus(const view& v)
    {
        return {drive(v).menu_item("menu_list"), drive(v).menu_item("menu_company"), drive(v).menu_item("menu_chart"),
                drive(v).menu_item("menu_camera"), drive(v).menu_item("menu_update"), drive(v).menu_item("menu_info_help"),
                drive(v).menu_item("menu_info_homepage"), drive(v).menu_item("menu_popup_group"), drive(v).menu_item("menu_popup_wx"),
                drive(v).menu_item("menu_popup_cam"), drive(v).menu_item("menu_popup_help"), drive(v).menu_item("menu_popup_homepage")};
    }
};

// ------------------------------------------------------------- connection

TEST_F(Heartbeat, LossIsShownOnceAndReturnRunsNoCycle)
{
    set(kolde_sub::key::disconnect_message, Value::boolean(true));
    ShowCounter<kolde_sub::message> notices;
    view v;
    kolde_test::activate(v);  // builds the airport and group menus
    drive(v).heartbeat_timer()->stop();
    ready_for_heartbeat(v);
    // The automatic decode is pending: a cycle would start it.
    ASSERT_TRUE(drive(v).auto_mode() && drive(v).new_request());
    ASSERT_TRUE(server->set_down(true));

    for (int probe = 1; probe <= 3; ++probe) {
        EXPECT_TRUE(probe_tick(v)) << probe;
        EXPECT_FALSE(kolde_sub::is_online());
        for (QAction* a : network_menus(v))
            EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
        EXPECT_EQ(log_texts().count(QStringLiteral("NETWORK DISCONNECTED")), probe);
        EXPECT_EQ(log_texts().count(QStringLiteral("STANDBY DATA RELOAD")), probe);
    }
    EXPECT_EQ(v.console_text().count(QStringLiteral("\r\nDISCONNECT NETWORK\r\n")), 1);
    EXPECT_EQ(notices.shown, 1);
    EXPECT_EQ(drive(v).connection_panel()->text(), QStringLiteral("ネットワーク未接続"));
    EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("再受信待機"));
    EXPECT_EQ(drive(v).probe_period(), 20);

    // Back: reconnected, the notice closes, but the cycle waits a probe.
    ASSERT_TRUE(server->set_down(false));
    server->clear_requests();
    EXPECT_TRUE(probe_tick(v));
    EXPECT_TRUE(kolde_sub::is_online());
    for (QAction* a : network_menus(v))
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("\r\nRECONNECT NETWORK\r\n")));
    EXPECT_EQ(log_texts().count(QStringLiteral("RECONNECT NETWORK")), 1);
    EXPECT_TRUE(!kolde_sub::network_loss_notice() || !kolde_sub::network_loss_notice()->isVisible());
    EXPECT_EQ(drive(v).connection_panel()->text(), QStringLiteral("ネットワーク接続確立"));
    EXPECT_EQ(server->requests(), std::vector<std::string>{"GET /data/version.dat"});
    EXPECT_FALSE(log_texts().contains(QStringLiteral("AUTO DECODE SEQUENCE START")));

    // The next probe runs the cycle: the pending list is shown.
    EXPECT_TRUE(probe_tick(v));
    EXPECT_TRUE(log_texts().contains(QStringLiteral("AUTO DECODE SEQUENCE START")));
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("RJTT  METAR 0500Z")));
    EXPECT_FALSE(drive(v).new_request());
    EXPECT_TRUE(QTime::fromString(drive(v).standby_start(), QStringLiteral("HH:mm")).isValid()) << drive(v).standby_start().toStdString();
    EXPECT_EQ(notices.shown, 1);
}

TEST_F(Heartbeat, AnErrorPageOrAMinimisedWindowShowNoNotice)
{
    set(kolde_sub::key::disconnect_message, Value::boolean(true));
    ShowCounter<kolde_sub::message> notices;
    view v;
    ready_for_heartbeat(v);
    v.showMinimized();
    ASSERT_TRUE(v.isMinimized());
    server->set_fault("/data/version.dat", kolde_site::Fault::ErrorPage);
    probe_tick(v);
    EXPECT_FALSE(kolde_sub::is_online());
    EXPECT_EQ(v.console_text().count(QStringLiteral("DISCONNECT NETWORK")), 1);
    EXPECT_EQ(notices.shown, 0);
}

// A notice of the connection written while a line is typed leaves the line
// whole and working: it follows the notice (and the prompt of a display that
// wrote the notice), the caret at its end, and Enter carries it out. The
// line is typed while a display waits for a station that never answers (the
// display finds the network lost, a probe its return), or after a display
// (a probe, or the next display, finds the network lost).
TEST_F(Heartbeat, AConnectionNoticeLeavesTheTypedLineWorking)
{
    serve(stations + "RJAA.TXT", "2011/11/30 05:15\nRJAA 300515Z 36010KT 3000 BR BKN008 12/11 Q1018\n");
    struct Case {
        const char* name;
        bool typed_during_display;
        bool found_by_probe;  // else by the request shown again
        const char* notice;
        const char* before_line;  // what the console shows before the typed line
        const char* entered;      // the log row of the typed line's Enter
    };
    const Case cases[] = {
            {"return, typed during a display", true, true, "RECONNECT NETWORK", "\r\nRECONNECT NETWORK\r\n",
             "MANUAL DECODE"},
            {"loss, typed after a display", false, true, "DISCONNECT NETWORK", "\r\nDISCONNECT NETWORK\r\n",
             "SYSTEM NO NETWORK CONNECTION"},
            {"loss found by the next display", false, false, "DISCONNECT NETWORK",
             "\r\nNO NETWORK CONNECTION\r\n\r\nREADY / PRESS ESC TO EXIT\r\n", "SYSTEM NO NETWORK CONNECTION"},
    };
    const QString station = stations + QStringLiteral("RJTT.TXT");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kolde_sub::set_online(true);
        view v;
        v.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
        ready_for_heartbeat(v);
        // Only probe_tick probes.
        drive(v).probe_period() = 1000;
        QTextEdit* console = drive(v).console();
        v.set_console_text(QStringLiteral("SYSTEM INITIALIZED\r\n"));
        v.console_caret_to_end();
        QTest::keyClicks(console, QStringLiteral("RJTT"));
        if (c.typed_during_display) {
            server->set_fault(station.toStdString(), kolde_site::Fault::Stall);
            drive(v).display_transfer()->set_request_timeout(30);
            const bool typed = while_requested(station, [&] {
                QTest::keyClicks(console, QStringLiteral("RJAA"));
                EXPECT_TRUE(server->set_down(true));
            }, [&] { QTest::keyClick(console, Qt::Key_Return); });
            ASSERT_TRUE(typed);
            server->clear_faults();
            ASSERT_TRUE(server->set_down(false));
            ASSERT_FALSE(kolde_sub::is_online());
            // Bounded wait for the keys that waited (not a timing check).
            ASSERT_TRUE(QTest::qWaitFor([&] { return drive(v).typed_line() == QStringLiteral("RJAA"); }));
        } else {
            QTest::keyClick(console, Qt::Key_Return);
            QTest::keyClicks(console, QStringLiteral("RJAA"));
            ASSERT_TRUE(server->set_down(true));
        }
        ASSERT_TRUE(v.console_text().endsWith(QStringLiteral("\r\nRJAA"))) << v.console_text().toStdString();
        const qsizetype notices = v.console_text().count(QString::fromUtf8(c.notice));

        if (c.found_by_probe)
            probe_tick(v);
        else
            v.display_reports();
        ASSERT_TRUE(server->set_down(false));
        const QString text = v.console_text();
        EXPECT_EQ(text.count(QString::fromUtf8(c.notice)), notices + 1) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QString::fromUtf8(c.before_line) + QStringLiteral("RJAA"))) << text.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("RJAA")), 1) << text.toStdString();
        EXPECT_EQ(drive(v).typed_line(), QStringLiteral("RJAA"));
        EXPECT_EQ(console->textCursor().position(), console->document()->characterCount() - 1);

        const qsizetype entered = log_texts().count(QString::fromUtf8(c.entered));
        QTest::keyClick(console, Qt::Key_Return);
        EXPECT_EQ(log_texts().count(QString::fromUtf8(c.entered)), entered + 1);
        EXPECT_EQ(drive(v).typed_line(), QString());
    }
    EXPECT_EQ(served(stations + "RJAA.TXT"), 1);
}

// ------------------------------------------------------------ decode cycle

TEST_F(Heartbeat, NothingToDecodeStopsTheHeartbeat)
{
    struct Case {
        bool enabled;
        bool empty_list;
    };
    for (const Case c : {Case{true, true}, Case{false, false}}) {
        set(kolde_sub::key::auto_decode, Value::boolean(c.enabled));
        if (c.empty_list)
            fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")}, {});
        view v;
        ready_for_heartbeat(v);
        drive(v).auto_mode() = drive(v).new_request() = true;
        server->clear_requests();
        EXPECT_FALSE(probe_tick(v)) << c.enabled;
        EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("自動デコード停止"));
        EXPECT_EQ(drive(v).status_text(), QStringLiteral("自動デコード停止"));
        EXPECT_EQ(server->requests(), std::vector<std::string>{"GET /data/version.dat"});
        EXPECT_FALSE(log_texts().contains(QStringLiteral("AUTO DECODE SEQUENCE START")));
    }
}

// While a display of the request waits on a stalled station, a probe tick
// still probes on its own transfer but does no display work: no detection,
// and the cycle is not used up (it runs at the next probe). The display's
// transfer goes on undisturbed.
TEST_F(Heartbeat, NoDisplayWorkWhileADisplayRuns)
{
    view v;
    v.console_enter(QStringLiteral("RJTT"));
    ASSERT_FALSE(drive(v).new_request());
    ready_for_heartbeat(v);

    const std::string stalled = (stations + "RJTT.TXT").toStdString();
    server->set_fault(stalled, kolde_site::Fault::Stall);
    serve(stations + "RJTT.TXT", "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020\n");
    server->clear_requests();
    drive(v).display_transfer()->set_request_timeout(30);
    const bool ticked = while_requested(stations + "RJTT.TXT", [&] {
        EXPECT_TRUE(v.display_running());
        EXPECT_TRUE(probe_tick(v));
        EXPECT_TRUE(kolde_sub::is_online());
        EXPECT_EQ(served(QStringLiteral("/data/version.dat")), 1);
        EXPECT_EQ(served(stations + "RJTT.TXT"), 1);
        EXPECT_EQ(served(forecasts + "RJTT.TXT"), 0);
        EXPECT_EQ(drive(v).standby_start(), QStringLiteral("23:59"));
        server->clear_fault(stalled);
    }, [&] {
        // The request shown again, as the reload does.
        v.display_reports();
    });
    EXPECT_TRUE(ticked);
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("RJTT  METAR 0530Z")));
    EXPECT_EQ(served(stations + "RJTT.TXT"), 1);
    EXPECT_FALSE(log_texts().join(u'|').contains(QStringLiteral("CHANGED")));
}

// ----------------------------------------------------- new-report detection

TEST_F(Heartbeat, DetectionComparesTheStampsOfTheSiteFiles)
{
    struct Case {
        const char* name;
        QByteArray metar;  // empty: unchanged
        QByteArray taf;
        kolde_site::Fault fault;  // on every station file
        bool down;
        const char* pad;
        const char* log;  // empty: no line
    };
    const Case cases[] = {
            {"routine", "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020\n", {},
             kolde_site::Fault::None, false, "RJTT ", "RJTT METAR CHANGED"},
            {"special", "2011/11/30 05:12\nRJTT 300512Z 34005KT 4000 BR FEW030 15/08 Q1020\n", {},
             kolde_site::Fault::None, false, "RJTT(SPECI) ", "RJTT SPECI RECEIVED"},
            {"amended", {}, "2011/11/30 05:40\nTAF AMD RJTT 300540Z 3006/0112 34008KT 9999 FEW030\n",
             kolde_site::Fault::None, false, "RJTT(AMD) ", "RJTT TAF(AMD) RECEIVED"},
            {"unchanged", {}, {}, kolde_site::Fault::None, false, "", ""},
            {"site down", {}, {}, kolde_site::Fault::None, true, "", ""},
            {"error page", {}, {}, kolde_site::Fault::ErrorPage, false, "", ""},
            {"not found", {}, {}, kolde_site::Fault::NotFound, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        serve(stations + "RJTT.TXT", metar_0500);
        serve(forecasts + "RJTT.TXT", taf_0500);
        view v;
        v.console_enter(QStringLiteral("RJTT"));
        ASSERT_EQ(kolde_sub::current_request().stations()[1], (kolde_sub::StationRow{"RJTT", "05:00", "05:00"}));
        const QStringList before = log_texts();
        if (!c.metar.isEmpty())
            serve(stations + "RJTT.TXT", c.metar);
        if (!c.taf.isEmpty())
            serve(forecasts + "RJTT.TXT", c.taf);
        server->set_fault("/pub/data/*", c.fault);
        ASSERT_TRUE(server->set_down(c.down));

        v.detect_report_changes();
        ASSERT_TRUE(server->set_down(false));
        server->clear_faults();

        const bool changed = *c.log != '\0';
        EXPECT_EQ(drive(v).reports_changed(), changed);
        EXPECT_EQ(drive(v).pad()->text(), QString::fromUtf8(c.pad));
        const QStringList added = log_texts().mid(before.size());
        EXPECT_EQ(added, changed ? QStringList{QString::fromUtf8(c.log)} : QStringList{});
        if (!changed) {
            EXPECT_EQ(kolde_sub::current_request().stations()[1], (kolde_sub::StationRow{"RJTT", "05:00", "05:00"}));
        }
    }
}

TEST_F(Heartbeat, DetectionMarksLowerCaseCodesInUpperCaseAndOneMarkPerStation)
{
    view v;
    v.console_enter(QStringLiteral("RJTT"));
    kolde_sub::StationRow lower = kolde_sub::current_request().stations()[1];
    lower[kolde_sub::station_code] = QStringLiteral("rjtt");
    kolde_sub::current_request().set_station(1, lower);
    serve(stations + "RJTT.TXT", "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020\n");
    serve(forecasts + "RJTT.TXT", "2011/11/30 05:40\nTAF AMD RJTT 300540Z 3006/0112 34008KT\n");
    v.detect_report_changes();
    // Both files changed: only the observation is marked and logged.
    EXPECT_EQ(drive(v).pad()->text(), QStringLiteral("RJTT "));
    EXPECT_TRUE(log_texts().contains(QStringLiteral("RJTT METAR CHANGED")));
    EXPECT_FALSE(log_texts().join(u'|').contains(QStringLiteral("TAF(AMD)")));
    EXPECT_EQ(kolde_sub::current_request().stations()[1][kolde_sub::station_taf_stamp], QStringLiteral("05:40"));
}

// A change found once is not found again: neither a later pass that fetches
// nothing new nor one that does not run may leave it standing.
TEST_F(Heartbeat, DetectionClearsAStaleChangeBeforeAnyReturn)
{
    view v;
    v.console_enter(QStringLiteral("RJTT"));
    drive(v).reports_changed() = true;
    set(kolde_sub::key::auto_decode, Value::boolean(false));
    server->clear_requests();
    v.detect_report_changes();
    EXPECT_FALSE(drive(v).reports_changed());
    EXPECT_TRUE(server->requests().empty());

    set(kolde_sub::key::auto_decode, Value::boolean(true));
    drive(v).reports_changed() = true;
    drive(v).station_count() = 0;
    v.detect_report_changes();
    EXPECT_FALSE(drive(v).reports_changed());
    EXPECT_TRUE(server->requests().empty());
}

// The cycle shows the request again after a change, and the display it
// starts gives the data-updated notice; the next cycle, with nothing new,
// gives none.
TEST_F(Heartbeat, AChangeIsShownAndNotifiedOnce)
{
    set(kolde_sub::key::update_done_message, Value::boolean(true));
    ShowCounter<kolde_sub::datachange> notices;
    view v;
    v.console_enter(QStringLiteral("RJTT"));
    ready_for_heartbeat(v);
    serve(stations + "RJTT.TXT", "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020\n");

    EXPECT_TRUE(probe_tick(v));
    EXPECT_TRUE(log_texts().contains(QStringLiteral("RJTT METAR CHANGED")));
    EXPECT_EQ(log_texts().count(QStringLiteral("DISPLAY DATA CHANGED MESSAGE")), 1);
    EXPECT_EQ(notices.shown, 1);
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("RJTT  METAR 0530Z")));
    EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("READY / PRESS ESC TO EXIT\r\n")));
    EXPECT_EQ(drive(v).pad()->text(), QString());
    EXPECT_FALSE(drive(v).timer_run());

    for (int cycle = 0; cycle < 2; ++cycle) {
        drive(v).standby_start() = QStringLiteral("23:59");
        probe_tick(v);
    }
    EXPECT_EQ(log_texts().count(QStringLiteral("DISPLAY DATA CHANGED MESSAGE")), 1);
    EXPECT_EQ(notices.shown, 1);
}

// Every redraw of the cycle that fetched reports tells its time in the status
// bar: the Japanese and the sequence displays, which put back the status
// text of before, put it back with the time of now.
TEST_F(Heartbeat, ARedrawOfTheCycleTellsItsTimeInTheStatusBar)
{
    set(kolde_sub::key::local_time, Value::boolean(true));
    set(kolde_sub::key::time_difference, Value("+9"));
    set(kolde_sub::key::sequence, Value::boolean(true));
    const QString before = QStringLiteral("自動デコード作動　　最終更新  00:25(I)");
    for (const char* request : {"JP RJTT", "SQ RJTT"}) {
        SCOPED_TRACE(request);
        const kolde_test::ClockAt clock(QDateTime(QDate(2011, 11, 30), QTime(15, 25), Qt::UTC));
        serve(stations + "RJTT.TXT", "2011/11/30 15:00\nRJTT 301500Z 34005KT 9999 FEW030 15/08 Q1020\n");
        view v;
        // The hours of the sequence, 12Z to 15Z, are there.
        for (int h = 12; h <= 15; ++h)
            ASSERT_TRUE(kolde_test::write_file(kolde_sub::cycle_copy_path(h),
                                               QStringLiteral("RJTT 30%1").arg(h).toLatin1() + "00Z 34005KT 9999\n"));
        v.console_enter(QStringLiteral("RJTT"));
        ASSERT_EQ(drive(v).status_panel_text(), before);
        v.console_enter(QString::fromUtf8(request));
        ASSERT_EQ(drive(v).status_panel_text(), before) << v.console_text().toStdString();

        kolde_sub::advance_clock(6 * 60);
        serve(stations + "RJTT.TXT", "2011/11/30 15:30\nRJTT 301530Z 34005KT 9999 FEW030 15/08 Q1020\n");
        ready_for_heartbeat(v);
        probe_tick(v);
        ASSERT_TRUE(v.console_text().contains(QStringLiteral("RJTT  METAR 0030I"))) << v.console_text().toStdString();
        EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("自動デコード作動　　最終更新  00:31(I)"));
        EXPECT_EQ(drive(v).status_text(), QStringLiteral("自動デコード作動　　最終更新  00:31(I)"));
    }
}

// The wait between cycles is kept in UTC: 時差 lowered, raised, to or across
// the local midnight after a cycle neither holds the next cycle off nor
// brings it forward. Half an interval after the cycle the next probe waits;
// a whole interval after it the next probe runs the cycle (the detection
// fetches the station's files).
TEST_F(Heartbeat, AChangeOfTimeDifferenceLeavesTheNextCycleOnTime)
{
    struct Case {
        const char* name;
        QTime utc;  // when the first cycle runs
        const char* before;
        const char* after;
        int interval;
    };
    const Case cases[] = {
            {"lowered", QTime(10, 15), "+9", "+8", 1},
            {"raised", QTime(10, 15), "+9", "+10", 1},
            {"lowered, slow line", QTime(10, 15), "+9", "+8", 5},
            {"raised, slow line", QTime(10, 15), "+9", "+10", 5},
            {"lowered to midnight", QTime(16, 0), "+9", "+8", 1},
            {"raised across midnight", QTime(14, 59), "+9", "+10", 1},
            {"lowered across midnight", QTime(15, 0), "+9", "+8", 1},
            {"west to east", QTime(3, 30), "-5", "+9", 1},
    };
    view v;
    v.console_enter(QStringLiteral("RJTT"));
    ASSERT_FALSE(drive(v).new_request());
    const QString station_file = QStringLiteral("GET ") + stations + QStringLiteral("RJTT.TXT");
    const auto cycle_ran = [&] {
        server->clear_requests();
        probe_tick(v);
        const std::vector<std::string> r = server->requests();
        return std::find(r.begin(), r.end(), station_file.toStdString()) != r.end();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kolde_sub::set_update_interval(c.interval);
        ready_for_heartbeat(v);
        set(kolde_sub::key::time_difference, c.before);
        const kolde_test::ClockAt clock(QDateTime(QDate(2011, 11, 30), c.utc, Qt::UTC));
        ASSERT_TRUE(cycle_ran());

        set(kolde_sub::key::time_difference, c.after);
        kolde_sub::advance_clock(c.interval * 30);
        EXPECT_FALSE(cycle_ran()) << "half an interval on";
        kolde_sub::advance_clock(c.interval * 30);
        EXPECT_TRUE(cycle_ran()) << "an interval on";
    }
}

// --------------------------------------------------------- sequence retry

// A sequence display that waits for hourly files gets them from the
// heartbeat: ticks of both timers as the clock gives them, one a second and
// one every three seconds, show the hours before the retries run out, and
// the retry itself downloads nothing.
TEST_F(Heartbeat, SequenceRetryWaitsForTheHeartbeatsHourlyFiles)
{
    // Away from the latest report's hour (05Z): its key is in no hourly file
    // of the window, so it keeps its mark.
    const kolde_test::ClockAt clock(QDateTime(QDate(2011, 11, 30), QTime(12, 10), Qt::UTC));
    set(kolde_sub::key::sequence, Value::boolean(true));
    for (int h = 0; h < 24; ++h)
        serve(QStringLiteral("/pub/data/observations/metar/cycles/%1Z.TXT").arg(h, 2, 10, QChar(u'0')),
              (QStringLiteral("RJTT 30%1").arg(h, 2, 10, QChar(u'0')) + QStringLiteral("00Z 34005KT 9999 FEW030\n"))
                      .toLatin1());
    view v;
    ready_for_heartbeat(v);
    drive(v).probe_period() = 20;
    kolde_sub::set_cycle_ticks(0);
    v.console_enter(QStringLiteral("SQ RJTT"));
    ASSERT_TRUE(v.console_text().contains(QStringLiteral("LOADING SEQUENCE DATA AT ")));
    ASSERT_TRUE(drive(v).sequence_retry_timer()->isActive());

    int retry_downloads = 0;
    for (int second = 1; second <= 60 && v.console_text().contains(QStringLiteral("LOADING")); ++second) {
        v.Timer_Timer();
        drive(v).heartbeat_timer()->stop();
        if (second % 3 == 0 && drive(v).sequence_retry_timer()->isActive()) {
            server->clear_requests();
            v.Timer4_Timer();
            for (const std::string& r : server->requests())
                retry_downloads += r.find("/cycles/") != std::string::npos;
        }
    }
    drive(v).sequence_retry_timer()->stop();
    EXPECT_FALSE(v.console_text().contains(QStringLiteral("LOADING")));
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("(LATEST ISSUED)")));
    EXPECT_EQ(retry_downloads, 0);
}

}  // namespace
