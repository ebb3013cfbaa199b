#include "taskicon.h"

namespace {

std::optional<bool> area_override;

}  // namespace

QString taskicon_tip(bool connected)
{
    return connected ? QStringLiteral("KOLDE") : QStringLiteral("接続断");
}

bool taskicon_restores(QSystemTrayIcon::ActivationReason reason)
{
    return reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context;
}

bool notification_area_available()
{
    if (area_override)
        return *area_override;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void set_notification_area_available(std::optional<bool> available) { area_override = available; }

taskicon::taskicon(bool connected, const QIcon& connected_icon, const QIcon& disconnected_icon, QObject* parent)
    : QObject(parent)
    , connected_(connected)
{
    setObjectName(QStringLiteral("taskicon"));
    icon_ = new QSystemTrayIcon(connected ? connected_icon : disconnected_icon, this);
    icon_->setToolTip(taskicon_tip(connected));
    connect(icon_, &QSystemTrayIcon::activated, this, &taskicon::Form_MouseMove);
    // Without a notification area there is nowhere to put the icon; the
    // main window then stays in the task bar (see view::Form_Resize).
    if (notification_area_available())
        icon_->show();
}

taskicon::~taskicon()
{
    icon_->hide();
}

QString taskicon::tip() const { return icon_->toolTip(); }
QIcon taskicon::icon() const { return icon_->icon(); }
bool taskicon::shown() const { return icon_->isVisible(); }

void taskicon::Form_MouseMove(QSystemTrayIcon::ActivationReason reason)
{
    if (taskicon_restores(reason))
        emit restore_requested();
}
