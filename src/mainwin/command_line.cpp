// The console's command line: the keys typed on the console, the typed line,
// the ready prompt and the explanation of a selected group.

#include "command_line.h"

#include "view.h"

#include "console_text.h"

#include "core/clock.h"
#include "core/program.h"
#include "translate/group_explanation.h"
#include "translate/handover.h"
#include "translate/stored_sources.h"
#include "translate/tooltips.h"

#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <utility>
#include <vector>

using namespace kolde_sub;

namespace {

constexpr int backspace_key = 8;
constexpr int enter_key = 13;
constexpr int escape_key = 27;

// The character codes a key press hands to the key handler: Enter, Esc and
// Backspace by their codes, else each character it types into the line.
// Keys that type nothing (arrows, shortcuts with Ctrl, which the console
// does not insert either) give none.
std::vector<int> key_codes(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {enter_key};
    case Qt::Key_Escape:
        return {escape_key};
    case Qt::Key_Backspace:
        return {backspace_key};
    default:
        break;
    }
    std::vector<int> codes;
    const Qt::KeyboardModifiers shortcut = key.modifiers() & ~Qt::KeypadModifier;
    if (shortcut == Qt::ControlModifier || shortcut == (Qt::ControlModifier | Qt::ShiftModifier))
        return codes;
    for (const QChar c : key.text())
        if (types_into_line(c))
            codes.push_back(c.unicode());
    return codes;
}

// The console's text with its paragraph and line separators as plain line
// breaks, one character each, so offsets into it stay the console's own.
QString with_line_breaks(QString text)
{
    text.replace(QChar(0x2029), u'\n');
    text.replace(QChar(0x2028), u'\n');
    return text;
}

}  // namespace

// ------------------------------------------------------------------- keys

bool CommandLine::filter_key(const QKeyEvent& key)
{
    const std::vector<int> codes = key_codes(key);
    if (codes.empty())
        return false;
    type(codes);
    return true;
}

void CommandLine::type(const std::vector<int>& codes)
{
    QPointer<view> self(&v_);
    for (const int code : codes) {
        // A key typed while a display runs waits its turn, behind the keys
        // already waiting; Esc closes the window at once.
        if (code != escape_key && (v_.display_running() || !waiting_keys_.empty())) {
            waiting_keys_.push_back(code);
            postpone_next_cycle();
            queue_waiting_keys();
            continue;
        }
        type_now(code);
        if (!self)
            return;
    }
}

void CommandLine::type_now(int code)
{
    QPointer<view> self(&v_);
    QPointer<QTextEdit> console(v_.console_box);
    const QString before = typed_;
    const bool outer_key = std::exchange(key_in_hand_, true);
    v_.TextBox_KeyPress(0, code);
    if (!self)
        return;
    key_in_hand_ = outer_key;
    if (console && !v_.closing_ && code != escape_key)
        show_key(code, before);
}

void CommandLine::show_key(int code, const QString& before)
{
    QTextEdit* console = v_.console_box;
    QTextCursor end(console->document());
    end.movePosition(QTextCursor::End);
    if (code == enter_key) {
        // After the line break, the line typed while a display that ended
        // within the handler ran.
        end.insertBlock();
        end.insertText(std::exchange(typed_line_to_show_, QString()));
    } else if (typed_.startsWith(before)) {
        end.insertText(typed_.mid(before.size()));
    } else if (before.startsWith(typed_)) {
        // Backspace takes back what the line shows of it, and nothing else.
        const qsizetype taken = before.size() - typed_.size();
        const int from = end.position() - static_cast<int>(taken);
        QTextCursor tail(end);
        tail.setPosition(std::max(from, 0), QTextCursor::KeepAnchor);
        if (with_line_breaks(tail.selectedText()) == before.right(taken))
            tail.removeSelectedText();
    }
    console->setTextCursor(end);
    console->ensureCursorVisible();
}

void CommandLine::after_display()
{
    if (!waiting_keys_.empty())
        queue_waiting_keys();
}

void CommandLine::queue_waiting_keys()
{
    if (waiting_keys_queued_ || typing_waiting_keys_ || v_.display_running())
        return;
    waiting_keys_queued_ = true;
    QTimer::singleShot(0, &v_, [this] {
        waiting_keys_queued_ = false;
        type_waiting_keys();
    });
}

void CommandLine::type_waiting_keys()
{
    if (typing_waiting_keys_)
        return;
    QPointer<view> self(&v_);
    typing_waiting_keys_ = true;
    while (!waiting_keys_.empty() && !v_.display_running() && !v_.closing_) {
        const int code = waiting_keys_.front();
        waiting_keys_.pop_front();
        type_now(code);
        if (!self)
            return;
    }
    typing_waiting_keys_ = false;
}

void CommandLine::key_press(int index, int& key_ascii)
{
    if (index != 0)
        return;
    v_.session.group_mode = false;
    v_.session.japanese_mode = false;
    v_.session.timer_run = false;
    postpone_next_cycle();

    switch (key_ascii) {
    case escape_key:
        v_.close();
        return;
    case backspace_key:
        if (!typed_.isEmpty())
            set_typed(typed_.chopped(1));
        return;
    case enter_key:
        enter_typed_line();
        return;
    default:
        if (key_ascii < 32 || key_ascii > 0xFFFF)
            return;
        set_typed(typed_ + QChar(static_cast<char16_t>(key_ascii)));
        return;
    }
}

void CommandLine::set_typed(const QString& typed)
{
    typed_ = typed;
    v_.padlbl->setText(typed_);
}

void CommandLine::enter(const QString& line)
{
    typed_ = line;
    int key = enter_key;
    v_.TextBox_KeyPress(0, key);
}

void CommandLine::keep_typed_line(const QString& typed)
{
    if (typed.isEmpty())
        return;
    set_typed(typed);
    if (key_in_hand_) {
        typed_line_to_show_ = typed;
        return;
    }
    // On a line of its own.
    const bool at_line_start = v_.console_box->document()->lastBlock().length() <= 1;
    v_.append_console_text(at_line_start ? typed : QStringLiteral("\r\n") + typed);
}

QString CommandLine::take_typed_line()
{
    const QString typed = std::exchange(typed_, QString());
    if (typed.isEmpty())
        return typed;
    QTextCursor tail(v_.console_box->document());
    tail.movePosition(QTextCursor::End);
    tail.setPosition(std::max(tail.position() - static_cast<int>(typed.size()), 0), QTextCursor::KeepAnchor);
    if (with_line_breaks(tail.selectedText()) == typed)
        tail.removeSelectedText();
    return typed;
}

void CommandLine::paste(const QString& pasted)
{
    const QString typed = pasted_line_text(pasted, max_pasted_line - typed_.size());
    std::vector<int> codes;
    for (const QChar c : typed)
        codes.push_back(c.unicode());
    type(codes);
}

// ------------------------------------------------------------ ready prompt

void CommandLine::show_ready_prompt()
{
    ConsoleSession& session = v_.session;
    QString prompt = QStringLiteral("\r\nREADY / PRESS ESC TO EXIT");
    if (session.ready_line_break)
        prompt += QStringLiteral("\r\n");
    v_.append_console_text(prompt);
    v_.console_caret_to_end();
    session.ready_line_break = false;
    if (session.sequence_mode && !v_.console_text().contains(QStringLiteral("LOADING")))
        v_.status_panel->setText(session.saved_status_text);
    // The console gets its own text pointer back (unset, it would show the
    // arrow), the window its default.
    v_.console_box->viewport()->setCursor(Qt::IBeamCursor);
    v_.unsetCursor();
}

// ------------------------------------------------------------ explanation

void CommandLine::explain_group()
{
    begin_explanation();
    const QTextCursor selection = v_.console_box->textCursor();
    const QString selected = with_line_breaks(selection.selectedText());
    const QString whole = with_line_breaks(v_.console_box->toPlainText());

    // The catalogue, the dictionaries and the time settings as they stand now.
    const TranslationSources stored = stored_translation_sources();
    ExplanationSources sources;
    sources.airport_name = stored.airport_name;
    sources.weather_abbr = stored.weather_abbr;
    sources.translation_word = stored.translation_word;
    sources.local_time = stored.local_time;
    sources.time_difference = stored.time_difference;
    sources.today = now_utc().date();

    const int start = selection.selectionStart();
    const std::optional<QString> text =
            kolde_sub::explain_group(selected, whole, start, selection.selectionEnd() - start, sources);
    if (!text)
        return;
    set_tip_text(*text);
    show_tooltip();
}
