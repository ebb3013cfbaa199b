// The report display against a local report server: normal, Japanese and
// sequence displays, their work files and log lines, the retry of a
// sequence display, and a code list typed on the console.
#include "view_fixture.h"

#include "core/clock.h"
#include "mainwin/console_text.h"
#include "mainwin/request_rules.h"
#include "platform/transfer.h"
#include "reports/station_file.h"
#include "reports/heartbeat.h"
#include "reports/report_reply.h"
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

#include <functional>

using platform::Value;

using kolde_test::forecasts;
using kolde_test::stations;

namespace {

const QString ready = QStringLiteral("\r\nREADY / PRESS ESC TO EXIT");

const char rjtt_metar[] = "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG\n";
const char rjtt_taf[] = "2011/11/30 05:00\nTAF RJTT 300500Z 3006/0112 34008KT 9999 FEW030\n      TEMPO 3009/3012 -SHRA\n";
const char rjaa_speci[] = "2011/11/30 05:15\nRJAA 300515Z 36010KT 3000 BR BKN008 12/11 Q1018\n";

// The console blocks of the files above.
const QString rjtt_block = QStringLiteral(
        "\r\nRJTT  METAR 0530Z\r\n 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG      "
        "\r\nRJTT  TAF   0500Z\r\n 300500Z 3006/0112 34008KT 9999 FEW030\r\n      TEMPO   3009/3012 -SHRA      \r\n");
const QString rjaa_block = QStringLiteral(
        "\r\nRJAA  SPECI 0515Z\r\n 300515Z 36010KT 3000 BR BKN008 12/11 Q1018      "
        "\r\nRJAA  TAF   \r\n      NO FORECAST\r\n");

// Calls back on every event of the application.
class EventSpy : public QObject {
public:
    explicit EventSpy(std::function<void(QObject*, QEvent*)> f) : f_(std::move(f)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        f_(watched, event);
        return false;
    }

private:
    std::function<void(QObject*, QEvent*)> f_;
};

class Display : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        base = use_report_folder();
        switches({kolde_sub::key::local_time, kolde_sub::key::top_line, kolde_sub::key::stop_on_manual_input, kolde_sub::key::update_done_alarm, kolde_sub::key::update_done_message, kolde_sub::key::print_on_update},
                 {kolde_sub::key::clear_screen, kolde_sub::key::sequence});
        set(kolde_sub::key::sequence_hours, Value(3));
        kolde_sub::set_code_history(QStringLiteral(" "));
        serve(stations + "RJTT.TXT", rjtt_metar);
        serve(forecasts + "RJTT.TXT", rjtt_taf);
        serve(stations + "RJAA.TXT", rjaa_speci);
    }

    static void write_file(const QString& path, const QByteArray& bytes)
    {
        ASSERT_TRUE(kolde_test::write_file(path, bytes));
    }

    QString base;
};

// ------------------------------------------------------------ normal display

TEST_F(Display, TwoStationsGiveLabelledBlocksLogLinesAndSequenceRecords)
{
    set(kolde_sub::key::top_line, Value::boolean(true));
    view v;
    v.console_enter(QStringLiteral("RJTT RJAA"));

    const QString staged = QStringLiteral("*** RJTT RJAA - WEATHER OBSERVATION AND FORECASTS ***\r\n") + rjtt_block +
                           rjaa_block;
    EXPECT_EQ(v.console_text(), staged + ready);
    EXPECT_EQ(kolde_sub::from_edit_text(drive(v).staged_text()), staged);
    // Started by Enter: the caret stays at the end.
    EXPECT_EQ(drive(v).console()->textCursor().position(), drive(v).console()->document()->characterCount() - 1);

    const QStringList log = log_texts();
    for (const char* line : {"MANUAL DECODE", "RJTT METAR RECEIVED", "RJTT TAF   RECEIVED", "RJAA SPECI RECEIVED"})
        EXPECT_TRUE(log.contains(QString::fromUtf8(line))) << line;
    EXPECT_FALSE(log.join(u'|').contains(QStringLiteral("RJAA TAF")));

    QFile record(kolde_sub::sequence_file_path());
    ASSERT_TRUE(record.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(record.readAll()),
              QStringLiteral("RJTT  METAR 0530Z\r\n 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG      \r\n\r\n"
                             "RJAA  SPECI 0515Z\r\n 300515Z 36010KT 3000 BR BKN008 12/11 Q1018      \r\n\r\n"));

    ASSERT_EQ(kolde_sub::current_request().stations().size(), 3u);
    EXPECT_EQ(kolde_sub::current_request().stations()[1], (kolde_sub::StationRow{"RJTT", "05:30", "05:00"}));
    EXPECT_EQ(kolde_sub::current_request().stations()[2], (kolde_sub::StationRow{"RJAA", "05:15", ""}));
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("RJTT RJAA"));
    EXPECT_FALSE(drive(v).new_request());
    EXPECT_TRUE(kolde_sub::code_history().contains(QStringLiteral(" RJAA ")));
    EXPECT_TRUE(drive(v).status_panel_text().startsWith(QStringLiteral("自動デコード作動　　最終更新  ")));

    // A display that Enter did not start is shown from its first line.
    v.display_reports();
    EXPECT_EQ(drive(v).console()->textCursor().position(), 0);
}

// An amended forecast keeps its mark in front of the time group and names
// its station only in the label line.
TEST_F(Display, AnAmendedForecastKeepsItsMark)
{
    serve(forecasts + "RJTT.TXT", "2011/11/30 05:40\nTAF AMD RJTT 300540Z 3006/0112 34008KT 9999 FEW030\n");
    view v;
    v.console_enter(QStringLiteral("RJTT"));
    EXPECT_TRUE(v.console_text().contains(
            QStringLiteral("\r\nRJTT  TAF   0540Z\r\n AMD   300540Z 3006/0112 34008KT 9999 FEW030      \r\n")))
            << v.console_text().toStdString();
    EXPECT_TRUE(log_texts().contains(QStringLiteral("RJTT TAF(AMD) RECEIVED")));
}

TEST_F(Display, UnknownStationIsNotFoundAndItsForecastNotFetched)
{
    view v;
    v.console_enter(QStringLiteral("RJXX"));
    EXPECT_EQ(v.console_text(),
              QStringLiteral("*** RJXX - WEATHER OBSERVATION AND FORECASTS ***\r\n\r\nRJXX  NOT FOUND\r\n") + ready);
    EXPECT_EQ(served(stations + "RJXX.TXT"), 1);
    EXPECT_EQ(served(forecasts + "RJXX.TXT"), 0);

    // A repeat logs the missing station again but nothing received.
    serve(stations + "RJXX.TXT", rjtt_metar);
    v.display_reports();
    const QStringList log = log_texts();
    EXPECT_EQ(log.count(QStringLiteral("NOT FOUND RJXX")), 1);
    EXPECT_FALSE(log.join(u'|').contains(QStringLiteral("RECEIVED")));
}

TEST_F(Display, FailedTransfersCountAsMissingFiles)
{
    server->set_fault((stations + "RJTT.TXT").toStdString(), kolde_site::Fault::ErrorPage);
    server->set_fault((forecasts + "RJAA.TXT").toStdString(), kolde_site::Fault::Empty);
    view v;
    v.console_enter(QStringLiteral("RJTT RJAA"));
    server->clear_faults();

    EXPECT_EQ(v.console_text(), QStringLiteral("*** RJTT RJAA - WEATHER OBSERVATION AND FORECASTS ***\r\n"
                                               "\r\nRJTT  NOT FOUND\r\n") +
                                        rjaa_block + ready);
    EXPECT_TRUE(log_texts().contains(QStringLiteral("NOT FOUND RJTT")));
    EXPECT_EQ(kolde_sub::current_request().stations()[1][kolde_sub::station_metar_stamp], QString());
}

// No answer at all (refused, timed out) is no network, not a missing
// station: the console answers as offline and the connection counts as lost.
TEST_F(Display, NoAnswerAtAllIsANetworkFailure)
{
    switches({kolde_sub::key::disconnect_message, kolde_sub::key::disconnect_alarm});
    for (const char* line : {"RJTT RJAA", "JP RJTT", "SQ RJTT"}) {
        for (const bool refused : {true, false}) {
            SCOPED_TRACE(std::string(line) + (refused ? " refused" : " timed out"));
            kolde_sub::set_online(true);
            server->clear_requests();
            view v;
            drive(v).display_transfer()->set_request_timeout(1);
            v.set_console_text(QStringLiteral("SYSTEM INITIALIZED\r\n"));
            v.console_caret_to_end();
            if (refused) {
                ASSERT_TRUE(server->set_down(true));
            }
            server->set_fault((stations + "RJTT.TXT").toStdString(), kolde_site::Fault::Stall);
            QTest::keyClicks(drive(v).console(), QString::fromUtf8(line));
            QTest::keyClick(drive(v).console(), Qt::Key_Return);
            ASSERT_TRUE(server->set_down(false));
            server->clear_faults();

            const QString text = v.console_text();
            EXPECT_TRUE(text.startsWith(QStringLiteral("SYSTEM INITIALIZED\r\n"))) << text.toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("\r\nNO NETWORK CONNECTION\r\n") + ready));
            EXPECT_FALSE(text.contains(QStringLiteral("NOT FOUND")) || text.contains(QStringLiteral("OBSERVATION")));
            EXPECT_EQ(served(stations + "RJAA.TXT"), 0);
            EXPECT_FALSE(kolde_sub::is_online());
            EXPECT_TRUE(log_texts().contains(QStringLiteral("SYSTEM NO NETWORK CONNECTION")));
            EXPECT_TRUE(log_texts().contains(QStringLiteral("NETWORK DISCONNECTED")));
        }
    }
}

// An endless station file is read up to the limit, with a log row, and the
// console gets the part that came; a binary body's control characters are
// left out.
TEST_F(Display, OversizedAndBinaryStationFiles)
{
    server->set_fault((stations + "RJTT.TXT").toStdString(), kolde_site::Fault::Endless);
    const char binary[] = "2011/11/30 05:15\nRJAA 300515Z 36010KT\x01\x1b[2J 3000\x00 BR\x7f\x85 BKN008\n";
    serve(stations + "RJAA.TXT", QByteArray(binary, sizeof binary - 1));
    view v;
    drive(v).display_transfer()->set_request_timeout(10);
    v.console_enter(QStringLiteral("RJTT RJAA"));

    const QString text = v.console_text();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nRJTT  METAR 0530Z\r\n 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nRJTT  TAF   0500Z\r\n 300500Z 3006/0112")));
    EXPECT_LT(text.size(), 2 * kolde_sub::station_file_limit);
    EXPECT_TRUE(log_texts().contains(
            kolde_sub::cut_off_log_text(kolde_sub::addresses().observations + "RJTT.TXT", kolde_sub::station_file_limit)));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n 300515Z 36010KT[2J 3000 BR BKN008      \r\n")));
}

TEST_F(Display, LocalTimeShiftsTheLabels)
{
    view v;
    set(kolde_sub::key::local_time, Value::boolean(true));
    set(kolde_sub::key::time_difference, Value("+9"));
    v.console_enter(QStringLiteral("RJTT"));
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("RJTT  METAR 1430I\r\n")));
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("RJTT  TAF   1400I\r\n")));
    drive(v).current_url() = kolde_sub::addresses().observations;
    EXPECT_EQ(v.fetch_station_file(QStringLiteral("RJTT")).label, QStringLiteral("1430I"));

    // The zero offset the time-zone query writes reads as UTC.
    set(kolde_sub::key::time_difference, Value("±0"));
    v.console_enter(QStringLiteral("RJTT"));
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("RJTT  METAR 0530Z\r\n")));
    drive(v).current_url() = kolde_sub::addresses().observations;
    EXPECT_EQ(v.fetch_station_file(QStringLiteral("RJTT")).label, QStringLiteral("0530Z"));
    EXPECT_TRUE(drive(v).status_panel_text().endsWith(QStringLiteral("(Z)")));
}

TEST_F(Display, KeepingThePreviousScreenJoinsDisplaysWithASeparator)
{
    set(kolde_sub::key::clear_screen, Value::boolean(false));
    view v;
    v.console_enter(QStringLiteral("RJTT"));
    v.console_enter(QStringLiteral("RJAA"));
    EXPECT_EQ(v.console_text(), QStringLiteral("*** RJTT - WEATHER OBSERVATION AND FORECASTS ***\r\n") + rjtt_block +
                                        QStringLiteral("\r\n\r\n*** RJAA - WEATHER OBSERVATION AND FORECASTS ***\r\n") +
                                        rjaa_block + ready);
}

TEST_F(Display, AutomaticDecode)
{
    view v;
    // An empty list shows only the header and fetches nothing.
    fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")}, {});
    server->clear_requests();
    kolde_sub::current_request().set_codes(QString());
    drive(v).auto_mode() = drive(v).new_request() = true;
    v.display_reports();
    EXPECT_EQ(v.console_text(), QStringLiteral("*** AUTO DECODE - WEATHER OBSERVATION AND FORECASTS ***\r\n") + ready);
    EXPECT_TRUE(server->requests().empty());

    // A restart after a sequence request shows the list, not the old station.
    fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")},
               {{Value("RJAA"), Value("成田")}});
    kolde_sub::current_request().set_codes(QStringLiteral("SQ JP RJTT"));
    drive(v).auto_mode() = drive(v).new_request() = drive(v).sequence_mode() = drive(v).japanese_mode() = true;
    v.display_reports();
    EXPECT_EQ(v.console_text(),
              QStringLiteral("*** AUTO DECODE - WEATHER OBSERVATION AND FORECASTS ***\r\n") + rjaa_block + ready);
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("RJAA"));
}

TEST_F(Display, NewReportsRingOnlyWithARingFileAndShowTheNotice)
{
    set(kolde_sub::key::update_done_alarm, Value::boolean(true));
    set(kolde_sub::key::update_done_message, Value::boolean(true));
    view v;
    v.console_enter(QStringLiteral("RJTT"));
    drive(v).timer_run() = true;
    v.display_reports();
    EXPECT_FALSE(log_texts().contains(QStringLiteral("RING ARARM")));
    EXPECT_TRUE(log_texts().contains(QStringLiteral("DISPLAY DATA CHANGED MESSAGE")));
    int notices = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        notices += qobject_cast<kolde_sub::datachange*>(w) && w->isVisible();
    EXPECT_EQ(notices, 1);

    // A tenth of a second of silence, 8 kHz 8-bit mono.
    QByteArray wave("RIFF");
    const auto le32 = [](quint32 n) { return QByteArray(reinterpret_cast<const char*>(&n), 4); };
    wave += le32(36 + 800) + "WAVEfmt " + le32(16) + QByteArray::fromHex("01000100401f0000401f000001000800") +
            "data" + le32(800) + QByteArray(800, '\x80');
    write_file(folder.file(QStringLiteral("sound/ring.wav")), wave);
    v.display_reports();
    EXPECT_EQ(log_texts().count(QStringLiteral("RING ARARM")), 1);
    // The repeat received nothing new.
    EXPECT_EQ(log_texts().count(QStringLiteral("RJTT METAR RECEIVED")), 1);
}

// A display that waits on a stalled station is not joined by a second one:
// Enter and the sequence retry during the wait change nothing (the keys wait
// for the display's end), and the display ends normally once the station
// answers.
TEST_F(Display, NoSecondDisplayStartsWhileOneWaits)
{
    const std::string stalled = (stations + "RJTT.TXT").toStdString();
    server->set_fault(stalled, kolde_site::Fault::Stall);
    view v;
    drive(v).display_transfer()->set_request_timeout(30);
    const bool waited = while_requested(stations + "RJTT.TXT", [&] {
        EXPECT_TRUE(v.display_running());
        drive(v).enter_pressed() = false;  // set by the Enter that started the display
        QTest::keyClicks(drive(v).console(), QStringLiteral("RJAA"));
        QTest::keyClick(drive(v).console(), Qt::Key_Return);
        drive(v).sequence_retry_timer()->start();
        v.Timer4_Timer();
        // Whatever Enter queued arrives now.
        QCoreApplication::processEvents();
        EXPECT_FALSE(drive(v).enter_pressed());
        EXPECT_TRUE(drive(v).sequence_retry_timer()->isActive());
        server->clear_fault(stalled);
    }, [&] { v.console_enter(QStringLiteral("RJTT")); });
    drive(v).sequence_retry_timer()->stop();

    EXPECT_TRUE(waited);
    EXPECT_EQ(v.console_text(), QStringLiteral("*** RJTT - WEATHER OBSERVATION AND FORECASTS ***\r\n") + rjtt_block +
                                        ready);
    EXPECT_EQ(served(stations + "RJAA.TXT"), 0);
    EXPECT_EQ(served(stations + "RJTT.TXT"), 1);
    EXPECT_EQ(served(forecasts + "RJTT.TXT"), 1);
    for (const std::string& r : server->requests())
        EXPECT_EQ(r.find("/cycles/"), std::string::npos) << r;
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("RJTT"));
    EXPECT_FALSE(log_texts().join(u'|').contains(QStringLiteral("NOT FOUND")));
    EXPECT_EQ(log_texts().count(QStringLiteral("MANUAL DECODE")), 1);
    EXPECT_FALSE(v.display_running());
    // What the keys do afterwards: Console.LinesTypedDuringDisplaysRunInTurnAfterThem.
}

// What follows new reports (here the data-updated notice) sees the whole
// request, not the last station of the loop.
TEST_F(Display, NewReportsActionsSeeTheWholeRequest)
{
    set(kolde_sub::key::update_done_message, Value::boolean(true));
    view v;
    v.console_enter(QStringLiteral("RJTT RJAA"));

    QString at_notice;
    EventSpy spy([&](QObject* watched, QEvent* event) {
        if (event->type() == QEvent::Show && qobject_cast<kolde_sub::datachange*>(watched))
            at_notice = kolde_sub::current_request().codes();
    });
    qApp->installEventFilter(&spy);
    drive(v).timer_run() = true;
    v.display_reports();
    qApp->removeEventFilter(&spy);
    EXPECT_EQ(at_notice, QStringLiteral("RJTT RJAA"));
}

// ---------------------------------------------------------- Japanese display

TEST_F(Display, JapaneseDisplayTranslatesFoundObservationsOnly)
{
    view v;
    drive(v).set_status_panel_text(QStringLiteral("待機"));
    v.console_enter(QStringLiteral("JP RJTT RJXX"));
    EXPECT_EQ(v.console_text(),
              QStringLiteral("*** RJTT - JAPANESE TRANSLATION WEATHER OBSERVATION ***\r\n"
                             "\r\nRJTT  METAR 0530Z\r\n      300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG\r\n"
                             "\r\n*** 東京国際空港 定時飛行場実況通報 05時30分(Z) 発表 ***\r\n\r\n"
                             "風向/風速　　： 340°方向から 5ノット\r\n地上視程　　 ： 10キロメートル以上\r\n"
                             "雲量/高度　　： 3000フィートに少量の雲\r\n地上気温　　 ： 15℃\r\n露点温度　　 ： 8℃\r\n"
                             "地上気圧　　 ： 1020.0ヘクトパスカル\r\n補足記事　　 ： 顕著な天候変化なし\r\n"
                             "\r\n*** RJXX - JAPANESE TRANSLATION WEATHER OBSERVATION ***\r\n\r\nRJXX  NOT FOUND\r\n") +
                      ready);
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("JP RJTT RJXX"));
    EXPECT_TRUE(log_texts().contains(QStringLiteral("CALL JAPANESE DECODE RJTT RJXX")));
    EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("待機"));
    EXPECT_TRUE(drive(v).japanese_mode());
    EXPECT_EQ(served(forecasts + "RJTT.TXT"), 0);
}

// ------------------------------------------------------------- typed line

TEST(DisplayRequestRules, CodeLists)
{
    using kolde_sub::is_station_code_list;
    for (const char* good : {"RJTT", "RJTT RJAA", "rjtt ROAH RJCC"})
        EXPECT_TRUE(is_station_code_list(QString::fromUtf8(good))) << good;
    for (const char* bad : {"", "RJT", "RJTTX", "RJTT  RJAA", "RJTT RJA", "RJ1T", "ＲJTT", "RJTT,RJAA", "RJTT "})
        EXPECT_FALSE(is_station_code_list(QString::fromUtf8(bad))) << bad;

    const auto sq = kolde_sub::typed_request(QStringLiteral("SQ JP RJTT"));
    ASSERT_TRUE(sq);
    EXPECT_TRUE(sq->sequence && sq->japanese);
    EXPECT_EQ(sq->list, QStringLiteral("RJTT"));
    EXPECT_FALSE(kolde_sub::typed_request(QStringLiteral("JP SQ RJTT")));
    EXPECT_FALSE(kolde_sub::typed_request(QStringLiteral("SQ")));
}

TEST_F(Display, TypedCodesAndEnterEndWithTheReadyPrompt)
{
    set(kolde_sub::key::top_line, Value::boolean(true));
    view v;
    v.set_console_text(QStringLiteral("SYSTEM INITIALIZED\r\n"));
    v.console_caret_to_end();
    QTest::keyClicks(drive(v).console(), QStringLiteral("RJTT RJAA"));
    QTest::keyClick(drive(v).console(), Qt::Key_Return);
    // The prompt, then the line break of the Enter itself.
    EXPECT_TRUE(v.console_text().endsWith(ready + QStringLiteral("\r\n")));
    EXPECT_TRUE(v.console_text().startsWith(QStringLiteral("*** RJTT RJAA - WEATHER")));
    EXPECT_TRUE(log_texts().contains(QStringLiteral("MANUAL DECODE")));
    // Started by Enter: the caret stays at the end.
    EXPECT_EQ(drive(v).console()->textCursor().position(), drive(v).console()->document()->characterCount() - 1);
    EXPECT_FALSE(drive(v).enter_pressed());

    // Anything that is not a code list is left alone.
    server->clear_requests();
    v.console_enter(QStringLiteral("RJTT1"));
    EXPECT_TRUE(server->requests().empty());
}

// ---------------------------------------------------------- sequence display

class SequenceDisplay : public Display {
protected:
    void SetUp() override
    {
        Display::SetUp();
        // 11:10Z: the window of three hours back holds the hours 08 to 11.
        kolde_sub::set_clock(QDateTime(QDate(2011, 11, 30), QTime(11, 10), Qt::UTC));
    }
    void write_copy(int h, const QByteArray& text) { write_file(kolde_sub::cycle_copy_path(h), text); }
};

TEST_F(SequenceDisplay, HourlyFilesOldestFirstThenTheLatestReport)
{
    serve(stations + "RJTT.TXT", "2011/11/30 10:30\nRJTT 301030Z 34005KT 9999 FEW030 16/08 Q1020\n");
    view v;
    drive(v).set_status_panel_text(QStringLiteral("待機"));
    const char metar0900[] = "RJTT 300900Z 34005KT 9999 FEW030 15/08 Q1020\n";
    write_copy(8, QByteArray("RJAA 300900Z 36010KT 9999 FEW020 12/11 Q1018\n") + metar0900);
    write_copy(9, "RJAA 301000Z 36010KT 9999 FEW020 12/11 Q1018\n");
    write_copy(10, QByteArray(metar0900) + "RJTT 301020Z 34010KT 4000 BR FEW008 15/14 Q1019\n");
    write_copy(11, "RJAA 301100Z 36010KT 9999 FEW020 12/11 Q1018\n");
    v.console_enter(QStringLiteral("SQ RJTT"));
    EXPECT_EQ(v.console_text(),
              QStringLiteral("*** RJTT - SEQUENCE WEATHER OBSERVATION ***\r\n"
                             "\r\nRJTT  METAR 0900Z\r\n      300900Z 34005KT 9999 FEW030 15/08 Q1020\r\n"
                             "\r\nRJTT  NO DATA AT 0900Z\r\n"
                             "\r\nRJTT  SPECI 1020Z\r\n      301020Z 34010KT 4000 BR FEW008 15/14 Q1019\r\n"
                             "\r\nRJTT  METAR 1030Z (LATEST ISSUED)\r\n      301030Z 34005KT 9999 FEW030 16/08 Q1020\r\n") +
                      ready);
    EXPECT_FALSE(drive(v).sequence_retry_timer()->isActive());
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("SQ RJTT"));
    EXPECT_TRUE(log_texts().contains(QStringLiteral("CALL SEQUENCE RJTT")));
    EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("待機"));
    EXPECT_FALSE(drive(v).sequence_mode());
}

// An hourly file that does not come (error page, then no answer) is fetched
// again at the next slot; the current hour keeps the copy it had.
TEST_F(SequenceDisplay, AnHourlyFileThatDidNotComeIsFetchedAgainAtTheNextSlot)
{
    const QString cycles = QStringLiteral("/pub/data/observations/metar/cycles/");
    view v;
    server->set_fault((cycles + "*").toStdString(), kolde_site::Fault::ErrorPage);
    v.fetch_hourly_cycles();
    kolde_sub::current_request().forget_cycle_slot();
    ASSERT_TRUE(server->set_down(true));
    v.fetch_hourly_cycles();
    ASSERT_TRUE(server->set_down(false));
    server->clear_faults();
    for (int h = 8; h <= 11; ++h)
        serve(cycles + QStringLiteral("%1Z.TXT").arg(h, 2, 10, QChar(u'0')),
              QStringLiteral("RJTT 30%1").arg(h, 2, 10, QChar(u'0')).toLatin1() + "00Z 34005KT\n");
    kolde_sub::set_clock(QDateTime(QDate(2011, 11, 30), QTime(11, 20), Qt::UTC));
    v.fetch_hourly_cycles();
    kolde_sub::set_clock(QDateTime(QDate(2011, 11, 30), QTime(11, 30), Qt::UTC));
    server->set_fault((cycles + "*").toStdString(), kolde_site::Fault::Empty);
    v.fetch_hourly_cycles();

    v.console_enter(QStringLiteral("SQ RJTT"));
    const QString text = v.console_text();
    for (const char* block : {"RJTT  METAR 0800Z", "RJTT  METAR 0900Z", "RJTT  METAR 1000Z", "RJTT  METAR 1100Z"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(block))) << block;
    EXPECT_FALSE(text.contains(QStringLiteral("NO DATA AT")) || text.contains(QStringLiteral("LOADING")));
}

TEST_F(SequenceDisplay, MissingHoursAreRetriedABoundedNumberOfTimes)
{
    view v;
    v.console_enter(QStringLiteral("SQ RJTT"));
    EXPECT_EQ(v.console_text().count(QStringLiteral("RJTT  LOADING SEQUENCE DATA AT ")), 4);
    ASSERT_TRUE(drive(v).sequence_retry_timer()->isActive());

    int retries = 0;
    while (drive(v).sequence_retry_timer()->isActive() && retries < 1000) {
        v.Timer4_Timer();
        ++retries;
    }
    EXPECT_EQ(retries, kolde_sub::sequence_retry_cap(kolde_sub::update_interval()));
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("SQ RJTT"));

    // A new request counts afresh; a plain one cancels a pending retry.
    v.console_enter(QStringLiteral("SQ RJTT"));
    EXPECT_TRUE(drive(v).sequence_retry_timer()->isActive());
    v.console_enter(QStringLiteral("RJTT"));
    EXPECT_FALSE(drive(v).sequence_retry_timer()->isActive());
}

// Keys typed on the shown window while the retry's display waits on the
// station are typed once that display has ended, without another key: the
// line entered meanwhile runs, and the line not entered follows its prompt.
TEST_F(SequenceDisplay, KeysTypedDuringTheRetryAreTypedWhenItEnds)
{
    view v;
    v.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    v.console_enter(QStringLiteral("SQ RJTT"));
    ASSERT_TRUE(drive(v).sequence_retry_timer()->isActive());
    // No heartbeat cycle comes in between.
    drive(v).heartbeat_timer()->stop();
    // The retry fires from the event loop, soon.
    drive(v).sequence_retry_timer()->setInterval(20);
    drive(v).display_transfer()->set_request_timeout(30);
    const QString latest = stations + "RJTT.TXT";
    server->set_fault(latest.toStdString(), kolde_site::Fault::Stall);
    server->clear_requests();
    QTextEdit* console = drive(v).console();
    const bool typed = while_requested(latest, [&] {
        EXPECT_TRUE(v.display_running());
        QTest::keyClicks(console, QStringLiteral("RJAA"));
        QTest::keyClick(console, Qt::Key_Return);
        QTest::keyClicks(console, QStringLiteral("RJ"));
        server->clear_fault(latest.toStdString());
    }, [&] {
        // Bounded wait for the keys that waited (not a timing check).
        EXPECT_TRUE(QTest::qWaitFor([&] { return drive(v).typed_line() == QStringLiteral("RJ") && !v.display_running(); }));
    });
    ASSERT_TRUE(typed);
    EXPECT_EQ(served(latest), 1);
    EXPECT_EQ(served(stations + "RJAA.TXT"), 1);
    EXPECT_TRUE(v.console_text().startsWith(QStringLiteral("*** RJAA - WEATHER OBSERVATION AND FORECASTS ***")))
            << v.console_text().toStdString();
    // The prompt, the line break of the Enter, then the line not entered.
    EXPECT_TRUE(v.console_text().endsWith(ready + QStringLiteral("\r\nRJ"))) << v.console_text().toStdString();
    // The line entered was a new request: the retry of the old one is off.
    EXPECT_FALSE(drive(v).sequence_retry_timer()->isActive());
}

// The hours are UTC hours and the local times UTC plus the time difference,
// whether the computer's clock runs at UTC, at Japan time or elsewhere.
TEST_F(SequenceDisplay, HoursAndLabelsComeFromUtcWhateverTheComputersZone)
{
    set(kolde_sub::key::local_time, Value::boolean(true));
    set(kolde_sub::key::time_difference, "+9");
    kolde_sub::set_clock(QDateTime(QDate(2011, 11, 30), QTime(12, 10), Qt::UTC));
    for (const char* zone : {"UTC", "Asia/Tokyo", "America/New_York"}) {
        SCOPED_TRACE(zone);
        const kolde_test::TimeZoneAt tz(zone);
        view v;
        v.console_enter(QStringLiteral("SQ RJTT"));
        drive(v).sequence_retry_timer()->stop();
        QStringList loading;
        for (const QString& line : v.console_text().split(QStringLiteral("\r\n")))
            if (line.contains(QStringLiteral("LOADING")))
                loading << line.right(5);
        EXPECT_EQ(loading, QStringList({"1800I", "1900I", "2000I", "2100I"}));

        kolde_sub::current_request().forget_cycle_slot();
        server->clear_requests();
        v.fetch_hourly_cycles();
        QStringList fetched;
        for (const std::string& r : server->requests())
            if (r.find("/cycles/") != std::string::npos)
                fetched << QString::fromStdString(r.substr(r.find("/cycles/") + 8, 2));
        EXPECT_EQ(fetched, QStringList({"09", "10", "11", "12"}));

        v.console_enter(QStringLiteral("RJTT"));
        EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("自動デコード作動　　最終更新  21:10(I)"));
    }
}

TEST_F(SequenceDisplay, FromTheSequenceFile)
{
    set(kolde_sub::key::sequence, Value::boolean(false));
    view v;
    // Nothing shown yet: the console gains the line.
    v.set_console_text(QStringLiteral("SQ RJTT\r\n"));
    v.console_enter(QStringLiteral("SQ RJTT"));
    EXPECT_EQ(v.console_text(), QStringLiteral("SQ RJTT\r\n\r\nNO SEQUENCE DATA\r\n") + ready);
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("RJTT"));

    v.console_enter(QStringLiteral("RJTT RJAA"));
    v.console_enter(QStringLiteral("SQ RJTT ROAH"));
    EXPECT_EQ(v.console_text(),
              QStringLiteral("*** RJTT - SEQUENCE WEATHER OBSERVATION ***\r\n"
                             "\r\nRJTT  METAR 0530Z\r\n 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG      \r\n"
                             "\r\n*** ROAH - SEQUENCE WEATHER OBSERVATION ***\r\n\r\nROAH  NO SEQUENCE DATA\r\n") +
                      ready);
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("SQ RJTT ROAH"));
}

}  // namespace
