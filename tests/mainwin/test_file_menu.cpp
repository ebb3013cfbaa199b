// The file menu: printing and saving the console and the exit, from the
// menu bar and the pop-up menu.
#include "view_fixture.h"

#include "mainwin/save_rules.h"
#include "platform/printers.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>

class FileMenu : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        platform::set_printer_queues_for_tests({}, QString());  // only the built-in PDF printer
        set("印刷時ダイアログ", platform::Value::boolean(false));
    }
    void TearDown() override
    {
        kolde_sub::save_file_chooser = {};
        platform::reset_printers();
        ViewFixture::TearDown();
    }
};

TEST_F(FileMenu, PrintGoesToThePdfPrinterAndEndsWithThePrompt)
{
    view v;
    v.set_console_text(QStringLiteral("RJTT  METAR 0530Z\r\n 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG"));
    v.menu_popup_print->trigger();
    const QString pdf = platform::last_pdf_path();
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_TRUE(pdf.startsWith(folder.file(QStringLiteral("print/"))));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(4) == "%PDF");
    const QString console = v.console_text();
    EXPECT_TRUE(console.contains(QStringLiteral("\r\nPRINT COMPLETED\r\nREADY / PRESS ESC TO EXIT\r\n"))) << qPrintable(console);
}

TEST_F(FileMenu, SaveWritesTheConsoleToTheChosenFile)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("reports.txt"));
    kolde_sub::save_file_chooser = [&](const QString&) { return target; };
    view v;
    v.set_console_text(QStringLiteral("RJAA  SPECI 0512Z"));
    v.menu_save->trigger();
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("RJAA  SPECI 0512Z\r\n"));
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("FILE SAVE COMPLETED")));
}

// The bar's exit item closes the browser pane when it is open, and the
// window otherwise; the pop-up menu's exit item always closes the window.
TEST_F(FileMenu, ExitClosesThePaneOrTheWindow)
{
    struct Case {
        QAction* view::*item;
        bool pane_open;
        bool window_closes;
    };
    const Case cases[] = {
            {&view::menu_exit, true, false},
            {&view::menu_exit, false, true},
            {&view::menu_popup_exit, true, true},
            {&view::menu_popup_exit, false, true},
    };
    for (const Case& c : cases) {
        // A window that closed closed the store with it.
        if (!kolde_sub::db_conn().is_open()) {
            ASSERT_TRUE(kolde_sub::open_database());
        }
        view v;
        v.show();
        SCOPED_TRACE((v.*c.item)->objectName().toStdString() + (c.pane_open ? " pane open" : " pane closed"));
        if (c.pane_open) {
            v.WebBrowser->show();
            v.enter_browser_mode();
        }
        (v.*c.item)->trigger();
        EXPECT_EQ(v.isVisible(), !c.window_closes);
        if (!c.window_closes) {
            EXPECT_FALSE(v.WebBrowser->isVisible());
            EXPECT_EQ(v.menu_exit->text(), QStringLiteral("KOLDE を終了"));
            EXPECT_TRUE(v.menu_print->isEnabled());
        }
    }
}
