#include "view_fixture.h"

#include "mainwin/console_text.h"
#include "reports/console_positions.h"
#include "mainwin/start_text.h"
#include "reports/request.h"
#include "core/shared.h"

#include <QTest>

using kolde_test::activate;
using platform::Value;

namespace {

const QString ready = QStringLiteral("READY / PRESS ESC TO EXIT");

QStringList captions(const std::vector<QAction*>& items)
{
    QStringList out;
    for (const QAction* a : items)
        out << a->text();
    return out;
}

bool timers_started(const view& v)
{
    kolde_test::ViewDriver d = drive(v);
    return d.heartbeat_timer()->isActive() && d.heartbeat_timer()->interval() == 1000 && d.banner_timer()->isActive() &&
           !d.tray_timer()->isActive() && d.tray_timer()->interval() == 1000 && !d.sequence_retry_timer()->isActive() &&
           d.sequence_retry_timer()->interval() == 3000;
}

class ViewStart : public kolde_test::ViewFixture {};

TEST_F(ViewStart, AutomaticDecodeOnGreetsAndConnects)
{
    view v;
    EXPECT_EQ(v.objectName(), QStringLiteral("view"));
    EXPECT_EQ(kolde_sub::main_window(), &v);
    EXPECT_EQ(v.windowTitle(), QStringLiteral(" KOLDE - Aviation Weather Automatic Decoder"));
    EXPECT_EQ(v.console_text(), QStringLiteral("SYSTEM INITIALIZED\r\n"));
    EXPECT_EQ(drive(v).connection_panel()->text(), QStringLiteral("ネットワーク接続待機"));
    EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("システム初期化中"));
    EXPECT_EQ(drive(v).start_banner()->text(), kolde_sub::to_edit_text(kolde_sub::banner_text(QStringLiteral("4.31"))));
    EXPECT_TRUE(v.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(drive(v).menu_item("menu_chart")->isVisible());

    activate(v);
    EXPECT_FALSE(drive(v).first_activation());
    EXPECT_EQ(v.console_text(), QStringLiteral("SYSTEM INITIALIZED\r\nDATABASE CONNECTION COMPLETED\r\n"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(kolde_sub::log_loaded());
    EXPECT_TRUE(kolde_sub::tooltips_loaded());
    EXPECT_FALSE(kolde_sub::log_window()->isVisible());
    EXPECT_TRUE(timers_started(v));
    EXPECT_TRUE(drive(v).start_frame()->isVisible());
    EXPECT_FALSE(drive(v).menu_item("menu_popup")->isVisible());
    EXPECT_EQ(kolde_sub::update_interval(), 1);
    EXPECT_EQ(kolde_sub::current_request().cycle_slot(), 25);
    EXPECT_EQ(kolde_sub::code_history(), QStringLiteral(" "));
    // The console lies inside its backing box.
    EXPECT_TRUE(drive(v).backing_box()->geometry().contains(drive(v).console()->geometry()));
}

// The banner is centred on the whole window, menu bar and status bar
// included, not on the area between them.
TEST_F(ViewStart, BannerIsCentredOnTheWholeWindow)
{
    view v;
    // The window takes its final size once shown; the activation waits for it.
    drive(v).first_activation() = false;
    v.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    QCoreApplication::processEvents();
    drive(v).first_activation() = true;
    v.Form_Activate();
    const QSize outer = v.frameGeometry().size();
    ASSERT_GT(outer.height(), drive(v).client_area()->height());
    EXPECT_EQ(drive(v).start_frame()->size(), drive(v).start_banner()->size());
    EXPECT_EQ(drive(v).start_frame()->pos(),
              QPoint((outer.width() - drive(v).start_frame()->width()) / 2, (outer.height() - drive(v).start_frame()->height()) / 2));
}

TEST_F(ViewStart, EmptyDecodeListSwitchesAutomaticDecodeOff)
{
    fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")}, {});
    view v;
    EXPECT_FALSE(kolde_sub::setting_bool(kolde_sub::key::auto_decode));
    EXPECT_FALSE(drive(v).new_request());
    activate(v);
    EXPECT_EQ(v.console_text(), QStringLiteral("DATABASE CONNECTION COMPLETED\r\nAUTO DECODE SEQUENCE DISABLED\r\n\r\n") +
                                        ready + QStringLiteral("\r\n"));

    // With the automatic decode off the banner goes after five ticks.
    for (int i = 0; i < 4; ++i)
        v.Timer2_Timer();
    EXPECT_TRUE(drive(v).start_frame()->isVisible());
    v.Timer2_Timer();
    EXPECT_FALSE(drive(v).start_frame()->isVisible());
    EXPECT_FALSE(drive(v).banner_timer()->isActive());
}

TEST_F(ViewStart, BannerStaysWhileAutomaticDecodeRuns)
{
    view v;
    activate(v);
    v.Timer2_Timer();
    EXPECT_FALSE(drive(v).banner_timer()->isActive());
    EXPECT_TRUE(drive(v).start_frame()->isVisible());
}

TEST_F(ViewStart, OfflineStartSaysSoAndSkipsTheVersionCheck)
{
    kolde_sub::set_online(false);
    server->clear_requests();
    view v;
    activate(v);
    EXPECT_EQ(v.console_text(), QStringLiteral("\r\nNO NETWORK CONNECTION\r\n\r\nDATABASE CONNECTION COMPLETED\r\n"));
    EXPECT_TRUE(server->requests().empty());
    EXPECT_FALSE(drive(v).start_frame()->isVisible());
    EXPECT_TRUE(timers_started(v));
}

TEST_F(ViewStart, WorkFilesAreDeletedOthersKept)
{
    QDir().mkpath(folder.file(QStringLiteral("data")));
    const QStringList work{QStringLiteral("data/sequence.dat"), QStringLiteral("data/figure.dat"),
                           QStringLiteral("data/00.dat"), QStringLiteral("data/07.dat"), QStringLiteral("data/23.dat")};
    const QStringList kept{QStringLiteral("data/24.dat"), QStringLiteral("data/7.dat"), QStringLiteral("data/kolde$.mdb"),
                           QStringLiteral("data/notes.txt")};
    for (const QString& name : work + kept) {
        ASSERT_TRUE(kolde_test::write_file(folder.file(name), "x"));
    }
    QDir().mkpath(folder.file(QStringLiteral("data/12.dat")));  // a folder, not a work file
    view v;
    for (const QString& name : work)
        EXPECT_FALSE(QFile::exists(folder.file(name))) << qPrintable(name);
    for (const QString& name : kept)
        EXPECT_TRUE(QFile::exists(folder.file(name))) << qPrintable(name);
    EXPECT_TRUE(QDir(folder.file(QStringLiteral("data/12.dat"))).exists());
}

TEST_F(ViewStart, MenusFollowTheTables)
{
    fill_table(kolde_sub::rs_airport(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")},
               {{Value("RJTT"), Value("東京国際")}, {Value("RJAA"), Value("成田国際")}, {Value("ROAH"), Value("那覇")}});
    view v;
    activate(v);
    EXPECT_TRUE(drive(v).menu_item("menu_list")->isEnabled());
    EXPECT_EQ(captions(drive(v).menu_items("menu_listAP")),
              QStringList({QStringLiteral("RJTT  東京国際"), QStringLiteral("RJAA  成田国際"), QStringLiteral("ROAH  那覇")}));
    EXPECT_EQ(captions(drive(v).menu_items("menu_company_data")), QStringList({QStringLiteral("TOKYO"), QStringLiteral("KANSAI")}));
    EXPECT_EQ(captions(drive(v).menu_items("menu_popup_group_data")), QStringList({QStringLiteral("TOKYO"), QStringLiteral("KANSAI")}));
    EXPECT_EQ(drive(v).group_menu_count(), 2);
    EXPECT_TRUE(drive(v).menu_items("menu_company_data")[0]->isVisible());
    EXPECT_TRUE(drive(v).menu_item("menu_company_line")->isVisible());
    EXPECT_TRUE(drive(v).menu_item("menu_popup_group")->isEnabled());
}

TEST_F(ViewStart, EmptyTablesDisableTheMenus)
{
    fill_table(kolde_sub::rs_airport(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")}, {});
    fill_table(kolde_sub::rs_company(), {QStringLiteral("id"), QStringLiteral("route")}, {});
    view v;
    activate(v);
    EXPECT_FALSE(drive(v).menu_item("menu_list")->isEnabled());
    EXPECT_EQ(drive(v).menu_items("menu_listAP").size(), 1u);
    EXPECT_FALSE(drive(v).menu_items("menu_company_data")[0]->isVisible());
    EXPECT_FALSE(drive(v).menu_item("menu_company_line")->isVisible());
    EXPECT_FALSE(drive(v).menu_item("menu_popup_group")->isEnabled());
    EXPECT_EQ(drive(v).group_menu_count(), 0);
}

TEST_F(ViewStart, ActivationEventRunsTheBodyOnce)
{
    view v;
    v.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !drive(v).first_activation(); }, 10000));
    const QString text = v.console_text();
    drive(v).status_text() = QStringLiteral("kept");
    v.hide();
    v.show();
    v.Form_Activate();
    QTest::qWait(50);
    EXPECT_EQ(v.console_text(), text);
    EXPECT_EQ(drive(v).status_text(), QStringLiteral("kept"));
    EXPECT_EQ(drive(v).menu_items("menu_listAP").size(), static_cast<std::size_t>(kolde_sub::rs_airport().record_count()));
    EXPECT_EQ(drive(v).menu_items("menu_company_data").size(), 2u);
}

// ------------------------------------------------------------ version check

class ViewVersionCheck : public kolde_test::ViewFixture {};

// Another version on the site is named with the way to install it, with or
// without the update messages, and the start goes on: nothing is fetched,
// nothing closes.
TEST_F(ViewVersionCheck, AnotherVersionIsNamedAndTheStartGoesOn)
{
    const struct {
        const char* reply;  // empty: the installed version is served
        bool confirm;
        const char* version;  // empty: no box
    } rows[] = {
        {"", true, ""},
        {"4.32,1.10,2.05", true, "4.32"},
        {"5", true, "5"},
        {"4.32,1.10,2.05", false, "4.32"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.reply) + (row.confirm ? " confirm" : " no confirm"));
        if (*row.reply)
            serve_version(row.reply);
        set(kolde_sub::key::update_confirm_message, Value::boolean(row.confirm));
        answer = platform::MsgAnswer::Yes;
        boxes.clear();
        view v;
        activate(v);
        if (*row.version) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].icon, platform::MsgIcon::Information);
            EXPECT_EQ(boxes[0].buttons, platform::MsgButtons::Ok);
            EXPECT_EQ(boxes[0].title, QStringLiteral(" 確認"));
            EXPECT_EQ(boxes[0].text, QStringLiteral("KOLDE は Version ") + QString::fromUtf8(row.version) +
                                             QStringLiteral(" にアップデートされています　　\r\r"
                                                            "最新版はシステムのパッケージマネージャーからインストールしてください　　"));
        } else {
            EXPECT_TRUE(boxes.empty());
        }
        EXPECT_FALSE(v.console_text().contains(QStringLiteral("Now you can download")));
        EXPECT_TRUE(v.isVisible());
        EXPECT_TRUE(kolde_sub::db_conn().is_open());
        EXPECT_TRUE(kolde_sub::log_loaded());
        EXPECT_TRUE(timers_started(v));
        EXPECT_EQ(server->count("/data/update.exe"), 0);
    }
}

TEST_F(ViewVersionCheck, NoticeWaitsForEnterBeforeAnythingStarts)
{
    serve_version("4.32,1.10,2.05");
    set(kolde_sub::key::check_version_on_start, Value::boolean(false));
    view v;
    QString at_wait;
    bool idle_at_wait = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (at_wait.isEmpty() && v.console_text().contains(QStringLiteral("hit ENTER"))) {
            at_wait = v.console_text();
            idle_at_wait = !drive(v).heartbeat_timer()->isActive() && !drive(v).banner_timer()->isActive() && !kolde_sub::log_loaded();
            QTest::keyClick(drive(v).console(), Qt::Key_Return);
        }
    });
    poll.start();
    activate(v);
    poll.stop();

    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(idle_at_wait);
    EXPECT_EQ(at_wait, QStringLiteral("SYSTEM INITIALIZED\r\n\r\nNow you can download a latest version 4.32\r\n"
                                      "To install it, use the package manager of the system.\r\n\r\n"
                                      "To continue, hit ENTER key. \r\n\r\n") +
                               ready + QStringLiteral("\r\n"));
    EXPECT_FALSE(drive(v).ready_line_break());
    EXPECT_TRUE(drive(v).enter_pressed());
    EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("DATABASE CONNECTION COMPLETED\r\n")));
    EXPECT_TRUE(timers_started(v));

    // The notice is yellow; the prompt keeps the plain colour.
    auto colour_at = [&](int pos) {
        QTextCursor c(drive(v).console()->document());
        c.setPosition(static_cast<int>(kolde_sub::ConsolePositions(kolde_sub::to_edit_text(at_wait)).to_document(pos)) + 1);
        return c.charFormat().foreground().color();
    };
    EXPECT_EQ(colour_at(at_wait.indexOf(QStringLiteral("Now"))), QColor(255, 255, 0));
    EXPECT_EQ(colour_at(at_wait.indexOf(QStringLiteral("hit ENTER"))), QColor(255, 255, 0));
    EXPECT_NE(colour_at(at_wait.indexOf(ready)), QColor(255, 255, 0));
}

TEST_F(ViewVersionCheck, ErrorPageOrEmptyReplyOffersNothing)
{
    for (const char* reply : {"<html><body>Not Found</body></html>", ""}) {
        serve_version(reply);
        set(kolde_sub::key::update_confirm_message, Value::boolean(true));
        kolde_sub::unload_log();
        kolde_sub::unload_tooltips();
        view v;
        activate(v);
        EXPECT_TRUE(boxes.empty()) << reply;
        EXPECT_FALSE(v.console_text().contains(QStringLiteral("Now you can download"))) << reply;
        EXPECT_FALSE(kolde_sub::log_loaded()) << reply;
        EXPECT_FALSE(kolde_sub::tooltips_loaded()) << reply;
        EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("DATABASE CONNECTION COMPLETED\r\n"))) << reply;
        EXPECT_TRUE(timers_started(v)) << reply;
    }
}

// A store that did not open (a damaged database): the window claims no
// database connection, checks no version and waits for nothing.
class ViewWithoutStore : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        kolde_sub::release_store();
        ASSERT_TRUE(QFile::remove(folder.file(QStringLiteral("kolde.mdb"))));
        ASSERT_FALSE(kolde_sub::db_conn().is_open());
        // A site version that differs from anything installed.
        serve_version("4.32,1.10,2.05");
    }
};

TEST_F(ViewWithoutStore, StartsWithoutAConnectionOrAVersionCheck)
{
    view v;
    bool waited = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!waited && v.console_text().contains(QStringLiteral("hit ENTER"))) {
            waited = true;
            QTest::keyClick(drive(v).console(), Qt::Key_Return);
        }
    });
    poll.start();
    activate(v);
    poll.stop();

    EXPECT_FALSE(waited);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(server->count("/data/version.dat"), 0);
    EXPECT_EQ(v.console_text(), QStringLiteral("AUTO DECODE SEQUENCE DISABLED\r\n\r\n") + ready + QStringLiteral("\r\n"));
    EXPECT_FALSE(drive(v).new_request());
    EXPECT_TRUE(timers_started(v));
}

// ------------------------------------------------------------ station list

class ViewStationList : public kolde_test::ViewFixture {};

TEST_F(ViewStationList, AutomaticModeReadsTheDecodeListAndResetsTheModes)
{
    ASSERT_TRUE(kolde_sub::db_conn().execute(QStringLiteral(
            "DELETE FROM \"自動デコード\";"
            "INSERT INTO \"自動デコード\" VALUES (3,'ROAH','那覇'),(1,'RJCC','新千歳'),(2,'RJTT','東京国際');")));
    kolde_sub::rs_autodecode().requery();
    view v;
    drive(v).auto_mode() = true;
    drive(v).new_request() = false;
    drive(v).sequence_mode() = true;
    drive(v).japanese_mode() = true;
    drive(v).standby_start() = QStringLiteral("12:00");
    v.build_station_list();
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("RJCC RJTT ROAH"));
    EXPECT_EQ(drive(v).station_count(), 3);
    ASSERT_EQ(kolde_sub::current_request().stations().size(), 4u);
    EXPECT_EQ(kolde_sub::current_request().stations()[3][kolde_sub::station_code], QStringLiteral("ROAH"));
    EXPECT_TRUE(drive(v).new_request());
    EXPECT_FALSE(drive(v).sequence_mode());
    EXPECT_FALSE(drive(v).japanese_mode());
    EXPECT_TRUE(drive(v).standby_start().isEmpty());

    // An empty list empties the request and keeps the table.
    fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")}, {});
    drive(v).new_request() = false;
    v.build_station_list();
    EXPECT_TRUE(kolde_sub::current_request().codes().isEmpty());
    EXPECT_EQ(drive(v).station_count(), 3);
    EXPECT_EQ(kolde_sub::current_request().stations().size(), 4u);
    EXPECT_TRUE(drive(v).new_request());
}

}  // namespace

class ViewTyping : public kolde_test::ViewFixture {};

// The typed line collects key by key, Backspace takes the last key back, and
// a line typed right after the ready prompt reaches Enter without the prompt.
TEST_F(ViewTyping, EnterHandsOnTheTypedLineOnly)
{
    view v;
    v.show_ready_prompt();
    // Offline the line is only recorded in the history of typed words.
    kolde_sub::set_online(false);
    drive(v).console()->setFocus();
    QTest::keyClicks(drive(v).console(), "sq rjtx");
    QTest::keyClick(drive(v).console(), Qt::Key_Backspace);
    QTest::keyClicks(drive(v).console(), "t ");
    EXPECT_EQ(drive(v).pad()->text(), QStringLiteral("sq rjtt "));
    QTest::keyClick(drive(v).console(), Qt::Key_Return);
    EXPECT_EQ(kolde_sub::code_history(), QStringLiteral(" SQ RJTT "));
    EXPECT_TRUE(drive(v).enter_pressed());
    // Backspace on an empty line changes nothing.
    drive(v).set_typed_line(QString());
    QTest::keyClick(drive(v).console(), Qt::Key_Backspace);
    EXPECT_TRUE(drive(v).typed_line().isEmpty());
}
