// Minimise and restore with the side windows and the notification-area
// icon, the hover look of the image buttons, and the console's focus and
// mouse handling.

#include "view_fixture.h"

#include "mainwin/button_rules.h"
#include "mainwin/taskicon.h"
#include "core/shared.h"
#include "sidewin/open_windows.h"
#include "translate/handover.h"
#include "translate/pictureform.h"
#include "translate/tooltips.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractTextDocumentLayout>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>

using kolde_test::activate;
using platform::Value;

namespace {

bool raised(const QLabel* l) { return l->frameShape() != QFrame::NoFrame; }

QImage image_of(const QIcon& icon) { return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32); }

class WindowState : public kolde_test::ViewFixture {
protected:
    void TearDown() override
    {
        set_notification_area_available(std::nullopt);
        ViewFixture::TearDown();
    }
};

TEST(TaskIcon, LeftAndRightPressesRestore)
{
    struct Case {
        QSystemTrayIcon::ActivationReason reason;
        bool restores;
    };
    const Case cases[] = {
            {QSystemTrayIcon::Trigger, true},     {QSystemTrayIcon::Context, true},
            {QSystemTrayIcon::MiddleClick, false}, {QSystemTrayIcon::DoubleClick, false},
            {QSystemTrayIcon::Unknown, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.reason));
        EXPECT_EQ(taskicon_restores(c.reason), c.restores);
    }
}

// No notification area (as on many desktops and with no desktop at all):
// the minimised window stays in the task bar, so it can be found again.
TEST_F(WindowState, MinimiseWithoutNotificationAreaKeepsTheWindowInTheTaskBar)
{
    set_notification_area_available(false);
    view v;
    activate(v);
    v.setWindowState(v.windowState() | Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_TRUE(v.isMinimized());
    EXPECT_TRUE(v.isVisible());

    v.setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    EXPECT_FALSE(v.isMinimized());
    EXPECT_TRUE(v.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(v.isVisible());
}

TEST_F(WindowState, MinimiseHidesWindowAndSideWindowsAndTheIconBringsThemBack)
{
    set_notification_area_available(true);
    view v;
    activate(v);
    kolde_sub::log_window()->show();
    ASSERT_TRUE(kolde_sub::side_window_open(kolde_sub::SideWindowId::log));
    kolde_sub::mark_side_window(kolde_sub::SideWindowId::chart, true);  // no chart window exists: nothing to show or hide

    v.setWindowState(v.windowState() | Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_FALSE(v.isVisible());
    EXPECT_FALSE(kolde_sub::log_window()->isVisible());
    ASSERT_NE(v.tray_icon(), nullptr);
    EXPECT_EQ(v.tray_icon()->tip(), QStringLiteral("KOLDE"));

    // A middle click does nothing; a press of the left button restores.
    v.tray_icon()->Form_MouseMove(QSystemTrayIcon::MiddleClick);
    QCoreApplication::processEvents();
    EXPECT_FALSE(v.isVisible());
    v.tray_icon()->Form_MouseMove(QSystemTrayIcon::Trigger);
    QCoreApplication::processEvents();
    EXPECT_TRUE(v.isVisible());
    EXPECT_FALSE(v.isMinimized());
    EXPECT_TRUE(v.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(kolde_sub::log_window()->isVisible());

    // The icon goes with the next tick of the one-second timer.
    EXPECT_TRUE(v.timer1->isActive());
    ASSERT_NE(v.tray_icon(), nullptr);
    v.timer1_Timer();
    EXPECT_EQ(v.tray_icon(), nullptr);
    EXPECT_FALSE(v.timer1->isActive());
    kolde_sub::mark_side_window(kolde_sub::SideWindowId::chart, false);
}

// A side window closed while the main window was minimised is not shown
// again on restore.
TEST_F(WindowState, RestoreLeavesAClosedSideWindowClosed)
{
    set_notification_area_available(true);
    view v;
    activate(v);
    kolde_sub::log_window()->show();
    v.setWindowState(v.windowState() | Qt::WindowMinimized);
    QCoreApplication::processEvents();
    kolde_sub::mark_side_window(kolde_sub::SideWindowId::log, false);
    v.setWindowState(Qt::WindowNoState);
    v.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(v.isVisible());
    EXPECT_FALSE(kolde_sub::log_window()->isVisible());
}

TEST_F(WindowState, IconAndTipFollowTheConnection)
{
    view v;
    activate(v);
    for (const bool connected : {false, true, false}) {
        SCOPED_TRACE(connected);
        kolde_sub::set_online(connected);
        v.taskicon_reload();
        ASSERT_NE(v.tray_icon(), nullptr);
        EXPECT_EQ(v.tray_icon()->tip(), connected ? QStringLiteral("KOLDE") : QStringLiteral("接続断"));
        EXPECT_EQ(image_of(v.tray_icon()->icon()), image_of(QIcon(v.iconPic[connected ? 0 : 1]->pixmap())));
    }
    v.taskicon_unload();
    EXPECT_EQ(v.tray_icon(), nullptr);
}

class Hover : public kolde_test::ViewFixture {};

TEST_F(Hover, ColourStyleRaisesTheButtonUnderTheMouse)
{
    set("コマンドボタン", Value::boolean(false));
    view v;
    activate(v);
    v.img_MouseMove(3);
    EXPECT_TRUE(raised(v.img[3]));
    EXPECT_EQ(v.hovered_button, 3);
    v.img_MouseMove(5);
    EXPECT_FALSE(raised(v.img[3]));
    EXPECT_TRUE(raised(v.img[5]));

    // Leaving over the bar or the window takes the look off, once.
    v.Frame_MouseMove();
    EXPECT_FALSE(raised(v.img[5]));
    EXPECT_EQ(v.hovered_button, 99);
    v.img[7]->setFrameShape(QFrame::Panel);  // not by hover: left alone now
    v.Form_MouseMove();
    EXPECT_TRUE(raised(v.img[7]));

    // With the pane open buttons 1 to 11 do not react; button 0 does.
    v.img[7]->setFrameShape(QFrame::NoFrame);
    v.WebBrowser->show();
    v.img_MouseMove(4);
    EXPECT_FALSE(raised(v.img[4]));
    EXPECT_EQ(v.hovered_button, 99);
    v.img_MouseMove(0);
    EXPECT_TRUE(raised(v.img[0]));

    // The go button's normal face comes back with the removal.
    v.imgGo[1]->hide();
    v.Form_MouseMove();
    EXPECT_TRUE(v.imgGo[1]->isVisible());
}

TEST_F(Hover, GreyStyleUncoversTheButtonUnderItsFace)
{
    set("コマンドボタン", Value::boolean(true));
    view v;
    activate(v);
    v.img_MouseMove(20);
    EXPECT_FALSE(v.img[20]->isVisible());
    EXPECT_EQ(v.hovered_button, 20);
    v.img_MouseMove(22);
    EXPECT_TRUE(v.img[20]->isVisible());
    EXPECT_FALSE(v.img[22]->isVisible());
    // With the pane hidden the browser buttons stay grey.
    v.img_MouseMove(34);
    EXPECT_TRUE(v.img[34]->isVisible());
    EXPECT_TRUE(v.img[22]->isVisible());
    v.img_MouseMove(23);
    v.Form_MouseMove();
    for (int i = 18; i <= 35; ++i)
        EXPECT_TRUE(v.img[i]->isVisible()) << i;
    EXPECT_EQ(v.hovered_button, 99);
}

// The mouse reaches the handlers through the window's own events.
TEST_F(Hover, MouseMovesReachTheHandlers)
{
    set("コマンドボタン", Value::boolean(false));
    view v;
    activate(v);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    QTest::mouseMove(v.img[2], QPoint(4, 4));
    QCoreApplication::processEvents();
    EXPECT_EQ(v.hovered_button, 2);
    EXPECT_TRUE(raised(v.img[2]));
    QTest::mouseMove(v.Frame, QPoint(v.Frame->width() - 2, 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(v.hovered_button, 99);
    EXPECT_FALSE(raised(v.img[2]));
}


// ------------------------------------------------------------ the console

class ConsoleMouse : public kolde_test::ViewFixture {
protected:
    void TearDown() override
    {
        kolde_sub::change_tip_handover([](kolde_sub::TipHandover& t) { t.shown = t.fresh = false; });
        kolde_sub::unload_pictureform();
        kolde_sub::caps_lock_off();
        ViewFixture::TearDown();
    }

    // Shows the window with its heartbeat stopped; the console's viewport,
    // which gets its mouse events.
    static QWidget* start(view& v)
    {
        activate(v);
        v.Timer->stop();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&v));
        return v.TextBox[0]->viewport();
    }
};

// Closes every pop-up menu that opens, recording it.
class PopupCloser {
public:
    PopupCloser()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* p = QApplication::activePopupWidget()) {
                shown << p->objectName();
                p->close();
            }
        });
        timer_.start();
    }
    QStringList shown;

private:
    QTimer timer_;
};

// Codes are typed in upper case: the console's focus turns Caps Lock on
// and the input method off, and its leaving turns Caps Lock off, also when
// the window goes away with the focus on its console.
TEST_F(ConsoleMouse, FocusOnTheConsoleTurnsCapsLockOnAndTheInputMethodOff)
{
    auto window = std::make_unique<view>();
    view& v = *window;
    start(v);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
    v.inputURL->show();
    v.TextBox[0]->setAttribute(Qt::WA_InputMethodEnabled, true);
    const auto caps_lock_after_focus_on = [](QWidget* w) {
        w->setFocus();
        QCoreApplication::processEvents();
        return kolde_sub::caps_lock_state();
    };
    EXPECT_FALSE(caps_lock_after_focus_on(v.inputURL));
    EXPECT_TRUE(caps_lock_after_focus_on(v.TextBox[0]));
    EXPECT_FALSE(v.TextBox[0]->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(caps_lock_after_focus_on(v.inputURL));
    EXPECT_TRUE(caps_lock_after_focus_on(v.TextBox[0]));
    window.reset();
    EXPECT_FALSE(kolde_sub::caps_lock_state());
}

TEST_F(ConsoleMouse, APressClosesTheTipAndTheRightButtonOpensThePopUpMenuWhenSwitchedOn)
{
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("data"))));
    for (const bool popup : {false, true}) {
        SCOPED_TRACE(popup);
        set("ポップアップ", Value::boolean(popup));
        view v;
        QWidget* console = start(v);

        // An open tip with a picture beside it.
        kolde_sub::tooltips_window()->show();
        kolde_sub::change_tip_handover([](kolde_sub::TipHandover& t) {
            t.shown = true;
            t.fresh = false;
        });
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        ASSERT_TRUE(picture.save(folder.file(QStringLiteral("data/figure.dat")), "PNG"));
        QPointer<kolde_sub::pictureform> picture_window = kolde_sub::load_pictureform();
        ASSERT_FALSE(picture_window.isNull());

        PopupCloser closer;
        QTest::mousePress(console, Qt::RightButton, {}, QPoint(20, 20));
        EXPECT_FALSE(kolde_sub::tip_handover().shown);
        EXPECT_TRUE(kolde_sub::tip_handover().fresh);
        EXPECT_TRUE(kolde_sub::tooltips_loaded());  // hidden, not unloaded
        EXPECT_FALSE(kolde_sub::tooltips_window()->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(picture_window.isNull());
        EXPECT_EQ(closer.shown, popup ? QStringList{QStringLiteral("menu_popup")} : QStringList{});
        QTest::mouseRelease(console, Qt::RightButton, {}, QPoint(20, 20));

        // The left button never opens the menu.
        QTest::mouseClick(console, Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_EQ(closer.shown.size(), popup ? 1 : 0);
    }
}

// A release on the console (with or without a selection) asks for the
// explanation, with the tip placed by the cursor; the boxes around the
// console do not.
TEST_F(ConsoleMouse, AReleasePlacesTheTipByTheCursor)
{
    view v;
    QWidget* console = start(v);
    const QPoint at(30, 12);
    const kolde_sub::TipPosition tip = kolde_sub::tip_position(console->mapToGlobal(at));
    kolde_sub::change_tip_handover([](kolde_sub::TipHandover& t) { t.shown = false; });
    QTest::mouseClick(console, Qt::LeftButton, {}, at);
    EXPECT_TRUE(kolde_sub::tip_handover().shown);
    EXPECT_EQ(kolde_sub::tip_handover().x, tip.x);
    EXPECT_EQ(kolde_sub::tip_handover().y, tip.y);

    kolde_sub::change_tip_handover([](kolde_sub::TipHandover& t) { t.shown = false; });
    QTest::mouseClick(v.TextBox[2]->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(kolde_sub::tip_handover().shown);
}

// The right end, in the window's coordinates, of the console's widest line
// of glyphs.
int glyphs_right(view& v)
{
    QTextEdit* console = v.TextBox[0];
    console->document()->documentLayout()->documentSize();  // laid out in full
    qreal right = 0;
    for (QTextBlock b = console->document()->begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        for (int i = 0; i < layout->lineCount(); ++i)
            right = std::max(right, layout->position().x() + layout->lineAt(i).x() +
                                            layout->lineAt(i).naturalTextWidth());
    }
    const int scrolled = console->horizontalScrollBar()->value();
    return console->viewport()->mapTo(v.form, QPoint(int(std::ceil(right)) - scrolled, 0)).x();
}

// Long lines wrap before the box that covers the console's right edge while
// it is shown (the scroll bar switched off), and use the whole width while
// it is hidden, however the switch was turned.
TEST_F(ConsoleMouse, LongLinesWrapBeforeTheCoverBox)
{
    const QString lines = QString(300, u'A') + QStringLiteral("\r\n") +
                          QStringLiteral("RJTT 300530Z 34005KT 9999 FEW030 BKN100 15/08 Q1020 NOSIG ").repeated(5);
    for (const bool shown : {false, true})
        for (const bool by_button : {false, true}) {
            SCOPED_TRACE(testing::Message() << "scroll bar " << shown << (by_button ? " by the button" : ""));
            set("スクロールバーを表示", Value::boolean(by_button ? !shown : shown));
            view v;
            start(v);
            if (by_button)
                v.img_Click(7);
            v.set_console_text(lines);
            QCoreApplication::processEvents();
            ASSERT_EQ(v.TextBox[2]->isVisible(), !shown);
            const int cover_left = v.TextBox[2]->geometry().left();
            const QWidget* area = v.TextBox[0]->viewport();
            const int area_right = area->mapTo(v.form, QPoint(area->width(), 0)).x();
            ASSERT_LT(cover_left, area_right);  // the cover overlaps the console
            if (shown) {
                EXPECT_LE(glyphs_right(v), area_right);
                EXPECT_GT(glyphs_right(v), cover_left);  // the whole width is used
            } else {
                EXPECT_LE(glyphs_right(v), cover_left);
            }
        }
}

TEST_F(ConsoleMouse, MovingOverTheConsoleTakesTheHoverOff)
{
    set("コマンドボタン", Value::boolean(false));
    view v;
    QWidget* console = start(v);
    v.img_MouseMove(3);
    ASSERT_TRUE(raised(v.img[3]));
    QTest::mouseMove(console, QPoint(40, 40));
    QCoreApplication::processEvents();
    EXPECT_FALSE(raised(v.img[3]));
    EXPECT_EQ(v.hovered_button, 99);
}

}  // namespace
