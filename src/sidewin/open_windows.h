// Which side windows are open: the chart, camera, log and command-list
// windows the main window hides and shows with itself. A window counts as
// open from the time it shows until its user closes it, while it is hidden
// with the main window too.
#pragma once

namespace kolde_sub {

enum class SideWindowId { chart, camera, log, command };

// Shared state, owner each side window, which marks itself open as it shows
// (or is activated) and closed as it closes; the main window reads it to
// hide and show the open ones with itself, and forgets them all when it
// loads.
bool side_window_open(SideWindowId window);
void mark_side_window(SideWindowId window, bool open);
void forget_side_windows();

}  // namespace kolde_sub
