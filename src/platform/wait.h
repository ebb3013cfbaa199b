#pragma once

#include <functional>
#include <optional>

class QDialog;

namespace platform {

// Re-entrancy rule. Code that waits for something while the program keeps
// running (a download, a sound, a key on the console, another window) waits
// through wait_until and nowhere else: no hand-written processEvents loops.
// While it waits, every window may be closed and every object destroyed, so
// the guard names what must still be alive (usually a QPointer to the
// waiting object); when it fails the caller touches nothing it owned and
// returns. A modal dialog's exec() is such a wait too: the dialog lives on
// the heap behind a QPointer, since its parent may be destroyed, and the
// dialog with it, while exec() runs: exec_modal does that.

enum class WaitEnd {
    Condition,  // the condition came true
    Guard,      // the guard failed: what the caller waited in went away
    Limit,      // the time limit passed first
};

// Runs the event loop until `condition` holds, `guard` fails, or `limit_ms`
// milliseconds have passed (measured on a monotonic timer; a negative limit
// waits without one). The guard is checked before the condition, and both
// before the first event is handled. An empty guard never fails.
WaitEnd wait_until(const std::function<bool()>& condition, const std::function<bool()>& guard,
                   int limit_ms);

// Lets the event loop handle the events pending now, without waiting for
// more: the yield of a long piece of work done on the spot. False when the
// guard fails, before or after; the caller then ends its work at once and
// touches nothing it owned.
bool yield_events(const std::function<bool()>& guard);

// Runs `dialog` (created with new, usually with a parent) modally and
// deletes it afterwards. `read` sees the result while the dialog still
// exists. Empty when the dialog was destroyed during exec(), with its
// parent as a rule; the caller then touches nothing of the parent.
std::optional<int> exec_modal(QDialog* dialog, const std::function<void(int result)>& read = {});

// The same for a dialog that stays loaded between its openings (it hides
// when closed and is shown again the next time): run modally and kept.
// Empty when the dialog was destroyed during exec().
std::optional<int> exec_modal_kept(QDialog* dialog);

}  // namespace platform
