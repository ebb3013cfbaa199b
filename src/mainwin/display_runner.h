// The display runner: one display of the reports at a time, of whatever kind
// the request is (the reports, the Japanese translation, the hourly sequence
// from the cycle files or from the record of this run's observations). It
// owns the staging text a display gathers before it becomes the console's
// text, the display's two transfers (the station files, the hourly cycle
// files), the sequence record and the retry of a sequence display that
// lacked hours.
//
// A display waits for the network with window events running, so keys,
// menus and timers are handled in the middle of it; none of them may start a
// second display on the state the running one works on. Whatever starts a
// display goes through view::start_display, the retry included.
//
// A display whose station file gets no answer at all (refused, unreachable,
// timed out) has found the network gone: it stops there, the console
// answers as it does offline, and the heartbeat takes the connection for
// lost.
#pragma once

#include <QString>

#include <functional>

class QTextDocument;
class QTimer;
class view;
namespace platform { class Transfer; }
namespace kolde_sub {
struct ReportReply;
struct StationFile;
}
namespace kolde_test { class ViewDriver; }

class DisplayRunner {
public:
    // Creates the staging text, the transfers and the retry timer as
    // children of the window.
    explicit DisplayRunner(view& window);

    bool running() const { return running_; }
    void build_station_list();
    // Fetches the file of the station code under the session's current_url
    // (the observation or the forecast folder).
    kolde_sub::StationFile fetch_station_file(const QString& code);
    // The local copies of the hourly cycle files, at most once a ten-minute
    // slot, while the sequence setting is on.
    void fetch_hourly_cycles();
    // Gives up the fetch of the cycle files under way.
    void cancel_hourly_fetch();
    // The retry timer's tick: the sequence request is shown again.
    void retry_sequence();
    // The retry is off and, once started, ticks every three seconds.
    void reset_sequence_retry();

    // The text gathered so far, with CR LF line breaks.
    QString staged_text() const;
    void set_staged_text(const QString& text);
    void clear_staging();

    // The display's transfer of the station files; the heartbeat's change
    // detection and the version check share it.
    platform::Transfer& transfer() { return *transfer_; }
    // No transfer completes and no retry fires any more.
    void stop();

private:
    friend class kolde_test::ViewDriver;
    // Every display, the retry's too, starts through view::start_display,
    // which types the keys that waited for it once it has ended.
    friend class view;

    // Refused, changing nothing, while a display runs: returns false. Else
    // prepare runs first (it sets up the request and may itself wait; false
    // from it drops the display), then the display; returns true.
    bool start(const std::function<bool()>& prepare = {});

    // The display itself, whatever its kind.
    void run_display();
    void normal_display();
    // The status text and the "LOADING" lines of a normal display.
    void begin_normal_display(const QString& list);
    // Each station's observation and, when it is there, its forecast; false
    // when the window went away meanwhile.
    bool add_station_reports(const QString& list);
    void show_update_status();
    // The status text of the running automatic decode, updated now; otherwise
    // when the time difference is no number.
    QString running_status_now(const QString& otherwise) const;
    // After a display that fetched reports: the status texts that tell the
    // last update tell now.
    void refresh_update_time();
    // New reports found by the heartbeat: ring, notice, print.
    void announce_new_reports();
    void japanese_display();
    void hourly_sequence_display();
    void file_sequence_display();
    // staged_before: what was staged before the display began.
    void end_display(const QString& staged_before);
    bool answer_without_network(const QString& staged_before);
    // A station file on the display's transfer.
    kolde_sub::ReportReply fetch_report(const QString& url);
    void append_staging(const QString& text);
    void append_sequence_file();
    QString translate_report(const QString& code, const QString& time, const QString& body);

    view& v_;
    QTextDocument* staging_ = nullptr;
    platform::Transfer* transfer_ = nullptr;        // the station files
    platform::Transfer* cycle_transfer_ = nullptr;  // the hourly cycle files
    QTimer* retry_timer_ = nullptr;                 // retry of the sequence display
    bool running_ = false;
    QString pending_sequence_record_;
    int sequence_retries_ = 0;  // retries of the current sequence request
    bool network_lost_ = false;  // a fetch of this display got no answer at all
};
