// The command line of the console, typed key by key: what each command
// writes into the console and the log, the boxes and windows it shows, and
// the commands whose effect shows only in what follows.
#include "view_fixture.h"

#include "options/opton.h"
#include "platform/printers.h"
#include "mainwin/console_text.h"
#include "platform/shell.h"
#include "platform/transfer.h"
#include "core/shared.h"
#include "reports/request.h"
#include "sidewin/side_windows.h"
#include "startup/update_check.h"
#include "translate/handover.h"
#include "translate/pictureform.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QTest>

using platform::Value;
using kolde_test::stations;

namespace {

const QString ready = QStringLiteral("\r\nREADY / PRESS ESC TO EXIT\r\n");
const QString no_connection = QStringLiteral("インターネットに接続できません　　");

class Console : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        use_report_folder();
        serve(stations + "RJTT.TXT", "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020\n");
        switches({kolde_sub::key::local_time, kolde_sub::key::top_line, kolde_sub::key::browser, kolde_sub::key::print_dialog, kolde_sub::key::update_done_alarm, kolde_sub::key::update_done_message, kolde_sub::key::print_on_update,
                  kolde_sub::key::sequence},
                 {kolde_sub::key::stop_on_manual_input, kolde_sub::key::clear_screen, kolde_sub::key::pdf_reader_notice});
        platform::set_printer_queues_for_tests({}, QString());
        platform::set_default_browser_opener([this](const QUrl& url) {
            opened << url.toString();
            return true;
        });
        QDir().mkpath(folder.file(QStringLiteral("data")));
    }
    void TearDown() override
    {
        platform::set_default_browser_opener({});
        platform::reset_printers();
        kolde_sub::unload_pictureform();
        kolde_sub::unload_opton();
        for (QWidget* w : {kolde_sub::chart_window(), kolde_sub::camera_window()})
            delete w;
        ViewFixture::TearDown();
    }

    // Types a line and Enter into a console that showed "X" with the caret
    // after it; new_log() then gives the rows the line wrote.
    void type_line(view& v, const QString& line)
    {
        v.set_console_text(QStringLiteral("X"));
        v.console_caret_to_end();
        log_start = log_texts().size();
        QTest::keyClicks(drive(v).console(), line);
        QTest::keyClick(drive(v).console(), Qt::Key_Return);
    }
    std::string new_log() const { return log_texts().mid(log_start).join(u'|').toStdString(); }
    std::string box_texts() const
    {
        QStringList out;
        for (const platform::MsgBoxCall& b : boxes)
            out << b.text;
        return out.join(u'|').toStdString();
    }

    QStringList opened;
    qsizetype log_start = 0;
};

QWidget* log_shown() { return kolde_sub::log_window(); }

// Each command on its own: the console after it, the log rows, the boxes,
// the modal windows, the page opened, the modeless window shown and the
// setting it forgets; without the store every command still answers.
TEST_F(Console, EachCommandAnswersInTheConsoleAndTheLog)
{
    const QString syntax = QStringLiteral("SYNTAX ERROR");
    const QString terminated = QStringLiteral("AUTO DECODE SEQUENCE TERMINATED");
    const QString sun = QStringLiteral("SUNRISE/SUNSET CALCULATION COMMAND");
    const kolde_sub::SettingKey app_version = kolde_sub::key::program_version;
    const kolde_sub::SettingKey db_version = kolde_sub::key::database_version;
    struct Case {
        const char* line;
        bool online;
        QString console;
        QStringList log;
        QStringList boxes;
        QStringList windows;  // modal windows, by name and caption
        QString page;         // the end of the address opened
        QWidget* (*modeless)() = nullptr;
        const kolde_sub::SettingKey* forgotten = nullptr;  // the version setting set to 0
        bool no_store = false;
    };
    const Case cases[] = {
            {"   ", true, "X   \r\n", {}, {}, {}, {}},
            {"log", false, "Xlog\r\n" + ready, {"DISPLAY RUNNING LOG"}, {}, {}, {}, log_shown},
            {"XYZ", true, "XXYZ\r\nSYNTAX ERROR\r\n" + ready, {syntax}, {}, {}, {}},
            {"XYZ", false, "XXYZ\r\nNO NETWORK CONNECTION\r\n" + ready, {"SYSTEM NO NETWORK CONNECTION"}, {}, {}, {}},
            {"RESET", false, "XRESET\r\n", {}, {no_connection}, {}, {}},
            {"RESET", true, "XRESET\r\n\r\nDATABASE RESET SEQUENCE COMPLETED\r\n" + ready, {"DATABASE RESET SEQUENCE"},
             {"データベース リセット シーケンスを設定しました　　\r\n\r\nKOLDE を再起動してください"}, {}, {}, nullptr,
             &db_version},
            // The check then offers the site's version, which No declines.
            {"UPDATE", true, "XUPDATE\r\nAUTO UPDATE READY\r\n" + ready, {"FOUND LATEST VERSION ON FTP SERVER"},
             {kolde_sub::update_offer_text(QStringLiteral("4.31"))}, {}, {}, nullptr, &app_version},
            {"JAPANESE", false, "XJAPANESE\r\n", {}, {}, {"weather", " 日本語解析"}, {}},
            {"PICTURE", false, "XPICTURE\r\n", {}, {}, {"weather", " 画像登録"}, {}},
            {"AP", false, "XAP\r\n" + ready, {terminated, "DISPLAY AIRPORT LIST"}, {}, {"airport", " 飛行場リスト"}, {}},
            {"DE", true, "XDE\r\n" + ready, {terminated, "DISPLAY AUTO DECODE LIST"}, {}, {"decodelist", " 自動デコード"}, {}},
            {"GP", true, "XGP\r\n" + ready, {terminated, "DISPLAY GROUP LIST"}, {}, {"company", " グループ編集"}, {}},
            {"CLS", false, " " + ready, {"CLS COMMAND"}, {}, {}, {}},
            {"RL", true, "XRL\r\nINPUT AIRPORT CODE\r\n" + ready, {}, {}, {}, {}},
            {"COUNTER", true, "XCOUNTER\r\n" + ready, {"DISPLAY ACCESS COUNTER"}, {}, {}, "/index2.htm"},
            {"HELP", true, "XHELP\r\n" + ready, {"DISPLAY ONLINE HELP"}, {}, {}, "/help.html"},
            {"AIS", true, "XAIS\r\n", {"DISPLAY AIS-JAPAN"}, {}, {}, "/ais/"},
            {"AIS", false, "XAIS\r\n", {"SYSTEM NO NETWORK CONNECTION"}, {no_connection}, {}, {}},
            {"CAM", true, "XCAM\r\n" + ready, {"DISPLAY NETWORK CAMERA"}, {}, {}, {}, kolde_sub::camera_window},
            {"WX", true, "XWX\r\n" + ready, {"DISPLAY WEATHER CHART"}, {}, {}, {}, kolde_sub::chart_window},
            {"TAF", false, "XTAF : 運航用飛行場予報\r\n" + ready, {"SEARCH WORD TAF"}, {}, {}, {}},
            {"SS XXXX", false, "XSS XXXX\r\n\r\nXXXX  NOT FOUND POSITION DATA\r\n" + ready, {sun}, {}, {}, {}},
            {"SS RJT", true, "XSS RJT\r\nSYNTAX ERROR\r\n" + ready, {sun, syntax}, {}, {}, {}},
            {"/P", false, "X/P\r\n\r\nPRINT COMPLETED" + ready,
             {"PRINT COMMAND", "AUTO PRINT DATA SPOOL INTO *", "PRINT COMPLETED", "PRINT COMMAND"}, {}, {}, {}},
            // Without the store: no dictionary, no groups, an empty decode list.
            {"TAF", true, "XTAF\r\nSYNTAX ERROR\r\n" + ready, {syntax}, {}, {}, {}, nullptr, nullptr, true},
            {"TOKYO", true, "XTOKYO\r\nSYNTAX ERROR\r\n" + ready, {syntax}, {}, {}, {}, nullptr, nullptr, true},
            {"ATO", true, "XATO\r\nNO AIRPORT FOUND IN AUTO DECODE LIST\r\n" + ready,
             {"NO AIRPORT FOUND IN AUTO DECODE LIST"}, {}, {}, {}, nullptr, nullptr, true},
            {"RESET", true, "XRESET\r\n\r\nDATABASE RESET SEQUENCE COMPLETED\r\n" + ready, {"DATABASE RESET SEQUENCE"},
             {"データベース リセット シーケンスを設定しました　　\r\n\r\nKOLDE を再起動してください"}, {}, {}, nullptr,
             nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.line << (c.online ? " online" : " offline"));
        set(app_version, Value(4.31));
        set(db_version, Value(1.1));
        view v;
        if (c.no_store)
            kolde_sub::release_store();
        kolde_sub::set_online(c.online);
        boxes.clear();
        opened.clear();
        kolde_sub::log_window()->hide();
        kolde_test::ModalCloser closer;
        type_line(v, QString::fromUtf8(c.line));

        EXPECT_EQ(v.console_text().toStdString(), c.console.toStdString());
        EXPECT_EQ(new_log(), c.log.join(u'|').toStdString());
        EXPECT_EQ(box_texts(), c.boxes.join(u'|').toStdString());
        QStringList windows;
        for (const auto& w : closer.shown())
            windows << w.name << w.caption;
        EXPECT_EQ(windows, c.windows);
        EXPECT_EQ(opened.size(), c.page.isEmpty() ? 0 : 1);
        EXPECT_TRUE(opened.value(0).endsWith(c.page)) << opened.value(0).toStdString();
        if (c.modeless) {
            ASSERT_NE(c.modeless(), nullptr);
            EXPECT_TRUE(c.modeless()->isVisible());
        }
        if (c.no_store) {
            ASSERT_TRUE(kolde_sub::open_database());
        }
        for (const kolde_sub::SettingKey field : {app_version, db_version})
            EXPECT_EQ(kolde_sub::setting(field).to_real() == 0.0, c.forgotten && field == *c.forgotten) << field.name();
        EXPECT_TRUE(drive(v).typed_line().isEmpty());
    }
}

// Asking for the reader's download in the notice before the chart closes
// the window instead of opening the chart.
TEST_F(Console, ChartGivesWayToTheReaderDownload)
{
    set(kolde_sub::key::pdf_reader_notice, Value::boolean(false));
    view v;
    v.show();
    kolde_test::ModalCloser closer([](QWidget* w) {
        if (auto* notice = qobject_cast<kolde_sub::adobeinfo*>(w))
            notice->image_Click();
    });
    type_line(v, QStringLiteral("WX"));
    EXPECT_EQ(closer.names(), QStringList{QStringLiteral("adobeinfo")});
    EXPECT_EQ(kolde_sub::chart_window(), nullptr);
    EXPECT_FALSE(v.isVisible());
    EXPECT_EQ(opened, QStringList{kolde_sub::reader_download_url()});
}

// Every command uses the typed line up, also those that do not colour the
// console, and a mistyped sequence request leaves no sequence mode behind:
// the next line stands alone.
TEST_F(Console, TheNextLineStandsAloneAfterEveryCommand)
{
    for (const char* first : {"CLS", "JAPANESE", "XYZ", "SQ RJT"}) {
        SCOPED_TRACE(first);
        view v;
        kolde_test::ModalCloser closer;
        type_line(v, QString::fromUtf8(first));
        type_line(v, QStringLiteral("RJTT"));
        EXPECT_TRUE(v.console_text().startsWith(QStringLiteral("*** RJTT - WEATHER OBSERVATION AND FORECASTS ***")));
        EXPECT_NE(new_log().find("|MANUAL DECODE|"), std::string::npos) << new_log();
        EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("RJTT"));
        EXPECT_FALSE(drive(v).sequence_mode());
    }
}

TEST_F(Console, ReloadShowsTheRequestAgain)
{
    view v;
    type_line(v, QStringLiteral("RJTT"));
    ASSERT_EQ(served(stations + "RJTT.TXT"), 1);
    type_line(v, QStringLiteral("RL"));
    EXPECT_EQ(served(stations + "RJTT.TXT"), 2);
    EXPECT_EQ(new_log(), "DATA RELOAD");
    EXPECT_TRUE(v.console_text().endsWith(ready));
}

// A group id, even one spelt like a command word after it, displays the
// group's route and stops the automatic decode first.
TEST_F(Console, GroupIdDisplaysItsRoute)
{
    fill_table(kolde_sub::rs_company(), {QStringLiteral("id"), QStringLiteral("route")}, {{Value("CLS"), Value("RJTT")}});
    view v;
    drive(v).heartbeat_timer()->start(60000);
    type_line(v, QStringLiteral("cls"));
    EXPECT_TRUE(v.console_text().startsWith(QStringLiteral("*** CLS - GROUP FORMAT OBSERVATION AND FORECASTS ***")));
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("RJTT  METAR 0530Z"))) << v.console_text().toStdString();
    EXPECT_EQ(kolde_sub::current_request().group(), QStringLiteral("CLS"));
    EXPECT_FALSE(drive(v).heartbeat_timer()->isActive());
    EXPECT_EQ(new_log().substr(0, 65), "AUTO DECODE SEQUENCE TERMINATED|FORMAT CLS DECODE SEQUENCE START|");
}

// A start with the decode disabled asks to switch it on (an empty list is
// answered in the table above).
TEST_F(Console, AutoDecodeStartAsksToSwitchTheDisabledDecodeOn)
{
    const QString question = QStringLiteral("自動デコードが無効になっています　　\r\r有効にしますか？");
    fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")},
               {{Value("RJCC"), Value("新千歳")}, {Value("RJTT"), Value("東京国際")}});
    const struct {
        bool enabled;
        platform::MsgAnswer answer;
        bool runs;  // enabled afterwards, and the heartbeat runs
    } cases[] = {{false, platform::MsgAnswer::No, false}, {false, platform::MsgAnswer::Yes, true},
                 {true, platform::MsgAnswer::No, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enabled << " " << static_cast<int>(c.answer));
        set(kolde_sub::key::auto_decode, Value::boolean(c.enabled));
        view v;
        answer = c.answer;
        boxes.clear();
        type_line(v, QStringLiteral("ATO"));
        EXPECT_EQ(box_texts(), c.enabled ? "" : question.toStdString());
        EXPECT_TRUE(v.console_text().startsWith(
                c.runs ? QStringLiteral("*** AUTO DECODE - WEATHER OBSERVATION AND FORECASTS ***")
                       : "XATO\r\nAUTO DECODE SEQUENCE DISABLED\r\n" + ready))
                << v.console_text().toStdString();
        EXPECT_EQ(kolde_sub::setting_bool(kolde_sub::key::auto_decode), c.runs);
        EXPECT_EQ(drive(v).heartbeat_timer()->isActive(), c.runs);
        EXPECT_EQ(new_log().find("AUTO DECODE SEQUENCE START") != std::string::npos, c.runs);
        if (c.runs) {
            EXPECT_EQ(kolde_sub::current_request().codes().left(4), QStringLiteral("RJCC"));
            // A switch turned on here shows in the options dialog too.
            EXPECT_TRUE(kolde_sub::opton_window()->CheckBox[2]->isChecked());
        }
        drive(v).heartbeat_timer()->stop();
        kolde_sub::unload_opton();
    }
}

// ------------------------------------------------------------ word search

// Calls back on every event of the application; true from the callback
// swallows the event.
class EventHook : public QObject {
public:
    explicit EventHook(std::function<bool(QObject*, QEvent*)> f) : f_(std::move(f)) { qApp->installEventFilter(this); }
    ~EventHook() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override { return f_(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> f_;
};

// The picture registered under the word is handed over whole and shown
// before the row is logged. Bytes that are no picture, a hand-off file that
// cannot be written, or a window that never takes the picture before the
// main window shuts down hold nothing up (a wait would hang here).
TEST_F(Console, WordSearchShowsThePictureFirstAndWaitsForNothingElse)
{
    const struct {
        const char* what;
        QByteArray bytes;
        bool writable;
        bool shut_down;  // the window shuts down as the picture would show
        QSize shown;
    } cases[] = {
            {"picture", kolde_test::png(7, 5), true, false, {7, 5}},
            {"no picture", "not a picture", true, false, {}},
            {"unwritable", kolde_test::png(7, 5), false, false, {}},
            {"shut down", kolde_test::png(3, 3), true, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fill_table(kolde_sub::rs_data(), {QStringLiteral("名称"), QStringLiteral("データ")},
                   {{Value("TAF"), Value::blob(c.bytes)}});
        const QString data = folder.file(QStringLiteral("data"));
        QDir(data).removeRecursively();
        QFile::remove(data);
        ASSERT_TRUE(c.writable ? QDir().mkpath(data) : kolde_test::write_file(data, "a file"));
        view v;
        QSize shown;
        std::string log_at_show;
        EventHook hook([&](QObject* o, QEvent* e) {
            auto* p = qobject_cast<kolde_sub::pictureform*>(o);
            if (!p)
                return false;
            if (c.shut_down) {
                // The window never learns that it is shown or active, and the
                // shut-down cannot close it.
                if (e->type() == QEvent::Show)
                    QTimer::singleShot(0, &v, [&v] { v.close(); });
                const bool held = e->type() == QEvent::Show || e->type() == QEvent::Close ||
                                  e->type() == QEvent::ActivationChange;
                if (held)
                    e->ignore();
                return held;
            }
            if (e->type() == QEvent::Show) {
                shown = p->pic->pixmap().size();
                log_at_show = new_log();
            }
            return false;
        });
        type_line(v, QStringLiteral("taf"));
        EXPECT_FALSE(kolde_sub::tip_handover().picture_pending);
        if (c.shut_down) {
            ASSERT_TRUE(kolde_sub::open_database());
            continue;
        }
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(log_at_show, "");
        EXPECT_EQ(new_log(), "SEARCH WORD TAF");
        EXPECT_EQ(v.console_text().toStdString(), ("Xtaf : 運航用飛行場予報\r\n" + ready).toStdString());
        kolde_sub::unload_pictureform();
    }
}

// ---------------------------------------------------------------- keys

// Keys (a paste among them) typed while displays wait on stalled stations
// stay out of the reports; each entered line runs in turn after the display
// before it, and the line not entered follows the last prompt.
TEST_F(Console, LinesTypedDuringDisplaysRunInTurnAfterThem)
{
    for (const char* code : {"RJAA", "RJCC", "RJFF"})
        serve(stations + code + ".TXT", QByteArray("2011/11/30 05:15\n") + code + " 300515Z 36010KT 9999 FEW030 12/01 Q1018\n");
    const QString first = stations + "RJTT.TXT";
    const QString second = stations + "RJAA.TXT";
    server->set_fault(first.toStdString(), kolde_site::Fault::Stall);
    server->set_fault(second.toStdString(), kolde_site::Fault::Stall);
    view v;
    drive(v).display_transfer()->set_request_timeout(30);
    QTextEdit* console = drive(v).console();
    QString during;
    bool second_waited = false;
    const bool first_waited = while_requested(first, [&] {
        QTest::keyClicks(console, QStringLiteral("RJAX"));
        QTest::keyClick(console, Qt::Key_Backspace);
        QGuiApplication::clipboard()->setText(QStringLiteral("A"));
        QTest::keyClick(console, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(console, Qt::Key_Return);
        QTest::keyClicks(console, QStringLiteral("RJCC"));
        QTest::keyClick(console, Qt::Key_Return);
        QCoreApplication::processEvents();
        during = v.console_text();
        server->clear_fault(first.toStdString());
    }, [&] {
        second_waited = while_requested(second, [&] {
            QTest::keyClicks(console, QStringLiteral("RJFF"));
            QTest::keyClick(console, Qt::Key_Enter);
            QTest::keyClicks(console, QStringLiteral("RJ"));
            server->clear_fault(second.toStdString());
        }, [&] {
            type_line(v, QStringLiteral("RJTT"));
            // Bounded wait for the lines that waited (not a timing check).
            EXPECT_TRUE(QTest::qWaitFor([&] { return served(stations + "RJFF.TXT") > 0 && drive(v).typed_line() == "RJ"; }));
        });
    });
    ASSERT_TRUE(first_waited);
    ASSERT_TRUE(second_waited);
    EXPECT_EQ(during.toStdString(), "XRJTT");
    QStringList fetched;
    for (const std::string& r : server->requests())
        if (const QString path = QString::fromStdString(r).section(u' ', 1); path.startsWith(stations))
            fetched << path.mid(stations.size());
    EXPECT_EQ(fetched.join(u' ').toStdString(), "RJTT.TXT RJAA.TXT RJCC.TXT RJFF.TXT");
    EXPECT_EQ(log_texts().count(QStringLiteral("MANUAL DECODE")), 4);
    EXPECT_TRUE(v.console_text().startsWith(QStringLiteral("*** RJFF - WEATHER OBSERVATION AND FORECASTS ***")))
            << v.console_text().toStdString();
    EXPECT_TRUE(v.console_text().endsWith(ready + QStringLiteral("RJ"))) << v.console_text().toStdString();
    EXPECT_EQ(drive(v).typed_line(), QStringLiteral("RJ"));
}

// Text pasted into the console goes into the typed line as typed, so that
// Enter runs it; what keys would not type stays out of both, and the line
// stops growing at its limit.
TEST_F(Console, APasteIsTypedIntoTheLine)
{
    const struct {
        QString pasted;
        QString line;
        const char* shown;  // how the display's header begins
    } cases[] = {
            {QStringLiteral("RJTT rjaa"), QStringLiteral("RJTT rjaa"), "*** RJTT RJAA - WEATHER"},
            {QString(200'000, u'A') + QStringLiteral("\n\t"), QString(kolde_sub::max_pasted_line, u'A'),
             "XAAAA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.left(20).toStdString());
        view v;
        v.set_console_text(QStringLiteral("X"));
        v.console_caret_to_end();
        kolde_sub::set_cycle_ticks(5);
        QGuiApplication::clipboard()->setText(c.pasted);
        QTest::keyClick(drive(v).console(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(drive(v).typed_line(), c.line);
        EXPECT_EQ(v.console_text(), QStringLiteral("X") + c.line);
        EXPECT_EQ(kolde_sub::cycle_ticks(), 0);
        QTest::keyClick(drive(v).console(), Qt::Key_Return);
        EXPECT_TRUE(v.console_text().startsWith(QString::fromUtf8(c.shown))) << v.console_text().left(80).toStdString();
    }
}

TEST_F(Console, EveryTypingKeyClearsTheModesAndPostponesTheCycle)
{
    view v;
    for (const Qt::Key k : {Qt::Key_A, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Left}) {
        SCOPED_TRACE(k);
        drive(v).group_mode() = drive(v).japanese_mode() = drive(v).timer_run() = true;
        kolde_sub::set_cycle_ticks(5);
        QTest::keyClick(drive(v).console(), k);
        // Keys that type nothing are not the handler's.
        const bool typing = k != Qt::Key_Left;
        EXPECT_EQ(drive(v).group_mode() || drive(v).japanese_mode() || drive(v).timer_run(), !typing);
        EXPECT_EQ(kolde_sub::cycle_ticks(), typing ? 0 : 5);
    }
}

TEST_F(Console, ExitAndEscCloseTheWindow)
{
    for (const bool esc : {false, true}) {
        SCOPED_TRACE(esc);
        view v;
        v.show();
        int shut_downs = 0;
        QObject::connect(&v, &view::shutting_down, [&] { ++shut_downs; });
        if (esc) {
            v.set_console_text(QStringLiteral("X"));
            QTest::keyClick(drive(v).console(), Qt::Key_Escape);
        } else {
            type_line(v, QStringLiteral("EXIT"));
        }
        EXPECT_FALSE(v.isVisible());
        EXPECT_EQ(shut_downs, 1);
        // Esc is not typed into the console.
        EXPECT_EQ(v.console_text(), esc ? QStringLiteral("X") : QStringLiteral("XEXIT"));
        ASSERT_TRUE(kolde_sub::open_database());
        QDir().mkpath(folder.file(QStringLiteral("data")));
    }
}

}  // namespace
