// The heartbeat: every second the timer counts; every probe period it asks
// the update site for its version file to learn whether the network is up,
// switches the network menus and the connection state, tells the user of a
// loss or a return of the connection and, while connected, runs the
// automatic decode cycle: it shows the current request again when new
// reports came, starts the automatic-decode list when it is pending, and
// keeps the hourly cycle files.

#include "view.h"

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
#include <QTime>
#include <QTimer>

using namespace kolde_sub;

namespace {

const QString crlf = QStringLiteral("\r\n");

}  // namespace

void view::Timer_Timer()
{
    // The probe's transfer takes one request at a time: a tick that comes
    // while a tick's work still waits (the timer was switched on again
    // meanwhile) is dropped.
    if (heartbeat_busy)
        return;
    count_cycle_tick();
    if (cycle_ticks() < probe_period)
        return;

    QPointer<view> self(this);
    heartbeat_busy = true;
    const auto release = qScopeGuard([self] {
        if (self)
            self->heartbeat_busy = false;
    });

    // No tick runs while the probe and the cycle work.
    postpone_next_cycle();
    Timer->stop();
    const int interval = update_interval();
    probe_period = probe_period_seconds(interval);

    if (!probe)
        probe = new platform::Transfer(this);
    probe->cancel();
    probe->set_request_timeout(probe_timeout_seconds(interval));
    const platform::TransferResult result = probe->get(addresses().update + QStringLiteral("/data/version.dat"));
    if (!self)
        return;
    probe->cancel();
    const QString reply = result.ok ? platform::decode_text(result.body) : QString();

    if (!probe_answered(result.ok, reply)) {
        // The network is lost, or still lost.
        set_online(false);
        connection_panel->setText(QStringLiteral("ネットワーク未接続"));
        set_network_menus_enabled(false);
        if (was_online) {
            append_console_text(crlf + QStringLiteral("DISCONNECT NETWORK") + crlf);
            console_caret_to_end();
            color_report_text();
            if (isMinimized())
                taskicon_reload();
            setWindowIcon(connection_icon(false));
            if (setting_bool(key::disconnect_message) && !isMinimized()) {
                // The notice may ring first and wait for its sound.
                show_network_loss_notice();
                if (!self)
                    return;
            }
        }
        write_log(QStringLiteral("NETWORK DISCONNECTED"));
        write_log(QStringLiteral("STANDBY DATA RELOAD"));
        session.status_text = QStringLiteral("再受信待機");
        if (!browser_pane_shown())
            status_panel->setText(session.status_text);
        was_online = false;
        Timer->start();
        return;
    }

    connection_panel->setText(QStringLiteral("ネットワーク接続確立"));
    was_online = true;
    set_network_menus_enabled(true);

    if (!is_online()) {
        // The network is back; the next cycle waits for the next probe.
        set_online(true);
        append_console_text(crlf + QStringLiteral("RECONNECT NETWORK") + crlf);
        console_caret_to_end();
        color_report_text();
        if (isMinimized())
            taskicon_reload();
        setWindowIcon(connection_icon(true));
        write_log(QStringLiteral("RECONNECT NETWORK"));
        close_network_loss_notice();
        postpone_next_cycle();
        Timer->start();
        return;
    }

    // The decode cycle. Its detection and display are display work: while
    // a display runs, the whole cycle waits for the next probe.
    if (display_running()) {
        Timer->start();
        return;
    }

    // At most one cycle every update interval, counted in minutes from the
    // last one.
    if (in_standby(session.standby_start, interval, time_local())) {
        Timer->start();
        fetch_hourly_cycles();
        return;
    }

    // The automatic-decode list is the request but there is nothing to run:
    // the heartbeat stops, probes included, until a command starts it again.
    if (session.auto_mode && (!setting_bool(key::auto_decode) || rs_autodecode().record_count() == 0)) {
        session.status_text = QStringLiteral("自動デコード停止");
        if (!browser_pane_shown())
            status_panel->setText(session.status_text);
        fetch_hourly_cycles();
        return;
    }

    if (!session.new_request) {
        // The request has been shown: show it again when a station has new
        // reports. The display started here rings, notifies and prints.
        session.timer_run = true;
        start_display([this, self] {
            detect_report_changes();
            if (!self || !reports_changed)
                return false;
            session.ready_line_break = true;
            return true;
        });
    } else {
        session.ready_line_break = true;
        if (session.auto_mode)
            start_display([] {
                write_log(QStringLiteral("AUTO DECODE SEQUENCE START"));
                return true;
            });
    }
    if (!self)
        return;

    Timer->start();
    session.timer_run = false;
    session.standby_start = standby_stamp(time_local());
    fetch_hourly_cycles();
}

void view::detect_report_changes()
{
    QPointer<view> self(this);
    console_box->viewport()->setCursor(Qt::IBeamCursor);
    unsetCursor();
    // Whatever an earlier pass found has had its display: a change found
    // then must not show the request again now.
    reports_changed = false;
    if (session.station_count == 0 || !setting_bool(key::auto_decode))
        return;

    for (int r = 1; r <= session.station_count && r < static_cast<int>(current_request().stations().size()); ++r) {
        const QString code = current_request().stations()[r][station_code].toUpper();
        for (const bool forecast : {false, true}) {
            session.current_url = forecast ? addresses().forecasts : addresses().observations;
            const platform::TransferResult result = inet->get(session.current_url + code + QStringLiteral(".TXT"));
            if (!self)
                return;
            inet->cancel();
            // Window events ran during the wait; the table is looked up again.
            if (r > session.station_count || r >= static_cast<int>(current_request().stations().size()))
                return;
            const QString reply = result.ok ? platform::decode_text(result.body) : QString();
            StationRow row = current_request().stations()[r];
            const FileCheck check = forecast ? check_forecast(row, code, result.ok, reply, padlbl->text())
                                             : check_observation(row, code, result.ok, reply, padlbl->text());
            current_request().set_station(r, row);
            if (!check.changed)
                continue;
            reports_changed = true;
            if (!check.mark)
                continue;
            padlbl->setText(padlbl->text() + check.mark->pad);
            write_log(check.mark->log);
        }
    }
}

void view::set_network_menus_enabled(bool enabled)
{
    network_menus_on = enabled;
    const bool browser_mode = in_browser_mode();
    const bool airports = menu_listAP.size() > 1 || !menu_listAP[0]->text().isEmpty();
    menu_list->menuAction()->setEnabled(enabled && airports && !browser_mode);
    menu_company->menuAction()->setEnabled(enabled && !browser_mode);
    menu_update->setEnabled(enabled && !browser_mode);
    menu_popup_group->menuAction()->setEnabled(enabled && group_menu_count > 0);
    for (QAction* a : {menu_chart, menu_camera, menu_info_help, menu_info_homepage, menu_popup_wx, menu_popup_cam,
                       menu_popup_help, menu_popup_homepage})
        a->setEnabled(enabled);
}

