#include "core/settings.h"
#include "core/twips.h"
#include "core/window_flags.h"
#include "platform/value.h"
#include "sidewin/side_windows.h"
#include "support/fixtures.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace kolde_sub;

using InfoWindows = kolde_test::SeededStore;

void flush_deletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The list is sized to its rows, centred over the main window wherever that
// stands, and a click on either column closes it.
TEST_F(InfoWindows, CommandListSizesCentresAndClosesOnEitherColumn)
{
    QWidget main;
    main.setObjectName(QStringLiteral("view"));
    main.setGeometry(300, 200, 900, 700);
    main.show();
    for (int column = 0; column < 2; ++column) {
        show_command();
        auto* w = qobject_cast<command*>(command_window());
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QStringLiteral(" コマンド一覧"));
        EXPECT_EQ(w->lbl[0]->text().split(u'\n').size(), 20);
        EXPECT_EQ(w->lbl[1]->text().split(u'\n').at(16), QString());
        EXPECT_EQ(w->height(), 2 * px(120) + w->lbl[0]->height() + px(450));
        EXPECT_NEAR(w->frameGeometry().center().x(), main.frameGeometry().center().x(), 3);
        EXPECT_NEAR(w->frameGeometry().center().y(), main.frameGeometry().center().y(), 3);
        command_open = true;
        QTest::mouseClick(w->lbl[column], Qt::LeftButton);
        flush_deletes();
        EXPECT_EQ(command_window(), nullptr);
        EXPECT_FALSE(command_open);
    }
}

// Versions show as their shortest decimal text; empty fields leave only the
// fixed words.
TEST_F(InfoWindows, VersionAndComponentTexts)
{
    ASSERT_TRUE(set_setting(QStringLiteral("KOLDEバージョン"), platform::Value(4.31)));
    ASSERT_TRUE(set_setting(QStringLiteral("KOLDE更新日"), platform::Value(QStringLiteral("12-24-2007"))));
    ASSERT_TRUE(set_setting(QStringLiteral("DBバージョン"), platform::Value()));
    ASSERT_TRUE(set_setting(QStringLiteral("DB更新日"), platform::Value()));
    {
        version v;
        EXPECT_EQ(v.lbl[1]->text(), QStringLiteral("Version 4.31"));
    }
    compornent c;
    EXPECT_EQ(c.lbl[10]->text(), QStringLiteral("Ver 4.31"));
    EXPECT_EQ(c.lbl[9]->text(), QStringLiteral("12-24-2007 更新"));
    EXPECT_EQ(c.lbl[4]->text(), QStringLiteral("Ver "));
    EXPECT_EQ(c.lbl[7]->text(), QStringLiteral(" 更新"));
    EXPECT_EQ(c.lbl[1]->text(), QStringLiteral("ZEL データベース"));
    EXPECT_EQ(c.cmd->x(), (c.width() - c.cmd->width()) / 2);

    c.cmd_MouseMove();
    EXPECT_EQ(c.hover_state, 1);
    EXPECT_EQ(c.cmd->palette().color(QPalette::Button), QColor(0x80, 0x80, 0x80));
    c.Form_MouseMove();
    EXPECT_EQ(c.hover_state, 9);
    EXPECT_NE(c.cmd->palette().color(QPalette::Button), QColor(0x80, 0x80, 0x80));
}

}  // namespace
