// The camera window: its caption and the reload of still pictures.
#include "sidewin/side_windows.h"
#include "support/fixtures.h"

#include <QAction>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace kolde_sub;

using CameraWindow = kolde_test::SeededStore;

int row_of(const camera& w, const char* name)
{
    for (int row = 0; row < static_cast<int>(w.items().size()); ++row)
        if (w.items()[row].name == QLatin1String(name))
            return row;
    return -1;
}

// Still pictures reload on every 60th tick after the load or the last
// choice of a still camera; a camera page keeps the count cycling but is
// never reloaded.
TEST_F(CameraWindow, StillPicturesReloadEverySixtyTicks)
{
    struct Step {
        const char* choose;  // a camera chosen before the ticks, or null
        int ticks;
        int refreshes;       // reloads since the last choice
        int count;           // the tick count afterwards
    };
    const Step steps[] = {
        {nullptr, 59, 0, 59},
        {nullptr, 1, 1, 0},
        {nullptr, 45, 1, 45},
        {"menu_sapporo", 59, 0, 59},   // a still camera restarts the count
        {nullptr, 1, 1, 0},
        {nullptr, 30, 1, 30},
        {"menu_suisha", 30, 0, 0},     // a page: the count goes on and wraps
        {nullptr, 120, 0, 0},
        {nullptr, 10, 0, 10},
        {"menu_komatsu", 59, 0, 59},   // still again: reloads come back
        {nullptr, 61, 2, 0},
    };
    camera w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("新千歳空港"));
    EXPECT_EQ(w.shown_url(), w.items()[row_of(w, "menu_shinnchitose")].address);
    for (const Step& s : steps) {
        SCOPED_TRACE(s.choose ? s.choose : "ticks");
        if (s.choose)
            w.item_actions()[row_of(w, s.choose)]->trigger();
        for (int i = 0; i < s.ticks; ++i)
            w.Timer_Timer();
        EXPECT_EQ(w.refresh_count(), s.refreshes);
        EXPECT_EQ(w.camera_refresh_ticks, s.count);
        EXPECT_TRUE(w.Timer->isActive());
    }
    EXPECT_EQ(w.windowTitle(), QStringLiteral("小松空港"));
}

}  // namespace
