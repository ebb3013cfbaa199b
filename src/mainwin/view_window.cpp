// The main window's size and surface: minimise and restore together with
// the open side windows and the notification-area icon, the hover look of
// the image buttons and its removal, and the wiring of the window's mouse,
// key and focus events to their handlers.

#include "view.h"

#include "browser_rules.h"
#include "taskicon.h"
#include "core/window_flags.h"
#include "window_rules.h"

#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "sidewin/side_windows.h"

#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

using namespace kolde_sub;

namespace {

// The side windows that leave and come back with the main window, in the
// order they do so, each with its open flag. A window that is not built
// yet gives no window, whatever its flag says.
struct SideWindow {
    const bool* open;
    QWidget* (*window)();
};

QWidget* shown_log_window() { return log_loaded() ? log_window() : nullptr; }

const SideWindow side_windows[] = {
        {&chart_open, chart_window},
        {&camera_open, camera_window},
        {&log_open, shown_log_window},
        {&command_open, command_window},
};

template <typename F>
void for_each_open_side_window(F f)
{
    for (const SideWindow& s : side_windows) {
        if (!*s.open)
            continue;
        if (QWidget* w = s.window())
            f(w);
    }
}

// Sends the mouse, key and focus events of the window's controls to the
// window's handlers.
class WindowEvents : public QObject {
public:
    explicit WindowEvents(view* v)
        : QObject(v)
        , v_(v)
    {
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseMove:
            if (o == v_->form) {
                v_->Form_MouseMove();
                return false;
            }
            if (o == v_->Frame) {
                v_->Frame_MouseMove();
                return true;  // not again as a move over the window
            }
            if (o == v_->inputURL) {
                v_->inputURL_MouseMove();
                return false;
            }
            for (int i = 0; i < 36; ++i)
                if (o == v_->img[i]) {
                    v_->img_MouseMove(i);
                    return true;
                }
            for (int i = 0; i < 2; ++i)
                if (o == v_->imgGo[i]) {
                    v_->imgGo_MouseMove(i);
                    return true;
                }
            break;
        case QEvent::MouseButtonPress:
            for (int i = 0; i < 2; ++i)
                if (o == v_->imgGo[i]) {
                    v_->imgGo_MouseDown(i);
                    return true;
                }
            break;
        case QEvent::MouseButtonRelease:
            for (int i = 0; i < 2; ++i)
                if (o == v_->imgGo[i]) {
                    v_->imgGo_MouseUp(i);
                    return true;
                }
            break;
        case QEvent::KeyRelease:
            if (o == v_->inputURL)
                v_->inputURL_KeyUp(static_cast<QKeyEvent*>(e)->key());
            break;
        default:
            break;
        }
        return false;
    }

private:
    view* v_;
};

}  // namespace

void view::set_up_window_events()
{
    auto* events = new WindowEvents(this);
    window_events_ = events;
    for (QWidget* w : {form, static_cast<QWidget*>(Frame), static_cast<QWidget*>(inputURL)}) {
        w->setMouseTracking(true);
        w->installEventFilter(events);
    }
    for (QLabel* l : img) {
        l->setMouseTracking(true);
        l->installEventFilter(events);
    }
    for (QLabel* l : imgGo) {
        l->setMouseTracking(true);
        l->installEventFilter(events);
    }
    connect(inputURL, &QLineEdit::returnPressed, this, [this] { inputURL_KeyPress(13); });

    // The web view fills the pane once it is created.
    auto* pane_layout = new QVBoxLayout(WebBrowser);
    pane_layout->setContentsMargins(0, 0, 0, 0);
}

// --------------------------------------------------------- size and state

void view::Form_Resize()
{
    // The layout and the side windows' flags are set up by the first
    // activation; a state change before it (the load maximises the window)
    // has nothing to bring back.
    if (first_activation)
        return;

    if (windowState() & Qt::WindowMinimized) {
        for_each_open_side_window([](QWidget* w) { w->hide(); });
        // Without a notification area a hidden window could not be found
        // again: it then stays minimised in the task bar.
        if (notification_area_available())
            hide();
        taskicon_load();
        return;
    }

    const Qt::WindowStates maximised =
            (windowState() & ~(Qt::WindowMinimized | Qt::WindowFullScreen)) | Qt::WindowMaximized;
    if (windowState() != maximised)
        setWindowState(maximised);
    for_each_open_side_window([](QWidget* w) {
        w->show();
        // Above the maximised main window.
        w->raise();
    });
    connect(timer1, &QTimer::timeout, this, &view::timer1_Timer, Qt::UniqueConnection);
    timer1->start();
}

void view::timer1_Timer()
{
    timer1->stop();
    taskicon_unload();
}

// ------------------------------------------------------- notification area

void view::taskicon_load()
{
    taskicon_unload();
    tray_icon_ = new taskicon(online, QIcon(iconPic[0]->pixmap()), QIcon(iconPic[1]->pixmap()), this);
    connect(tray_icon_, &taskicon::restore_requested, this, [this] {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        activateWindow();
    });
}

void view::taskicon_unload()
{
    delete tray_icon_;
    tray_icon_ = nullptr;
}

void view::taskicon_reload()
{
    taskicon_unload();
    taskicon_load();
}

// ------------------------------------------------------------------ hover

void view::Form_MouseMove() { remove_button_hover(); }

void view::Frame_MouseMove() { remove_button_hover(); }

void view::remove_button_hover()
{
    if (hovered_button != 99) {
        if (setting_bool(QStringLiteral("コマンドボタン"))) {
            for (int i = 18; i <= 35; ++i)
                img[i]->show();
        } else {
            for (int i = 0; i <= 17; ++i)
                if (picture_has_border(img[i]))
                    set_picture_border(img[i], false, false);
        }
        hovered_button = 99;
    }
    if (WebBrowser->isVisible() && !imgGo[1]->isVisible())
        imgGo[1]->show();
}

void view::img_MouseMove(int index)
{
    if (index < 0 || index > 35)
        return;
    const bool pane = WebBrowser->isVisible();
    if (index != hovered_button) {
        if (setting_bool(QStringLiteral("コマンドボタン"))) {
            // Grey style: the face under the mouse uncovers its button,
            // except the faces of buttons that do nothing in this mode.
            if (index >= 18) {
                for (int i = 18; i <= 35; ++i)
                    img[i]->show();
                const bool inert = (pane && index >= 19 && index <= 29) || (!pane && index >= 33);
                if (!inert) {
                    img[index]->hide();
                    hovered_button = index;
                }
            }
        } else {
            // Colour style: the button under the mouse is raised.
            for (int i = 0; i <= 17; ++i)
                if (picture_has_border(img[i]))
                    set_picture_border(img[i], false, false);
            const bool inert = (pane && index >= 1 && index <= 11) || (!pane && index >= 18);
            if (!inert) {
                set_picture_border(img[index], true, true);
                hovered_button = index;
            }
        }
    }
    if (pane && !imgGo[1]->isVisible())
        imgGo[1]->show();
}
