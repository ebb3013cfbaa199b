// The heartbeat against a local site: the probe and the connection state,
// the automatic decode cycle, the new-report detection against the site's
// station files, and the sequence retry that waits for the heartbeat's
// hourly files. Ticks are driven by calling the handlers directly.
#include "view_fixture.h"

#include "platform/transfer.h"
#include "reports/heartbeat.h"
#include "reports/request.h"
#include "reports/sequence_files.h"
#include "reports/zone.h"
#include "sidewin/datachange.h"
#include "startup/notices.h"
#include "core/shared.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QTextEdit>
#include <QTime>
#include <QTimer>

#include <functional>

using platform::Value;

using kolde_test::forecasts;
using kolde_test::stations;

namespace {

const QByteArray metar_0500 = "2011/11/30 05:00\nRJTT 300500Z 34005KT 9999 FEW030 15/08 Q1020\n";
const QByteArray taf_0500 = "2011/11/30 05:00\nTAF RJTT 300500Z 3006/0112 34008KT 9999 FEW030\n";

// A line typed on the console and Enter.
void enter_line(view& v, const QString& line)
{
    v.inputlbl->setText(line);
    int enter = 13;
    v.TextBox_KeyPress(0, enter);
}

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
        switches({"LOCAL使用", "先頭行", "マニュアル入力時停止", "更新終了時アラーム", "更新終了時メッセージ", "印刷更新時印刷", "切断時メッセージ",
                  "切断時アラーム", "シーケンス表示"},
                 {"前画面クリアー", "自動デコード有効"});
        set("シーケンス時間", Value(3));
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
        v.Timer->setInterval(1000);
        v.Timer4->setInterval(3000);
        v.was_online = true;
        v.probe_period = 0;
        // A cycle that ran at 23:59 holds nothing off (its end is 0).
        v.standby_start = QStringLiteral("23:59");
    }

    // One tick that reaches the probe. The window's own timer is stopped
    // again so that no tick comes on its own; whether the tick left it on
    // is handed back.
    static bool probe_tick(view& v)
    {
        kolde_sub::set_cycle_ticks(v.probe_period);
        v.Timer_Timer();
        const bool running = v.Timer->isActive();
        v.Timer->stop();
        return running;
    }


    static std::vector<QAction*> network_menus(const view& v)
    {
        return {v.menu_list->menuAction(), v.menu_company->menuAction(), v.menu_chart,
                v.menu_camera, v.menu_update, v.menu_info_help,
                v.menu_info_homepage, v.menu_popup_group->menuAction(), v.menu_popup_wx,
                v.menu_popup_cam, v.menu_popup_help, v.menu_popup_homepage};
    }
};

// ------------------------------------------------------------- connection

TEST_F(Heartbeat, LossIsShownOnceAndReturnRunsNoCycle)
{
    set("切断時メッセージ", Value::boolean(true));
    ShowCounter<kolde_sub::message> notices;
    view v;
    kolde_test::activate(v);  // builds the airport and group menus
    v.Timer->stop();
    ready_for_heartbeat(v);
    // The automatic decode is pending: a cycle would start it.
    ASSERT_TRUE(v.auto_mode && v.new_request);
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
    EXPECT_EQ(v.Panels[1]->text(), QStringLiteral("ネットワーク未接続"));
    EXPECT_EQ(v.Panels[2]->text(), QStringLiteral("再受信待機"));
    EXPECT_EQ(v.probe_period, 20);

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
    EXPECT_EQ(v.Panels[1]->text(), QStringLiteral("ネットワーク接続確立"));
    EXPECT_EQ(server->requests(), std::vector<std::string>{"GET /data/version.dat"});
    EXPECT_FALSE(log_texts().contains(QStringLiteral("AUTO DECODE SEQUENCE START")));

    // The next probe runs the cycle: the pending list is shown.
    EXPECT_TRUE(probe_tick(v));
    EXPECT_TRUE(log_texts().contains(QStringLiteral("AUTO DECODE SEQUENCE START")));
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("RJTT  METAR 0500Z")));
    EXPECT_FALSE(v.new_request);
    EXPECT_TRUE(QTime::fromString(v.standby_start, QStringLiteral("HH:mm")).isValid()) << v.standby_start.toStdString();
    EXPECT_EQ(notices.shown, 1);
}

TEST_F(Heartbeat, AnErrorPageOrAMinimisedWindowShowNoNotice)
{
    set("切断時メッセージ", Value::boolean(true));
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

// ------------------------------------------------------------ decode cycle

TEST_F(Heartbeat, NothingToDecodeStopsTheHeartbeat)
{
    struct Case {
        bool enabled;
        bool empty_list;
    };
    for (const Case c : {Case{true, true}, Case{false, false}}) {
        set("自動デコード有効", Value::boolean(c.enabled));
        if (c.empty_list)
            fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")}, {});
        view v;
        ready_for_heartbeat(v);
        v.auto_mode = v.new_request = true;
        server->clear_requests();
        EXPECT_FALSE(probe_tick(v)) << c.enabled;
        EXPECT_EQ(v.Panels[2]->text(), QStringLiteral("自動デコード停止"));
        EXPECT_EQ(v.status_text, QStringLiteral("自動デコード停止"));
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
    enter_line(v, QStringLiteral("RJTT"));
    ASSERT_FALSE(v.new_request);
    ready_for_heartbeat(v);

    const std::string stalled = (stations + "RJTT.TXT").toStdString();
    server->set_fault(stalled, kolde_site::Fault::Stall);
    serve(stations + "RJTT.TXT", "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020\n");
    server->clear_requests();
    v.inet->set_request_timeout(30);
    const bool ticked = while_requested(stations + "RJTT.TXT", [&] {
        EXPECT_TRUE(v.display_running());
        EXPECT_TRUE(probe_tick(v));
        EXPECT_TRUE(kolde_sub::is_online());
        EXPECT_EQ(served(QStringLiteral("/data/version.dat")), 1);
        EXPECT_EQ(served(stations + "RJTT.TXT"), 1);
        EXPECT_EQ(served(forecasts + "RJTT.TXT"), 0);
        EXPECT_EQ(v.standby_start, QStringLiteral("23:59"));
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
        enter_line(v, QStringLiteral("RJTT"));
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
        EXPECT_EQ(v.reports_changed, changed);
        EXPECT_EQ(v.padlbl->text(), QString::fromUtf8(c.pad));
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
    enter_line(v, QStringLiteral("RJTT"));
    kolde_sub::StationRow lower = kolde_sub::current_request().stations()[1];
    lower[kolde_sub::station_code] = QStringLiteral("rjtt");
    kolde_sub::current_request().set_station(1, lower);
    serve(stations + "RJTT.TXT", "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020\n");
    serve(forecasts + "RJTT.TXT", "2011/11/30 05:40\nTAF AMD RJTT 300540Z 3006/0112 34008KT\n");
    v.detect_report_changes();
    // Both files changed: only the observation is marked and logged.
    EXPECT_EQ(v.padlbl->text(), QStringLiteral("RJTT "));
    EXPECT_TRUE(log_texts().contains(QStringLiteral("RJTT METAR CHANGED")));
    EXPECT_FALSE(log_texts().join(u'|').contains(QStringLiteral("TAF(AMD)")));
    EXPECT_EQ(kolde_sub::current_request().stations()[1][kolde_sub::station_taf_stamp], QStringLiteral("05:40"));
}

// A change found once is not found again: neither a later pass that fetches
// nothing new nor one that does not run may leave it standing.
TEST_F(Heartbeat, DetectionClearsAStaleChangeBeforeAnyReturn)
{
    view v;
    enter_line(v, QStringLiteral("RJTT"));
    v.reports_changed = true;
    set("自動デコード有効", Value::boolean(false));
    server->clear_requests();
    v.detect_report_changes();
    EXPECT_FALSE(v.reports_changed);
    EXPECT_TRUE(server->requests().empty());

    set("自動デコード有効", Value::boolean(true));
    v.reports_changed = true;
    v.station_count = 0;
    v.detect_report_changes();
    EXPECT_FALSE(v.reports_changed);
    EXPECT_TRUE(server->requests().empty());
}

// The cycle shows the request again after a change, and the display it
// starts gives the data-updated notice; the next cycle, with nothing new,
// gives none.
TEST_F(Heartbeat, AChangeIsShownAndNotifiedOnce)
{
    set("更新終了時メッセージ", Value::boolean(true));
    ShowCounter<kolde_sub::datachange> notices;
    view v;
    enter_line(v, QStringLiteral("RJTT"));
    ready_for_heartbeat(v);
    serve(stations + "RJTT.TXT", "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020\n");

    EXPECT_TRUE(probe_tick(v));
    EXPECT_TRUE(log_texts().contains(QStringLiteral("RJTT METAR CHANGED")));
    EXPECT_EQ(log_texts().count(QStringLiteral("DISPLAY DATA CHANGED MESSAGE")), 1);
    EXPECT_EQ(notices.shown, 1);
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("RJTT  METAR 0530Z")));
    EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("READY / PRESS ESC TO EXIT\r\n")));
    EXPECT_EQ(v.padlbl->text(), QString());
    EXPECT_FALSE(v.timer_run);

    for (int cycle = 0; cycle < 2; ++cycle) {
        v.standby_start = QStringLiteral("23:59");
        probe_tick(v);
    }
    EXPECT_EQ(log_texts().count(QStringLiteral("DISPLAY DATA CHANGED MESSAGE")), 1);
    EXPECT_EQ(notices.shown, 1);
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
    set("シーケンス表示", Value::boolean(true));
    for (int h = 0; h < 24; ++h)
        serve(QStringLiteral("/pub/data/observations/metar/cycles/%1Z.TXT").arg(h, 2, 10, QChar(u'0')),
              (QStringLiteral("RJTT 30%1").arg(h, 2, 10, QChar(u'0')) + QStringLiteral("00Z 34005KT 9999 FEW030\n"))
                      .toLatin1());
    view v;
    ready_for_heartbeat(v);
    v.probe_period = 20;
    kolde_sub::set_cycle_ticks(0);
    enter_line(v, QStringLiteral("SQ RJTT"));
    ASSERT_TRUE(v.console_text().contains(QStringLiteral("LOADING SEQUENCE DATA AT ")));
    ASSERT_TRUE(v.Timer4->isActive());

    int retry_downloads = 0;
    for (int second = 1; second <= 60 && v.console_text().contains(QStringLiteral("LOADING")); ++second) {
        v.Timer_Timer();
        v.Timer->stop();
        if (second % 3 == 0 && v.Timer4->isActive()) {
            server->clear_requests();
            v.Timer4_Timer();
            for (const std::string& r : server->requests())
                retry_downloads += r.find("/cycles/") != std::string::npos;
        }
    }
    v.Timer4->stop();
    EXPECT_FALSE(v.console_text().contains(QStringLiteral("LOADING")));
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("(LATEST ISSUED)")));
    EXPECT_EQ(retry_downloads, 0);
}

}  // namespace
