// The main window's minimised state and the notification-area icon that
// stands in for it: minimising hides the window and its open side windows
// and puts up the icon; any other change maximises the window again, brings
// the side windows back and takes the icon down a second later. The icon's
// two faces (connected and not) are the window's own icon too.
#pragma once

#include <QObject>
#include <QPixmap>

class QIcon;
class QMainWindow;
class QTimer;
class taskicon;
namespace kolde_test { class ViewDriver; }

class Tray : public QObject {
public:
    // Creates the one-second timer that takes the icon down, stopped, as a
    // child of the window.
    explicit Tray(QMainWindow& window);

    // The window's size or state changed.
    void follow_window_state();
    // The timer's tick: the icon goes.
    void tick();

    // The icon, for the connection state as it is now; reload unloads and
    // loads it, so that icon and tip follow the connection state.
    void load();
    void unload();
    void reload();
    taskicon* icon() const { return icon_; }
    QIcon connection_icon(bool connected) const;

    // The timer stopped, to tick every second once started (the first
    // activation).
    void reset_timer();
    // The shut-down: the icon down and the timer stopped.
    void shut_down();

private:
    friend class kolde_test::ViewDriver;

    QMainWindow& window_;
    QTimer* timer_ = nullptr;
    taskicon* icon_ = nullptr;
    QPixmap online_face_;
    QPixmap offline_face_;
};
