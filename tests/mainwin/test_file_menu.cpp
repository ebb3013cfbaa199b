// The file menu: printing and saving the console from the menu bar and the
// pop-up menu.
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

TEST_F(FileMenu, ExitClosesTheWindow)
{
    view v;
    v.show();
    v.menu_exit->trigger();
    EXPECT_FALSE(v.isVisible());
}
