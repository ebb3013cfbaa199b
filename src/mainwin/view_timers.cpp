// The window's timers: the heartbeat, the start banner and the retry of a
// sequence display.

#include "view.h"

#include "platform/transfer.h"
#include "reports/request.h"
#include "core/database.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"

#include <QFrame>
#include <QPointer>
#include <QTimer>

using namespace kolde_sub;

void view::Timer_Timer()
{
    // The heartbeat's work is added with the automatic decode cycle.
}

void view::Timer2_Timer()
{
    if (setting_bool(QStringLiteral("自動デコード有効")) && rs_autodecode().record_count() > 0) {
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
    // and tries again. The fetch of the missing hours belongs to the retry's
    // display, so nothing else starts while it waits.
    start_display([this] {
        Timer4->stop();
        cycle_tick_count = 0;
        ++sequence_retries;
        // The retry fetches the missing hours itself, so that it does not
        // wait for a heartbeat that may be stopped. A fetch already under way
        // is left to finish on its own.
        if (online && !Inet2->still_executing()) {
            QPointer<view> self(this);
            cycle_slot = 25;
            fetch_hourly_cycles();
            if (!self)
                return false;
        }
        ready_line_break = true;
        sequence_mode = true;
        return true;
    });
}
