// The window's names for the display runner, printing and saving, which the
// console, the menus, the image buttons and the heartbeat call.

#include "view.h"

#include "display_runner.h"
#include "print_save.h"
#include "command_line.h"

#include "reports/station_file.h"

#include <QPointer>

bool view::display_running() const { return display_->running(); }

bool view::start_display(const std::function<bool()>& prepare)
{
    QPointer<view> self(this);
    const bool started = display_->start(prepare);
    // The keys typed on the console meanwhile come next.
    if (self)
        command_line_->after_display();
    return started;
}

void view::build_station_list() { display_->build_station_list(); }

kolde_sub::StationFile view::fetch_station_file(const QString& code) { return display_->fetch_station_file(code); }

void view::fetch_hourly_cycles() { display_->fetch_hourly_cycles(); }

void view::Timer4_Timer() { display_->retry_sequence(); }

void view::print_display(const QString& text) { print_save_->print(text); }

void view::save_display() { print_save_->save(); }
