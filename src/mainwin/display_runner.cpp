// The report display: fetching the station files, building the display in
// the staging text and putting it into the console; the sequence display and
// its work files; and the retry of a sequence display.

#include "display_runner.h"

#include "console_text.h"
#include "print_rules.h"
#include "request_rules.h"
#include "view.h"

#include "command_line.h"
#include "heartbeat.h"

#include "platform/sound.h"
#include "platform/transfer.h"
#include "reports/colouring.h"
#include "reports/heartbeat.h"
#include "reports/report_reply.h"
#include "reports/request.h"
#include "reports/sequence_files.h"
#include "reports/station_file.h"
#include "reports/zone.h"
#include "sidewin/datachange.h"
#include "translate/stored_sources.h"
#include "core/clock.h"
#include "core/database.h"
#include "core/log.h"
#include "startup/notices.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"

#include <QLabel>
#include <QPointer>
#include <QScopeGuard>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTime>
#include <QTimer>

#include <map>
#include <optional>

using namespace kolde_sub;

namespace {

const QString crlf = QStringLiteral("\r\n");

// The status text of a running automatic decode, before the time of its
// last update.
const QString update_status_prefix = QStringLiteral("自動デコード作動　　最終更新  ");

// The retry of a sequence display that lacked hours ticks this often.
constexpr int sequence_retry_ms = 3000;

bool setting_on(SettingKey name) { return setting_bool(name); }

// One text download on its own request. A file cut off at the transfer's
// size limit is kept up to the cut, with a log row.
ReportReply fetch_text(platform::Transfer& transfer, const QString& url)
{
    const ReportReply reply = report_reply(transfer.get(url));
    if (reply.cut_off)
        write_log(cut_off_log_text(url, transfer.body_limit()));
    return reply;
}

}  // namespace

DisplayRunner::DisplayRunner(view& window)
    : v_(window)
{
    staging_ = new QTextDocument(&v_);
    retry_timer_ = new QTimer(&v_);
    retry_timer_->setObjectName(QStringLiteral("Timer4"));
    QObject::connect(retry_timer_, &QTimer::timeout, &v_, &view::Timer4_Timer);
    transfer_ = new platform::Transfer(&v_);
    cycle_transfer_ = new platform::Transfer(&v_);
    transfer_->set_request_timeout(60);
    transfer_->set_body_limit(station_file_limit);
    cycle_transfer_->set_body_limit(cycle_file_limit);
}

// ------------------------------------------------------------ staging text

QString DisplayRunner::staged_text() const { return from_edit_text(staging_->toPlainText()); }

void DisplayRunner::set_staged_text(const QString& text) { staging_->setPlainText(to_edit_text(text)); }

void DisplayRunner::clear_staging() { staging_->clear(); }

void DisplayRunner::append_staging(const QString& text)
{
    QTextCursor c(staging_);
    c.movePosition(QTextCursor::End);
    c.insertText(to_edit_text(text));
}

// ----------------------------------------------------------- the displays
//
// Each display writes into the staging text; the end of run_display puts
// the staging text into the console. A display waits for its downloads
// with window events running, so the window may go away meanwhile: each
// wait is followed by a check.

void DisplayRunner::normal_display()
{
    v_.setCursor(Qt::WaitCursor);
    v_.console_box->viewport()->setCursor(Qt::WaitCursor);
    if (v_.session.new_request)
        build_station_list();
    v_.set_status_text(QStringLiteral("受信中"));
    const QString list = current_request().codes();
    begin_normal_display(list);
    if (!add_station_reports(list) || network_lost_)
        return;
    show_update_status();
    announce_new_reports();
}

void DisplayRunner::begin_normal_display(const QString& list)
{
    ConsoleSession& session = v_.session;
    if (session.auto_mode && session.new_request)
        v_.append_console_text(crlf + QStringLiteral("AUTO DECODE SEQUENCE START") + crlf + QStringLiteral("LOADING"));
    const QString separator = staged_text().isEmpty() ? QString() : crlf + crlf;
    append_staging(separator + display_header(list, session.group_mode, session.auto_mode, current_request().group()));
    if (!session.group_mode || !session.new_request)
        return;
    if (is_company_route(list, current_request().group())) {
        v_.append_console_text(crlf + QStringLiteral("COMPANY ROUTINE ROUTE") + crlf + QStringLiteral("LOADING"));
        write_log(QStringLiteral("GROUP ") + current_request().group() + QStringLiteral(" DECODE SEQUENCE START"));
    } else {
        v_.append_console_text(crlf + QStringLiteral("GROUP FORMAT") + crlf + QStringLiteral("LOADING"));
        write_log(QStringLiteral("FORMAT ") + current_request().group() + QStringLiteral(" DECODE SEQUENCE START"));
    }
    v_.console_caret_to_end();
}

bool DisplayRunner::add_station_reports(const QString& list)
{
    QPointer<view> self(&v_);
    ConsoleSession& session = v_.session;
    // The forecast only when the observation file is there.
    for (const QString& code : request_codes(list)) {
        add_code_history(code);
        session.current_url = addresses().observations;
        const StationFile observation = fetch_station_file(code);
        if (!self)
            return false;
        if (network_lost_)
            return true;
        if (!observation.found) {
            write_log(QStringLiteral("NOT FOUND ") + code);
            append_staging(not_found_block(code));
            continue;
        }
        const bool routine_report = is_routine_time_label(observation.label);
        const QString label = observation_label(routine_report);
        if (session.new_request)
            write_log(code + (routine_report ? QStringLiteral(" METAR RECEIVED") : QStringLiteral(" SPECI RECEIVED")));
        append_staging(crlf + code + label + observation.label + crlf + observation.text);
        pending_sequence_record_ = code + label + observation.label + crlf + observation.text;
        append_sequence_file();

        session.current_url = addresses().forecasts;
        const StationFile forecast = fetch_station_file(code);
        if (!self)
            return false;
        if (network_lost_)
            return true;
        append_staging(crlf + code + QString::fromLatin1(taf_label) + forecast.label + crlf + forecast.text + crlf);
        if (session.new_request) {
            const QString line = taf_log_text(code, forecast.text);
            if (!line.isEmpty())
                write_log(line);
        }
    }
    return true;
}

void DisplayRunner::show_update_status()
{
    QString status = v_.session.status_text;
    if (setting_on(key::stop_on_manual_input))
        status = QStringLiteral("自動デコード停止");
    else
        status = running_status_now(status);
    v_.set_status_text(status);
}

// A time difference that is no number gives no label: the status text stays
// as it was.
QString DisplayRunner::running_status_now(const QString& otherwise) const
{
    const QString updated = format_update_time(now_utc(), setting_on(key::local_time), setting_text(key::time_difference));
    return updated.isEmpty() ? otherwise : update_status_prefix + updated;
}

// The Japanese and sequence displays put back the status text of before;
// when it tells the last update, the update is now.
void DisplayRunner::refresh_update_time()
{
    ConsoleSession& session = v_.session;
    for (QString* status : {&session.status_text, &session.saved_status_text})
        if (status->startsWith(update_status_prefix))
            *status = running_status_now(*status);
}

void DisplayRunner::announce_new_reports()
{
    if (!v_.session.timer_run)
        return;
    QPointer<view> self(&v_);
    const QString ring = program_path(QStringLiteral("sound/ring.wav"));
    if (setting_on(key::update_done_alarm) && file_exists(ring)) {
        write_log(QStringLiteral("RING ARARM"));
        platform::play_and_wait(ring, 1500, [&] { return !self.isNull(); });
        if (!self)
            return;
    }
    if (setting_on(key::update_done_message)) {
        write_log(QStringLiteral("DISPLAY DATA CHANGED MESSAGE"));
        show_datachange(&v_);
    }
    if (setting_on(key::print_on_update)) {
        v_.session.auto_print = true;
        v_.print_display(staged_text());
    }
}

void DisplayRunner::japanese_display()
{
    QPointer<view> self(&v_);
    v_.setCursor(Qt::WaitCursor);
    v_.status_panel->setText(QStringLiteral("日本語デコード中"));
    const bool local = setting_on(key::local_time);
    const QString difference = setting_text(key::time_difference);

    const QString list = current_request().codes();
    bool first = true;
    bool fetched = false;  // a station's file came
    for (const QString& code : request_codes(list)) {
        add_code_history(code);
        append_staging(japanese_header(code, first));
        first = false;
        const ReportReply reply = fetch_report(addresses().observations + code + QStringLiteral(".TXT"));
        if (!self)
            return;
        if (network_lost_)
            break;
        QString block;
        if (reply.missing) {
            block = not_found_block(code);
        } else {
            const QString report = reply.text.mid(17);
            QString time_text;
            block = observation_block(report, code, false, local, difference, &time_text);
            // The translation lets the window system run between groups.
            const QString japanese = translate_report(code, time_text, observation_body(report));
            if (!self)
                return;
            block += crlf + japanese;
        }
        append_staging(block);
        fetched = true;
    }
    if (fetched && !network_lost_)
        refresh_update_time();
    write_log(QStringLiteral("CALL JAPANESE DECODE ") + list);
    v_.status_panel->setText(v_.session.saved_status_text);
    current_request().set_codes(QStringLiteral("JP ") + list);
}

// Sequence display from the local copies of the hourly cycle files and the
// station's own latest file.
void DisplayRunner::hourly_sequence_display()
{
    QPointer<view> self(&v_);
    v_.setCursor(Qt::WaitCursor);
    v_.status_panel->setText(QStringLiteral("データ シーケンス取得中"));
    const bool local = setting_on(key::local_time);
    const QString difference = setting_text(key::time_difference);
    const int hours_back = static_cast<int>(setting_int(key::sequence_hours));
    const int now_hour = now_utc().time().hour();
    const int first_hour = wrap_day_hour(now_hour - hours_back);

    const QString list = current_request().codes();
    bool first = true;
    bool missing_hours = false;
    bool fetched = false;  // a station's latest file came
    for (const QString& code : request_codes(list)) {
        add_code_history(code);
        const ReportReply latest = fetch_report(addresses().observations + code + QStringLiteral(".TXT"));
        if (!self)
            return;
        if (network_lost_)
            break;
        fetched = true;
        QString text;
        if (latest.missing) {
            // No latest file: no history either.
            text = sequence_header(code, first) + not_found_block(code);
        } else {
            std::map<int, QString> files;
            for (int h = first_hour; h <= first_hour + hours_back; ++h) {
                const QString path = cycle_copy_path(wrap_day_hour(h));
                if (file_exists(path))
                    files[wrap_day_hour(h)] = read_work_file(path);
            }
            const StationSequence sequence =
                    station_sequence(code, first, latest.text, files, first_hour, hours_back, local, difference);
            text = sequence.text;
            missing_hours = missing_hours || sequence.missing_hours;
        }
        first = false;
        append_staging(text);
    }
    if (missing_hours && !network_lost_ && sequence_retries_ < sequence_retry_cap(update_interval()))
        retry_timer_->start();
    if (fetched && !network_lost_)
        refresh_update_time();
    write_log(QStringLiteral("CALL SEQUENCE ") + list);
    current_request().set_codes(QStringLiteral("SQ ") + list);
}

// Sequence display from the record of the observations shown in this run.
void DisplayRunner::file_sequence_display()
{
    const QString path = sequence_file_path();
    if (!file_exists(path)) {
        set_staged_text(v_.console_text() + crlf + QString::fromLatin1(no_sequence_file_text) + crlf);
        return;
    }
    const QString file_text = read_work_file(path);
    const QString list = current_request().codes();
    bool first = true;
    for (const QString& code : request_codes(list)) {
        add_code_history(code);
        append_staging(sequence_header(code, first) + sequence_file_buffer(file_text, code));
        first = false;
    }
    write_log(QStringLiteral("CALL SEQUENCE ") + list);
    current_request().set_codes(QStringLiteral("SQ ") + list);
}

// ------------------------------------------------------------ station file

// A station file; a request that got no answer at all marks the display as
// one without network.
ReportReply DisplayRunner::fetch_report(const QString& url)
{
    const ReportReply reply = fetch_text(*transfer_, url);
    network_lost_ = network_lost_ || reply.no_connection;
    return reply;
}

StationFile DisplayRunner::fetch_station_file(const QString& code)
{
    QPointer<view> self(&v_);
    ConsoleSession& session = v_.session;
    const bool forecast = session.current_url == addresses().forecasts;
    const bool observation_url = session.current_url == addresses().observations;

    // Loading progress: the codes follow the "LOADING" line of the display.
    if (observation_url && session.new_request) {
        if (session.auto_mode || session.group_mode)
            v_.append_console_text(QStringLiteral(" ") + code);
        v_.console_caret_to_end();
    }

    const ReportReply reply = fetch_report(session.current_url + code + QStringLiteral(".TXT"));
    if (!self)
        return {};

    if (reply.missing) {
        if (forecast)
            return {QString::fromLatin1(no_forecast_text), true, {}};
        return {QString::fromLatin1(no_observation_text), false, {}};
    }

    if (session.new_request) {
        const std::vector<StationRow>& stations = current_request().stations();
        for (int r = 1; r <= session.station_count && r < static_cast<int>(stations.size()); ++r) {
            if (stations[r][station_code] == code) {
                StationRow row = stations[r];
                row[forecast ? station_taf_stamp : station_metar_stamp] = change_key(reply.text);
                current_request().set_station(r, row);
                break;
            }
        }
    }

    const StationTime t = station_time_label(reply.text, setting_on(key::local_time),
                                             setting_text(key::time_difference));
    return {station_report_text(reply.text, forecast), true, t.label};
}

// ---------------------------------------------------------------- display

bool DisplayRunner::start(const std::function<bool()>& prepare)
{
    if (running_)
        return false;
    QPointer<view> self(&v_);
    running_ = true;
    // The window, and the runner with it, may go away during a wait; then
    // there is nothing to free.
    const auto release = qScopeGuard([this, self] {
        if (self)
            running_ = false;
    });
    if (prepare && !prepare())
        return true;
    if (self)
        run_display();
    return true;
}

void DisplayRunner::run_display()
{
    QPointer<view> self(&v_);
    ConsoleSession& session = v_.session;

    // A restart of the automatic decode shows the automatic-decode list even
    // when the last request was a sequence or Japanese one.
    if (session.auto_mode && session.new_request) {
        while (current_request().drop_prefix(QStringLiteral("SQ ")) || current_request().drop_prefix(QStringLiteral("JP "))) {
        }
        session.sequence_mode = false;
        session.japanese_mode = false;
    }
    // A retry still pending belongs to the request before this one.
    if (session.new_request) {
        sequence_retries_ = 0;
        retry_timer_->stop();
    }

    network_lost_ = false;
    // What was staged before, for a display that finds no network.
    const QString staged_before = staged_text();
    if (setting_on(key::clear_screen))
        staging_->clear();

    if (current_request().drop_prefix(QStringLiteral("SQ ")))
        session.sequence_mode = true;
    if (session.sequence_mode) {
        if (setting_on(key::sequence))
            hourly_sequence_display();
        else
            file_sequence_display();
    } else {
        if (current_request().drop_prefix(QStringLiteral("JP ")))
            session.japanese_mode = true;
        if (session.japanese_mode)
            japanese_display();
        else
            normal_display();
    }
    if (!self)
        return;
    end_display(staged_before);
}

// Every kind of display ends the same way. The colouring empties the typed
// line, which is kept for after the prompt.
void DisplayRunner::end_display(const QString& staged_before)
{
    ConsoleSession& session = v_.session;
    // Off the console's end while the display writes there (the notice of
    // a lost connection, the offline answer), back after the prompt.
    const QString typed = v_.command_line_->take_typed_line();
    if (network_lost_) {
        if (!answer_without_network(staged_before))
            return;
    } else {
        v_.set_console_text(staged_text());
    }
    v_.Frame1->hide();
    v_.show_ready_prompt();
    color_report_text();
    if (!network_lost_) {
        if (setting_on(key::top_line) && !session.enter_pressed)
            v_.console_box->moveCursor(QTextCursor::Start);
        v_.padlbl->clear();
    }
    v_.keep_typed_line(typed);
    session.new_request = false;
    session.sequence_mode = false;
    session.enter_pressed = false;
}

// No answer came at all: the network is gone, whatever the last probe
// found. What the display gathered is dropped, the console keeps its text
// and says what it says to a request while offline, and the connection
// counts as lost until a probe finds it again. False when the window went
// away meanwhile.
bool DisplayRunner::answer_without_network(const QString& staged_before)
{
    QPointer<view> self(&v_);
    set_staged_text(staged_before);
    v_.heartbeat_->connection_failed();
    if (!self)
        return false;
    v_.append_console_text(crlf + QStringLiteral("NO NETWORK CONNECTION") + crlf);
    write_log(QStringLiteral("SYSTEM NO NETWORK CONNECTION"));
    return true;
}

// ----------------------------------------------------- sequence retry

// A tick that comes while a display runs is skipped: the timer stays on and
// tries again. The missing hours come from the heartbeat's fetch of the
// hourly cycle files; the retry only shows the request again.
//
// The retry does not put the heartbeat's count back to 0: the heartbeat
// fetches what the retry waits for, and a count set back every three seconds
// would never reach the next probe.
void DisplayRunner::retry_sequence()
{
    // Through the window's entry, as every display: the keys typed on the
    // console while the retry runs are typed once it has ended.
    v_.start_display([this] {
        retry_timer_->stop();
        ++sequence_retries_;
        v_.session.ready_line_break = true;
        v_.session.sequence_mode = true;
        return true;
    });
}

void DisplayRunner::reset_sequence_retry()
{
    retry_timer_->stop();
    retry_timer_->setInterval(sequence_retry_ms);
}

void DisplayRunner::stop()
{
    transfer_->cancel();
    cycle_transfer_->cancel();
    retry_timer_->stop();
}

// ------------------------------------------------------ work files

void DisplayRunner::fetch_hourly_cycles()
{
    if (!setting_on(key::sequence))
        return;
    const QTime now = now_utc().time();
    const int slot = ten_minute_slot(now);
    // Taken before anything is downloaded: a failed download waits for the
    // next slot.
    if (!current_request().take_cycle_slot(slot))
        return;

    const std::vector<int> hours =
            cycle_hours_to_fetch(now.hour(), static_cast<int>(setting_int(key::sequence_hours)));
    const QString base = builtin_report_url();
    QPointer<view> self(&v_);
    for (std::size_t i = 0; i < hours.size(); ++i) {
        const QString path = cycle_copy_path(hours[i]);
        // Past hours are fetched once; the current hour on every run.
        const bool current = i + 1 == hours.size();
        if (!current && file_exists(path))
            continue;
        const ReportReply reply = fetch_text(*cycle_transfer_, cycle_file_url(base, hours[i]));
        if (!self)
            return;
        // Only a cycle file makes a copy; a missing hour is fetched again
        // at the next slot, and the current hour keeps its last copy.
        if (const std::optional<QString> copy = cycle_copy_text(reply))
            write_cycle_copy(path, *copy);
    }
}

void DisplayRunner::cancel_hourly_fetch() { cycle_transfer_->cancel(); }

void DisplayRunner::append_sequence_file()
{
    append_sequence_record(sequence_file_path(), pending_sequence_record_);
}

// ------------------------------------------------------------ station list

void DisplayRunner::build_station_list()
{
    ConsoleSession& session = v_.session;
    session.new_request = true;
    session.standby_start.clear();
    session.sequence_mode = false;
    session.japanese_mode = false;
    current_request().rebuild_stations(session.auto_mode, rs_autodecode(), session.station_count);
}

// ------------------------------------------------------------ translation

// The translation of one observation with the airport catalogue, the two
// dictionaries and the time settings of the moment. Between groups it lets
// the window system run; the display's one-at-a-time rule keeps a second
// display out meanwhile.
QString DisplayRunner::translate_report(const QString& code, const QString& time, const QString& body)
{
    const Translation translation = translate_observation(code, time, body, stored_translation_sources(&v_));
    return translation.text;
}
