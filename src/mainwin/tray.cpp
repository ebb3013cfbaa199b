#include "tray.h"

#include "taskicon.h"
#include "sidewin/open_windows.h"

#include "core/log.h"
#include "core/program.h"
#include "sidewin/log_window.h"
#include "sidewin/side_windows.h"

#include <QIcon>
#include <QMainWindow>
#include <QPainter>
#include <QTimer>

using namespace kolde_sub;

namespace {

QPixmap connection_face(bool connected)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(connected ? QColor(0, 170, 0) : QColor(200, 0, 0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, 14, 14);
    return pm;
}

// The side windows that leave and come back with the main window, in the
// order they do so, each with its open flag. A window that is not built
// yet gives no window, whatever its flag says.
struct SideWindow {
    SideWindowId which;
    QWidget* (*window)();
};

QWidget* shown_log_window() { return log_loaded() ? log_window() : nullptr; }

const SideWindow side_windows[] = {
        {SideWindowId::chart, chart_window},
        {SideWindowId::camera, camera_window},
        {SideWindowId::log, shown_log_window},
        {SideWindowId::command, command_window},
};

template <typename F>
void for_each_open_side_window(F f)
{
    for (const SideWindow& s : side_windows) {
        if (!side_window_open(s.which))
            continue;
        if (QWidget* w = s.window())
            f(w);
    }
}

}  // namespace

Tray::Tray(QMainWindow& window)
    : window_(window)
    , online_face_(connection_face(true))
    , offline_face_(connection_face(false))
{
    timer_ = new QTimer(&window_);
    timer_->setObjectName(QStringLiteral("timer1"));
    connect(timer_, &QTimer::timeout, this, &Tray::tick);
}

QIcon Tray::connection_icon(bool connected) const { return QIcon(connected ? online_face_ : offline_face_); }

// --------------------------------------------------------- size and state

void Tray::follow_window_state()
{
    if (window_.windowState() & Qt::WindowMinimized) {
        for_each_open_side_window([](QWidget* w) { w->hide(); });
        // Without a notification area a hidden window could not be found
        // again: it then stays minimised in the task bar.
        if (notification_area_available())
            window_.hide();
        load();
        return;
    }

    const Qt::WindowStates maximised =
            (window_.windowState() & ~(Qt::WindowMinimized | Qt::WindowFullScreen)) | Qt::WindowMaximized;
    if (window_.windowState() != maximised)
        window_.setWindowState(maximised);
    for_each_open_side_window([](QWidget* w) {
        w->show();
        // Above the maximised main window.
        w->raise();
    });
    timer_->start();
}

void Tray::tick()
{
    timer_->stop();
    unload();
}

void Tray::reset_timer()
{
    timer_->stop();
    timer_->setInterval(1000);
}

void Tray::shut_down()
{
    unload();
    timer_->stop();
}

// ------------------------------------------------------- notification area

void Tray::load()
{
    unload();
    icon_ = new taskicon(is_online(), connection_icon(true), connection_icon(false), &window_);
    connect(icon_, &taskicon::restore_requested, this, [this] {
        window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
        window_.show();
        window_.activateWindow();
    });
}

void Tray::unload()
{
    delete icon_;
    icon_ = nullptr;
}

void Tray::reload()
{
    unload();
    load();
}
