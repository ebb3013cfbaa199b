// The command line of the console, typed key by key: what each command
// writes into the console and the log, the boxes and windows it shows, and
// the commands whose effect shows only in what follows.
#include "view_fixture.h"

#include "mainwin/console_text.h"
#include "options/opton.h"
#include "platform/printers.h"
#include "platform/shell.h"
#include "core/shared.h"
#include "core/sun_coef.h"
#include "core/window_flags.h"
#include "reports/request.h"
#include "sidewin/side_windows.h"
#include "sidewin/sun_times.h"
#include "translate/handover.h"
#include "translate/pictureform.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using platform::Value;
using kolde_test::stations;

namespace {

const QString ready = QStringLiteral("\r\nREADY / PRESS ESC TO EXIT\r\n");
const QString no_connection = QStringLiteral("インターネットに接続できません　　");

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

class Console : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        use_report_folder();
        serve(stations + "RJTT.TXT", "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020\n");
        for (const char* off : {"LOCAL使用", "先頭行", "ブラウザー", "印刷時ダイアログ", "更新終了時アラーム",
                                "更新終了時メッセージ", "印刷更新時印刷", "シーケンス表示"})
            set(off, Value::boolean(false));
        for (const char* on : {"マニュアル入力時停止", "前画面クリアー", "アドビインフォメーション"})
            set(on, Value::boolean(true));
        platform::set_printer_queues_for_tests({}, QString());
        platform::set_default_browser_opener([this](const QUrl& url) {
            opened << url.toString();
            return true;
        });
        kolde_sub::fill_sun_coef();
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

    // A window whose console shows "X" with the caret after it; the log
    // rows written from here on are the new ones.
    void start(view& v)
    {
        v.set_console_text(QStringLiteral("X"));
        v.console_caret_to_end();
        log_start = log_texts().size();
    }
    std::string new_log() const { return log_texts().mid(log_start).join(u'|').toStdString(); }
    static std::string text(const QString& s) { return s.toStdString(); }

    static void type_line(view& v, const QString& line)
    {
        QTest::keyClicks(v.TextBox[0], line);
        QTest::keyClick(v.TextBox[0], Qt::Key_Return);
    }

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

// Each command on its own: the console after it (it showed "X" before),
// the log rows, the boxes, the modal windows and the pages opened.
TEST_F(Console, EachCommandAnswersInTheConsoleAndTheLog)
{
    const QString syntax = QStringLiteral("SYNTAX ERROR");
    const QString terminated = QStringLiteral("AUTO DECODE SEQUENCE TERMINATED");
    struct Case {
        const char* line;
        bool online;
        QString console;
        QStringList log;
        QStringList boxes;
        QStringList windows;  // modal windows, by name and caption
        QString page;         // the end of the address opened
    };
    const Case cases[] = {
            {"   ", true, "X   \r\n", {}, {}, {}, {}},
            {"log", false, "Xlog\r\n" + ready, {"DISPLAY RUNNING LOG"}, {}, {}, {}},
            {"XYZ", true, "XXYZ\r\nSYNTAX ERROR\r\n" + ready, {syntax}, {}, {}, {}},
            {"RJTT  RJAA", true, "XRJTT  RJAA\r\nSYNTAX ERROR\r\n" + ready, {syntax}, {}, {}, {}},
            {"XYZ", false, "XXYZ\r\nNO NETWORK CONNECTION\r\n" + ready, {"SYSTEM NO NETWORK CONNECTION"}, {}, {}, {}},
            {"UPDATE", false, "XUPDATE\r\n", {}, {no_connection}, {}, {}},
            {"RESET", false, "XRESET\r\n", {}, {no_connection}, {}, {}},
            {"ATO", false, "XATO\r\n", {}, {no_connection}, {}, {}},
            {"WX", false, "XWX\r\n", {}, {no_connection}, {}, {}},
            {"RESET", true, "XRESET\r\n\r\nDATABASE RESET SEQUENCE COMPLETED\r\n" + ready, {"DATABASE RESET SEQUENCE"},
             {"データベース リセット シーケンスを設定しました　　\r\n\r\nKOLDE を再起動してください"}, {}, {}},
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
            {"CAM", true, "XCAM\r\n" + ready, {"DISPLAY NETWORK CAMERA"}, {}, {}, {}},
            {"WX", true, "XWX\r\n" + ready, {"DISPLAY WEATHER CHART"}, {}, {}, {}},
            {"TAF", false, "XTAF : 運航用飛行場予報\r\n" + ready, {"SEARCH WORD TAF"}, {}, {}, {}},
            {"SS XXXX", false, "XSS XXXX\r\n\r\nXXXX  NOT FOUND POSITION DATA\r\n" + ready,
             {"SUNRISE/SUNSET CALCULATION COMMAND"}, {}, {}, {}},
            {"SS RJT", true, "XSS RJT\r\nSYNTAX ERROR\r\n" + ready, {"SUNRISE/SUNSET CALCULATION COMMAND", syntax}, {},
             {}, {}},
            {"/P", false, "X/P\r\n\r\nPRINT COMPLETED" + ready,
             {"PRINT COMMAND", "AUTO PRINT DATA SPOOL INTO *", "PRINT COMPLETED", "PRINT COMMAND"}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(QString::fromUtf8(c.line), c.online ? "online" : "offline").toStdString());
        view v;
        start(v);
        kolde_sub::online = c.online;
        boxes.clear();
        opened.clear();
        kolde_test::ModalCloser closer;
        type_line(v, QString::fromUtf8(c.line));

        EXPECT_EQ(text(v.console_text()), text(c.console));
        EXPECT_EQ(new_log(), text(c.log.join(u'|')));
        EXPECT_EQ(box_texts(), text(c.boxes.join(u'|')));
        QStringList windows;
        for (const auto& w : closer.shown())
            windows << w.name << w.caption;
        EXPECT_EQ(text(windows.join(u'|')), text(c.windows.join(u'|')));
        if (c.page.isEmpty()) {
            EXPECT_TRUE(opened.isEmpty());
        } else {
            ASSERT_EQ(opened.size(), 1);
            EXPECT_TRUE(opened[0].endsWith(c.page)) << opened[0].toStdString();
        }
        EXPECT_TRUE(v.inputlbl->text().isEmpty());
        EXPECT_EQ(kolde_sub::weather_mode, 0);
    }
}

// The windows the commands open without waiting.
TEST_F(Console, ModelessWindowsOfTheCommands)
{
    view v;
    start(v);
    type_line(v, QStringLiteral("LOG"));
    EXPECT_TRUE(kolde_sub::log_window()->isVisible());
    type_line(v, QStringLiteral("CAM"));
    ASSERT_NE(kolde_sub::camera_window(), nullptr);
    EXPECT_TRUE(kolde_sub::camera_window()->isVisible());
    type_line(v, QStringLiteral("WX"));
    ASSERT_NE(kolde_sub::chart_window(), nullptr);
    EXPECT_TRUE(kolde_sub::chart_window()->isVisible());
}

// Asking for the reader's download in the notice before the chart closes
// the window instead of opening the chart.
TEST_F(Console, ChartGivesWayToTheReaderDownload)
{
    set("アドビインフォメーション", Value::boolean(false));
    view v;
    v.show();
    start(v);
    kolde_test::ModalCloser closer([](QWidget* w) {
        if (auto* notice = qobject_cast<kolde_sub::adobeinfo*>(w))
            notice->image_Click();
    });
    type_line(v, QStringLiteral("WX"));
    EXPECT_EQ(closer.names(), QStringList{QStringLiteral("adobeinfo")});
    EXPECT_EQ(kolde_sub::chart_window(), nullptr);
    EXPECT_FALSE(v.isVisible());
    EXPECT_FALSE(opened.isEmpty());
}

// The typed line is used up by every command, also by those that do not
// colour the console: the next line stands alone.
TEST_F(Console, TheNextLineStandsAloneAfterEveryCommand)
{
    for (const char* first : {"CLS", "JAPANESE", "XYZ"}) {
        SCOPED_TRACE(first);
        view v;
        start(v);
        kolde_test::ModalCloser closer;
        type_line(v, QString::fromUtf8(first));
        type_line(v, QStringLiteral("RJTT"));
        EXPECT_TRUE(v.console_text().startsWith(QStringLiteral("*** RJTT - WEATHER OBSERVATION AND FORECASTS ***")));
        EXPECT_TRUE(log_texts().contains(QStringLiteral("MANUAL DECODE")));
        EXPECT_EQ(kolde_sub::current_request, QStringLiteral("RJTT"));
    }
}

// A mistyped sequence request leaves no sequence mode behind.
TEST_F(Console, AFailedPrefixLeavesNoModeBehind)
{
    view v;
    start(v);
    type_line(v, QStringLiteral("SQ RJT"));
    EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("SYNTAX ERROR\r\n") + ready));
    EXPECT_FALSE(v.sequence_mode);
    type_line(v, QStringLiteral("RJTT"));
    EXPECT_TRUE(v.console_text().startsWith(QStringLiteral("*** RJTT - WEATHER OBSERVATION AND FORECASTS ***")));
}

TEST_F(Console, ReloadShowsTheRequestAgain)
{
    view v;
    start(v);
    type_line(v, QStringLiteral("RJTT"));
    ASSERT_EQ(served(stations + "RJTT.TXT"), 1);
    start(v);
    type_line(v, QStringLiteral("RL"));
    EXPECT_EQ(served(stations + "RJTT.TXT"), 2);
    EXPECT_EQ(new_log(), "DATA RELOAD");
    EXPECT_TRUE(v.console_text().endsWith(ready));
    EXPECT_EQ(kolde_sub::current_request, QStringLiteral("RJTT"));
}

TEST_F(Console, GroupIdDisplaysItsRoute)
{
    ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_company(), {QStringLiteral("id"), QStringLiteral("route")},
                                            {{Value("CLS"), Value("RJTT")}}));
    view v;
    start(v);
    v.Timer->start(60000);
    type_line(v, QStringLiteral("cls"));
    EXPECT_TRUE(v.console_text().startsWith(QStringLiteral("*** CLS - GROUP FORMAT OBSERVATION AND FORECASTS ***")));
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("RJTT  METAR 0530Z"))) << text(v.console_text());
    EXPECT_EQ(kolde_sub::current_group, QStringLiteral("CLS"));
    EXPECT_EQ(kolde_sub::current_request, QStringLiteral("RJTT"));
    EXPECT_FALSE(v.Timer->isActive());
    EXPECT_EQ(new_log().substr(0, 65), "AUTO DECODE SEQUENCE TERMINATED|FORMAT CLS DECODE SEQUENCE START|");
}

TEST_F(Console, UpdateForgetsTheVersionOnlyOnline)
{
    kolde_sub::online = false;
    view v;
    start(v);
    type_line(v, QStringLiteral("UPDATE"));
    EXPECT_FLOAT_EQ(kolde_sub::version_number(kolde_sub::setting(QStringLiteral("KOLDEバージョン"))), 4.31f);

    kolde_sub::online = true;
    boxes.clear();
    start(v);
    type_line(v, QStringLiteral("UPDATE"));
    EXPECT_EQ(kolde_sub::setting(QStringLiteral("KOLDEバージョン")).to_real(), 0.0);
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("UPDATE\r\nAUTO UPDATE READY\r\n\r\nREADY / PRESS ESC TO EXIT")));
    // The check offers the site's version, which the answer No declines.
    EXPECT_EQ(boxes.size(), 1u);
    // The only row is the check's own.
    EXPECT_EQ(new_log(), "FOUND LATEST VERSION ON FTP SERVER");
    EXPECT_TRUE(v.Timer->isActive());
}

TEST_F(Console, ResetMarksTheDatabaseForReplacement)
{
    view v;
    start(v);
    type_line(v, QStringLiteral("RESET"));
    EXPECT_EQ(kolde_sub::setting(QStringLiteral("DBバージョン")).to_real(), 0.0);
}

TEST_F(Console, AutoDecodeStart)
{
    const QString question = QStringLiteral("自動デコードが無効になっています　　\r\r有効にしますか？");
    struct Case {
        const char* what;
        bool empty_list;
        bool enabled;
        platform::MsgAnswer answer;
        QString console_start;  // of the console afterwards
        QStringList boxes;
        bool enabled_after;
        bool running;  // the heartbeat runs
    };
    const Case cases[] = {
            {"empty list", true, false, platform::MsgAnswer::Yes,
             "XATO\r\nNO AIRPORT FOUND IN AUTO DECODE LIST\r\n" + ready, {}, false, false},
            {"disabled, No", false, false, platform::MsgAnswer::No,
             "XATO\r\nAUTO DECODE SEQUENCE DISABLED\r\n" + ready, {question}, false, false},
            {"disabled, Yes", false, false, platform::MsgAnswer::Yes,
             "*** AUTO DECODE - WEATHER OBSERVATION AND FORECASTS ***", {question}, true, true},
            {"enabled", false, true, platform::MsgAnswer::No, "*** AUTO DECODE - WEATHER OBSERVATION AND FORECASTS ***",
             {}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QList<QList<Value>> list;
        if (!c.empty_list)
            list = {{Value("RJCC"), Value("新千歳")}, {Value("RJTT"), Value("東京国際")}};
        fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")}, list);
        set("自動デコード有効", Value::boolean(c.enabled));
        view v;
        start(v);
        answer = c.answer;
        boxes.clear();
        type_line(v, QStringLiteral("ATO"));
        EXPECT_EQ(text(v.console_text().left(c.console_start.size())), text(c.console_start));
        EXPECT_EQ(box_texts(), text(c.boxes.join(u'|')));
        EXPECT_EQ(kolde_sub::setting_bool(QStringLiteral("自動デコード有効")), c.enabled_after);
        EXPECT_EQ(v.Timer->isActive(), c.running);
        EXPECT_EQ(new_log().find("AUTO DECODE SEQUENCE START") != std::string::npos, c.running);
        if (c.running) {
            EXPECT_EQ(kolde_sub::current_request.left(4), QStringLiteral("RJCC"));
        }
        if (c.enabled_after && !c.enabled) {
            EXPECT_TRUE(kolde_sub::opton_window()->CheckBox[2]->isChecked());
        }
        v.Timer->stop();
        kolde_sub::unload_opton();
    }
}

TEST_F(Console, SunTimesOfTodayAnswerEveryCode)
{
    kolde_sub::online = false;
    view v;
    start(v);
    type_line(v, QStringLiteral("SS RJTT XXXX"));
    const QDate today = QDate::currentDate();
    const auto time = [](const std::string& hhmm) { return QString::fromStdString(hhmm).insert(2, u':'); };
    const QString rjtt = QStringLiteral("RJTT  SUNRISE ") +
                         time(kolde_sub::calc_sunrise(today.year(), today.month(), today.day(), "353312", "1394652")) +
                         QStringLiteral("  SUNSET ") +
                         time(kolde_sub::calc_sunset(today.year(), today.month(), today.day(), "353312", "1394652")) +
                         QStringLiteral("   ELV 21  ⊿H -6");
    EXPECT_EQ(text(v.console_text()),
              text(QStringLiteral("XSS RJTT XXXX\r\n\r\n") + rjtt + QStringLiteral("\r\nXXXX  NOT FOUND POSITION DATA\r\n") +
                   ready));
    EXPECT_EQ(kolde_sub::code_history, QStringLiteral(" SS RJTT XXXX "));
}

// Without the store every command still answers: what it cannot read is
// missing, what it cannot write stays unwritten.
TEST_F(Console, CommandsAnswerWithoutTheStore)
{
    view v;
    start(v);
    kolde_sub::release_store();
    struct Case {
        const char* line;
        QString ending;
    };
    const Case cases[] = {
            {"TAF", "TAF\r\nSYNTAX ERROR\r\n" + ready},  // no dictionary
            {"TOKYO", "TOKYO\r\nSYNTAX ERROR\r\n" + ready},  // no groups
            {"ATO", "ATO\r\nNO AIRPORT FOUND IN AUTO DECODE LIST\r\n" + ready},
            {"RESET", "RESET\r\n\r\nDATABASE RESET SEQUENCE COMPLETED\r\n" + ready},
            {"SS RJTT", "  ⊿H -6\r\n" + ready},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        type_line(v, QString::fromUtf8(c.line));
        EXPECT_EQ(text(v.console_text().right(c.ending.size())), text(c.ending));
    }
}

// ------------------------------------------------------------ word search

class WordSearch : public Console {
protected:
    void register_picture(const QByteArray& bytes)
    {
        fill_table(kolde_sub::rs_data(), {QStringLiteral("名称"), QStringLiteral("データ")},
                   {{Value("TAF"), Value::blob(bytes)}});
    }
    static QByteArray png(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }
    QString figure() const { return folder.file(QStringLiteral("data/figure.dat")); }
};

// The picture is handed over whole and shown; the log row follows.
TEST_F(WordSearch, PictureIsShownBeforeTheRowIsLogged)
{
    register_picture(png(7, 5));
    view v;
    start(v);
    QStringList log_at_show;
    EventHook hook([&](QObject* o, QEvent* e) {
        if (e->type() == QEvent::Show && qobject_cast<kolde_sub::pictureform*>(o))
            log_at_show = log_texts().mid(log_start);
        return false;
    });
    type_line(v, QStringLiteral("taf"));

    kolde_sub::pictureform* shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<kolde_sub::pictureform*>(w); p && p->isVisible())
            shown = p;
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->pic->pixmap().size(), QSize(7, 5));
    EXPECT_EQ(kolde_sub::figure_bytes, png(7, 5));
    EXPECT_FALSE(QFile::exists(figure()));
    EXPECT_FALSE(kolde_sub::picture_pending);
    EXPECT_TRUE(log_at_show.isEmpty());
    EXPECT_EQ(new_log(), "SEARCH WORD TAF");
    EXPECT_EQ(text(v.console_text()), text(QStringLiteral("Xtaf : 運航用飛行場予報\r\n") + ready));
}

// Bytes that are no picture, or a hand-off file that cannot be written,
// show no window and wait for none.
TEST_F(WordSearch, NoPictureToShowWaitsForNothing)
{
    for (const bool writable : {true, false}) {
        SCOPED_TRACE(writable);
        register_picture("not a picture");
        if (!writable) {
            QDir(folder.file(QStringLiteral("data"))).removeRecursively();
            ASSERT_TRUE(kolde_test::write_file(folder.file(QStringLiteral("data")), "a file"));
        }
        view v;
        start(v);
        type_line(v, QStringLiteral("TAF"));
        EXPECT_FALSE(kolde_sub::picture_pending);
        EXPECT_EQ(new_log(), "SEARCH WORD TAF");
        EXPECT_TRUE(v.console_text().endsWith(ready));
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(qobject_cast<kolde_sub::pictureform*>(w) && w->isVisible());
    }
}

// A picture window that never takes the picture does not hold the console
// past the main window's shut-down.
TEST_F(WordSearch, TheWaitEndsWhenTheWindowShutsDown)
{
    register_picture(png(3, 3));
    view v;
    start(v);
    EventHook hook([&](QObject* o, QEvent* e) {
        if (e->type() != QEvent::Show || !qobject_cast<kolde_sub::pictureform*>(o))
            return false;
        QTimer::singleShot(0, &v, [&v] { v.close(); });
        return true;  // the window never sees that it is shown
    });
    type_line(v, QStringLiteral("TAF"));
    EXPECT_FALSE(kolde_sub::picture_pending);
}

// ---------------------------------------------------------------- keys

TEST_F(Console, EveryKeyClearsTheModesAndPostponesTheCycle)
{
    view v;
    start(v);
    const auto set_modes = [&v] {
        v.group_mode = v.japanese_mode = v.timer_run = true;
        kolde_sub::cycle_tick_count = 5;
    };
    set_modes();
    int key = 'A';
    v.TextBox_KeyPress(1, key);
    EXPECT_TRUE(v.group_mode && v.japanese_mode && v.timer_run);
    EXPECT_EQ(kolde_sub::cycle_tick_count, 5);
    EXPECT_TRUE(v.inputlbl->text().isEmpty());

    for (const Qt::Key k : {Qt::Key_A, Qt::Key_Backspace, Qt::Key_Return}) {
        set_modes();
        QTest::keyClick(v.TextBox[0], k);
        EXPECT_FALSE(v.group_mode || v.japanese_mode || v.timer_run) << k;
        EXPECT_EQ(kolde_sub::cycle_tick_count, 0) << k;
    }
    // Keys that type nothing are not the handler's.
    set_modes();
    QTest::keyClick(v.TextBox[0], Qt::Key_Left);
    EXPECT_TRUE(v.group_mode);
}

TEST_F(Console, ExitAndEscCloseTheWindow)
{
    for (const bool esc : {false, true}) {
        SCOPED_TRACE(esc);
        view v;
        v.show();
        start(v);
        int shut_downs = 0;
        QObject::connect(&v, &view::shutting_down, [&] { ++shut_downs; });
        if (esc)
            QTest::keyClick(v.TextBox[0], Qt::Key_Escape);
        else
            type_line(v, QStringLiteral("EXIT"));
        EXPECT_FALSE(v.isVisible());
        EXPECT_EQ(shut_downs, 1);
        // Esc is not typed into the console.
        EXPECT_EQ(v.console_text(), esc ? QStringLiteral("X") : QStringLiteral("XEXIT"));
        ASSERT_TRUE(kolde_sub::open_database());
        QDir().mkpath(folder.file(QStringLiteral("data")));
    }
}

}  // namespace
