// Printing the console: by hand (command, menu, button) or automatically
// after new reports. Messages of a print by hand go into the console, those
// of an automatic print into the staging text, so that they survive the next
// display.

#include "view.h"

#include "console_text.h"
#include "print_rules.h"
#include "start_text.h"

#include "options/printerselect.h"
#include "platform/printers.h"
#include "core/clock.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/shared.h"

#include <QLabel>
#include <QTextDocument>
#include <QTextEdit>

using namespace kolde_sub;

void view::print_display(const QString& handed_over)
{

    const QString restore_status = status_panel->text();
    const auto show_status = [this] {
        if (!browser_pane_shown())
            status_panel->setText(session.status_text);
    };
    const auto notice_line = [this](const QString& text) {
        const QString old = from_edit_text(staging_doc->toPlainText());
        staging_doc->setPlainText(to_edit_text(with_notice_line(old, text, time_local())));
    };
    const auto console_line = [this](const QString& text) { append_console_text(QStringLiteral("\r\n") + text); };

    // Every road but the end runs here; false means the print failed and
    // goes to the error road.
    const auto run = [&]() -> bool {
        write_log(QStringLiteral("PRINT COMMAND"));

        const QDateTime now = now_local();
        const int now_minutes = now.time().hour() * 60 + now.time().minute();
        const int start = minutes_of_day(setting_text(key::print_start_hour),
                                         setting_text(key::print_start_minute));
        const int end = minutes_of_day(setting_text(key::print_end_hour),
                                       setting_text(key::print_end_minute));
        const QString printer = setting_text(key::printer);

        if (setting_bool(key::print_dialog) && !session.auto_print) {
            if (!show_printer_selection(this)) {
                console_line(QStringLiteral("CANCEL PRINT"));
                write_log(QStringLiteral("CANCEL PRINT COMMAND"));
                return true;
            }
        }

        if (session.auto_print && session.timer_run) {
            if (setting_bool(key::print_timed) && !inside_print_window(now_minutes, start, end)) {
                notice_line(QStringLiteral("AUTO PRINT DISABLED / OUT OF PRINT SCHEDULE "));
                write_log(QStringLiteral("AUTO PRINT DISABLED / OUT OF PRINT SCHEDULE"));
                return true;
            }
            if (!platform::printer_names().contains(printer)) {
                notice_line(QStringLiteral("AUTO PRINT DISABLED / NOT FOUND PRINTER "));
                write_log(QStringLiteral("AUTO PRINT DISABLED / NOT FOUND PRINTER"));
                return true;
            }
            session.status_text = QStringLiteral("プリンター自動出力中");
            show_status();
            platform::set_current_printer(printer);
        } else {
            write_log(QStringLiteral("AUTO PRINT DATA SPOOL INTO ") + printer);
            session.status_text = QStringLiteral("プリンター出力中");
            show_status();
        }

        platform::PrintFont font;
        font.name = setting_text(key::print_font);
        font.size = static_cast<float>(setting(key::print_size).to_real());
        font.bold = setting_bool(key::print_bold);

        const platform::Value version = setting(key::program_version);
        const QString version_text = version.is_null() ? QString() : version_display_text(version_number(version));
        const QString body = handed_over.isEmpty() ? console_text() : handed_over;
        const QDateTime printed = now_local();
        if (!platform::print_text(print_header_line(version_text, printed), body, font,
                                  {program_path(QStringLiteral("print")), printed}))
            return false;

        if (session.auto_print) {
            notice_line(QStringLiteral("AUTO PRINT COMPLETED "));
            write_log(QStringLiteral("AUTO PRINT COMPLETED TO ") + printer);
        } else {
            console_line(QStringLiteral("PRINT COMPLETED"));
            write_log(QStringLiteral("PRINT COMPLETED"));
        }
        return true;
    };

    if (!run())
        write_log(QStringLiteral("CANCEL PRINT COMMAND"));

    session.auto_print = false;
    session.status_text = restore_status;
    show_status();
}
