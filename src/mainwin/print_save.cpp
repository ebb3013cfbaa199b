// Printing the console, by hand or automatically after new reports, and
// saving it as a text file.

#include "print_save.h"

#include "console_text.h"
#include "display_runner.h"
#include "print_rules.h"
#include "save_rules.h"
#include "start_text.h"
#include "view.h"

#include "options/failure_notices.h"
#include "options/printerselect.h"
#include "platform/msg_box.h"
#include "platform/printers.h"
#include "platform/wait.h"
#include "reports/colouring.h"
#include "core/clock.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/shared.h"
#include "startup/notices.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QLabel>

using namespace kolde_sub;

namespace {

QString choose_save_file(QWidget* parent)
{
    const QString proposed = proposed_save_path();
    if (save_file_chooser)
        return save_file_chooser(proposed);
    auto* dialog = new QFileDialog(parent, QStringLiteral("テキスト形式で保存"), proposed);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    // The save asks its own question before overwriting.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->selectFile(proposed);
    QString chosen;
    platform::exec_modal(dialog, [&](int result) {
        if (result == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
            chosen = dialog->selectedFiles().constFirst();
    });
    return chosen;
}

}  // namespace

PrintSave::PrintSave(view& window, DisplayRunner& display)
    : v_(window), display_(display)
{
}

// ---------------------------------------------------------------- printing

void PrintSave::print(const QString& handed_over)
{
    const QString restore_status = v_.status_panel->text();
    const bool printed = run_print(handed_over);
    if (!printed)
        write_log(QStringLiteral("CANCEL PRINT COMMAND"));

    v_.session.auto_print = false;
    v_.session.status_text = restore_status;
    show_status();
    // A print that could not be made is told, once the window is as it was;
    // a cancelled printer selection is not.
    if (!printed)
        tell_print_failed(&v_);
}

bool PrintSave::run_print(const QString& handed_over)
{
    write_log(QStringLiteral("PRINT COMMAND"));

    const QDateTime now = now_local();
    const int now_minutes = now.time().hour() * 60 + now.time().minute();
    const QString printer = setting_text(key::printer);

    if (setting_bool(key::print_dialog) && !v_.session.auto_print) {
        if (!show_printer_selection(&v_)) {
            console_line(QStringLiteral("CANCEL PRINT"));
            write_log(QStringLiteral("CANCEL PRINT COMMAND"));
            return true;
        }
    }
    if (!spool_to(printer, now_minutes))
        return true;
    if (!print_text(handed_over))
        return false;

    if (v_.session.auto_print) {
        notice_line(QStringLiteral("AUTO PRINT COMPLETED "));
        write_log(QStringLiteral("AUTO PRINT COMPLETED TO ") + printer);
    } else {
        console_line(QStringLiteral("PRINT COMPLETED"));
        write_log(QStringLiteral("PRINT COMPLETED"));
    }
    return true;
}

bool PrintSave::spool_to(const QString& printer, int now_minutes)
{
    if (!v_.session.auto_print || !v_.session.timer_run) {
        write_log(QStringLiteral("AUTO PRINT DATA SPOOL INTO ") + printer);
        v_.session.status_text = QStringLiteral("プリンター出力中");
        show_status();
        return true;
    }
    const int start = minutes_of_day(setting_text(key::print_start_hour), setting_text(key::print_start_minute));
    const int end = minutes_of_day(setting_text(key::print_end_hour), setting_text(key::print_end_minute));
    if (setting_bool(key::print_timed) && !inside_print_window(now_minutes, start, end)) {
        notice_line(QStringLiteral("AUTO PRINT DISABLED / OUT OF PRINT SCHEDULE "));
        write_log(QStringLiteral("AUTO PRINT DISABLED / OUT OF PRINT SCHEDULE"));
        return false;
    }
    if (!platform::printer_names().contains(printer)) {
        notice_line(QStringLiteral("AUTO PRINT DISABLED / NOT FOUND PRINTER "));
        write_log(QStringLiteral("AUTO PRINT DISABLED / NOT FOUND PRINTER"));
        return false;
    }
    v_.session.status_text = QStringLiteral("プリンター自動出力中");
    show_status();
    platform::set_current_printer(printer);
    return true;
}

bool PrintSave::print_text(const QString& handed_over)
{
    platform::PrintFont font;
    font.name = setting_text(key::print_font);
    font.size = static_cast<float>(setting(key::print_size).to_real());
    font.bold = setting_bool(key::print_bold);

    const platform::Value version = setting(key::program_version);
    const QString version_text = version.is_null() ? QString() : version_display_text(version_number(version));
    const QString body = handed_over.isEmpty() ? v_.console_text() : handed_over;
    const QDateTime printed = now_local();
    return platform::print_text(print_header_line(version_text, printed), body, font,
                                {program_path(QStringLiteral("print")), printed});
}

void PrintSave::show_status()
{
    if (!v_.browser_pane_shown())
        v_.status_panel->setText(v_.session.status_text);
}

void PrintSave::notice_line(const QString& text)
{
    display_.set_staged_text(with_notice_line(display_.staged_text(), text, time_local()));
}

void PrintSave::console_line(const QString& text) { v_.append_console_text(QStringLiteral("\r\n") + text); }

// ------------------------------------------------------------------ saving

void PrintSave::save()
{
    // A cancelled dialog, the answer No and a failed write all end here.
    const auto cancel = [this] {
        v_.append_console_text(QStringLiteral("\r\nCANCEL FILE SAVE"));
        v_.session.ready_line_break = true;
        v_.show_ready_prompt();
        color_report_text();
        write_log(QStringLiteral("CANCEL FILE SAVE COMMAND"));
    };

    write_log(QStringLiteral("FILE SAVE COMMAND"));

    const QString path = choose_save_file(&v_);
    if (path.isEmpty()) {
        cancel();
        return;
    }
    if (file_exists(path)
        && platform::msg_box(&v_, platform::MsgIcon::Question, QStringLiteral(" 確認"), overwrite_question(path),
                             platform::MsgButtons::YesNo)
                   != platform::MsgAnswer::Yes) {
        cancel();
        return;
    }
    if (!write_text_file(path, save_file_content(v_.console_text(), now_local()))) {
        cancel();
        platform::msg_box(&v_, platform::MsgIcon::Critical, QStringLiteral(" エラー"),
                          QDir::toNativeSeparators(path) + QStringLiteral(" を保存できませんでした　　"));
        return;
    }

    v_.append_console_text(QStringLiteral("\r\nFILE SAVE COMPLETED"));
    write_log(QStringLiteral("FILE SAVE COMPLETED"));
    v_.session.ready_line_break = true;
    v_.show_ready_prompt();
    color_report_text();
}
