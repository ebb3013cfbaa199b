#include "view_fixture.h"

#include "mainwin/console_text.h"
#include "core/shared.h"

#include <QTest>

using kolde_sub::from_edit_text;
using kolde_sub::to_edit_text;

namespace {

TEST(ConsoleText, BreaksConvertBothWays)
{
    const QString console = QStringLiteral("SYSTEM INITIALIZED\r\n\r\nRJTT 010000Z\r\n");
    EXPECT_EQ(to_edit_text(console), QStringLiteral("SYSTEM INITIALIZED\n\nRJTT 010000Z\n"));
    EXPECT_EQ(from_edit_text(to_edit_text(console)), console);
    // A lone CR breaks the line too and comes back as CR LF.
    EXPECT_EQ(to_edit_text(QStringLiteral("A\rB\r")), QStringLiteral("A\nB\n"));
    EXPECT_EQ(from_edit_text(QStringLiteral("A\nB")), QStringLiteral("A\r\nB"));
    // Full-width blanks and other text pass untouched.
    EXPECT_EQ(to_edit_text(QStringLiteral("　確認　")), QStringLiteral("　確認　"));
}

TEST(ConsoleText, LinesEndWhereTheShownCoverBegins)
{
    const QRect area(10, 50, 700, 400);
    const struct {
        QRect cover;
        bool shown;
        int width;
    } cases[] = {
            {{687, 40, 25, 420}, true, 677},  {{687, 40, 25, 420}, false, 700}, {{687, 460, 25, 20}, true, 700},
            {{720, 40, 25, 420}, true, 700},  {{0, 40, 800, 420}, true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kolde_sub::console_text_width(area, c.cover, c.shown), c.width) << c.cover.x() << " " << c.shown;
}

// A paste types what the keys would type: no line break, tab or other
// control character (so it never carries out or closes anything), no more
// than the room left, and never half a character.
TEST(ConsoleText, PasteTypesOnlyWhatKeysWouldType)
{
    const QString emoji = QStringLiteral("\U0001F600");
    const struct {
        QString pasted;
        qsizetype room;
        QString typed;
    } cases[] = {
            {QStringLiteral("RJTT RJAA"), 100, QStringLiteral("RJTT RJAA")},
            {QStringLiteral("rjtt\r\nRJ\tAA\n"), 100, QStringLiteral("rjttRJAA")},
            {QStringLiteral("\x1b" "EXIT\r\x08\x7f"), 100, QStringLiteral("EXIT")},
            {QStringLiteral("A\u2028B\u2029C\u0085D"), 100, QStringLiteral("ABCD")},
            {QString(QChar(0)) + QStringLiteral("\u3000東京"), 100, QStringLiteral("\u3000東京")},
            {QStringLiteral("RJTT RJAA"), 4, QStringLiteral("RJTT")},
            {QStringLiteral("RJTT"), 0, QString()},
            {QStringLiteral("RJTT"), -3, QString()},
            {QStringLiteral("AB") + emoji, 3, QStringLiteral("AB")},
            {QStringLiteral("AB") + emoji, 4, QStringLiteral("AB") + emoji},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kolde_sub::pasted_line_text(c.pasted, c.room), c.typed) << c.pasted.toStdString() << " " << c.room;
    const QString huge = QString(5'000'000, u'\n') + QString(5'000'000, u'A');
    EXPECT_EQ(kolde_sub::pasted_line_text(huge, kolde_sub::max_pasted_line).size(), kolde_sub::max_pasted_line);
}

class ConsoleTextView : public kolde_test::ViewFixture {};

TEST_F(ConsoleTextView, ConsoleReadsBackWhatWasWritten)
{
    view v;
    v.set_console_text(QStringLiteral("A\r\nB"));
    EXPECT_EQ(drive(v).console()->toPlainText(), QStringLiteral("A\nB"));
    v.append_console_text(QStringLiteral("\r\nC\r\n"));
    EXPECT_EQ(v.console_text(), QStringLiteral("A\r\nB\r\nC\r\n"));

    // Appending keeps the colours already in the text.
    QTextCursor c(drive(v).console()->document());
    c.setPosition(0);
    c.setPosition(1, QTextCursor::KeepAnchor);
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    c.mergeCharFormat(red);
    v.append_console_text(QStringLiteral("D"));
    QTextCursor first(drive(v).console()->document());
    first.setPosition(1);
    EXPECT_EQ(first.charFormat().foreground().color(), QColor(255, 0, 0));
}

TEST_F(ConsoleTextView, EnterReportsTheTypedLine)
{
    view v;
    // Offline the line is only recorded in the history of typed words.
    kolde_sub::set_online(false);
    v.set_console_text(QStringLiteral("READY / PRESS ESC TO EXIT\r\n"));
    v.console_caret_to_end();
    QTest::keyClicks(drive(v).console(), QStringLiteral("  rjtt rjaa "));
    drive(v).enter_pressed() = false;
    QTest::keyClick(drive(v).console(), Qt::Key_Return);
    EXPECT_TRUE(drive(v).enter_pressed());
    EXPECT_EQ(kolde_sub::code_history(), QStringLiteral(" RJTT RJAA "));
}

}  // namespace
