// The steps that the console commands, the image buttons and the menus
// share (command_steps.h).

#include "view.h"

#include "display_runner.h"
#include "display_settings.h"
#include "heartbeat.h"
#include "command_steps.h"

void view::set_status_text(const QString& text) { command_steps_->set_status_text(text); }

void view::no_connection_box() { command_steps_->no_connection_box(); }

void view::stop_auto_decode() { command_steps_->stop_auto_decode(); }

void view::manual_input_stop() { command_steps_->manual_input_stop(); }

void view::start_auto_decode(AutoStartFrom from) { command_steps_->start_auto_decode(from); }

void view::restart_auto_decode() { command_steps_->restart_auto_decode(); }

void view::show_options() { command_steps_->show_options(); }

bool view::show_reader_notice(bool log_notice) { return command_steps_->show_reader_notice(log_notice); }
