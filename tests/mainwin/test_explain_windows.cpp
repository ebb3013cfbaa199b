#include "mainwin/console_selection.h"
#include "view_fixture.h"

#include "core/clock.h"
#include "core/shared.h"
#include "translate/handover.h"
#include "translate/pictureform.h"
#include "translate/tooltips.h"

#include <QTest>

namespace {

using kolde_test::activate;

// A double click takes the group from blank to blank around the pointer;
// on a blank, the group that ends there; nothing between two blanks.
TEST(ConsoleSelection, ADoubleClickTakesTheWholeGroup)
{
    const QString line = QStringLiteral("R34L/1200U M02/M05\n-SHRA\u3000BKN///  Q1013");
    const struct {
        int position;
        const char* group;
    } cases[] = {
            {0, "R34L/1200U"},     {5, "R34L/1200U"},  {9, "R34L/1200U"}, {10, "R34L/1200U"},
            {14, "M02/M05"},       {18, "M02/M05"},    {19, "-SHRA"},     {24, "-SHRA"},
            {25, "BKN///"},        {31, "BKN///"},     {32, ""},          {33, "Q1013"},
            {38, "Q1013"},         {99, "Q1013"},      {-4, "R34L/1200U"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        const kolde_sub::ConsoleSelection s = kolde_sub::console_group_at(line, c.position);
        EXPECT_EQ(line.mid(s.start, s.length), QString::fromUtf8(c.group));
        EXPECT_TRUE(s.start >= 0 && s.start + s.length <= line.size());
    }
    for (const QString& blank : {QString(), QStringLiteral("\r\n")})
        EXPECT_EQ(kolde_sub::console_group_at(blank, 1).length, 0);
}

class ExplainWindows : public kolde_test::ViewFixture {
protected:
    void TearDown() override
    {
        kolde_sub::unload_pictureform();
        kolde_sub::unload_tooltips();
        kolde_sub::change_tip_handover([](kolde_sub::TipHandover& t) { t = {}; });
        kolde_sub::caps_lock_off();
        ViewFixture::TearDown();
    }

    // The middle of character k of the console, in its viewport.
    static QPoint character_middle(QTextEdit* console, int k)
    {
        QTextCursor c(console->document());
        c.setPosition(k);
        const QRect before = console->cursorRect(c);
        c.setPosition(k + 1);
        const QRect after = console->cursorRect(c);
        return {(before.left() + after.left()) / 2, before.center().y()};
    }
};

// Qt's word selection stops at "/" and "-"; the console's double click
// takes the whole group, on any line.
TEST_F(ExplainWindows, DoubleClickInTheConsoleSelectsTheWholeGroup)
{
    view v;
    activate(v);
    drive(v).heartbeat_timer()->stop();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    QTextEdit* console = drive(v).console();
    console->setPlainText(QStringLiteral("METAR RJTT 281630Z FEW030CB\nR34L/1200U M02/M05 -SHRA BKN///"));
    const QString text = console->toPlainText();
    const struct {
        const char* at;  // the characters clicked on
        const char* group;
    } cases[] = {
            {"1200", "R34L/1200U"}, {"M05", "M02/M05"}, {"SHRA", "-SHRA"},
            {"//", "BKN///"},       {"CB", "FEW030CB"}, {"RJTT", "RJTT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.at);
        const int k = static_cast<int>(text.indexOf(QString::fromUtf8(c.at)));
        ASSERT_GE(k, 0);
        kolde_sub::change_tip_handover([](kolde_sub::TipHandover& t) {
            t.shown = false;
            t.text.clear();
        });
        // A double click as the window system delivers it.
        const QPoint at = character_middle(console, k);
        QTest::mouseClick(console->viewport(), Qt::LeftButton, {}, at);
        QTest::mousePress(console->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(console->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(console->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(console->textCursor().selectedText(), QString::fromUtf8(c.group));
        EXPECT_TRUE(kolde_sub::tip_handover().shown);
        // Every one of these groups has an explanation, which the tip took up.
        EXPECT_FALSE(kolde_sub::tip_handover().fresh);
        EXPECT_FALSE(kolde_sub::tip_handover().text.isEmpty());
    }
}

// An explanation goes when the text it explains leaves the console: a
// display, CLS, a Japanese translation.
TEST_F(ExplainWindows, TheTipGoesWithTheTextItExplains)
{
    use_report_folder();
    serve(kolde_test::stations + "RJTT.TXT", "2026/03/15 09:00\nRJTT 150900Z 34005KT 9999 FEW030 12/03 Q1015\n");
    view v;
    activate(v);
    drive(v).heartbeat_timer()->stop();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    QTextEdit* console = drive(v).console();
    for (const char* command : {"CLS", "RJTT", "JP RJTT"}) {
        SCOPED_TRACE(command);
        v.set_console_text(QStringLiteral("RJAA 150900Z 30010G24KT 9999 FEW030 12/03 Q1015\r\n"));
        const QPoint at = character_middle(console, 14);
        QTest::mouseClick(console->viewport(), Qt::LeftButton, {}, at);
        QTest::mousePress(console->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(console->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(console->viewport(), Qt::LeftButton, {}, at);
        ASSERT_TRUE(kolde_sub::tooltips_window()->isVisible());
        QTest::keyClicks(console, QString::fromLatin1(command));
        QTest::keyClick(console, Qt::Key_Return);
        EXPECT_FALSE(kolde_sub::tooltips_window()->isVisible());
        EXPECT_FALSE(kolde_sub::tip_handover().shown);
    }
}

// A word typed on the console that the seed database has a picture for
// shows it centred when no tip is on screen: also before any tip has been
// shown, and after a tip was hidden.
TEST_F(ExplainWindows, SeedPicturesShowForTheirWords)
{
    QDir().mkpath(folder.file(QStringLiteral("data")));
    view v;
    v.resize(900, 700);
    activate(v);
    drive(v).heartbeat_timer()->stop();
    for (const char* word : {"CB", "TCU", "FG"}) {
        SCOPED_TRACE(word);
        kolde_sub::unload_pictureform();
        v.set_console_text(QString());
        QTest::keyClicks(drive(v).console(), QString::fromLatin1(word));
        QTest::keyClick(drive(v).console(), Qt::Key_Return);
        QWidget* shown = QApplication::activeWindow();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<kolde_sub::pictureform*>(w) && w->isVisible())
                shown = w;
        ASSERT_TRUE(qobject_cast<kolde_sub::pictureform*>(shown));
        EXPECT_EQ(shown->geometry(), QRect(QPoint((v.frameGeometry().width() - 200) / 2,
                                                  (v.frameGeometry().height() - 140) / 2), QSize(200, 140)));
        // A tip shown and closed by a click leaves no tip on screen either.
        kolde_sub::begin_explanation();
        kolde_sub::set_tip_text(QStringLiteral("XX : 試験"));
        kolde_sub::show_tooltip();
        QTest::mouseClick(kolde_sub::tooltips_window()->lbl, Qt::LeftButton);
        ASSERT_FALSE(kolde_sub::tooltips_window()->isVisible());
    }
}

// A report's day-time group is UTC: its month is the UTC month, whatever
// date the computer's clock shows (in Japan it is 1 March already).
TEST_F(ExplainWindows, TheDayOfAGroupCountsInTheUtcMonth)
{
    set(kolde_sub::key::local_time, platform::Value::boolean(true));
    set(kolde_sub::key::time_difference, "+9");
    const kolde_test::TimeZoneAt tz("Asia/Tokyo");
    kolde_sub::set_clock(QDateTime(QDate(2026, 2, 28), QTime(20, 30), Qt::UTC));
    view v;
    drive(v).heartbeat_timer()->stop();
    QTextEdit* console = drive(v).console();
    console->setPlainText(QStringLiteral("METAR RJTT 282000Z 34005KT"));
    QTextCursor c(console->document());
    c.setPosition(11);
    c.setPosition(18, QTextCursor::KeepAnchor);
    console->setTextCursor(c);
    kolde_sub::set_tip_text(QString());
    v.explain_group();
    EXPECT_TRUE(kolde_sub::tip_handover().text.contains(QStringLiteral("1日 05:00"))) << kolde_sub::tip_handover().text.toStdString();
}

}  // namespace
