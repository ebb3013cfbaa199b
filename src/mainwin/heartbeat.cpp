#include "heartbeat.h"

#include "view.h"

#include "command_line.h"
#include "display_runner.h"

#include "menus.h"

#include "platform/transfer.h"
#include "reports/change_detection.h"
#include "reports/colouring.h"
#include "reports/heartbeat.h"
#include "reports/request.h"
#include "startup/notices.h"
#include "core/clock.h"
#include "core/database.h"
#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScopeGuard>
#include <QTextEdit>
#include <QTimer>

using namespace kolde_sub;

namespace {

const QString crlf = QStringLiteral("\r\n");

}  // namespace

Heartbeat::Heartbeat(view& window, ConsoleSession& session)
    : window_(window)
    , session_(session)
{
    timer_ = new QTimer(&window);
    timer_->setObjectName(QStringLiteral("Timer"));
    timer_->setInterval(1000);  // a tick a second, also when started before the first activation
    QObject::connect(timer_, &QTimer::timeout, &window, &view::Timer_Timer);
}

void Heartbeat::start() { timer_->start(); }

void Heartbeat::stop() { timer_->stop(); }

bool Heartbeat::is_running() const { return timer_->isActive(); }

void Heartbeat::start_every_second()
{
    timer_->setInterval(1000);
    timer_->start();
}

void Heartbeat::cancel_probe()
{
    if (probe_ != nullptr)
        probe_->cancel();
}

void Heartbeat::connection_failed() { connection_lost(); }

void Heartbeat::tick()
{
    // The probe's transfer takes one request at a time: a tick that comes
    // while a tick's work still waits (the timer was switched on again
    // meanwhile) is dropped.
    if (busy_)
        return;
    count_cycle_tick();
    if (cycle_ticks() < probe_period_)
        return;

    QPointer<view> self(&window_);
    busy_ = true;
    const auto release = qScopeGuard([this, self] {
        if (self)
            busy_ = false;
    });

    // No tick runs while the probe and the cycle work.
    postpone_next_cycle();
    timer_->stop();
    const int interval = update_interval();
    probe_period_ = probe_period_seconds(interval);

    const bool answered = probe_answers(interval);
    if (!self)
        return;
    if (!answered) {
        connection_lost();
        return;
    }

    window_.connection_panel->setText(QStringLiteral("ネットワーク接続確立"));
    was_online_ = true;
    set_network_menus_enabled(true);

    if (!is_online()) {
        reconnected();
        return;
    }
    run_cycle(interval);
}

bool Heartbeat::probe_answers(int interval)
{
    QPointer<view> self(&window_);
    if (!probe_)
        probe_ = new platform::Transfer(&window_);
    probe_->cancel();
    probe_->set_request_timeout(probe_timeout_seconds(interval));
    const platform::TransferResult result = probe_->get(addresses().update + QStringLiteral("/data/version.dat"));
    if (!self)
        return false;
    probe_->cancel();
    const QString reply = result.ok ? platform::decode_text(result.body) : QString();
    return probe_answered(result.ok, reply);
}

void Heartbeat::connection_lost()
{
    view& v = window_;
    QPointer<view> self(&v);
    set_online(false);
    v.connection_panel->setText(QStringLiteral("ネットワーク未接続"));
    set_network_menus_enabled(false);
    if (was_online_) {
        show_connection_change(QStringLiteral("DISCONNECT NETWORK"), v.connection_icon(false));
        if (setting_bool(key::disconnect_message) && !v.isMinimized()) {
            // The notice may ring first and wait for its sound.
            show_network_loss_notice();
            if (!self)
                return;
        }
    }
    write_log(QStringLiteral("NETWORK DISCONNECTED"));
    write_log(QStringLiteral("STANDBY DATA RELOAD"));
    v.set_status_text(QStringLiteral("再受信待機"));
    was_online_ = false;
    timer_->start();
}

void Heartbeat::reconnected()
{
    view& v = window_;
    set_online(true);
    show_connection_change(QStringLiteral("RECONNECT NETWORK"), v.connection_icon(true));
    write_log(QStringLiteral("RECONNECT NETWORK"));
    close_network_loss_notice();
    postpone_next_cycle();
    timer_->start();
}

void Heartbeat::show_connection_change(const QString& line, const QIcon& icon)
{
    view& v = window_;
    // The line being typed stays whole and keeps working: it makes way for
    // the notice and follows it, the caret at its end.
    const QString typed = v.command_line_->take_typed_line();
    v.append_console_text(crlf + line + crlf);
    v.console_caret_to_end();
    color_report_text();
    v.keep_typed_line(typed);
    v.console_caret_to_end();
    if (v.isMinimized())
        v.taskicon_reload();
    v.setWindowIcon(icon);
}

void Heartbeat::run_cycle(int interval)
{
    // The decode cycle. Its detection and display are display work: while
    // a display runs, the whole cycle waits for the next probe.
    if (window_.display_running()) {
        timer_->start();
        return;
    }

    // At most one cycle every update interval, counted in minutes of UTC
    // from the last one, whatever 時差 is or becomes meanwhile.
    if (in_standby(session_.standby_start, interval, now_utc())) {
        timer_->start();
        window_.fetch_hourly_cycles();
        return;
    }

    // The automatic-decode list is the request but there is nothing to run:
    // the heartbeat stops, probes included, until a command starts it again.
    if (session_.auto_mode && (!setting_bool(key::auto_decode) || rs_autodecode().record_count() == 0)) {
        window_.set_status_text(QStringLiteral("自動デコード停止"));
        window_.fetch_hourly_cycles();
        return;
    }

    QPointer<view> self(&window_);
    if (!session_.new_request) {
        // The request has been shown: show it again when a station has new
        // reports. The display started here rings, notifies and prints.
        session_.timer_run = true;
        window_.start_display([this, self] {
            detect_report_changes();
            if (!self || !reports_changed_)
                return false;
            session_.ready_line_break = true;
            return true;
        });
    } else {
        session_.ready_line_break = true;
        if (session_.auto_mode)
            window_.start_display([] {
                write_log(QStringLiteral("AUTO DECODE SEQUENCE START"));
                return true;
            });
    }
    if (!self)
        return;

    timer_->start();
    session_.timer_run = false;
    session_.standby_start = standby_stamp(now_utc());
    window_.fetch_hourly_cycles();
}

void Heartbeat::detect_report_changes()
{
    view& v = window_;
    QPointer<view> self(&v);
    v.console_box->viewport()->setCursor(Qt::IBeamCursor);
    v.unsetCursor();
    // Whatever an earlier pass found has had its display: a change found
    // then must not show the request again now.
    reports_changed_ = false;
    if (session_.station_count == 0 || !setting_bool(key::auto_decode))
        return;

    for (int r = 1; r <= session_.station_count && r < static_cast<int>(current_request().stations().size()); ++r) {
        const QString code = current_request().stations()[r][station_code].toUpper();
        for (const bool forecast : {false, true}) {
            session_.current_url = forecast ? addresses().forecasts : addresses().observations;
            const platform::TransferResult result = v.display_->transfer().get(session_.current_url + code + QStringLiteral(".TXT"));
            if (!self)
                return;
            v.display_->transfer().cancel();
            // Window events ran during the wait; the table is looked up again.
            if (r > session_.station_count || r >= static_cast<int>(current_request().stations().size()))
                return;
            const QString reply = result.ok ? platform::decode_text(result.body) : QString();
            StationRow row = current_request().stations()[r];
            const FileCheck check = forecast ? check_forecast(row, code, result.ok, reply, v.padlbl->text())
                                             : check_observation(row, code, result.ok, reply, v.padlbl->text());
            current_request().set_station(r, row);
            if (!check.changed)
                continue;
            reports_changed_ = true;
            if (!check.mark)
                continue;
            v.padlbl->setText(v.padlbl->text() + check.mark->pad);
            write_log(check.mark->log);
        }
    }
}

void Heartbeat::set_network_menus_enabled(bool enabled)
{
    window_.menus_->set_network_items_enabled(enabled, window_.in_browser_mode());
}

// ---- the window's names for the heartbeat's work

void view::detect_report_changes() { heartbeat_->detect_report_changes(); }

void view::set_network_menus_enabled(bool enabled) { heartbeat_->set_network_menus_enabled(enabled); }
