// The steps that the console's commands, the image buttons and the menus
// share: the status text, the no-connection box, stopping and starting the
// automatic decode, the options dialog and the PDF-reader notice before the
// chart. view's methods of the same names forward here; their comments in
// view.h tell what each step does.
#pragma once

#include "view.h"

#include <QString>

class CommandSteps {
public:
    explicit CommandSteps(view& v) : v_(v) {}

    void set_status_text(const QString& text);
    void no_connection_box();
    void stop_auto_decode();
    void manual_input_stop();
    void start_auto_decode(view::AutoStartFrom from);
    void restart_auto_decode();
    void show_options();
    bool show_reader_notice(bool log_notice);

private:
    view& v_;
};
