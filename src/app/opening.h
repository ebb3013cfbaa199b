// The start-up window: refuses a second instance, sets the built-in
// addresses, shows the splash and runs the start-up sequence once on a
// 200 ms timer.
#pragma once

#include "platform/transfer.h"

#include <QFrame>
#include <QPointer>
#include <QWidget>

class QLabel;
class QTimer;

namespace kolde_sub { class StartupSequence; }

class opening : public QWidget {
    Q_OBJECT
public:
    explicit opening(kolde_sub::StartupSequence* sequence);
    ~opening() override;

    // Load: false when another instance runs (the box has been shown and the
    // program is to end).
    bool Form_Load();

    // The store as the sequence opens it.
    static bool open_database();
    static bool migrate_database();

    QLabel* image = nullptr;
    QLabel* lbl = nullptr;
    QFrame* shape = nullptr;
    QFrame* Frame1 = nullptr;
    QTimer* Timer = nullptr;

protected:
    void showEvent(QShowEvent* e) override;   // Activate
    void closeEvent(QCloseEvent* e) override;  // QueryUnload

private:
    void Form_Activate();
    void Timer_Timer();

    kolde_sub::StartupSequence* sequence_;
    // Stand-in for the hidden page the splash loads: a plain request whose
    // result nobody reads.
    platform::Transfer AccessBrowser;
};
