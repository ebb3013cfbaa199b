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

#include <QImage>
#include <QAbstractTextDocumentLayout>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTest>

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
    EXPECT_TRUE(drive(v).tray_timer()->isActive());
    ASSERT_NE(v.tray_icon(), nullptr);
    v.timer1_Timer();
    EXPECT_EQ(v.tray_icon(), nullptr);
    EXPECT_FALSE(drive(v).tray_timer()->isActive());
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
        EXPECT_EQ(image_of(v.tray_icon()->icon()), image_of(QIcon(drive(v).connection_icon(connected))));
    }
    v.taskicon_unload();
    EXPECT_EQ(v.tray_icon(), nullptr);
}

class Hover : public kolde_test::ViewFixture {};

TEST_F(Hover, ColourStyleRaisesTheButtonUnderTheMouse)
{
    set(kolde_sub::key::command_buttons, Value::boolean(false));
    view v;
    activate(v);
    v.img_MouseMove(3);
    EXPECT_TRUE(raised(drive(v).button(kolde_sub::Button::stop_auto_decode)));
    EXPECT_EQ(drive(v).hovered_button(), 3);
    v.img_MouseMove(5);
    EXPECT_FALSE(raised(drive(v).button(kolde_sub::Button::stop_auto_decode)));
    EXPECT_TRUE(raised(drive(v).button(kolde_sub::Button::reload)));

    // Leaving over the bar or the window takes the look off, once.
    v.Frame_MouseMove();
    EXPECT_FALSE(raised(drive(v).button(kolde_sub::Button::reload)));
    EXPECT_EQ(drive(v).hovered_button(), 99);
    drive(v).button(kolde_sub::Button::scroll_bar)->setFrameShape(QFrame::Panel);  // not by hover: left alone now
    v.Form_MouseMove();
    EXPECT_TRUE(raised(drive(v).button(kolde_sub::Button::scroll_bar)));

    // With the pane open buttons 1 to 11 do not react; button 0 does.
    drive(v).button(kolde_sub::Button::scroll_bar)->setFrameShape(QFrame::NoFrame);
    drive(v).browser_pane()->show();
    v.img_MouseMove(4);
    EXPECT_FALSE(raised(drive(v).button(kolde_sub::Button::start_auto_decode)));
    EXPECT_EQ(drive(v).hovered_button(), 99);
    v.img_MouseMove(0);
    EXPECT_TRUE(raised(drive(v).button(kolde_sub::Button::exit)));

    // The go button's normal face comes back with the removal.
    drive(v).go_button(false)->hide();
    v.Form_MouseMove();
    EXPECT_TRUE(drive(v).go_button(false)->isVisible());
}

TEST_F(Hover, GreyStyleUncoversTheButtonUnderItsFace)
{
    set(kolde_sub::key::command_buttons, Value::boolean(true));
    view v;
    activate(v);
    v.img_MouseMove(20);
    EXPECT_FALSE(drive(v).grey_face(kolde_sub::Button::print)->isVisible());
    EXPECT_EQ(drive(v).hovered_button(), 20);
    v.img_MouseMove(22);
    EXPECT_TRUE(drive(v).grey_face(kolde_sub::Button::print)->isVisible());
    EXPECT_FALSE(drive(v).grey_face(kolde_sub::Button::start_auto_decode)->isVisible());
    // With the pane hidden the browser buttons stay grey.
    v.img_MouseMove(34);
    EXPECT_TRUE(drive(v).grey_face(kolde_sub::Button::back)->isVisible());
    EXPECT_TRUE(drive(v).grey_face(kolde_sub::Button::start_auto_decode)->isVisible());
    v.img_MouseMove(23);
    v.Form_MouseMove();
    for (int i = 18; i <= 35; ++i)
        EXPECT_TRUE(drive(v).image(i)->isVisible()) << i;
    EXPECT_EQ(drive(v).hovered_button(), 99);
}

// The mouse reaches the handlers through the window's own events.
TEST_F(Hover, MouseMovesReachTheHandlers)
{
    set(kolde_sub::key::command_buttons, Value::boolean(false));
    view v;
    activate(v);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    QTest::mouseMove(drive(v).button(kolde_sub::Button::print), QPoint(4, 4));
    QCoreApplication::processEvents();
    EXPECT_EQ(drive(v).hovered_button(), 2);
    EXPECT_TRUE(raised(drive(v).button(kolde_sub::Button::print)));
    QTest::mouseMove(drive(v).button_bar(), QPoint(drive(v).button_bar()->width() - 2, 2));
    QCoreApplication::processEvents();
    EXPECT_EQ(drive(v).hovered_button(), 99);
    EXPECT_FALSE(raised(drive(v).button(kolde_sub::Button::print)));
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
        drive(v).heartbeat_timer()->stop();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&v));
        return drive(v).console()->viewport();
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
    drive(v).address_bar()->show();
    drive(v).console()->setAttribute(Qt::WA_InputMethodEnabled, true);
    const auto caps_lock_after_focus_on = [](QWidget* w) {
        w->setFocus();
        QCoreApplication::processEvents();
        return kolde_sub::caps_lock_state();
    };
    EXPECT_FALSE(caps_lock_after_focus_on(drive(v).address_bar()));
    EXPECT_TRUE(caps_lock_after_focus_on(drive(v).console()));
    EXPECT_FALSE(drive(v).console()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(caps_lock_after_focus_on(drive(v).address_bar()));
    EXPECT_TRUE(caps_lock_after_focus_on(drive(v).console()));
    window.reset();
    EXPECT_FALSE(kolde_sub::caps_lock_state());
}

TEST_F(ConsoleMouse, APressClosesTheTipAndTheRightButtonOpensThePopUpMenuWhenSwitchedOn)
{
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("data"))));
    for (const bool popup : {false, true}) {
        SCOPED_TRACE(popup);
        set(kolde_sub::key::popup_menu, Value::boolean(popup));
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
        // The menu opens once the press is delivered.
        (void)QTest::qWaitFor([&] { return !closer.shown.isEmpty(); }, popup ? 5000 : 100);
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
    QTest::mouseClick(drive(v).cover_box()->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(kolde_sub::tip_handover().shown);
}

// The right end, in the window's coordinates, of the console's widest line
// of glyphs.
int glyphs_right(view& v)
{
    QTextEdit* console = drive(v).console();
    console->document()->documentLayout()->documentSize();  // laid out in full
    qreal right = 0;
    for (QTextBlock b = console->document()->begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        for (int i = 0; i < layout->lineCount(); ++i)
            right = std::max(right, layout->position().x() + layout->lineAt(i).x() +
                                            layout->lineAt(i).naturalTextWidth());
    }
    const int scrolled = console->horizontalScrollBar()->value();
    return console->viewport()->mapTo(drive(v).client_area(), QPoint(int(std::ceil(right)) - scrolled, 0)).x();
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
            set(kolde_sub::key::scroll_bar, Value::boolean(by_button ? !shown : shown));
            view v;
            start(v);
            if (by_button)
                v.img_Click(7);
            v.set_console_text(lines);
            QCoreApplication::processEvents();
            ASSERT_EQ(drive(v).cover_box()->isVisible(), !shown);
            const int cover_left = drive(v).cover_box()->geometry().left();
            const QWidget* area = drive(v).console()->viewport();
            const int area_right = area->mapTo(drive(v).client_area(), QPoint(area->width(), 0)).x();
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
    set(kolde_sub::key::command_buttons, Value::boolean(false));
    view v;
    QWidget* console = start(v);
    v.img_MouseMove(3);
    ASSERT_TRUE(raised(drive(v).button(kolde_sub::Button::stop_auto_decode)));
    QTest::mouseMove(console, QPoint(40, 40));
    QCoreApplication::processEvents();
    EXPECT_FALSE(raised(drive(v).button(kolde_sub::Button::stop_auto_decode)));
    EXPECT_EQ(drive(v).hovered_button(), 99);
}

}  // namespace
