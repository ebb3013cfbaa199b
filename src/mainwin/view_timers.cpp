// The window's timers: the start banner and the retry of a sequence
// display. The heartbeat's work is in heartbeat.cpp.

#include "view.h"

#include "heartbeat.h"

#include "core/database.h"
#include "core/settings.h"

#include <QFrame>
#include <QTimer>

using namespace kolde_sub;

void view::Timer_Timer() { heartbeat_->tick(); }

void view::Timer2_Timer()
{
    if (setting_bool(key::auto_decode) && rs_autodecode().record_count() > 0) {
        // The first display takes the banner down.
        Timer2->stop();
        return;
    }
    ++banner_ticks;
    if (banner_ticks >= 5) {
        Timer2->stop();
        Frame1->hide();
    }
}

void view::Timer4_Timer()
{
    // A tick that comes while a display runs is skipped: the timer stays on
    // and tries again. The missing hours come from the heartbeat's fetch of
    // the hourly cycle files; the retry only shows the request again.
    //
    // The retry does not put the heartbeat's count back to 0: the heartbeat
    // fetches what the retry waits for, and a count set back every three
    // seconds would never reach the next probe.
    start_display([this] {
        Timer4->stop();
        ++sequence_retries;
        session.ready_line_break = true;
        session.sequence_mode = true;
        return true;
    });
}
