// Steps that the console commands, the image buttons and the menus share:
// the status text, the no-connection box, stopping and starting the
// automatic decode, the options dialog and the PDF-reader notice before the
// chart.

#include "command_steps.h"

#include "display_runner.h"
#include "display_settings.h"
#include "heartbeat.h"

#include "core/database.h"
#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "options/fontmsg.h"
#include "options/opton.h"
#include "platform/msg_box.h"
#include "platform/transfer.h"
#include "reports/colouring.h"
#include "reports/request.h"
#include "sidewin/side_windows.h"
#include "platform/wait.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>

using namespace kolde_sub;

void CommandSteps::set_status_text(const QString& text)
{
    v_.session.status_text = text;
    if (!v_.browser_pane_shown())
        v_.status_panel->setText(v_.session.status_text);
}

void CommandSteps::no_connection_box()
{
    platform::msg_box(&v_, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                      QStringLiteral("インターネットに接続できません　　"));
}

void CommandSteps::stop_auto_decode()
{
    v_.heartbeat_->stop();
    set_status_text(QStringLiteral("自動デコード停止"));
    write_log(QStringLiteral("AUTO DECODE SEQUENCE TERMINATED"));
}

void CommandSteps::manual_input_stop()
{
    if (setting_bool(key::stop_on_manual_input))
        stop_auto_decode();
}

void CommandSteps::start_auto_decode(view::AutoStartFrom from)
{
    // A start while a display runs would change the request under it.
    if (v_.display_running())
        return;
    const bool console = from == view::AutoStartFrom::Console;
    const QString empty_list = QStringLiteral("NO AIRPORT FOUND IN AUTO DECODE LIST");
    if (rs_autodecode().record_count() == 0) {
        if (console) {
            v_.append_console_text(QStringLiteral("\r\n") + empty_list + QStringLiteral("\r\n"));
        } else {
            v_.append_console_text(empty_list + QStringLiteral("\r\n"));
            v_.session.ready_line_break = true;
        }
        v_.show_ready_prompt();
        write_log(empty_list);
        return;
    }

    if (!setting_bool(key::auto_decode)) {
        if (console) {
            v_.append_console_text(QStringLiteral("\r\nAUTO DECODE SEQUENCE DISABLED\r\n"));
            v_.show_ready_prompt();
        }
        const platform::MsgAnswer answer = platform::msg_box(
                &v_, platform::MsgIcon::Question, QStringLiteral(" 確認"),
                QStringLiteral("自動デコードが無効になっています　　\r\r有効にしますか？"), platform::MsgButtons::YesNo);
        if (answer != platform::MsgAnswer::Yes)
            return;
        write_log(QStringLiteral("SYSTEM INITIALIZED"));
        v_.console_box->setFocus();
        v_.set_console_text(console ? QStringLiteral("SYSTEM INITIALIZED") : QStringLiteral("SYSTEM INITIALIZED\r\n"));
        v_.console_box->repaint();
        v_.console_caret_to_end();
        v_.console_box->viewport()->setCursor(Qt::WaitCursor);
        set_status_text(QStringLiteral("システム初期化中"));
        set_setting(key::auto_decode, platform::Value::boolean(true));
        opton* options = opton_window();
        options->CheckBox[2]->setChecked(true);
        options->CheckBox[9]->setEnabled(true);
    }

    QPointer<view> self(&v_);
    v_.start_display([&] {
        if (console)
            v_.append_console_text(QStringLiteral("\r\n"));
        write_log(QStringLiteral("AUTO DECODE SEQUENCE START"));
        if (!console) {
            postpone_next_cycle();
            v_.session.ready_line_break = true;
            v_.console_box->setFocus();
            v_.session.group_mode = false;
        }
        v_.session.auto_mode = true;
        v_.session.new_request = true;
        v_.build_station_list();
        return true;
    });
    if (!self)
        return;
    postpone_next_cycle();
    v_.heartbeat_->start();
}

void CommandSteps::restart_auto_decode()
{
    v_.session.ready_line_break = true;
    postpone_next_cycle();
    v_.heartbeat_->start();
    v_.start_display([&] {
        v_.session.new_request = true;
        v_.session.auto_mode = true;
        v_.session.group_mode = false;
        return true;
    });
}

void CommandSteps::show_options()
{
    const long long hours = setting_int(key::sequence_hours);
    write_log(QStringLiteral("DISPLAY SYSTEM SETUP MENU"));
    if (!platform::exec_modal(new fontmsg(v_.Frame1, &v_)))
        return;
    apply_display_settings(v_);
    color_report_text();
    if (setting_int(key::sequence_hours) != hours) {
        v_.display_->cancel_hourly_fetch();
        v_.fetch_hourly_cycles();
    }
}

bool CommandSteps::show_reader_notice(bool log_notice)
{
    bool download_requested = false;
    if (!setting_bool(key::pdf_reader_notice)) {
        if (log_notice)
            write_log(QStringLiteral("DISPLAY ADOBE PDF INFORMATION"));
        auto* notice = new adobeinfo(&v_);
        if (!platform::exec_modal(notice, [&](int) { download_requested = notice->download_requested(); }))
            return false;
    }
    return download_requested;
}
