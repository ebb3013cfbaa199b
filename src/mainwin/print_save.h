// Printing and saving the console. A print by hand (command, menu, button)
// or an automatic one after new reports; the messages of a print by hand go
// into the console, those of an automatic print into the display's staging
// text, so that they survive the next display. Saving writes the console as
// a text file the user chooses.
#pragma once

#include <QString>

class DisplayRunner;
class view;

class PrintSave {
public:
    PrintSave(view& window, DisplayRunner& display);

    // Prints text when it is not empty (a new display handed over), else the
    // console.
    void print(const QString& handed_over);
    void save();

private:
    // Every road of a print but its end; false means the print failed.
    bool run_print(const QString& handed_over);
    // An automatic print of the heartbeat's cycle is refused outside its
    // hours and without its printer (a notice then, and false); it goes to
    // the chosen printer. A print by hand goes to the current one.
    bool spool_to(const QString& printer, int now_minutes);
    bool print_text(const QString& handed_over);
    void show_status();
    void notice_line(const QString& text);
    void console_line(const QString& text);

    view& v_;
    DisplayRunner& display_;
};
