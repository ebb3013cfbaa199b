// The notification-area icon that stands for the main window while it is
// minimised: the connected icon with the tip "KOLDE", or the disconnected
// icon with the tip "接続断". A press of the left or the right mouse button
// on it asks for the main window back.
//
// Loading the window puts the icon up, unloading it (deleting the object)
// takes it down; each load reads the connection state afresh.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

#include <optional>

// The tip of the icon for a connection state.
QString taskicon_tip(bool connected);

// Whether a click of this kind on the icon brings the main window back:
// a left or a right button press does; a middle click or a double click
// (whose first press already counted) does not.
bool taskicon_restores(QSystemTrayIcon::ActivationReason reason);

// Whether the desktop has a notification area. Tests may decide it.
bool notification_area_available();
void set_notification_area_available(std::optional<bool> available);

class taskicon : public QObject {
    Q_OBJECT
public:
    // Builds the icon for the connection state with one of the two pictures
    // and shows it when the desktop has a notification area.
    taskicon(bool connected, const QIcon& connected_icon, const QIcon& disconnected_icon,
             QObject* parent = nullptr);
    ~taskicon() override;

    QString tip() const;
    QIcon icon() const;
    bool connected() const { return connected_; }
    bool shown() const;

    // What a click on the icon does (the icon's activation).
    void Form_MouseMove(QSystemTrayIcon::ActivationReason reason);

signals:
    void restore_requested();

private:
    QSystemTrayIcon* icon_ = nullptr;
    bool connected_ = false;
};
