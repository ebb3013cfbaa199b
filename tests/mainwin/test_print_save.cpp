#include "view_fixture.h"

#include "core/clock.h"
#include "mainwin/console_text.h"
#include "mainwin/print_rules.h"
#include "mainwin/save_rules.h"
#include "mainwin/sun_command.h"
#include "options/printerselect.h"
#include "platform/printers.h"
#include "sidewin/suntime.h"
#include "startup/notices.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableWidget>

#include <functional>
#include <optional>

namespace {

QStringList log_rows()
{
    QStringList rows;
    const kolde_sub::log_model* log = kolde_sub::log_book();
    for (int r = log->rowCount() - 1; r >= 0; --r)
        rows << log->row(r).text;
    return rows.mid(3);  // the three rows that a fresh log starts with
}

// The rows written since the log was last unloaded, oldest first, joined by "|".
std::string joined_log_rows() { return log_rows().join(u'|').toStdString(); }
std::string last_log() { return log_rows().value(log_rows().size() - 1).toStdString(); }

// A moment in Japan time, the store's time difference (+9).
QDateTime at(int h, int m) { return QDateTime(QDate(2012, 3, 5), QTime(h, m, 0), Qt::OffsetFromUTC, 9 * 3600); }

// The error boxes shown, as "title|text".
QStringList told(const std::vector<platform::MsgBoxCall>& boxes)
{
    QStringList errors;
    for (const platform::MsgBoxCall& b : boxes)
        if (b.icon == platform::MsgIcon::Critical)
            errors << b.title + u'|' + b.text;
    return errors;
}

// ------------------------------------------------------------ plain rules

TEST(PrintRules, PrintWindowIsClosedAtBothEndsAndDoesNotWrap)
{
    using kolde_sub::inside_print_window;
    const int start = kolde_sub::minutes_of_day(QStringLiteral("08"), QStringLiteral("00"));
    const int end = kolde_sub::minutes_of_day(QStringLiteral("17"), QStringLiteral("00"));
    EXPECT_EQ(start, 480);
    EXPECT_EQ(end, 1020);
    EXPECT_TRUE(inside_print_window(480, start, end));
    EXPECT_TRUE(inside_print_window(1020, start, end));
    EXPECT_FALSE(inside_print_window(479, start, end));
    EXPECT_FALSE(inside_print_window(1021, start, end));
    // 22:00 to 06:00 does not reach past midnight: nothing is inside.
    for (int now : {0, 300, 1320, 1439})
        EXPECT_FALSE(inside_print_window(now, 1320, 360)) << now;
    EXPECT_TRUE(inside_print_window(0, 0, 1439));
    EXPECT_TRUE(inside_print_window(1439, 0, 1439));
}

TEST(PrintRules, TimeFieldsAreReadFromTheirLeadingDigits)
{
    EXPECT_EQ(kolde_sub::leading_digits(QStringLiteral("08")), 8);
    EXPECT_EQ(kolde_sub::leading_digits(QStringLiteral(" 7x")), 7);
    EXPECT_EQ(kolde_sub::leading_digits(QStringLiteral("x7")), 0);
    EXPECT_EQ(kolde_sub::leading_digits(QString()), 0);
    EXPECT_EQ(kolde_sub::minutes_of_day(QStringLiteral("23"), QStringLiteral("59")), 1439);
}

TEST(PrintRules, HeaderAndNoticeTexts)
{
    EXPECT_EQ(kolde_sub::print_header_line(QStringLiteral("4.31"), QDateTime(QDate(2012, 3, 5), QTime(9, 15, 0))),
              QStringLiteral("*** WEATHER OBSERVATION AND FORECASTS ***   KOLDE Version 4.31   03-05-2012   09:15:00"));
    EXPECT_EQ(kolde_sub::with_notice_line(QStringLiteral("RJTT"), QStringLiteral("AUTO PRINT COMPLETED "), QTime(9, 5, 7)),
              QStringLiteral("RJTT\r\nAUTO PRINT COMPLETED 09:05:07\r\n"));
}

TEST(SaveRules, ContentAndQuestion)
{
    const QDateTime t(QDate(2012, 3, 5), QTime(9, 15, 0));
    EXPECT_EQ(kolde_sub::save_file_content(QStringLiteral("RJTT\r\nRJAA"), t),
              QStringLiteral("RJTT\r\nRJAA\r\n03-05-2012 09:15:00\r\n"));
    EXPECT_EQ(kolde_sub::save_file_content(QString(), t), QStringLiteral("\r\n03-05-2012 09:15:00\r\n"));
    EXPECT_EQ(kolde_sub::overwrite_question(QStringLiteral("/tmp/a.txt")),
              QStringLiteral("/tmp/a.txt はすでに存在します  \r\r上書きしますか？　　"));
    EXPECT_EQ(QFileInfo(kolde_sub::proposed_save_path()).fileName(), QStringLiteral("KOLDE.txt"));
    EXPECT_EQ(QFileInfo(kolde_sub::proposed_save_path()).absolutePath(), QDir::homePath());
}

TEST(SaveRules, AWriteThatCannotHappenReportsFailure)
{
    QTemporaryDir dir;
    EXPECT_FALSE(kolde_sub::write_text_file(dir.path() + QStringLiteral("/missing/a.txt"), QStringLiteral("x")));
    EXPECT_FALSE(kolde_sub::write_text_file(dir.path(), QStringLiteral("x")));
    EXPECT_TRUE(kolde_sub::write_text_file(dir.path() + QStringLiteral("/a.txt"), QStringLiteral("日本 RJTT\r\n")));
    QFile f(dir.path() + QStringLiteral("/a.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QStringLiteral("日本 RJTT\r\n").toUtf8());
    // Only the file itself is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({QStringLiteral("a.txt")}));
}

// ------------------------------------------------------------ printing

class PrintDisplay : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        platform::set_printer_queues_for_tests({}, QString());
        kolde_sub::set_clock(at(9, 15));
        set(kolde_sub::key::print_dialog, platform::Value::boolean(false));
        set(kolde_sub::key::print_font, "Monospace");
    }
    void TearDown() override
    {
        kolde_sub::reset_clock();
        platform::reset_printers();
        ViewFixture::TearDown();
    }

    // Answers the next modal dialog (if any) and records that it was shown.
    void answer_dialog(const std::function<void(kolde_sub::printerselect*)>& answer)
    {
        QTimer::singleShot(0, [this, answer] {
            auto* d = qobject_cast<kolde_sub::printerselect*>(QApplication::activeModalWidget());
            if (!d)
                return;
            ++dialogs;
            answer(d);
            if (d->isVisible())
                d->cmd_Click(0);
        });
    }

    QStringList pdf_files() const { return QDir(folder.file(QStringLiteral("print"))).entryList(QDir::Files); }
    static QString staging(view& v) { return kolde_sub::from_edit_text(drive(v).staged_text()); }

    // An automatic print from the heartbeat's cycle.
    static void cycle_print(view& v)
    {
        drive(v).auto_print() = true;
        drive(v).timer_run() = true;
        v.print_display();
    }

    int dialogs = 0;
};

TEST_F(PrintDisplay, PrintByHandWithoutTheDialogPrintsTheConsoleOnTheCurrentPrinter)
{
    view v;
    kolde_sub::unload_log();  // drops the rows of the window's load
    v.set_console_text(QStringLiteral("RJTT 050900Z 34010KT\r\nRJAA 050900Z 36005KT"));
    drive(v).set_status_panel_text(QStringLiteral("自動デコード中"));
    v.print_display();

    ASSERT_EQ(pdf_files().size(), 1);
    QFile pdf(platform::last_pdf_path());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
    EXPECT_EQ(platform::last_printed_lines(),
              QStringList({QStringLiteral("*** WEATHER OBSERVATION AND FORECASTS ***   KOLDE Version 4.31   03-05-2012   09:15:00"),
                           QString(), QStringLiteral("RJTT 050900Z 34010KT"), QStringLiteral("RJAA 050900Z 36005KT")}));
    EXPECT_EQ(v.console_text(), QStringLiteral("RJTT 050900Z 34010KT\r\nRJAA 050900Z 36005KT\r\nPRINT COMPLETED"));
    EXPECT_EQ(joined_log_rows(), "PRINT COMMAND|AUTO PRINT DATA SPOOL INTO *|PRINT COMPLETED");
    EXPECT_EQ(drive(v).status_text(), QStringLiteral("自動デコード中"));
    EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("自動デコード中"));
    EXPECT_EQ(dialogs, 0);

    // An empty console prints the header only.
    v.set_console_text(QString());
    v.print_display();
    EXPECT_EQ(platform::last_printed_lines(),
              QStringList({QStringLiteral("*** WEATHER OBSERVATION AND FORECASTS ***   KOLDE Version 4.31   03-05-2012   09:15:00"),
                           QString()}));

    // The pop-up menu's item prints the same way and ends with the prompt.
    drive(v).menu_item("menu_popup_print")->trigger();
    EXPECT_EQ(pdf_files().size(), 3);
    EXPECT_TRUE(v.console_text().contains(QStringLiteral("\r\nPRINT COMPLETED\r\nREADY / PRESS ESC TO EXIT\r\n")));
}

TEST_F(PrintDisplay, TheDialogChoosesThePrinterAndCancelEndsThePrint)
{
    set(kolde_sub::key::print_dialog, platform::Value::boolean(true));
    platform::set_printer_queues_for_tests({QStringLiteral("NO-SUCH-QUEUE")}, QStringLiteral("NO-SUCH-QUEUE"));
    view v;
    kolde_sub::unload_log();  // drops the rows of the window's load
    v.set_console_text(QStringLiteral("RJTT"));

    answer_dialog([](kolde_sub::printerselect* d) { d->cmd[0]->click(); });
    v.print_display();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(v.console_text(), QStringLiteral("RJTT\r\nCANCEL PRINT"));
    EXPECT_EQ(joined_log_rows(), "PRINT COMMAND|CANCEL PRINT COMMAND");
    EXPECT_TRUE(pdf_files().isEmpty());
    // A cancel is the user's own choice: nothing more is told.
    EXPECT_TRUE(boxes.empty());

    answer_dialog([](kolde_sub::printerselect* d) {
        d->cmb->setCurrentText(QStringLiteral("PDF"));
        d->cmd[1]->click();
    });
    v.print_display();
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(platform::current_printer(), QStringLiteral("PDF"));
    EXPECT_EQ(pdf_files().size(), 1);
    EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("\r\nCANCEL PRINT\r\nPRINT COMPLETED")));
}

// A failing printer, an unusable print folder, a full disk: by hand and from
// the cycle alike, the console stays as it was and no PDF file is left.
TEST_F(PrintDisplay, AFailedPrintIsToldAndLogged)
{
    const std::string cases[] = {"NO-SUCH-QUEUE", "PDF in a file", "PDF on a full disk"};
    const QString print_folder = folder.file(QStringLiteral("print"));
    view v;
    v.set_console_text(QStringLiteral("RJTT"));
    drive(v).set_status_panel_text(QStringLiteral("待機中"));
    for (const std::string& c : cases) {
        SCOPED_TRACE(c);
        const QString printer = QString::fromStdString(c.substr(0, c.find(' ')));
        const QStringList queues = printer == QStringLiteral("PDF") ? QStringList() : QStringList{printer};
        platform::set_printer_queues_for_tests(queues, queues.value(0));
        set(kolde_sub::key::printer, printer);
        QFile::remove(print_folder);
        ASSERT_TRUE(c != "PDF in a file" || kolde_test::write_file(print_folder, "x"));
        boxes.clear();
        for (const bool cycle : {false, true}) {
            std::optional<kolde_test::FileSizeLimit> full;
            if (c == "PDF on a full disk")
                full.emplace(1024);
            cycle ? cycle_print(v) : v.print_display();
            full.reset();
            EXPECT_EQ(last_log(), "CANCEL PRINT COMMAND");
        }
        EXPECT_EQ(told(boxes), QStringList(2, QStringLiteral(" エラー|印刷できませんでした　　")));
        EXPECT_EQ(v.console_text(), QStringLiteral("RJTT"));
        EXPECT_TRUE(staging(v).isEmpty());
        EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("待機中"));
        EXPECT_TRUE(pdf_files().isEmpty());
    }
}

TEST_F(PrintDisplay, TheCyclePrintsOnlyInsideThePrintWindow)
{
    set(kolde_sub::key::print_timed, platform::Value::boolean(true));
    set(kolde_sub::key::printer, "PDF");
    set(kolde_sub::key::print_start_hour, "08");
    set(kolde_sub::key::print_start_minute, "00");
    set(kolde_sub::key::print_end_hour, "17");
    set(kolde_sub::key::print_end_minute, "00");
    view v;
    kolde_sub::unload_log();  // drops the rows of the window's load
    v.set_console_text(QStringLiteral("RJTT"));

    kolde_sub::set_clock(at(17, 1));
    cycle_print(v);
    EXPECT_TRUE(pdf_files().isEmpty());
    EXPECT_EQ(staging(v), QStringLiteral("\r\nAUTO PRINT DISABLED / OUT OF PRINT SCHEDULE 17:01:00\r\n"));
    EXPECT_EQ(last_log(), "AUTO PRINT DISABLED / OUT OF PRINT SCHEDULE");
    EXPECT_FALSE(drive(v).auto_print());
    EXPECT_EQ(v.console_text(), QStringLiteral("RJTT"));

    kolde_sub::set_clock(at(17, 0));
    cycle_print(v);
    EXPECT_EQ(pdf_files().size(), 1);
    EXPECT_TRUE(staging(v).endsWith(QStringLiteral("\r\nAUTO PRINT COMPLETED 17:00:00\r\n")));
    EXPECT_EQ(last_log(), "AUTO PRINT COMPLETED TO PDF");

    // A display asked for by hand prints outside the window.
    kolde_sub::set_clock(at(17, 1));
    drive(v).auto_print() = true;
    drive(v).timer_run() = false;
    v.print_display();
    EXPECT_EQ(pdf_files().size(), 2);
    EXPECT_EQ(log_rows().mid(log_rows().size() - 2).join(u'|').toStdString(),
              "AUTO PRINT DATA SPOOL INTO PDF|AUTO PRINT COMPLETED TO PDF");
    EXPECT_TRUE(staging(v).endsWith(QStringLiteral("\r\nAUTO PRINT COMPLETED 17:01:00\r\n")));
    EXPECT_EQ(v.console_text(), QStringLiteral("RJTT"));
}

TEST_F(PrintDisplay, TheCycleNeedsTheStoredPrinterInstalled)
{
    platform::set_printer_queues_for_tests({QStringLiteral("LBP")}, QStringLiteral("LBP"));
    view v;
    kolde_sub::unload_log();  // drops the rows of the window's load
    v.set_console_text(QStringLiteral("RJTT"));
    drive(v).set_status_panel_text(QStringLiteral("自動デコード中"));

    set(kolde_sub::key::printer, "*");
    cycle_print(v);
    EXPECT_EQ(staging(v), QStringLiteral("\r\nAUTO PRINT DISABLED / NOT FOUND PRINTER 09:15:00\r\n"));
    EXPECT_EQ(last_log(), "AUTO PRINT DISABLED / NOT FOUND PRINTER");
    EXPECT_EQ(platform::current_printer(), QStringLiteral("LBP"));

    // The stored printer becomes the current one.
    set(kolde_sub::key::printer, "PDF");
    cycle_print(v);
    EXPECT_EQ(platform::current_printer(), QStringLiteral("PDF"));
    EXPECT_EQ(pdf_files().size(), 1);
    EXPECT_EQ(drive(v).status_text(), QStringLiteral("自動デコード中"));
}

TEST_F(PrintDisplay, AnAutomaticPrintNeverAsksAndPrintsTheHandedOverText)
{
    set(kolde_sub::key::print_dialog, platform::Value::boolean(true));
    set(kolde_sub::key::printer, "PDF");
    view v;
    kolde_sub::unload_log();  // drops the rows of the window's load
    v.set_console_text(QStringLiteral("OLD CONSOLE"));
    for (const bool cycle : {true, false}) {
        answer_dialog([](kolde_sub::printerselect* d) { d->cmd[0]->click(); });
        drive(v).auto_print() = true;
        drive(v).timer_run() = cycle;
        v.print_display(QStringLiteral("RJTT NEW DISPLAY"));
        QApplication::processEvents();  // lets an unused answer run and find no dialog
        EXPECT_EQ(dialogs, 0);
        EXPECT_EQ(platform::last_printed_lines().mid(2), QStringList({QStringLiteral("RJTT NEW DISPLAY")}));
    }
    EXPECT_EQ(pdf_files().size(), 2);

    // Without a handed-over text the console is printed.
    drive(v).auto_print() = true;
    v.print_display();
    EXPECT_EQ(platform::last_printed_lines().mid(2), QStringList({QStringLiteral("OLD CONSOLE")}));
}

// ------------------------------------------------------------ saving

class SaveDisplay : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        target = folder.file(QStringLiteral("out.txt"));
        kolde_sub::save_file_chooser = [this](const QString& p) {
            proposed = p;
            ++choices;
            return chosen;
        };
    }
    void TearDown() override
    {
        kolde_sub::save_file_chooser = {};
        ViewFixture::TearDown();
    }

    static QByteArray read(const QString& path)
    {
        return kolde_test::read_file(path);
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        ASSERT_TRUE(kolde_test::write_file(path, bytes));
    }

    QString target;
    QString chosen;
    QString proposed;
    int choices = 0;
};

const QRegularExpression date_time_line(QStringLiteral("\r\n\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d\r\n$"));

// From the menu bar.
TEST_F(SaveDisplay, SavesTheConsoleAndEndsWithTheReadyPromptOnANewLine)
{
    chosen = target;
    view v;
    kolde_sub::unload_log();  // drops the rows of the window's load
    v.set_console_text(QStringLiteral("RJTT 050900Z 34010KT\r\nRJAA 050900Z 36005KT"));
    drive(v).menu_item("menu_save")->trigger();

    EXPECT_EQ(QFileInfo(proposed).fileName(), QStringLiteral("KOLDE.txt"));
    const QString saved = QString::fromUtf8(read(target));
    EXPECT_TRUE(saved.startsWith(QStringLiteral("RJTT 050900Z 34010KT\r\nRJAA 050900Z 36005KT\r\n")));
    EXPECT_TRUE(date_time_line.match(saved).hasMatch()) << saved.toStdString();
    EXPECT_EQ(saved.count(QStringLiteral("\r\n")), 3);
    EXPECT_TRUE(v.console_text().endsWith(QStringLiteral("36005KT\r\nFILE SAVE COMPLETED\r\nREADY / PRESS ESC TO EXIT\r\n")));
    EXPECT_FALSE(drive(v).ready_line_break());
    EXPECT_EQ(joined_log_rows(), "FILE SAVE COMMAND|FILE SAVE COMPLETED");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SaveDisplay, AnExistingFileIsReplacedOnlyOnYes)
{
    chosen = target;
    write(target, QByteArray("OLD CONTENT THAT IS LONGER THAN THE NEW ONE ").repeated(20));
    const QByteArray old = read(target);
    view v;
    kolde_sub::unload_log();  // drops the rows of the window's load
    v.set_console_text(QStringLiteral("RJTT"));

    answer = platform::MsgAnswer::No;
    v.save_display();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, platform::MsgIcon::Question);
    EXPECT_EQ(boxes[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(boxes[0].title, QStringLiteral(" 確認"));
    EXPECT_EQ(boxes[0].text, target + QStringLiteral(" はすでに存在します  \r\r上書きしますか？　　"));
    EXPECT_EQ(read(target), old);
    EXPECT_EQ(v.console_text(), QStringLiteral("RJTT\r\nCANCEL FILE SAVE\r\nREADY / PRESS ESC TO EXIT\r\n"));
    EXPECT_EQ(joined_log_rows(), "FILE SAVE COMMAND|CANCEL FILE SAVE COMMAND");

    answer = platform::MsgAnswer::Yes;
    v.set_console_text(QStringLiteral("RJTT"));
    v.save_display();
    const QString saved = QString::fromUtf8(read(target));
    EXPECT_TRUE(saved.startsWith(QStringLiteral("RJTT\r\n")));
    EXPECT_FALSE(saved.contains(QStringLiteral("OLD")));
    EXPECT_TRUE(date_time_line.match(saved).hasMatch());
}

// A failed write is told as well.
TEST_F(SaveDisplay, ACancelledDialogOrAFailedWriteTakesTheCancelRoad)
{
    view v;
    // The last one on a full disk.
    for (const QString& path : {QString(), folder.file(QStringLiteral("no/such/folder/a.txt")), folder.path(), target}) {
        chosen = path;
        boxes.clear();
        v.set_console_text(QStringLiteral("RJTT"));
        kolde_sub::unload_log();
        {
            std::optional<kolde_test::FileSizeLimit> full;
            if (path == target)
                full.emplace(8);
            v.save_display();
        }
        EXPECT_EQ(v.console_text(), QStringLiteral("RJTT\r\nCANCEL FILE SAVE\r\nREADY / PRESS ESC TO EXIT\r\n"))
                << path.toStdString();
        EXPECT_EQ(joined_log_rows(), "FILE SAVE COMMAND|CANCEL FILE SAVE COMMAND");
        EXPECT_EQ(told(boxes), path.isEmpty() ? QStringList()
                                         : QStringList{QStringLiteral(" エラー|") + path + QStringLiteral(" を保存できませんでした　　")});
    }
    EXPECT_FALSE(QFile::exists(target));
}

// ------------------------------------------------------------ local time

class LocalTime : public PrintDisplay {
protected:
    void TearDown() override
    {
        kolde_sub::save_file_chooser = {};
        PrintDisplay::TearDown();
    }
};

// Local time is UTC plus the time difference in any computer zone: 20:00 UTC
// on 9 December is 05:00 on 10 December for every time shown or acted on.
TEST_F(LocalTime, ShownAndActedOnAsUtcPlusTheTimeDifference)
{
    set(kolde_sub::key::time_difference, "+9");
    const QString saved = folder.file(QStringLiteral("saved.txt"));
    kolde_sub::save_file_chooser = [&](const QString&) {
        QFile::remove(saved);  // no question about replacing the last run's file
        return saved;
    };
    struct Case {
        const char* what;
        std::function<QString(view&)> shown;
        QString expected;
    };
    const Case cases[] = {
            {"print header", [](view& v) { v.print_display(); return platform::last_printed_lines().value(0).right(21); },
             QStringLiteral("12-10-2026   05:00:00")},
            {"saved file",
             [&](view& v) {
                 drive(v).menu_item("menu_save")->trigger();
                 return QString::fromUtf8(kolde_test::read_file(saved)).right(21);
             },
             QStringLiteral("12-10-2026 05:00:00\r\n")},
            {"log row",
             [](view&) {
                 kolde_sub::write_log(QStringLiteral("TEST"));
                 const kolde_sub::log_row& r = kolde_sub::log_book()->row(0);
                 return r.date + u' ' + r.time;
             },
             QStringLiteral("12-10-2026 05:00:00")},
            {"SS command",
             [](view& v) {
                 v.console_enter(QStringLiteral("SS RJTT"));
                 return v.console_text().split(QStringLiteral("\r\n")).filter(QStringLiteral("SUNRISE")).value(0);
             },
             kolde_sub::sun_times_block(QStringLiteral("RJTT"), QDate(2026, 12, 10)).mid(2)},
            {"sun table's today",
             [](view&) {
                 kolde_sub::suntime w;
                 w.Form_Activate();
                 w.cmb[0]->setCurrentIndex(w.cmb[0]->findText(QStringLiteral("東京国際(東京)")));
                 w.cmb_Click();
                 return QStringLiteral("%1-%2").arg(w.grid->currentRow()).arg(w.grid->currentColumn());
             },
             QStringLiteral("10-35")},
    };
    const kolde_test::ClockAt clock(QDateTime(QDate(2026, 12, 9), QTime(20, 0), Qt::UTC));
    for (const char* zone : {"UTC", "Asia/Tokyo"}) {
        const kolde_test::TimeZoneAt tz(zone);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(zone) + ", " + c.what);
            view v;
            EXPECT_EQ(c.shown(v).toStdString(), c.expected.toStdString());
        }
    }
}

}  // namespace
