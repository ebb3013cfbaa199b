// The image buttons: their rules, their faces, what a click on each does,
// the network test, the buttons that rest while the browser pane is open,
// and the pressed look through the window's own mouse events.

#include "view_fixture.h"

#include "mainwin/browser_rules.h"
#include "mainwin/button_rules.h"
#include "mainwin/console_text.h"
#include "mainwin/save_rules.h"
#include "core/shared.h"
#include "core/window_flags.h"
#include "options/opton.h"
#include "platform/printers.h"
#include "reports/request.h"
#include "sidewin/side_windows.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <limits>

using kolde_sub::WebPage;
using kolde_test::activate;
using kolde_test::forecasts;
using kolde_test::stations;
using platform::Value;

namespace {

const char rjtt_metar[] = "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG\n";
const char rjtt_taf[] = "2011/11/30 05:00\nTAF RJTT 300500Z 3006/0112 34008KT 9999 FEW030\n";
const QString ready_line = QStringLiteral("READY / PRESS ESC TO EXIT\r\n");

// ------------------------------------------------------------------ rules

TEST(ButtonRules, ClicksActExceptOnGreyFacesAndOnTheConsoleButtonsBehindThePane)
{
    struct Case {
        int index;
        bool pane;
        bool acts;
    };
    const Case cases[] = {
            {0, false, true},  {0, true, true},   {1, false, true},  {1, true, false},  {6, true, false},
            {11, true, false}, {11, false, true}, {12, true, true},  {17, true, true},  {17, false, true},
            {18, false, false}, {29, true, false}, {35, false, false}, {-1, false, false}, {36, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.index << (c.pane ? " pane" : ""));
        EXPECT_EQ(kolde_sub::button_acts(c.index, c.pane), c.acts);
    }
}

TEST(ButtonRules, NetworkButtons)
{
    QList<int> network;
    for (int i = -1; i <= 36; ++i)
        if (kolde_sub::button_needs_network(i))
            network << i;
    EXPECT_EQ(network, (QList<int>{4, 5, 10, 12, 13, 14, 16, 17}));
}

TEST(ButtonRules, PressedLookByStyleAndPane)
{
    struct Case {
        bool grey;
        bool pane;
        int index;
        bool look;
    };
    const Case cases[] = {
            // grey style: 0 to 16, pane or not
            {true, false, 0, true},   {true, true, 5, true},    {true, false, 16, true},  {true, true, 16, true},
            {true, false, 17, false}, {true, true, 17, false},  {true, false, 18, false}, {true, true, 34, false},
            // colour style with the pane: 0 and 12 to 17
            {false, true, 0, true},   {false, true, 1, false},  {false, true, 11, false}, {false, true, 12, true},
            {false, true, 17, true},  {false, true, 18, false}, {false, true, 33, false},
            // colour style without the pane: 0 to 13
            {false, false, 0, true},  {false, false, 11, true}, {false, false, 13, true}, {false, false, 14, false},
            {false, false, 17, false}, {false, false, 31, false},
            // no element
            {true, false, -1, false}, {false, false, -1, false}, {false, true, 36, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.grey ? "grey " : "colour ") << (c.pane ? "pane " : "") << c.index);
        EXPECT_EQ(kolde_sub::button_takes_pressed_look(c.index, c.grey, c.pane), c.look);
    }
}

TEST(ButtonRules, TipPositionIsHundredTwipsRightOfAndAboveTheCursor)
{
    struct Case {
        QPoint cursor;
        std::int32_t x, y;
    };
    constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t least = std::numeric_limits<std::int32_t>::min();
    const Case cases[] = {
            {{0, 0}, 100, -100},
            {{10, 20}, 250, 200},
            {{-5, 3}, 25, -55},  // a screen left of the main one
            {{1919, 1079}, 28885, 16085},
            // Far outside any screen the value stays in range rather than wrapping.
            {{std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}, most, least},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cursor.x() << "," << c.cursor.y());
        const kolde_sub::TipPosition p = kolde_sub::tip_position(c.cursor);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
    }
}

// Each button has its own 16 x 16 picture; its grey face shows the same
// picture (the same shape) in grey.
TEST(ButtonFaces, EveryButtonHasAColourAndAGreyRenderingOfItsPicture)
{
    QList<QImage> colour_faces;
    for (int k = 0; k < kolde_sub::button_count; ++k) {
        SCOPED_TRACE(k);
        const QImage colour = kolde_sub::button_face_image(k, false).convertToFormat(QImage::Format_ARGB32);
        const QImage grey = kolde_sub::button_face_image(k, true).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(colour.size(), QSize(16, 16));
        ASSERT_EQ(grey.size(), QSize(16, 16));
        bool coloured = false;
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb c = colour.pixel(x, y);
                const QRgb g = grey.pixel(x, y);
                EXPECT_EQ(qAlpha(c), qAlpha(g)) << x << "," << y;
                EXPECT_TRUE(qRed(g) == qGreen(g) && qGreen(g) == qBlue(g)) << x << "," << y;
                if (qAlpha(c) > 0) {
                    ++drawn;
                    if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c))
                        coloured = true;
                }
            }
        EXPECT_GT(drawn, 40);  // a picture, not a dot
        // The bold letter is black on purpose; every other face has colour.
        if (k != 8) {
            EXPECT_TRUE(coloured);
        }
        EXPECT_FALSE(colour_faces.contains(colour));
        colour_faces << colour;
    }
    EXPECT_TRUE(kolde_sub::button_face_image(18, false).isNull());
    EXPECT_TRUE(kolde_sub::button_face_image(-1, true).isNull());
}

// ------------------------------------------------------------ the window

class Buttons : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        if (HasFatalFailure())
            return;
        base = use_report_folder();
        serve(stations + "RJTT.TXT", rjtt_metar);
        serve(forecasts + "RJTT.TXT", rjtt_taf);
        set("ブラウザー", Value::boolean(false));
        set("コマンドボタン", Value::boolean(false));
        set("ポップアップ", Value::boolean(false));
        set("マニュアル入力時停止", Value::boolean(false));
        set("印刷時ダイアログ", Value::boolean(false));
        set("シーケンス表示", Value::boolean(true));
        set("シーケンス時間", Value(3));
        platform::set_printer_queues_for_tests({}, QString());  // only the built-in PDF printer
        kolde_sub::set_default_browser_opener([this](const QUrl& url) {
            opened << url.toString();
            return true;
        });
        kolde_sub::save_file_chooser = [this](const QString&) { return folder.file(QStringLiteral("saved.txt")); };
    }

    void TearDown() override
    {
        if (QWidget* w = kolde_sub::command_window())
            delete w;
        kolde_sub::command_open = false;
        kolde_sub::save_file_chooser = {};
        kolde_sub::set_default_browser_opener({});
        platform::reset_printers();
        kolde_sub::station_table.clear();
        kolde_sub::unload_opton();
        ViewFixture::TearDown();
    }

    // The log rows that the click writes.
    QStringList click(view& v, int index)
    {
        const qsizetype before = log_texts().size();
        v.img_Click(index);
        return log_texts().mid(before);
    }

    static void set_autodecode_list(const QList<QList<Value>>& rows)
    {
        fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")}, rows);
    }

    int cycle_requests() const
    {
        int n = 0;
        for (const std::string& r : server->requests())
            if (r.find("/metar/cycles/") != std::string::npos)
                ++n;
        return n;
    }

    QString base;
    QStringList opened;
};

// One row per command: what the click writes to the log first, and what it
// does.
TEST_F(Buttons, EachButtonRunsItsCommand)
{
    struct Row {
        int index;
        const char* what;
        std::function<void(view&)> prepare;
        QStringList first_rows;
        std::function<void(view&)> check;
    };
    const std::vector<Row> rows = {
            {1, "save",
             [](view& v) { v.set_console_text(QStringLiteral("RJTT 300530Z 34005KT")); },
             {"FILE SAVE COMMAND", "FILE SAVE COMPLETED"},
             [this](view&) {
                 EXPECT_TRUE(kolde_test::read_file(folder.file(QStringLiteral("saved.txt"))).startsWith("RJTT 300530Z"));
             }},
            {2, "print",
             [](view& v) { v.set_console_text(QStringLiteral("RJTT 300530Z 34005KT")); },
             {"PRINT COMMAND"},
             [](view& v) {
                 EXPECT_TRUE(QFileInfo(platform::last_pdf_path()).isFile());
                 EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("PRINT COMPLETED\r\n") + ready_line))
                         << qPrintable(v.console_text());
             }},
            {3, "stop the automatic decode",
             [](view& v) { v.Timer->start(); },
             {"AUTO DECODE SEQUENCE TERMINATED"},
             [](view& v) {
                 EXPECT_FALSE(v.Timer->isActive());
                 EXPECT_EQ(v.Panels[2]->text(), QStringLiteral("自動デコード停止"));
                 EXPECT_EQ(v.status_text, QStringLiteral("自動デコード停止"));
             }},
            {4, "start with an empty list",
             [](view&) { set_autodecode_list({}); },
             {"NO AIRPORT FOUND IN AUTO DECODE LIST"},
             [this](view& v) {
                 EXPECT_FALSE(v.Timer->isActive());
                 EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("NO AIRPORT FOUND IN AUTO DECODE LIST\r\n\r\n") +
                                                       ready_line))
                         << qPrintable(v.console_text());
                 EXPECT_EQ(served(stations + "RJTT.TXT"), 0);
             }},
            {4, "start over the list",
             [](view&) {
                 set_autodecode_list({{Value("RJTT"), Value("羽田")}});
                 set("自動デコード有効", Value::boolean(true));
             },
             {"AUTO DECODE SEQUENCE START"},
             [this](view& v) {
                 EXPECT_TRUE(v.Timer->isActive());
                 EXPECT_TRUE(v.auto_mode);
                 EXPECT_EQ(kolde_sub::current_request, QStringLiteral("RJTT"));
                 EXPECT_EQ(served(stations + "RJTT.TXT"), 1);
                 EXPECT_TRUE(boxes.empty());
             }},
            {5, "reload without a request",
             [](view&) { kolde_sub::current_request.clear(); },
             {"SYNTAX ERROR"},
             [this](view& v) {
                 EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("INPUT AIRPORT\r\n\r\n") + ready_line))
                         << qPrintable(v.console_text());
                 EXPECT_EQ(served(stations + "RJTT.TXT"), 0);
             }},
            {5, "reload the request",
             [](view&) {
                 kolde_sub::current_request = QStringLiteral("RJTT");
                 kolde_sub::cycle_tick_count = 7;
             },
             {"DATA RELOAD COMMAND"},
             [this](view& v) {
                 EXPECT_EQ(served(stations + "RJTT.TXT"), 1);
                 EXPECT_EQ(served(forecasts + "RJTT.TXT"), 1);
                 EXPECT_EQ(kolde_sub::cycle_tick_count, 0);
                 EXPECT_TRUE(v.console_text().contains(QStringLiteral("\r\n 300530Z 34005KT"))) << qPrintable(v.console_text());
             }},
            {6, "clear the screen",
             [](view& v) {
                 v.TextBox[3]->setPlainText(QStringLiteral("AUTO PRINT"));
                 v.set_console_text(QStringLiteral("RJTT 300530Z 34005KT\r\n"));
                 kolde_sub::code_history = QStringLiteral(" RJTT RJAA ");
                 kolde_sub::station_table = {{}, {"RJTT", "2011/11/30 05:30", "2011/11/30 05:00"},
                                             {"RJAA", "2011/11/30 05:15", "2011/11/30 05:00"}};
                 v.station_count = 2;
             },
             {"CLS COMMAND"},
             [](view& v) {
                 EXPECT_TRUE(v.TextBox[3]->toPlainText().isEmpty());
                 EXPECT_EQ(v.console_text(), ready_line);
                 EXPECT_EQ(kolde_sub::code_history, QStringLiteral(" "));
                 const std::vector<kolde_sub::StationRow> forgotten = {{}, {"RJTT", "", ""}, {"RJAA", "", ""}};
                 EXPECT_EQ(kolde_sub::station_table, forgotten);
             }},
            {6, "clear with more stations counted than listed",
             [](view& v) {
                 kolde_sub::station_table = {{}, {"RJTT", "2011/11/30 05:30", "2011/11/30 05:00"}};
                 v.station_count = 5;
             },
             {"CLS COMMAND"},
             [](view&) {
                 const std::vector<kolde_sub::StationRow> forgotten = {{}, {"RJTT", "", ""}};
                 EXPECT_EQ(kolde_sub::station_table, forgotten);
             }},
            {10, "update check",
             [](view& v) { v.Timer->stop(); },
             {"SYSTEM UPDATE COMMAND", "ALREADY INSTALLED LATEST VERSION"},
             [this](view& v) {
                 EXPECT_EQ(served(QStringLiteral("/data/version.dat")), 1);
                 ASSERT_EQ(boxes.size(), 1u);
                 EXPECT_EQ(boxes[0].title, QStringLiteral(" 情報"));
                 EXPECT_TRUE(v.Timer->isActive());  // the heartbeat runs again
             }},
            {11, "command list",
             {},
             {"DISPLAY COMMAND LIST"},
             [](view&) {
                 ASSERT_NE(kolde_sub::command_window(), nullptr);
                 EXPECT_TRUE(kolde_sub::command_window()->isVisible());
             }},
            {12, "airport weather",
             {},
             {"DISPLAY Yahoo! WEATHER"},
             [this](view&) { EXPECT_EQ(opened, QStringList{kolde_sub::web_page_url(WebPage::AirportWeather)}); }},
            {13, "home page",
             {},
             {"DISPLAY KOLDE HOMEPAGE"},
             [this](view&) { EXPECT_EQ(opened, QStringList{kolde_sub::web_page_url(WebPage::HomePage)}); }},
            {14, "online help",
             {},
             {"DISPLAY ONLINE HELP"},
             [this](view&) { EXPECT_EQ(opened, QStringList{kolde_sub::web_page_url(WebPage::Help)}); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.index << " " << row.what);
        boxes.clear();
        opened.clear();
        server->clear_requests();
        view v;
        activate(v);
        v.Timer->stop();
        if (row.prepare)
            row.prepare(v);
        server->clear_requests();
        const QStringList written = click(v, row.index);
        EXPECT_EQ(written.mid(0, row.first_rows.size()), row.first_rows) << qPrintable(written.join('|'));
        row.check(v);
        kolde_sub::current_request.clear();
    }
}

// Answering No to switching the disabled automatic decode on changes
// nothing.
TEST_F(Buttons, AutomaticDecodeStartRefusedLeavesEverythingAsItWas)
{
    set_autodecode_list({{Value("RJTT"), Value("羽田")}});
    set("自動デコード有効", Value::boolean(false));
    view v;
    activate(v);
    v.Timer->stop();
    const QString console = v.console_text();
    answer = platform::MsgAnswer::No;
    server->clear_requests();
    EXPECT_TRUE(click(v, 4).isEmpty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("自動デコードが無効になっています　　\r\r有効にしますか？"));
    EXPECT_EQ(v.console_text(), console);
    EXPECT_FALSE(v.Timer->isActive());
    EXPECT_FALSE(kolde_sub::setting_bool(QStringLiteral("自動デコード有効")));
    EXPECT_TRUE(server->requests().empty());
}

// The two switches come back to where they started after two presses, and
// every press writes its own row.
TEST_F(Buttons, ScrollBarAndBoldTwiceGiveBackTheSetting)
{
    struct Case {
        int index;
        const char* field;
        bool start;
        QStringList rows;
    };
    const Case cases[] = {
            {7, "スクロールバーを表示", true, {"ERASE SCROLL BAR COMMAND", "SHOW SCROLL BAR COMMAND"}},
            {7, "スクロールバーを表示", false, {"SHOW SCROLL BAR COMMAND", "ERASE SCROLL BAR COMMAND"}},
            {8, "表示文字のボールド", false, {"TEXT BOLD COMMAND", "RELEASE TEXT BOLD COMMAND"}},
            {8, "表示文字のボールド", true, {"RELEASE TEXT BOLD COMMAND", "TEXT BOLD COMMAND"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.index << " from " << c.start);
        set(c.field, Value::boolean(c.start));
        view v;
        activate(v);
        v.Timer->stop();
        const QString field = QString::fromUtf8(c.field);
        QStringList written = click(v, c.index);
        EXPECT_EQ(kolde_sub::setting_bool(field), !c.start);
        if (c.index == 7)  // the cover box hides the scroll bar when it is off
            EXPECT_EQ(v.TextBox[2]->isVisible(), c.start);
        else
            EXPECT_EQ(v.TextBox[0]->font().bold(), !c.start);
        written += click(v, c.index);
        EXPECT_EQ(kolde_sub::setting_bool(field), c.start);
        if (c.index == 7)
            EXPECT_EQ(v.TextBox[2]->isVisible(), !c.start);
        else
            EXPECT_EQ(v.TextBox[0]->font().bold(), c.start);
        EXPECT_EQ(written, c.rows);
    }
}

TEST_F(Buttons, OptionsFetchTheHourlyFilesOnlyWhenTheSequenceHoursChanged)
{
    for (const int new_hours : {3, 5}) {
        SCOPED_TRACE(new_hours);
        set("シーケンス時間", Value(3));
        view v;
        activate(v);
        v.Timer->stop();
        kolde_sub::cycle_slot = 25;  // no fetch in this ten minutes yet
        server->clear_requests();
        QStringList written;
        {
            kolde_test::ModalCloser closer([&](QWidget* w) {
                if (w->objectName() == QStringLiteral("opton"))
                    set("シーケンス時間", Value(new_hours));
            });
            written = click(v, 9);
            EXPECT_EQ(closer.names(), QStringList{QStringLiteral("opton")});
        }
        EXPECT_EQ(written.value(0), QStringLiteral("DISPLAY SYSTEM SETUP MENU"));
        if (new_hours == 3)
            EXPECT_EQ(cycle_requests(), 0);
        else
            EXPECT_GT(cycle_requests(), 0);
    }
}

// Offline, the network buttons show the box and log, and do nothing else;
// the others still work.
TEST_F(Buttons, OfflineNetworkButtonsRefuse)
{
    set_autodecode_list({{Value("RJTT"), Value("羽田")}});
    set("自動デコード有効", Value::boolean(true));
    kolde_sub::current_request = QStringLiteral("RJTT");
    view v;
    activate(v);
    v.Timer->stop();
    kolde_sub::online = false;
    server->clear_requests();
    const QString console = v.console_text();
    for (const int index : {4, 5, 10, 12, 13, 14, 16, 17}) {
        SCOPED_TRACE(index);
        boxes.clear();
        EXPECT_EQ(click(v, index), QStringList{QStringLiteral("SYSTEM NO NETWORK CONNECTION")});
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].title, QStringLiteral(" 確認"));
        EXPECT_EQ(boxes[0].text, QStringLiteral("インターネットに接続できません　　"));
    }
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(server->requests().empty());
    EXPECT_FALSE(v.Timer->isActive());
    EXPECT_EQ(v.console_text(), console);

    boxes.clear();
    EXPECT_EQ(click(v, 6), QStringList{QStringLiteral("CLS COMMAND")});
    EXPECT_TRUE(boxes.empty());
}

// With a page in the pane the console's buttons rest; the exit button
// closes the pane, and only the next press closes the window.
TEST_F(Buttons, WithThePaneOpenTheConsoleButtonsRestAndExitClosesThePane)
{
    view v;
    activate(v);
    v.Timer->stop();
    v.WebBrowser->show();
    v.enter_browser_mode();
    const QString console = v.console_text();
    const bool scroll_bar = kolde_sub::setting_bool(QStringLiteral("スクロールバーを表示"));
    const bool bold = kolde_sub::setting_bool(QStringLiteral("表示文字のボールド"));
    {
        kolde_test::ModalCloser closer;
        for (int index = 1; index <= 11; ++index) {
            SCOPED_TRACE(index);
            EXPECT_TRUE(click(v, index).isEmpty());
        }
        EXPECT_TRUE(closer.shown().isEmpty());
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(v.console_text(), console);
    EXPECT_FALSE(v.Timer->isActive());
    EXPECT_EQ(kolde_sub::setting_bool(QStringLiteral("スクロールバーを表示")), scroll_bar);
    EXPECT_EQ(kolde_sub::setting_bool(QStringLiteral("表示文字のボールド")), bold);
    EXPECT_EQ(kolde_sub::command_window(), nullptr);

    // A grey face does nothing either.
    EXPECT_TRUE(click(v, 18).isEmpty());
    EXPECT_TRUE(v.WebBrowser->isVisible());

    click(v, 0);
    EXPECT_FALSE(v.WebBrowser->isVisible());
    EXPECT_TRUE(v.isVisible());
    EXPECT_FALSE(v.inputURL->isVisible());
    EXPECT_EQ(v.menu_exit->text(), QStringLiteral("KOLDE を終了"));
    EXPECT_EQ(v.img[0]->toolTip(), QStringLiteral(" KOLDE を終了 "));

    v.img_Click(0);
    EXPECT_FALSE(v.isVisible());
}

// The pane's close button in colour style: the pane goes, the console's
// status text comes back and the pane's buttons take their grey faces.
TEST_F(Buttons, ClosingThePaneCoversItsButtonsAgain)
{
    view v;
    activate(v);
    v.Timer->stop();
    v.status_text = QStringLiteral("自動デコード中");
    v.WebBrowser->show();
    v.enter_browser_mode();
    for (int i = 33; i <= 35; ++i)
        v.img[i]->hide();
    v.Panels[2]->setText(QStringLiteral("ページが表示されました"));

    v.img_Click(15);
    EXPECT_FALSE(v.WebBrowser->isVisible());
    EXPECT_EQ(v.Panels[2]->text(), QStringLiteral("自動デコード中"));
    EXPECT_FALSE(v.inputURL->isVisible());
    EXPECT_TRUE(v.menu_print->isEnabled());
    for (int i = 33; i <= 35; ++i)
        EXPECT_FALSE(v.img[i]->isHidden()) << i;
}

// ------------------------------------------------------ through the mouse

bool pressed(const QLabel* l) { return l->frameShape() != QFrame::NoFrame && l->frameShadow() == QFrame::Sunken; }

TEST_F(Buttons, PressAndReleaseOnTheSameButtonClickIt)
{
    view v;
    activate(v);
    v.Timer->stop();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    const qsizetype rows = log_texts().size();

    // Colour style, pane hidden: button 6 takes the pressed look while held.
    QLabel* clear = v.img[6];
    QTest::mousePress(clear, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(pressed(clear));
    QTest::mouseRelease(clear, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(clear->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(log_texts().mid(rows), QStringList{QStringLiteral("CLS COMMAND")});

    // Released away from the button, or with the right button: no click.
    QTest::mousePress(clear, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseRelease(clear, Qt::LeftButton, {}, QPoint(40, 8));
    EXPECT_EQ(clear->frameShape(), QFrame::NoFrame);
    QTest::mouseClick(clear, Qt::RightButton, {}, QPoint(8, 8));
    EXPECT_EQ(log_texts().size(), rows + 1);

    // Button 14 takes no pressed look in this style, but clicks all the same.
    QTest::mousePress(v.img[14], Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(pressed(v.img[14]));
    QTest::mouseRelease(v.img[14], Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(opened, QStringList{kolde_sub::web_page_url(WebPage::Help)});
}

TEST_F(Buttons, GreyStyleFacesTakeNoPressAndUncoverTheButton)
{
    set("コマンドボタン", Value::boolean(true));
    view v;
    activate(v);
    v.Timer->stop();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    const qsizetype rows = log_texts().size();
    QLabel* face = v.img[24];
    ASSERT_TRUE(face->isVisible());
    QTest::mouseClick(face, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(pressed(face));
    EXPECT_EQ(log_texts().size(), rows);

    v.img_MouseMove(24);
    EXPECT_FALSE(face->isVisible());
    QTest::mousePress(v.img[6], Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(pressed(v.img[6]));
    QTest::mouseRelease(v.img[6], Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(pressed(v.img[6]));
    EXPECT_EQ(log_texts().mid(rows), QStringList{QStringLiteral("CLS COMMAND")});
}

}  // namespace
