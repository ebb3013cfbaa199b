// The image buttons: their rules, their faces, what a click on each does,
// the network test, the buttons that rest while the browser pane is open,
// and the pressed look through the window's own mouse events.

#include "view_fixture.h"

#include "mainwin/browser_rules.h"
#include "mainwin/button_rules.h"
#include "mainwin/save_rules.h"
#include "core/shared.h"
#include "sidewin/open_windows.h"
#include "options/opton.h"
#include "platform/printers.h"
#include "reports/request.h"
#include "sidewin/side_windows.h"

#include <QFileInfo>
#include <QTest>
#include <QWindow>

#include <limits>

using kolde_sub::WebPage;
using kolde_test::forecasts;
using kolde_test::stations;
using platform::Value;

namespace {

const QString ready_line = QStringLiteral("READY / PRESS ESC TO EXIT\r\n");

// ------------------------------------------------------------------ rules

TEST(ButtonRules, ClicksActExceptOnGreyFacesAndOnTheConsoleButtonsBehindThePane)
{
    const struct {
        int index;
        bool pane;
        bool acts;
    } cases[] = {
            {0, true, true},    {1, true, false},   {11, true, false}, {12, true, true},
            {1, false, true},   {17, false, true},  {18, false, false}, {-1, false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kolde_sub::button_acts(c.index, c.pane), c.acts) << c.index << (c.pane ? " pane" : "");
}

TEST(ButtonRules, PressedLookByStyleAndPane)
{
    const struct {
        bool grey;
        bool pane;
        int index;
        bool look;
    } cases[] = {
            // grey style: 0 to 16, pane or not
            {true, true, 0, true}, {true, false, 16, true}, {true, true, 17, false}, {true, false, -1, false},
            // colour style with the pane: 0 and 12 to 17
            {false, true, 0, true}, {false, true, 1, false}, {false, true, 11, false}, {false, true, 12, true},
            {false, true, 17, true}, {false, true, 18, false},
            // colour style without the pane: 0 to 13
            {false, false, 0, true}, {false, false, 13, true}, {false, false, 14, false}, {false, false, -1, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kolde_sub::button_takes_pressed_look(c.index, c.grey, c.pane), c.look)
                << (c.grey ? "grey " : "colour ") << (c.pane ? "pane " : "") << c.index;
}

TEST(ButtonRules, TipPositionIsHundredTwipsRightOfAndAboveTheCursor)
{
    const kolde_sub::TipPosition left_screen = kolde_sub::tip_position({-5, 3});
    EXPECT_EQ(left_screen.x, 25);
    EXPECT_EQ(left_screen.y, -55);
    // Far outside any screen the value stays in range rather than wrapping.
    const kolde_sub::TipPosition far = kolde_sub::tip_position(
            {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()});
    EXPECT_EQ(far.x, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(far.y, std::numeric_limits<std::int32_t>::min());
}

// Each button has its own 16 x 16 picture; its grey face shows the same
// shape in grey.
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
                drawn += qAlpha(c) > 0;
                coloured |= qAlpha(c) > 0 && (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c));
            }
        EXPECT_GT(drawn, 40);             // a picture, not a dot
        EXPECT_EQ(coloured, k != 8);      // the bold letter is black on purpose
        EXPECT_FALSE(colour_faces.contains(colour));
        colour_faces << colour;
    }
    EXPECT_TRUE(kolde_sub::button_face_image(18, false).isNull());
}

// ------------------------------------------------------------ the window

class Buttons : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        if (HasFatalFailure())
            return;
        use_report_folder();
        serve(stations + "RJTT.TXT", "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG\n");
        serve(forecasts + "RJTT.TXT", "2011/11/30 05:00\nTAF RJTT 300500Z 3006/0112 34008KT 9999 FEW030\n");
        switches({kolde_sub::key::browser, kolde_sub::key::command_buttons, kolde_sub::key::popup_menu, kolde_sub::key::stop_on_manual_input, kolde_sub::key::print_dialog}, {kolde_sub::key::sequence});
        set(kolde_sub::key::sequence_hours, Value(3));
        platform::set_printer_queues_for_tests({}, QString());  // only the built-in PDF printer
        kolde_sub::set_default_browser_opener([this](const QUrl& url) {
            opened << url.toString();
            return true;
        });
        kolde_sub::save_file_chooser = [this](const QString&) { return folder.file(QStringLiteral("saved.txt")); };
    }

    void TearDown() override
    {
        delete kolde_sub::command_window();
        kolde_sub::mark_side_window(kolde_sub::SideWindowId::command, false);
        kolde_sub::save_file_chooser = {};
        kolde_sub::set_default_browser_opener({});
        platform::reset_printers();
        kolde_sub::current_request().set_stations({});
        kolde_sub::unload_opton();
        ViewFixture::TearDown();
    }

    // Shows the window with its heartbeat stopped, so that only the clicks
    // start it.
    static void start(view& v)
    {
        kolde_test::activate(v);
        drive(v).heartbeat_timer()->stop();
    }

    // Clicks a button; written gets the log rows the click writes.
    void click(view& v, int index)
    {
        const qsizetype before = log_texts().size();
        v.img_Click(index);
        written = log_texts().mid(before);
    }

    static void set_autodecode_list(const QList<QList<Value>>& rows)
    {
        fill_table(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")}, rows);
    }

    QStringList opened;
    QStringList written;
};

// One row per command: what the click writes to the log first, how the
// console ends, whether the reports were fetched and the heartbeat runs,
// and what else it does.
TEST_F(Buttons, EachButtonRunsItsCommand)
{
    const QString rjtt = QStringLiteral("RJTT 300530Z 34005KT");
    const auto show_rjtt = [&](view& v) { v.set_console_text(rjtt); };
    const auto decode_list = [&](bool enabled) {
        return [&, enabled](view& v) {
            set_autodecode_list({{Value("RJTT"), Value("羽田")}});
            set(kolde_sub::key::auto_decode, Value::boolean(enabled));
            show_rjtt(v);
        };
    };
    const auto page = [this](WebPage p) {
        return [this, p](view&) { EXPECT_EQ(opened, QStringList{kolde_sub::web_page_url(p)}); };
    };
    struct Row {
        int index;
        const char* what;
        std::function<void(view&)> prepare;
        QStringList first_rows;
        QString console_end;
        int fetched;     // requests for the station's observations
        bool heartbeat;  // the heartbeat runs afterwards
        std::function<void(view&)> check = {};
    };
    const std::vector<Row> rows = {
            {1, "save", show_rjtt, {"FILE SAVE COMMAND", "FILE SAVE COMPLETED"},
             "FILE SAVE COMPLETED\r\n" + ready_line, 0, false},
            // The same as the file menu's print.
            {2, "print", show_rjtt, {"PRINT COMMAND"}, "PRINT COMPLETED\r\n" + ready_line, 0, false},
            {3, "stop the automatic decode", [](view& v) { drive(v).heartbeat_timer()->start(); }, {"AUTO DECODE SEQUENCE TERMINATED"},
             {}, 0, false},
            {4, "start with an empty list", [](view&) { set_autodecode_list({}); },
             {"NO AIRPORT FOUND IN AUTO DECODE LIST"}, "NO AIRPORT FOUND IN AUTO DECODE LIST\r\n\r\n" + ready_line, 0,
             false},
            {4, "start over the list", decode_list(true), {"AUTO DECODE SEQUENCE START"}, {}, 1, true},
            // Answering No to switching the disabled decode on changes nothing.
            {4, "start refused", decode_list(false), {}, rjtt, 0, false,
             [this](view&) {
                 EXPECT_TRUE(written.isEmpty());
                 ASSERT_EQ(boxes.size(), 1u);
                 EXPECT_EQ(boxes[0].text, QStringLiteral("自動デコードが無効になっています　　\r\r有効にしますか？"));
                 EXPECT_FALSE(kolde_sub::setting_bool(kolde_sub::key::auto_decode));
             }},
            {5, "reload without a request", [](view&) { kolde_sub::current_request().set_codes(QString()); }, {"SYNTAX ERROR"},
             "INPUT AIRPORT\r\n\r\n" + ready_line, 0, false},
            {5, "reload the request",
             [](view&) {
                 kolde_sub::current_request().set_codes(QStringLiteral("RJTT"));
                 kolde_sub::set_cycle_ticks(7);
             },
             {"DATA RELOAD COMMAND"}, {}, 1, false, [](view&) { EXPECT_EQ(kolde_sub::cycle_ticks(), 0); }},
            // More stations counted than listed: the listed ones are forgotten.
            {6, "clear the screen",
             [](view& v) {
                 drive(v).stage_text(QStringLiteral("AUTO PRINT"));
                 kolde_sub::set_code_history(QStringLiteral(" RJTT RJAA "));
                 kolde_sub::current_request().set_stations({{}, {"RJTT", "2011/11/30 05:30", "2011/11/30 05:00"},
                                             {"RJAA", "2011/11/30 05:15", "2011/11/30 05:00"}});
                 drive(v).station_count() = 5;
             },
             {"CLS COMMAND"}, ready_line, 0, false,
             [](view& v) {
                 EXPECT_TRUE(drive(v).staged_text().isEmpty());
                 EXPECT_EQ(v.console_text(), ready_line);
                 EXPECT_EQ(kolde_sub::code_history(), QStringLiteral(" "));
                 const std::vector<kolde_sub::StationRow> forgotten = {{}, {"RJTT", "", ""}, {"RJAA", "", ""}};
                 EXPECT_EQ(kolde_sub::current_request().stations(), forgotten);
             }},
            {10, "update check", {}, {"SYSTEM UPDATE COMMAND", "ALREADY INSTALLED LATEST VERSION"}, {}, 0, true},
            {11, "command list", {}, {"DISPLAY COMMAND LIST"}, {}, 0, false,
             [](view&) { EXPECT_TRUE(kolde_sub::command_window() && kolde_sub::command_window()->isVisible()); }},
            {12, "airport weather", {}, {"DISPLAY Yahoo! WEATHER"}, {}, 0, false, page(WebPage::AirportWeather)},
            {13, "home page", {}, {"DISPLAY KOLDE HOMEPAGE"}, {}, 0, false, page(WebPage::HomePage)},
            {14, "online help", {}, {"DISPLAY ONLINE HELP"}, {}, 0, false, page(WebPage::Help)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.index << " " << row.what);
        boxes.clear();
        opened.clear();
        view v;
        start(v);
        if (row.prepare)
            row.prepare(v);
        server->clear_requests();
        click(v, row.index);
        EXPECT_EQ(written.mid(0, row.first_rows.size()), row.first_rows) << qPrintable(written.join('|'));
        EXPECT_TRUE(v.console_text().endsWith(row.console_end)) << qPrintable(v.console_text());
        EXPECT_EQ(served(stations + "RJTT.TXT"), row.fetched);
        EXPECT_EQ(drive(v).heartbeat_timer()->isActive(), row.heartbeat);
        if (row.check)
            row.check(v);
        kolde_sub::current_request().set_codes(QString());
    }
}

// The two switches come back to where they started after two presses, and
// every press writes its own row.
TEST_F(Buttons, ScrollBarAndBoldTwiceGiveBackTheSetting)
{
    set(kolde_sub::key::scroll_bar, Value::boolean(true));
    set(kolde_sub::key::display_bold, Value::boolean(false));
    view v;
    start(v);
    QStringList rows;
    for (const bool second : {false, true}) {
        SCOPED_TRACE(second);
        click(v, 7);
        rows += written;
        EXPECT_EQ(kolde_sub::setting_bool(kolde_sub::key::scroll_bar), second);
        EXPECT_EQ(drive(v).cover_box()->isVisible(), !second);  // the cover box hides the scroll bar
        EXPECT_EQ(drive(v).console()->verticalScrollBarPolicy(), second ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        click(v, 8);
        rows += written;
        EXPECT_EQ(kolde_sub::setting_bool(kolde_sub::key::display_bold), !second);
        EXPECT_EQ(drive(v).console()->font().bold(), !second);
    }
    EXPECT_EQ(rows, (QStringList{"ERASE SCROLL BAR COMMAND", "TEXT BOLD COMMAND", "SHOW SCROLL BAR COMMAND",
                                 "RELEASE TEXT BOLD COMMAND"}));
}

TEST_F(Buttons, OptionsFetchTheHourlyFilesOnlyWhenTheSequenceHoursChanged)
{
    for (const int new_hours : {3, 5}) {
        SCOPED_TRACE(new_hours);
        set(kolde_sub::key::sequence_hours, Value(3));
        view v;
        start(v);
        kolde_sub::current_request().forget_cycle_slot();  // no fetch in this ten minutes yet
        server->clear_requests();
        {
            kolde_test::ModalCloser closer([&](QWidget* w) {
                if (w->objectName() == QStringLiteral("opton"))
                    set(kolde_sub::key::sequence_hours, Value(new_hours));
            });
            click(v, 9);
            EXPECT_EQ(closer.names(), QStringList{QStringLiteral("opton")});
        }
        EXPECT_EQ(written.value(0), QStringLiteral("DISPLAY SYSTEM SETUP MENU"));
        int cycle_requests = 0;
        for (const std::string& r : server->requests())
            cycle_requests += r.find("/metar/cycles/") != std::string::npos;
        EXPECT_EQ(cycle_requests > 0, new_hours != 3);
    }
}

// Offline, the network buttons show the box and log, and do nothing else;
// the others still work.
TEST_F(Buttons, OfflineNetworkButtonsRefuse)
{
    set_autodecode_list({{Value("RJTT"), Value("羽田")}});
    set(kolde_sub::key::auto_decode, Value::boolean(true));
    kolde_sub::current_request().set_codes(QStringLiteral("RJTT"));
    view v;
    start(v);
    kolde_sub::set_online(false);
    server->clear_requests();
    const QString console = v.console_text();
    for (const int index : {4, 5, 10, 12, 13, 14, 16, 17}) {
        SCOPED_TRACE(index);
        boxes.clear();
        click(v, index);
        EXPECT_EQ(written, QStringList{QStringLiteral("SYSTEM NO NETWORK CONNECTION")});
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, QStringLiteral("インターネットに接続できません　　"));
    }
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(server->requests().empty());
    EXPECT_FALSE(drive(v).heartbeat_timer()->isActive());
    EXPECT_EQ(v.console_text(), console);

    boxes.clear();
    click(v, 6);
    EXPECT_EQ(written, QStringList{QStringLiteral("CLS COMMAND")});
    EXPECT_TRUE(boxes.empty());
}

// With a page in the pane the console's buttons and the grey faces rest;
// the exit button closes the pane, and only the next press the window.
TEST_F(Buttons, WithThePaneOpenTheConsoleButtonsRestAndExitClosesThePane)
{
    view v;
    start(v);
    drive(v).browser_pane()->show();
    v.enter_browser_mode();
    const QString console = v.console_text();
    {
        kolde_test::ModalCloser closer;
        for (const int index : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 18}) {
            SCOPED_TRACE(index);
            click(v, index);
            EXPECT_TRUE(written.isEmpty());
        }
        EXPECT_TRUE(closer.shown().isEmpty());
    }
    EXPECT_EQ(v.console_text(), console);
    EXPECT_TRUE(drive(v).browser_pane()->isVisible());

    click(v, 0);
    EXPECT_FALSE(drive(v).browser_pane()->isVisible());
    EXPECT_FALSE(drive(v).address_bar()->isVisible());
    EXPECT_TRUE(v.isVisible());
    v.img_Click(0);
    EXPECT_FALSE(v.isVisible());
}

// The pane's close button in colour style, with the pane shown or already
// gone: browser mode ends, the console's status text comes back and the
// pane's buttons take their grey faces.
TEST_F(Buttons, ClosingThePaneCoversItsButtonsAgain)
{
    for (const bool pane : {true, false}) {
        SCOPED_TRACE(pane);
        view v;
        start(v);
        drive(v).status_text() = QStringLiteral("自動デコード中");
        drive(v).browser_pane()->setVisible(pane);
        v.enter_browser_mode();
        for (int i = 33; i <= 35; ++i)
            drive(v).image(i)->hide();
        drive(v).set_status_panel_text(QStringLiteral("ページが表示されました"));

        click(v, 15);
        EXPECT_FALSE(drive(v).browser_pane()->isVisible());
        EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("自動デコード中"));
        EXPECT_FALSE(drive(v).address_bar()->isVisible());
        EXPECT_TRUE(drive(v).menu_item("menu_print")->isEnabled());
        for (int i = 33; i <= 35; ++i)
            EXPECT_FALSE(drive(v).image(i)->isHidden()) << i;
    }
}

// ------------------------------------------------------ through the mouse

bool pressed(const QLabel* l) { return l->frameShape() != QFrame::NoFrame && l->frameShadow() == QFrame::Sunken; }

// A click is a left press and release on the same button; the pressed look
// shows only while held, and only on the buttons that take it.
TEST_F(Buttons, PressAndReleaseOnTheSameButtonClickIt)
{
    view v;
    start(v);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    const qsizetype rows = log_texts().size();

    QLabel* clear = drive(v).button(kolde_sub::Button::clear_screen);
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
    QTest::mousePress(drive(v).button(kolde_sub::Button::help), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(pressed(drive(v).button(kolde_sub::Button::help)));
    QTest::mouseRelease(drive(v).button(kolde_sub::Button::help), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(opened, QStringList{kolde_sub::web_page_url(WebPage::Help)});
}

// In grey style a face is inert until the mouse uncovers its button.
TEST_F(Buttons, GreyStyleFacesTakeNoPressAndUncoverTheButton)
{
    set(kolde_sub::key::command_buttons, Value::boolean(true));
    view v;
    start(v);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    const qsizetype rows = log_texts().size();
    QLabel* face = drive(v).grey_face(kolde_sub::Button::clear_screen);
    ASSERT_TRUE(face->isVisible());
    QTest::mouseClick(face, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(pressed(face));
    EXPECT_EQ(log_texts().size(), rows);

    v.img_MouseMove(24);
    EXPECT_FALSE(face->isVisible());
    QTest::mousePress(drive(v).button(kolde_sub::Button::clear_screen), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(pressed(drive(v).button(kolde_sub::Button::clear_screen)));
    QTest::mouseRelease(drive(v).button(kolde_sub::Button::clear_screen), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_FALSE(pressed(drive(v).button(kolde_sub::Button::clear_screen)));
    EXPECT_EQ(log_texts().mid(rows), QStringList{QStringLiteral("CLS COMMAND")});
}

// In grey style the bold and options buttons show the display settings
// again, which puts every grey face back; the button under the mouse stays
// uncovered, so that a second click reaches it, moved or not.
TEST_F(Buttons, GreyStyleButtonsTakeASecondClickAfterTheRedisplay)
{
    set(kolde_sub::key::command_buttons, Value::boolean(true));
    for (const int index : {8, 9}) {
        SCOPED_TRACE(index);
        view v;
        start(v);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
        kolde_test::ModalCloser closer;
        QWindow* window = v.windowHandle();
        const QPoint at = drive(v).image(index)->mapTo(&v, QPoint(8, 8));
        const qsizetype rows = log_texts().size();
        QTest::mouseMove(window, at);
        QTest::mouseClick(window, Qt::LeftButton, {}, at);
        QTest::mouseClick(window, Qt::LeftButton, {}, at);
        QTest::mouseMove(window, at + QPoint(1, 1));
        QTest::mouseClick(window, Qt::LeftButton, {}, at + QPoint(1, 1));
        const QStringList expected = index == 8 ? QStringList{"TEXT BOLD COMMAND", "RELEASE TEXT BOLD COMMAND",
                                                              "TEXT BOLD COMMAND"}
                                                : QStringList(3, QStringLiteral("DISPLAY SYSTEM SETUP MENU"));
        EXPECT_EQ(log_texts().mid(rows).join(u'|').toStdString(), expected.join(u'|').toStdString());
        EXPECT_FALSE(drive(v).image(index + 18)->isVisible());
    }
}

}  // namespace
