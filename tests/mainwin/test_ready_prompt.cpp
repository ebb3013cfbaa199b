#include "view_fixture.h"

namespace {

class ReadyPrompt : public kolde_test::ViewFixture {};

TEST_F(ReadyPrompt, OnlyTheFirstOfTwoPromptsCarriesTheLineBreak)
{
    view v;
    v.set_console_text(QStringLiteral("RJTT"));
    drive(v).ready_line_break() = true;
    v.show_ready_prompt();
    v.show_ready_prompt();
    EXPECT_EQ(v.console_text(),
              QStringLiteral("RJTT\r\nREADY / PRESS ESC TO EXIT\r\n\r\nREADY / PRESS ESC TO EXIT"));
    EXPECT_FALSE(drive(v).ready_line_break());
    EXPECT_EQ(drive(v).console()->textCursor().position(), drive(v).console()->document()->characterCount() - 1);
}

TEST_F(ReadyPrompt, SequenceDisplayGetsItsStatusTextBack)
{
    view v;
    drive(v).saved_status_text() = QStringLiteral("自動デコード停止");
    drive(v).set_status_panel_text(QStringLiteral("シーケンス表示中"));

    drive(v).sequence_mode() = false;
    v.show_ready_prompt();
    EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("シーケンス表示中"));

    drive(v).sequence_mode() = true;
    v.set_console_text(QStringLiteral("RJTT  LOADING SEQUENCE DATA AT 0900Z"));
    v.show_ready_prompt();
    EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("シーケンス表示中"));

    v.set_console_text(QStringLiteral("RJTT  METAR 0900Z"));
    v.show_ready_prompt();
    EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("自動デコード停止"));
}

// The hourglass of a display gives way to the console's text pointer and the
// window's default.
TEST_F(ReadyPrompt, PointersGoBackFromTheHourglass)
{
    view v;
    v.show();
    v.setCursor(Qt::WaitCursor);
    drive(v).console()->viewport()->setCursor(Qt::WaitCursor);
    v.show_ready_prompt();
    EXPECT_EQ(drive(v).console()->viewport()->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(v.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
