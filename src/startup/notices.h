// The two notices that tell the user the update site cannot be reached:
// noconnectmsg (modal, at start-up; the program ends when it closes) and
// message (modeless, from the heartbeat; may ring, blinks, closes itself
// after 180 seconds).
#pragma once

#include "core/program.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QLabel;
class QPushButton;
class QTimer;

namespace kolde_sub {

// A dialog button that takes a grey face while the mouse is over it and
// gives it back when the mouse moves on over the window.
class HoverButtonDialog : public QDialog {
    Q_OBJECT
public:
    explicit HoverButtonDialog(QWidget* parent = nullptr);
    bool hovering() const { return hover_ != 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void watch_button(QPushButton* button);

private:
    QPushButton* button_ = nullptr;
    int hover_ = 0;
};

class noconnectmsg : public HoverButtonDialog {
    Q_OBJECT
public:
    explicit noconnectmsg(QWidget* parent = nullptr);
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Picture1 = nullptr;

protected:
    void showEvent(QShowEvent* e) override;  // Activate
};

class message : public HoverButtonDialog {
    Q_OBJECT
public:
    explicit message(QWidget* parent = nullptr);
    QLabel* lbl = nullptr;
    QPushButton* cmd = nullptr;
    QLabel* image = nullptr;
    QTimer* Timer = nullptr;
    int ticks = 0;

    void Timer_Timer();

protected:
    void showEvent(QShowEvent* e) override;  // Activate

private:
    void Form_Load();
};

// The one network-loss notice while it is open, else null. Shared state,
// owner show_network_loss_notice and close_network_loss_notice.
message* network_loss_notice();
// Shows the network-loss notice (a fresh one each time) modeless; plays the
// alarm first when 切断時アラーム is on and sound/error.wav exists.
message* show_network_loss_notice();
// Closes the notice when it is open (the network came back).
void close_network_loss_notice();

// What plays the alarm of the notice and waits for its end (a bounded wait):
// platform::play_and_wait unless another player is put in; an empty
// function puts the platform's player back.
using AlarmPlayer = std::function<bool(const QString& path)>;
void set_alarm_player(AlarmPlayer player);

}  // namespace kolde_sub
