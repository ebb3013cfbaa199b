// Keyboard stand-ins for code fields: switching a widget's input method off
// and a program-wide Caps Lock that makes typed letters upper case.
#pragma once

class QWidget;

namespace platform {

void set_input_method_open(QWidget* widget, bool open);

// While on, every key press that types lower-case letters reaches its widget
// as the same key typing upper-case letters.
void set_caps_lock(bool on);
bool caps_lock();

}  // namespace platform
