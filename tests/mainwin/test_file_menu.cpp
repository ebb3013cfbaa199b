// The file menu's exit, from the menu bar and the pop-up menu (its print
// and save items: PrintDisplay and SaveDisplay).
#include "view_fixture.h"

using FileMenu = kolde_test::ViewFixture;

// The bar's exit item closes the browser pane when it is open, and the
// window otherwise; the pop-up menu's exit item always closes the window.
TEST_F(FileMenu, ExitClosesThePaneOrTheWindow)
{
    struct Case {
        const char* item;
        bool pane_open;
        bool window_closes;
    };
    const Case cases[] = {
            {"menu_exit", true, false},
            {"menu_exit", false, true},
            {"menu_popup_exit", true, true},
            {"menu_popup_exit", false, true},
    };
    for (const Case& c : cases) {
        // A window that closed closed the store with it.
        if (!kolde_sub::db_conn().is_open()) {
            ASSERT_TRUE(kolde_sub::open_database());
        }
        view v;
        v.show();
        SCOPED_TRACE(drive(v).menu_item(c.item)->objectName().toStdString() + (c.pane_open ? " pane open" : " pane closed"));
        if (c.pane_open) {
            drive(v).browser_pane()->show();
            v.enter_browser_mode();
        }
        drive(v).menu_item(c.item)->trigger();
        EXPECT_EQ(v.isVisible(), !c.window_closes);
        if (!c.window_closes) {
            EXPECT_FALSE(drive(v).browser_pane()->isVisible());
            EXPECT_EQ(drive(v).menu_item("menu_exit")->text(), QStringLiteral("KOLDE を終了"));
            EXPECT_TRUE(drive(v).menu_item("menu_print")->isEnabled());
        }
    }
}
