// Saving the console as a text file, and the completion of the window's
// sounds.

#include "view.h"

#include "save_rules.h"

#include "platform/msg_box.h"
#include "reports/colouring.h"
#include "core/clock.h"
#include "core/log.h"
#include "startup/notices.h"
#include "core/shared.h"
#include "platform/wait.h"

#include <QDateTime>
#include <QFileDialog>

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

void view::save_display()
{
    // A cancelled dialog, the answer No and a failed write all end here.
    const auto cancel = [this] {
        append_console_text(QStringLiteral("\r\nCANCEL FILE SAVE"));
        session.ready_line_break = true;
        show_ready_prompt();
        color_report_text();
        write_log(QStringLiteral("CANCEL FILE SAVE COMMAND"));
    };

    write_log(QStringLiteral("FILE SAVE COMMAND"));

    const QString path = choose_save_file(this);
    if (path.isEmpty()) {
        cancel();
        return;
    }
    if (file_exists(path)
        && platform::msg_box(this, platform::MsgIcon::Question, QStringLiteral(" 確認"), overwrite_question(path),
                             platform::MsgButtons::YesNo)
                   != platform::MsgAnswer::Yes) {
        cancel();
        return;
    }
    if (!write_text_file(path, save_file_content(console_text(), now_local()))) {
        cancel();
        return;
    }

    append_console_text(QStringLiteral("\r\nFILE SAVE COMPLETED"));
    write_log(QStringLiteral("FILE SAVE COMPLETED"));
    session.ready_line_break = true;
    show_ready_prompt();
    color_report_text();
}
