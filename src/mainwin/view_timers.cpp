// The window's timers: the start banner. The heartbeat is in heartbeat.cpp,
// the retry of a sequence display in display_runner.cpp.

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
