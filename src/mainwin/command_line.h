// The console's command line: the keys typed on the console, the line they
// build (shown on the scratch pad while it is typed), the line carried out
// as a command on Enter, the ready prompt, the word search and the
// explanation of a group selected in the console.
//
// What a key types shows at the end of the console, where the typed line
// is, wherever the caret was placed: the reports above it never change by
// typing. The typed line is kept here, apart from the console's text, so
// that a display rewriting the console in the middle of a line loses
// nothing of it. Keys typed while a display runs wait, in order, and are
// typed once it has ended, Enter included.
#pragma once

#include <QString>

#include <deque>
#include <vector>

class QKeyEvent;
class view;
namespace kolde_test { class ViewDriver; }

class CommandLine {
public:
    explicit CommandLine(view& v) : v_(v) {}

    // A key pressed on the console. Each character it types (or Enter, Esc,
    // Backspace) goes through key_press, and what it typed shows at the end
    // of the console: true. Keys that type nothing (the caret, selection,
    // copy) are the console's own: false.
    bool filter_key(const QKeyEvent& key);
    // A key typed on a console control (view::TextBox_KeyPress).
    void key_press(int index, int& key_ascii);
    // The line as if typed on the console, then Enter.
    void enter(const QString& line);
    // After a display's prompt: the line typed and not yet entered follows.
    void keep_typed_line(const QString& typed);
    // The line typed and not yet entered, taken out, and off the end of the
    // console where it shows, so that what is written there next does not
    // split it; keep_typed_line puts it back after that.
    QString take_typed_line();
    // Text pasted into the console, typed character by character.
    void paste(const QString& pasted);
    // A display has ended (or was refused): the keys typed meanwhile are
    // typed next, once the event being handled is done with.
    void after_display();
    void show_ready_prompt();
    // The word search of a line that is a dictionary word.
    void search_word(const QString& line);
    // The explanation of the group selected in the console, in the tip.
    void explain_group();

    // The line typed and not yet entered.
    const QString& typed_line() const { return typed_; }
    // The colouring of the console empties it.
    void clear_typed_line() { typed_.clear(); }

private:
    friend class kolde_test::ViewDriver;
    // The commands a typed line carries out (command_line_commands.cpp).
    struct Commands;

    // Enter: the typed line is taken out and carried out.
    void enter_typed_line();
    // Each code at once, or after the keys that wait for a display.
    void type(const std::vector<int>& codes);
    // One code through the key handler, then what it did shown at the end
    // of the console (show_key, with the typed line before the key).
    void type_now(int code);
    void show_key(int code, const QString& before);
    // The keys that waited for a display, typed in turn from the event
    // loop (queue_waiting_keys) once no display runs.
    void type_waiting_keys();
    void queue_waiting_keys();
    // The typed line changed: the scratch pad shows it.
    void set_typed(const QString& typed);

    view& v_;
    QString typed_;
    bool key_in_hand_ = false;  // the key handler runs
    // Kept by a display that ended within the key handler: shown after the
    // key's own line break.
    QString typed_line_to_show_;
    // Codes typed while a display ran, not yet typed.
    std::deque<int> waiting_keys_;
    bool typing_waiting_keys_ = false;
    bool waiting_keys_queued_ = false;
};
