#include "camera.h"

#include "core/program.h"
#include "core/twips.h"
#include "sidewin/open_windows.h"

#include <QAction>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

namespace kolde_sub {

namespace {

// The window's client area at load, in twips.
constexpr int client_width_twips = 10230;
constexpr int client_height_twips = 7830;
constexpr int refresh_seconds = 60;

}  // namespace

std::vector<CameraItem> camera_items()
{
    const QString web = builtin_web_url() + QStringLiteral("/camera");
    const QString broadcaster = web + QStringLiteral("/hbc");
    return {
        {QStringLiteral("menu_haneda"), QStringLiteral("羽田空港"),
         web + QStringLiteral("/haneda/ImageViewer?Mode=Motion&Resolution=640x480&Quality=Clarity&Interval=10"), false,
         false},
        {QStringLiteral("menu_shinnchitose"), QStringLiteral("新千歳空港"),
         broadcaster + QStringLiteral("/camera/chitose_L.jpg"), true, true},
        {QStringLiteral("menu_sapporo"), QStringLiteral("札幌市街"), broadcaster + QStringLiteral("/camera/sapporo_L.jpg"),
         true, true},
        {QStringLiteral("menu_asahikawa"), QStringLiteral("旭川市街"),
         broadcaster + QStringLiteral("/camera/asahikawa_L.jpg"), true, true},
        {QStringLiteral("menu_hakodate"), QStringLiteral("函館市街"),
         broadcaster + QStringLiteral("/camera/hakodate_L.jpg"), true, true},
        {QStringLiteral("menu_sendai"), QStringLiteral("仙台空港"), web + QStringLiteral("/sendai/liveimage/live.jpg"),
         true, true},
        {QStringLiteral("menu_fukushima"), QStringLiteral("福島空港"),
         web + QStringLiteral("/fukushima/kukouoffice/photo1.jpg"), true, true},
        {QStringLiteral("menu_toyama"), QStringLiteral("富山空港"),
         web + QStringLiteral("/toyama/picture/camera/gsvr_arisawa/NOW003.jpg"), true, true},
        {QStringLiteral("menu_komatsu"), QStringLiteral("小松空港"), web + QStringLiteral("/komatsu/-wvhttp-01-/GetOneShot"),
         true, true},
        {QStringLiteral("menu_suisha"), QStringLiteral("インディアン水車"),
         web + QStringLiteral("/suisha/CgiStart?page=Single&Resolution=640x480&Quality=Standard&RPeriod=0&Size=STD"
                              "&PresetOperation=Move&Language=1"),
         false, true},
    };
}

camera::camera()
    : web_side_window(QStringLiteral("camera"), SideWindowId::camera)
{
    setWindowTitle(QStringLiteral("新千歳空港"));
    items_ = camera_items();
    QMenuBar* bar = menuBar();
    for (int row = 0; row < static_cast<int>(items_.size()); ++row) {
        QAction* a = bar->addAction(items_[row].caption);
        a->setObjectName(items_[row].name);
        a->setVisible(items_[row].visible);
        connect(a, &QAction::triggered, this, [this, row] { item_Click(row); });
        actions_.append(a);
    }

    const QSize client(px(client_width_twips), px(client_height_twips));
    set_browser_size(client);
    resize(client.width(), client.height() + bar->sizeHint().height());

    camera_refresh_ticks = 0;
    camera_refresh_enabled = true;
    camera_url = items_[1].address;
    navigate(camera_url);
    Timer = new QTimer(this);
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, &camera::Timer_Timer);
    Timer->start();
    const QSize outer = main_window_size_twips();
    move(px((outer.width() - (client_width_twips + frame_width_twips)) / 2),
         px((outer.height() - (client_height_twips + frame_height_twips)) / 2));
}

void camera::item_Click(int row)
{
    if (row < 0 || row >= static_cast<int>(items_.size()))
        return;
    const CameraItem& item = items_[row];
    camera_refresh_enabled = item.still;
    if (item.still)
        camera_refresh_ticks = 0;
    setWindowTitle(item.caption);
    camera_url = item.address;
    navigate(camera_url);
}

void camera::Timer_Timer()
{
    ++camera_refresh_ticks;
    if (camera_refresh_ticks < refresh_seconds)
        return;
    // The next tick comes a full second after the reload.
    Timer->stop();
    camera_refresh_ticks = 0;
    if (camera_refresh_enabled)
        refresh();
    Timer->start();
}

// ------------------------------------------------------------ opening

namespace {

QPointer<camera> the_camera;

}  // namespace

void show_camera()
{
    if (!the_camera)
        the_camera = new camera;
    the_camera->show();
    the_camera->raise();
    the_camera->activateWindow();
}

QWidget* camera_window() { return the_camera.data(); }

}  // namespace kolde_sub
