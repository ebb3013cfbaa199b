// The console: its text with CR LF line breaks, the keys typed on it, the
// ready prompt and the typed line handed to the display.

#include "view.h"

#include "console_text.h"
#include "request_rules.h"

#include "core/log.h"
#include "core/shared.h"
#include "reports/request.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTextCursor>
#include <QTextEdit>

using namespace kolde_sub;

// ------------------------------------------------------------------ console

QString view::console_text() const { return from_edit_text(TextBox[0]->toPlainText()); }

void view::set_console_text(const QString& text) { TextBox[0]->setPlainText(to_edit_text(text)); }

void view::append_console_text(const QString& text)
{
    QTextCursor c(TextBox[0]->document());
    c.movePosition(QTextCursor::End);
    c.insertText(to_edit_text(text));
}

void view::console_caret_to_end() { TextBox[0]->moveCursor(QTextCursor::End); }

bool view::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TextBox[0] && event->type() == QEvent::KeyPress) {
        // The typed line collects in inputlbl (the colouring empties it);
        // the console itself inserts and deletes the characters as usual.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // While a display runs Enter does nothing at all; the typed line
            // stays as it is.
            if (display_running())
                return true;
            enter_pressed = true;
            emit line_entered(inputlbl->text().trimmed().toUpper());
        } else if (key->key() == Qt::Key_Escape) {
            close();
        } else if (key->key() == Qt::Key_Backspace) {
            if (!inputlbl->text().isEmpty()) {
                inputlbl->setText(inputlbl->text().chopped(1));
                padlbl->setText(inputlbl->text());
            }
        } else if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
            inputlbl->setText(inputlbl->text() + key->text());
            padlbl->setText(inputlbl->text());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ------------------------------------------------------------ ready prompt

void view::show_ready_prompt()
{
    QString prompt = QStringLiteral("\r\nREADY / PRESS ESC TO EXIT");
    if (ready_line_break)
        prompt += QStringLiteral("\r\n");
    append_console_text(prompt);
    console_caret_to_end();
    ready_line_break = false;
    if (sequence_mode && !console_text().contains(QStringLiteral("LOADING")))
        Panels[2]->setText(saved_status_text);
    // The console gets its own text pointer back (unset, it would show the
    // arrow), the window its default.
    TextBox[0]->viewport()->setCursor(Qt::IBeamCursor);
    unsetCursor();
}

// ------------------------------------------------------- typed requests

void view::console_enter(const QString& line)
{
    const std::optional<TypedRequest> request = typed_request(line);
    if (!request)
        return;
    // An Enter that was on its way when a display started is dropped.
    start_display([&] {
        add_code_history(line);
        if (request->sequence || request->japanese)
            saved_status_text = Panels[2]->text();
        sequence_mode = request->sequence;
        japanese_mode = request->japanese;
        current_request = request->list;
        group_mode = false;
        new_request = true;
        write_log(QStringLiteral("MANUAL DECODE"));
        auto_mode = false;
        return true;
    });
}

// Stand-in until the explanation is built.
void view::explain_group() {}
