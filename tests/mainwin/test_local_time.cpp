#include "view_fixture.h"

#include "mainwin/sun_command.h"
#include "mainwin/save_rules.h"
#include "platform/printers.h"
#include "sidewin/suntime.h"

#include <QComboBox>
#include <QTableWidget>

#include <functional>

namespace {

class LocalTime : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        platform::set_printer_queues_for_tests({}, QString());
        set(kolde_sub::key::print_dialog, platform::Value::boolean(false));
        set(kolde_sub::key::time_difference, "+9");
    }
    void TearDown() override
    {
        kolde_sub::save_file_chooser = {};
        platform::reset_printers();
        ViewFixture::TearDown();
    }
};

// The program's local time is UTC plus the time difference, whatever zone
// the computer runs in: at 20:00 UTC on 9 December it is already 05:00 on
// 10 December in Japan, and every time shown or acted on says so.
TEST_F(LocalTime, ShownAndActedOnAsUtcPlusTheTimeDifference)
{
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
