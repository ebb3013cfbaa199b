// The report display: fetching the station files, building the display in
// the staging text and putting it into the console; the sequence display and
// its work files; and the retry of a sequence display.

#include "view.h"

#include "command_line.h"
#include "console_text.h"
#include "print_rules.h"
#include "request_rules.h"

#include "platform/sound.h"
#include "platform/transfer.h"
#include "reports/colouring.h"
#include "reports/heartbeat.h"
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

using namespace kolde_sub;

namespace {

const QString crlf = QStringLiteral("\r\n");


bool setting_on(SettingKey name) { return setting_bool(name); }

QString staging_text(const QTextDocument* box) { return from_edit_text(box->toPlainText()); }

void append_staging(QTextDocument* box, const QString& text)
{
    QTextCursor c(box);
    c.movePosition(QTextCursor::End);
    c.insertText(to_edit_text(text));
}

// One text download on its own request. A transfer that fails (time-out,
// refused, broken off) or brings an empty body counts as a missing file,
// like the server's error page.
struct Reply {
    QString text;
    bool missing = true;
};

Reply fetch_report(platform::Transfer* transfer, const QString& url)
{
    const platform::TransferResult result = transfer->get(url);
    Reply reply;
    if (result.ok)
        reply.text = platform::decode_text(result.body);
    reply.missing = !result.ok || reply.text.isEmpty() || is_error_page(reply.text);
    return reply;
}

// ----------------------------------------------------------- the displays
//
// Each display writes into the staging text; the end of run_display puts
// the staging text into the console. A display waits for its downloads
// with window events running, so the window may go away meanwhile: each
// wait is followed by a check.

}  // namespace

struct view::Displays {
static void normal_display(view& v)
{
    QPointer<view> self(&v);
    QTextDocument* staging = v.staging_doc;

    // Preparation.
    v.setCursor(Qt::WaitCursor);
    v.console_box->viewport()->setCursor(Qt::WaitCursor);
    if (v.session.new_request)
        v.build_station_list();
    v.session.status_text = QStringLiteral("受信中");
    if (!v.WebBrowser->isVisible())
        v.status_panel->setText(v.session.status_text);
    const QString list = current_request().codes();
    if (v.session.auto_mode && v.session.new_request)
        v.append_console_text(crlf + QStringLiteral("AUTO DECODE SEQUENCE START") + crlf + QStringLiteral("LOADING"));
    const QString separator = staging_text(staging).isEmpty() ? QString() : crlf + crlf;
    append_staging(staging, separator + display_header(list, v.session.group_mode, v.session.auto_mode, current_request().group()));
    if (v.session.group_mode && v.session.new_request) {
        if (is_company_route(list, current_request().group())) {
            v.append_console_text(crlf + QStringLiteral("COMPANY ROUTINE ROUTE") + crlf + QStringLiteral("LOADING"));
            write_log(QStringLiteral("GROUP ") + current_request().group() + QStringLiteral(" DECODE SEQUENCE START"));
        } else {
            v.append_console_text(crlf + QStringLiteral("GROUP FORMAT") + crlf + QStringLiteral("LOADING"));
            write_log(QStringLiteral("FORMAT ") + current_request().group() + QStringLiteral(" DECODE SEQUENCE START"));
        }
        v.console_caret_to_end();
    }

    // The stations: the observation, and the forecast only when the
    // observation file is there.
    for (const QString& code : request_codes(list)) {
        add_code_history(code);
        v.session.current_url = addresses().observations;
        const StationFile observation = v.fetch_station_file(code);
        if (!self)
            return;
        if (!observation.found) {
            write_log(QStringLiteral("NOT FOUND ") + code);
            append_staging(staging, not_found_block(code));
            continue;
        }
        const bool routine_report = is_routine_time_label(observation.label);
        const QString label = observation_label(routine_report);
        if (v.session.new_request)
            write_log(code + (routine_report ? QStringLiteral(" METAR RECEIVED") : QStringLiteral(" SPECI RECEIVED")));
        append_staging(staging, crlf + code + label + observation.label + crlf + observation.text);
        v.pending_sequence_record = code + label + observation.label + crlf + observation.text;
        v.append_sequence_file();

        v.session.current_url = addresses().forecasts;
        const StationFile forecast = v.fetch_station_file(code);
        if (!self)
            return;
        append_staging(staging, crlf + code + QString::fromLatin1(taf_label) + forecast.label + crlf + forecast.text + crlf);
        if (v.session.new_request) {
            const QString line = taf_log_text(code, forecast.text);
            if (!line.isEmpty())
                write_log(line);
        }
    }

    // After the stations.
    if (setting_on(key::stop_on_manual_input)) {
        v.session.status_text = QStringLiteral("自動デコード停止");
    } else {
        // A time difference that is no number gives no label: the status
        // text stays as it was.
        const QString updated =
                format_update_time(now_utc(), setting_on(key::local_time), setting_text(key::time_difference));
        if (!updated.isEmpty())
            v.session.status_text = QStringLiteral("自動デコード作動　　最終更新  ") + updated;
    }
    if (!v.WebBrowser->isVisible())
        v.status_panel->setText(v.session.status_text);

    // New reports found by the heartbeat: ring, notice, print.
    if (v.session.timer_run) {
        const QString ring = program_path(QStringLiteral("sound/ring.wav"));
        if (setting_on(key::update_done_alarm) && file_exists(ring)) {
            write_log(QStringLiteral("RING ARARM"));
            platform::play_and_wait(ring);
            if (!self)
                return;
        }
        if (setting_on(key::update_done_message)) {
            write_log(QStringLiteral("DISPLAY DATA CHANGED MESSAGE"));
            show_datachange(&v);
        }
        if (setting_on(key::print_on_update)) {
            v.session.auto_print = true;
            v.print_display(staging_text(staging));
            if (!self)
                return;
        }
    }
}

static void japanese_display(view& v)
{
    QPointer<view> self(&v);
    QTextDocument* staging = v.staging_doc;
    v.setCursor(Qt::WaitCursor);
    v.status_panel->setText(QStringLiteral("日本語デコード中"));
    const bool local = setting_on(key::local_time);
    const QString difference = setting_text(key::time_difference);

    const QString list = current_request().codes();
    bool first = true;
    for (const QString& code : request_codes(list)) {
        add_code_history(code);
        append_staging(staging, japanese_header(code, first));
        first = false;
        const Reply reply = fetch_report(v.inet, addresses().observations + code + QStringLiteral(".TXT"));
        if (!self)
            return;
        QString block;
        if (reply.missing) {
            block = not_found_block(code);
        } else {
            const QString report = reply.text.mid(17);
            QString time_text;
            block = observation_block(report, code, false, local, difference, &time_text);
            // The translation lets the window system run between groups.
            const QString japanese = v.translate_report(code, time_text, report.mid(13));
            if (!self)
                return;
            block += crlf + japanese;
        }
        append_staging(staging, block);
    }
    write_log(QStringLiteral("CALL JAPANESE DECODE ") + list);
    v.status_panel->setText(v.session.saved_status_text);
    current_request().set_codes(QStringLiteral("JP ") + list);
}

// Sequence display from the local copies of the hourly cycle files and the
// station's own latest file.
static void hourly_sequence_display(view& v)
{
    QPointer<view> self(&v);
    QTextDocument* staging = v.staging_doc;
    v.setCursor(Qt::WaitCursor);
    v.status_panel->setText(QStringLiteral("データ シーケンス取得中"));
    const bool local = setting_on(key::local_time);
    const QString difference = setting_text(key::time_difference);
    const int hours_back = static_cast<int>(setting_int(key::sequence_hours));
    const int now_hour = now_utc().time().hour();
    const int first_hour = wrap_day_hour(now_hour - hours_back);

    const QString list = current_request().codes();
    bool first = true;
    bool missing_hours = false;
    for (const QString& code : request_codes(list)) {
        add_code_history(code);
        const Reply latest = fetch_report(v.inet, addresses().observations + code + QStringLiteral(".TXT"));
        if (!self)
            return;
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
        append_staging(staging, text);
    }
    if (missing_hours && v.sequence_retries < sequence_retry_cap(update_interval()))
        v.Timer4->start();
    write_log(QStringLiteral("CALL SEQUENCE ") + list);
    current_request().set_codes(QStringLiteral("SQ ") + list);
}

// Sequence display from the record of the observations shown in this run.
static void file_sequence_display(view& v)
{
    QTextDocument* staging = v.staging_doc;
    const QString path = sequence_file_path();
    if (!file_exists(path)) {
        staging->setPlainText(
                to_edit_text(v.console_text() + crlf + QString::fromLatin1(no_sequence_file_text) + crlf));
        return;
    }
    const QString file_text = read_work_file(path);
    const QString list = current_request().codes();
    bool first = true;
    for (const QString& code : request_codes(list)) {
        add_code_history(code);
        append_staging(staging, sequence_header(code, first) + sequence_file_buffer(file_text, code));
        first = false;
    }
    write_log(QStringLiteral("CALL SEQUENCE ") + list);
    current_request().set_codes(QStringLiteral("SQ ") + list);
}

};

// ------------------------------------------------------------ station file

StationFile view::fetch_station_file(const QString& code)
{
    QPointer<view> self(this);
    const bool forecast = session.current_url == addresses().forecasts;
    const bool observation_url = session.current_url == addresses().observations;

    // Loading progress: the codes follow the "LOADING" line of the display.
    if (observation_url && session.new_request) {
        if (session.auto_mode || session.group_mode)
            append_console_text(QStringLiteral(" ") + code);
        console_caret_to_end();
    }

    const Reply reply = fetch_report(inet, session.current_url + code + QStringLiteral(".TXT"));
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

bool view::start_display(const std::function<bool()>& prepare)
{
    if (display_running_)
        return false;
    QPointer<view> self(this);
    display_running_ = true;
    // The window may go away during a wait; then there is nothing to free.
    const auto release = qScopeGuard([self] {
        if (self)
            self->display_running_ = false;
    });
    if (prepare && !prepare())
        return true;
    if (self)
        run_display();
    return true;
}

void view::run_display()
{
    QPointer<view> self(this);
    QTextDocument* staging = staging_doc;

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
        sequence_retries = 0;
        Timer4->stop();
    }

    if (setting_on(key::clear_screen))
        staging->clear();

    if (current_request().drop_prefix(QStringLiteral("SQ ")))
        session.sequence_mode = true;
    if (session.sequence_mode) {
        if (setting_on(key::sequence))
            Displays::hourly_sequence_display(*this);
        else
            Displays::file_sequence_display(*this);
    } else {
        if (current_request().drop_prefix(QStringLiteral("JP ")))
            session.japanese_mode = true;
        if (session.japanese_mode)
            Displays::japanese_display(*this);
        else
            Displays::normal_display(*this);
    }
    if (!self)
        return;

    // Every kind of display ends the same way. The colouring empties the
    // typed line, which is kept for after the prompt.
    const QString typed = command_line_->typed_line();
    set_console_text(staging_text(staging));
    Frame1->hide();
    show_ready_prompt();
    color_report_text();
    if (setting_on(key::top_line) && !session.enter_pressed)
        console_box->moveCursor(QTextCursor::Start);
    padlbl->clear();
    keep_typed_line(typed);
    session.new_request = false;
    session.sequence_mode = false;
    session.enter_pressed = false;
}

// ------------------------------------------------------ work files

void view::fetch_hourly_cycles()
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
    QPointer<view> self(this);
    for (std::size_t i = 0; i < hours.size(); ++i) {
        const QString path = cycle_copy_path(hours[i]);
        // Past hours are fetched once; the current hour on every run.
        const bool current = i + 1 == hours.size();
        if (!current && file_exists(path))
            continue;
        const platform::TransferResult result = Inet2->get(cycle_file_url(base, hours[i]));
        if (!self)
            return;
        // Whatever came is the copy, even nothing.
        write_cycle_copy(path, result.ok ? platform::decode_text(result.body) : QString());
    }
}

void view::append_sequence_file()
{
    append_sequence_record(sequence_file_path(), pending_sequence_record);
}

// ------------------------------------------------------------ station list

void view::build_station_list()
{
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
QString view::translate_report(const QString& code, const QString& time, const QString& body)
{
    const Translation translation = translate_observation(code, time, body, stored_translation_sources());
    return translation.text;
}
