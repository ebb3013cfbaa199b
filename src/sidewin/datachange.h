// The data-updated notice: a small borderless window that the report display
// shows, without blocking, after new reports have arrived. It stays on top,
// takes the console's colours and closes itself on the second tick of its
// one-second timer.
#pragma once

#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

namespace kolde_sub {

class datachange : public QWidget {
    Q_OBJECT
public:
    // main_window: the window whose minimised state makes the notice skip
    // itself.
    explicit datachange(QWidget* main_window);

    QTimer* Timer = nullptr;
    QFrame* spe = nullptr;  // outline
    QLabel* lbl = nullptr;
    int notice_ticks = 0;

    // True when the load found the main window minimised: the notice is not
    // shown and goes away.
    bool skipped() const { return skipped_; }

    void Timer_Timer();

private:
    void Form_Load();

    QPointer<QWidget> main_window_;
    bool skipped_ = false;
};

// Loads a fresh notice and shows it modeless; nullptr when it skipped itself
// because the main window is minimised. The notice deletes itself when it
// closes.
datachange* show_datachange(QWidget* main_window);

}  // namespace kolde_sub
