// Carries the display fields of the settings record onto the main window:
// console colours and font, status bar font, scroll bar, scratch pad,
// button faces and browser buttons.
#pragma once

class view;

namespace kolde_sub {

// Paints the whole console text in the plain text colour; callers colour
// the reports again afterwards.
void apply_display_settings(view& v);

}  // namespace kolde_sub
