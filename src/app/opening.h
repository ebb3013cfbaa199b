// The start-up window: refuses a second instance, sets the built-in
// addresses, shows the splash and runs the start-up sequence once on a
// 200 ms timer.
#pragma once

#include <QFrame>
#include <QPointer>
#include <QWidget>

class QLabel;
class QNetworkAccessManager;
class QTimer;

namespace kolde_sub { class StartupSequence; }

class opening : public QWidget {
    Q_OBJECT
public:
    // The splash attaches itself to the sequence (its unload and its
    // activation after the sequence's message boxes) and detaches when it
    // goes; the sequence must outlive it.
    explicit opening(kolde_sub::StartupSequence* sequence);
    ~opening() override;

    // Load: false when the program is to end because another instance runs
    // or the program folder cannot be written (the box has been shown).
    [[nodiscard]] bool Form_Load();

    // Activate: asks the update site for its splash page. Every activation
    // sends a request of its own and waits for nothing, so it never holds up
    // or disturbs the sequence's transfers.
    void Form_Activate();

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
    void Timer_Timer();

    kolde_sub::StartupSequence* sequence_;
    // Stand-in for the hidden page the splash loads: plain requests whose
    // results nobody reads.
    QNetworkAccessManager* AccessBrowser = nullptr;
};
