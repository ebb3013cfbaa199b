// The messages that tell the user that what was asked for was not done.
#pragma once

class QWidget;

namespace kolde_sub {

// A print that could not be made (a printer that fails, a PDF file that
// cannot be written).
void tell_print_failed(QWidget* parent);
// A change of the settings that could not be stored (a full disk).
void tell_settings_not_stored(QWidget* parent);

}  // namespace kolde_sub
