// The console: its text with CR LF line breaks, and the handlers of its
// command line (command_line.h).

#include "view.h"

#include "command_line.h"
#include "console_text.h"
#include "display_runner.h"
#include "request_rules.h"
#include "sun_command.h"

#include <QKeyEvent>
#include <QTextCursor>
#include <QTextEdit>

using namespace kolde_sub;

// ------------------------------------------------------------------ console

QString view::console_text() const { return from_edit_text(console_box->toPlainText()); }

void view::set_console_text(const QString& text)
{
    close_tip();
    console_box->setPlainText(to_edit_text(text));
}

void view::append_console_text(const QString& text)
{
    QTextCursor c(console_box->document());
    c.movePosition(QTextCursor::End);
    c.insertText(to_edit_text(text));
}

void view::console_caret_to_end() { console_box->moveCursor(QTextCursor::End); }

// ------------------------------------------------------------- command line

bool view::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == console_box && event->type() == QEvent::KeyPress
        && command_line_->filter_key(*static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void view::TextBox_KeyPress(int index, int& key_ascii) { command_line_->key_press(index, key_ascii); }

void view::console_enter(const QString& line) { command_line_->enter(line); }

void view::keep_typed_line(const QString& typed) { command_line_->keep_typed_line(typed); }

void view::paste_into_line(const QString& pasted) { command_line_->paste(pasted); }

void view::show_ready_prompt() { command_line_->show_ready_prompt(); }

void view::search_word(const QString& line) { command_line_->search_word(line); }

void view::explain_group() { command_line_->explain_group(); }
