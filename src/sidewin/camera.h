// The camera window: the live picture of one airport or city camera, chosen
// from its menu bar; still pictures are reloaded every 60 seconds.
#pragma once

#include "chart_web.h"

#include <QList>

#include <vector>

class QAction;
class QTimer;

namespace kolde_sub {

struct CameraItem {
    QString name;     // the menu item's name
    QString caption;  // also the window's caption while it is shown
    QString address;
    bool still;       // a still picture, reloaded; false: a page, never reloaded
    bool visible;
};

// The cameras in menu order, their addresses on the outside sites.
std::vector<CameraItem> camera_items();

class camera : public web_side_window {
    Q_OBJECT
public:
    camera();

    QTimer* Timer = nullptr;
    bool camera_refresh_enabled = true;
    QString camera_url;
    int camera_refresh_ticks = 0;

    const std::vector<CameraItem>& items() const { return items_; }
    QList<QAction*> item_actions() const { return actions_; }

    // A click on a camera of the menu (by its place in items()).
    void item_Click(int row);
    void Timer_Timer();

private:
    std::vector<CameraItem> items_;
    QList<QAction*> actions_;
};

// Shows the camera window without waiting, creating it when it is not
// open; a window already open comes to the front.
void show_camera();
// The open window, or null.
QWidget* camera_window();

}  // namespace kolde_sub
