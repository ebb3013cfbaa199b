// What a transfer of a report file brought, as the displays read it.
#include "reports/report_reply.h"

#include <gtest/gtest.h>

using namespace kolde_sub;

namespace {

platform::TransferResult answer(int status, const QByteArray& body, bool cut_off = false)
{
    platform::TransferResult r;
    r.status = status;
    r.body = body;
    r.cut_off = cut_off;
    r.ok = !cut_off && status >= 200 && status <= 299;
    r.no_connection = status == 0;
    return r;
}

}  // namespace

// A file counts (also cut off at the limit, up to the cut); a failure, an
// empty body or the error page is none. Only a file leaves an hourly copy,
// which ends at a whole line. No control character but the line breaks
// survives, nor a line separator or a direction mark.
TEST(ReportReply, StationAndCycleFilesAsTheTransferBroughtThem)
{
    const char binary[] = "RJTT\x01\x1b[2J 3005\x00" "30Z\t\x7f\x85\r\nQ1020\xe9\n";
    struct Case {
        const char* name;
        platform::TransferResult result;
        bool missing;
        bool cut_off;
        const char* text;
        const char* copy;  // nullptr: none
    };
    const Case cases[] = {
            {"file", answer(200, "RJTT 3005\n"), false, false, "RJTT 3005\n", "RJTT 3005\n"},
            {"binary", answer(200, QByteArray(binary, sizeof binary - 1)), false, false,
             "RJTT[2J 300530Z\r\nQ1020\u00e9\n", "RJTT[2J 300530Z\r\nQ1020\u00e9\n"},
            {"separators and direction marks", answer(200, "RJTT\u2028 300530Z\u2029 \u202eQ1020\u202c\u2066 \u2069A2992\u200f\u202a\n"),
             false, false, "RJTT 300530Z Q1020 A2992\n", "RJTT 300530Z Q1020 A2992\n"},
            {"empty", answer(200, {}), true, false, "", nullptr},
            {"error page", answer(200, "<html>503</html>"), true, false, "<html>503</html>", nullptr},
            {"not found", answer(404, "<html>404</html>"), true, false, "", nullptr},
            {"no answer", answer(0, {}), true, false, "", nullptr},
            {"cut", answer(200, "RJTT 3005\nRJTT 30", true), false, true, "RJTT 3005\nRJTT 30", "RJTT 3005\n"},
            {"cut in its first line", answer(200, "RJTT 30", true), false, true, "RJTT 30", nullptr},
            {"cut error page", answer(404, "<html>", true), true, false, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportReply reply = report_reply(c.result);
        EXPECT_EQ(reply.missing, c.missing);
        EXPECT_EQ(reply.no_connection, c.result.no_connection);
        EXPECT_EQ(reply.cut_off, c.cut_off);
        EXPECT_EQ(reply.text, QString::fromUtf8(c.text));
        EXPECT_EQ(cycle_copy_text(reply).value_or(QStringLiteral("none")), QString::fromUtf8(c.copy ? c.copy : "none"));
    }
    EXPECT_EQ(cut_off_log_text(QStringLiteral("http://h:8737/pub/data/observations/metar/stations/RJTT.TXT"), 16384),
              QStringLiteral("DATA OVER 16384 BYTES CUT /pub/data/observations/metar/stations/RJTT.TXT"));
}
