// Steps that the console commands, the image buttons and the menus share:
// the no-connection box, stopping and starting the automatic decode, the
// options dialog and the PDF-reader notice before the chart.

#include "view.h"

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

void view::set_status_text(const QString& text)
{
    session.status_text = text;
    if (!browser_pane_shown())
        status_panel->setText(session.status_text);
}

void view::no_connection_box()
{
    platform::msg_box(this, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                      QStringLiteral("インターネットに接続できません　　"));
}

void view::stop_auto_decode()
{
    heartbeat_->stop();
    set_status_text(QStringLiteral("自動デコード停止"));
    write_log(QStringLiteral("AUTO DECODE SEQUENCE TERMINATED"));
}

void view::manual_input_stop()
{
    if (setting_bool(key::stop_on_manual_input))
        stop_auto_decode();
}

void view::start_auto_decode(AutoStartFrom from)
{
    // A start while a display runs would change the request under it.
    if (display_running())
        return;
    const bool console = from == AutoStartFrom::Console;
    const QString empty_list = QStringLiteral("NO AIRPORT FOUND IN AUTO DECODE LIST");
    if (rs_autodecode().record_count() == 0) {
        if (console) {
            append_console_text(QStringLiteral("\r\n") + empty_list + QStringLiteral("\r\n"));
        } else {
            append_console_text(empty_list + QStringLiteral("\r\n"));
            session.ready_line_break = true;
        }
        show_ready_prompt();
        write_log(empty_list);
        return;
    }

    if (!setting_bool(key::auto_decode)) {
        if (console) {
            append_console_text(QStringLiteral("\r\nAUTO DECODE SEQUENCE DISABLED\r\n"));
            show_ready_prompt();
        }
        const platform::MsgAnswer answer = platform::msg_box(
                this, platform::MsgIcon::Question, QStringLiteral(" 確認"),
                QStringLiteral("自動デコードが無効になっています　　\r\r有効にしますか？"), platform::MsgButtons::YesNo);
        if (answer != platform::MsgAnswer::Yes)
            return;
        write_log(QStringLiteral("SYSTEM INITIALIZED"));
        console_box->setFocus();
        set_console_text(console ? QStringLiteral("SYSTEM INITIALIZED") : QStringLiteral("SYSTEM INITIALIZED\r\n"));
        console_box->repaint();
        console_caret_to_end();
        console_box->viewport()->setCursor(Qt::WaitCursor);
        set_status_text(QStringLiteral("システム初期化中"));
        set_setting(key::auto_decode, platform::Value::boolean(true));
        opton* options = opton_window();
        options->CheckBox[2]->setChecked(true);
        options->CheckBox[9]->setEnabled(true);
    }

    QPointer<view> self(this);
    start_display([&] {
        if (console)
            append_console_text(QStringLiteral("\r\n"));
        write_log(QStringLiteral("AUTO DECODE SEQUENCE START"));
        if (!console) {
            postpone_next_cycle();
            session.ready_line_break = true;
            console_box->setFocus();
            session.group_mode = false;
        }
        session.auto_mode = true;
        session.new_request = true;
        build_station_list();
        return true;
    });
    if (!self)
        return;
    postpone_next_cycle();
    heartbeat_->start();
}

void view::restart_auto_decode()
{
    session.ready_line_break = true;
    postpone_next_cycle();
    heartbeat_->start();
    start_display([&] {
        session.new_request = true;
        session.auto_mode = true;
        session.group_mode = false;
        return true;
    });
}

void view::show_options()
{
    const long long hours = setting_int(key::sequence_hours);
    write_log(QStringLiteral("DISPLAY SYSTEM SETUP MENU"));
    if (!platform::exec_modal(new fontmsg(Frame1, this)))
        return;
    apply_display_settings(*this);
    color_report_text();
    if (setting_int(key::sequence_hours) != hours) {
        display_->cancel_hourly_fetch();
        fetch_hourly_cycles();
    }
}

bool view::show_reader_notice(bool log_notice)
{
    bool download_requested = false;
    if (!setting_bool(key::pdf_reader_notice)) {
        if (log_notice)
            write_log(QStringLiteral("DISPLAY ADOBE PDF INFORMATION"));
        auto* notice = new adobeinfo(this);
        if (!platform::exec_modal(notice, [&](int) { download_requested = notice->download_requested(); }))
            return false;
    }
    return download_requested;
}
