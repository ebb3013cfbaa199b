#include "sidewin/datachange.h"

#include "platform/value.h"
#include "core/database.h"
#include "core/settings.h"
#include "support/fixtures.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class DataChange : public kolde_test::SeededStore {
protected:
    static void colours(long long back, long long text)
    {
        ASSERT_TRUE(kolde_sub::set_setting(kolde_sub::key::display_background, platform::Value(back)));
        ASSERT_TRUE(kolde_sub::set_setting(kolde_sub::key::display_text_colour, platform::Value(text)));
    }
};

TEST_F(DataChange, ShowsOnTopInTheConsoleColours)
{
    colours(0, 0xFFFFFF);
    QPointer<kolde_sub::datachange> n = kolde_sub::show_datachange(nullptr);
    ASSERT_TRUE(n);
    EXPECT_TRUE(n->isVisible());
    EXPECT_TRUE(n->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(n->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(n->lbl->text(), QStringLiteral("データを更新しました"));
    EXPECT_EQ(n->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(n->lbl->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(n->lbl->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(n->spe->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(n->Timer->interval(), 1000);
    EXPECT_TRUE(n->Timer->isActive());
    delete n;

    // Colours are stored blue-green-red.
    colours(0x0000FF, 0xFF0000);
    n = kolde_sub::show_datachange(nullptr);
    ASSERT_TRUE(n);
    EXPECT_EQ(n->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(n->lbl->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    delete n;
}

// The message is never cut: the label holds its whole text, and the
// outline and the notice hold the label.
TEST_F(DataChange, TheMessageFitsItsLabel)
{
    QPointer<kolde_sub::datachange> n = kolde_sub::show_datachange(nullptr);
    ASSERT_TRUE(n);
    const QLabel* l = n->lbl;
    EXPECT_LE(l->sizeHint().width(), l->width());
    EXPECT_LE(l->sizeHint().height(), l->height());
    const QRect inside = n->spe->geometry().adjusted(1, 1, -1, -1);
    EXPECT_TRUE(inside.contains(l->geometry())) << l->geometry().width() << "x" << l->geometry().height();
    EXPECT_TRUE(n->rect().contains(n->spe->geometry()));
    delete n;
}

TEST_F(DataChange, ClosesOnTheSecondTickNotTheFirst)
{
    QPointer<kolde_sub::datachange> n = kolde_sub::show_datachange(nullptr);
    ASSERT_TRUE(n);
    n->Timer_Timer();
    EXPECT_TRUE(n->isVisible());
    n->Timer_Timer();
    ASSERT_TRUE(n);
    EXPECT_FALSE(n->isVisible());
    EXPECT_FALSE(n->Timer->isActive());
    // Closing releases the instance; the next notice is a fresh one.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(n);
    QPointer<kolde_sub::datachange> next = kolde_sub::show_datachange(nullptr);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->notice_ticks, 0);
    delete next;
}

TEST_F(DataChange, SkipsItselfWhileTheMainWindowIsMinimised)
{
    QWidget main_window;
    main_window.setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(kolde_sub::show_datachange(&main_window), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<kolde_sub::datachange*>(w), nullptr);

    main_window.setWindowState(Qt::WindowNoState);
    QPointer<kolde_sub::datachange> n = kolde_sub::show_datachange(&main_window);
    ASSERT_TRUE(n);
    EXPECT_TRUE(n->isVisible());
    delete n;
}

}  // namespace
