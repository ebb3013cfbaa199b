// What a transfer of a report file brought, as the displays read it.
#include "reports/report_reply.h"

#include <gtest/gtest.h>

using namespace kolde_sub;
using platform::TransferResult;

namespace {

TransferResult answer(int status, const QByteArray& body, bool cut_off = false)
{
    TransferResult r;
    r.status = status;
    r.body = body;
    r.cut_off = cut_off;
    r.ok = !cut_off && status >= 200 && status <= 299;
    return r;
}

TransferResult no_answer()
{
    TransferResult r;
    r.no_connection = true;
    return r;
}

}  // namespace

TEST(ReportReply, StationAndCycleFilesAsTheTransferBroughtThem)
{
    const QByteArray report = "2011/11/30 05:30\nRJTT 300530Z 34005KT\n";
    struct Case {
        const char* name;
        TransferResult result;
        bool missing;
        bool no_connection;
        bool cut_off;
        const char* text;  // the reply's text
        const char* copy;  // the cycle copy; nullptr: none
    };
    const Case cases[] = {
            {"file", answer(200, report), false, false, false, report.constData(), report.constData()},
            {"empty", answer(200, {}), true, false, false, "", nullptr},
            {"error page", answer(200, "<html>503</html>"), true, false, false, "<html>503</html>", nullptr},
            {"not found", answer(404, "<html>404</html>"), true, false, false, "", nullptr},
            {"no answer", no_answer(), true, true, false, "", nullptr},
            // Cut off: the reply up to the cut; the copy up to its last line.
            {"cut", answer(200, "RJTT 300530Z 34005KT\nRJTT 3005", true), false, false, true,
             "RJTT 300530Z 34005KT\nRJTT 3005", "RJTT 300530Z 34005KT\n"},
            {"cut in its first line", answer(200, "RJTT 300530Z 3400", true), false, false, true,
             "RJTT 300530Z 3400", nullptr},
            {"cut error page", answer(404, "<html>", true), true, false, false, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportReply reply = report_reply(c.result);
        EXPECT_EQ(reply.missing, c.missing);
        EXPECT_EQ(reply.no_connection, c.no_connection);
        EXPECT_EQ(reply.cut_off, c.cut_off);
        EXPECT_EQ(reply.text, QString::fromUtf8(c.text));
        const std::optional<QString> copy = cycle_copy_text(reply);
        EXPECT_EQ(copy.has_value(), c.copy != nullptr);
        if (copy && c.copy) {
            EXPECT_EQ(*copy, QString::fromUtf8(c.copy));
        }
    }
    EXPECT_EQ(cut_off_log_text(QStringLiteral("http://h:8737/pub/data/observations/metar/stations/RJTT.TXT"), 16384),
              QStringLiteral("DATA OVER 16384 BYTES CUT /pub/data/observations/metar/stations/RJTT.TXT"));
}

// Nothing of a binary body may steer the console: control characters go,
// line breaks and every other character stay.
TEST(ReportReply, PrintableTextKeepsLineBreaksOnly)
{
    const char binary[] = "RJTT\x01\x1b[2J 3005\x00" "30Z\t\x7f\r\nQ1020\n";
    EXPECT_EQ(printable_text(QByteArray(binary, sizeof binary - 1)), QStringLiteral("RJTT[2J 300530Z\r\nQ1020\n"));
    // Latin-1 bytes give C1 controls (dropped) and letters (kept).
    EXPECT_EQ(printable_text(QByteArray("A\x85\x9b" "B\xe9", 5)), QStringLiteral("ABé"));
    EXPECT_EQ(printable_text(QStringLiteral("羽田 RJTT").toUtf8()), QStringLiteral("羽田 RJTT"));
}
