// The main window's heartbeat: every second its timer counts; every probe
// period it asks the update site for its version file to learn whether the
// network is up, switches the network menus and the connection state, tells
// the user of a loss or a return of the connection and, while connected,
// runs the automatic decode cycle: it shows the current request again when
// new reports came, starts the automatic-decode list when it is pending,
// and keeps the hourly cycle files.
//
// The probe has a transfer of its own, so it never cancels or waits on a
// display's transfer. The cycle's work (the detection and the display)
// counts as display work: while a display runs, it waits for the next probe.
#pragma once

struct ConsoleSession;
class QIcon;
class QString;
class QTimer;
class view;
namespace platform { class Transfer; }
namespace kolde_test { class ViewDriver; }

class Heartbeat {
public:
    // Creates the timer (a tick a second, stopped) on the window; its ticks
    // go to the window's Timer_Timer.
    Heartbeat(view& window, ConsoleSession& session);

    // ---- the timer
    void start();
    void stop();
    bool is_running() const;
    // A tick a second from now on.
    void start_every_second();
    // The next tick probes.
    void probe_on_next_tick() { probe_period_ = 0; }
    // The connection counts as up until a probe finds it lost.
    void assume_online() { was_online_ = true; }
    // The shut-down: the probe under way gives up.
    void cancel_probe();
    // A transfer of the reports got no answer at all: the connection counts
    // as lost, as when a probe gets none, until a probe finds it again. The
    // probes go on (the timer runs) to find it.
    void connection_failed();

    // One tick of the timer: counts it and, every probe period, probes and
    // runs the cycle. A tick that comes while a tick's work still waits is
    // dropped.
    void tick();

    // Fetches each station's two files again, compares their stamps with the
    // station table, marks the changed stations on the pad, logs them and
    // sets reports_changed. reports_changed is cleared first, in any case.
    void detect_report_changes();
    // On (true) or off, the twelve menu items whose work needs the network.
    // Coming back on, the entries that browser mode holds off stay off until
    // the pane closes, and the airport and pop-up group entries stay off while
    // they have no rows (their first item would repeat an old request).
    void set_network_menus_enabled(bool enabled);

private:
    friend class kolde_test::ViewDriver;

    // Asks the update site for its version file; true when it answered. The
    // window may be gone afterwards.
    bool probe_answers(int interval);
    // The network is lost, or still lost.
    void connection_lost();
    // The network is back; the next cycle waits for the next probe.
    void reconnected();
    // The console's line of a loss or a return of the connection, then the
    // icons of the new state.
    void show_connection_change(const QString& line, const QIcon& icon);
    // The automatic decode cycle, while connected.
    void run_cycle(int interval);

    view& window_;
    ConsoleSession& session_;
    QTimer* timer_ = nullptr;
    platform::Transfer* probe_ = nullptr;  // created on the first probe
    int probe_period_ = 0;
    bool was_online_ = false;
    bool reports_changed_ = false;
    bool busy_ = false;  // a tick's probe or cycle is under way
};
