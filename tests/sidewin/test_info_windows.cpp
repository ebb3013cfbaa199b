#include "core/shared.h"
#include "core/twips.h"
#include "sidewin/open_windows.h"
#include "sidewin/side_windows.h"
#include "support/fixtures.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <functional>

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
    kolde_sub::set_main_window(&main);
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
        mark_side_window(SideWindowId::command, true);
        QTest::mouseClick(w->lbl[column], Qt::LeftButton);
        flush_deletes();
        EXPECT_EQ(command_window(), nullptr);
        EXPECT_FALSE(side_window_open(SideWindowId::command));
    }
}

// The button under the pointer is painted grey and the window's background
// paints it plain again. A button hands the moves it has no use for on to
// its window; those must not undo the grey.
TEST_F(InfoWindows, ButtonsTurnGreyUnderThePointer)
{
    suntime sun;
    compornent components;
    adobeinfo notice;
    struct Case {
        QWidget* window;
        QPushButton* button;
        std::function<int()> state;
        int hovered;
        int none;
    };
    for (const Case& c : {Case{&sun, sun.cmd[1], [&] { return sun.hovered_button(); }, 1, 99},
                          Case{&components, components.cmd, [&] { return components.hover_state(); }, 1, 9},
                          Case{&notice, notice.cmd, [&] { return notice.hover_state(); }, 1, 9}}) {
        SCOPED_TRACE(c.window->objectName().toStdString());
        c.window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(c.window));
        const QPoint background(2, 2);
        ASSERT_EQ(c.window->childAt(background), nullptr);
        // The face away from the caption shows the colour the button is painted in.
        const auto face = [&c] {
            return c.button->grab().toImage().pixelColor(c.button->width() / 10, c.button->height() / 2);
        };
        const QColor plain = face();
        ASSERT_GT(plain.value(), 0xD0);
        QTest::mouseMove(c.window, background);
        for (const QPoint& p : {c.button->rect().center(), c.button->rect().center() + QPoint(3, 1)}) {
            QTest::mouseMove(c.button, p);
            EXPECT_EQ(c.state(), c.hovered);
            const QColor grey = face();
            EXPECT_LT(grey.value(), 0xB0) << grey.name().toStdString();
        }
        QTest::mouseMove(c.window, background);
        EXPECT_EQ(c.state(), c.none);
        EXPECT_EQ(face(), plain);
        c.window->hide();
    }
    // A disabled button (print, before an airfield is chosen) takes no hover look.
    sun.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sun));
    ASSERT_FALSE(sun.cmd[0]->isEnabled());
    QTest::mouseMove(sun.cmd[0], sun.cmd[0]->rect().center());
    EXPECT_EQ(sun.hovered_button(), 99);
}

}  // namespace
