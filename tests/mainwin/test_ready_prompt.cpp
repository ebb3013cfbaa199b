#include "view_fixture.h"

#include <QLabel>
#include <QTextEdit>

namespace {

class ReadyPrompt : public kolde_test::ViewFixture {};

TEST_F(ReadyPrompt, OnlyTheFirstOfTwoPromptsCarriesTheLineBreak)
{
    view v;
    v.set_console_text(QStringLiteral("RJTT"));
    v.ready_line_break = true;
    v.show_ready_prompt();
    v.show_ready_prompt();
    EXPECT_EQ(v.console_text(),
              QStringLiteral("RJTT\r\nREADY / PRESS ESC TO EXIT\r\n\r\nREADY / PRESS ESC TO EXIT"));
    EXPECT_FALSE(v.ready_line_break);
    EXPECT_EQ(v.TextBox[0]->textCursor().position(), v.TextBox[0]->document()->characterCount() - 1);
}

TEST_F(ReadyPrompt, SequenceDisplayGetsItsStatusTextBack)
{
    view v;
    v.saved_status_text = QStringLiteral("自動デコード停止");
    v.Panels[2]->setText(QStringLiteral("シーケンス表示中"));

    v.sequence_mode = false;
    v.show_ready_prompt();
    EXPECT_EQ(v.Panels[2]->text(), QStringLiteral("シーケンス表示中"));

    v.sequence_mode = true;
    v.set_console_text(QStringLiteral("RJTT  LOADING SEQUENCE DATA AT 0900Z"));
    v.show_ready_prompt();
    EXPECT_EQ(v.Panels[2]->text(), QStringLiteral("シーケンス表示中"));

    v.set_console_text(QStringLiteral("RJTT  METAR 0900Z"));
    v.show_ready_prompt();
    EXPECT_EQ(v.Panels[2]->text(), QStringLiteral("自動デコード停止"));
}

// The hourglass of a display gives way to the console's text pointer and the
// window's default.
TEST_F(ReadyPrompt, PointersGoBackFromTheHourglass)
{
    view v;
    v.show();
    v.setCursor(Qt::WaitCursor);
    v.TextBox[0]->viewport()->setCursor(Qt::WaitCursor);
    v.show_ready_prompt();
    EXPECT_EQ(v.TextBox[0]->viewport()->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(v.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
