// Hourly cycle files, the sequence text of a station and data/sequence.dat.
#include "reports/sequence_files.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTime>

using namespace kolde_sub;

namespace {

const QString crlf = QStringLiteral("\r\n");

QString latest_file(const QString& stamp, const QString& report)
{
    return QStringLiteral("2011/11/30 ") + stamp + u'\n' + report + u'\n';
}

QString file_bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
}

}  // namespace

TEST(SequenceFiles, HoursToFetchOldestFirstThenTheCurrentHour)
{
    EXPECT_EQ(cycle_hours_to_fetch(12, 3), (std::vector<int>{9, 10, 11, 12}));
    EXPECT_EQ(cycle_hours_to_fetch(1, 3), (std::vector<int>{22, 23, 0, 1}));
    EXPECT_EQ(cycle_hours_to_fetch(0, 1), (std::vector<int>{23, 0}));
    EXPECT_EQ(cycle_hours_to_fetch(5, 0), (std::vector<int>{5}));
}

TEST(SequenceFiles, SlotsUrlsAndPaths)
{
    EXPECT_EQ(ten_minute_slot(QTime(10, 25, 0)), 2);
    EXPECT_EQ(ten_minute_slot(QTime(10, 29, 59)), 2);
    EXPECT_EQ(ten_minute_slot(QTime(10, 9, 0)), 0);
    EXPECT_EQ(ten_minute_slot(QTime(23, 59, 0)), 5);
    EXPECT_EQ(cycle_file_url(QStringLiteral("http://127.0.0.1:8737"), 7),
              QStringLiteral("http://127.0.0.1:8737/pub/data/observations/metar/cycles/07Z.TXT"));
    EXPECT_EQ(cycle_file_url(QStringLiteral("http://h"), 23),
              QStringLiteral("http://h/pub/data/observations/metar/cycles/23Z.TXT"));

    kolde_test::ProgramFolder home;
    EXPECT_EQ(cycle_copy_path(7), home.file(QStringLiteral("data/07.dat")));
    EXPECT_EQ(sequence_file_path(), home.file(QStringLiteral("data/sequence.dat")));
}

TEST(SequenceFiles, CycleCopyIsTheReplyAndCrLfWrittenWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data/01.dat"));
    ASSERT_TRUE(write_cycle_copy(path, QStringLiteral("RJTT 300100Z 34005KT\nRJAA 300100Z 00000KT\n")));
    EXPECT_EQ(file_bytes(path), QStringLiteral("RJTT 300100Z 34005KT\nRJAA 300100Z 00000KT\n\r\n"));
    ASSERT_TRUE(write_cycle_copy(path, QString()));
    EXPECT_EQ(read_work_file(path), crlf);
    EXPECT_EQ(read_work_file(dir.filePath(QStringLiteral("none.dat"))), QString());
}

TEST(SequenceFiles, FailedCycleCopyWriteKeepsTheOldCopyAndReportsFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data/01.dat"));
    const QString old_copy = QStringLiteral("RJTT 300000Z 34005KT\n");
    ASSERT_TRUE(write_cycle_copy(path, old_copy));
    {
        // The disk fills up partway through the new copy (an hour's reports
        // of every station run to many kilobytes).
        kolde_test::FileSizeLimit limit(64);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(write_cycle_copy(path, QStringLiteral("RJTT 300100Z 34005KT 9999 FEW030\n").repeated(2000)));
    }
    EXPECT_EQ(file_bytes(path), old_copy + crlf);
    // Nothing else is left in the folder.
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("data"))).entryList(QDir::Files), QStringList{"01.dat"});

    // A folder standing where the copy belongs stays a folder.
    const QString folder = dir.filePath(QStringLiteral("data/02.dat"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(write_cycle_copy(folder, old_copy));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(SequenceFiles, HourlyTimeTexts)
{
    EXPECT_EQ(hourly_time_text(9, false, QStringLiteral("+9")), QStringLiteral("0900Z"));
    EXPECT_EQ(hourly_time_text(9, true, QStringLiteral("9")), QStringLiteral("1800I"));
    EXPECT_EQ(hourly_time_text(2, true, QStringLiteral("-5")), QStringLiteral("2100R"));
    EXPECT_EQ(hourly_time_text(20, true, QStringLiteral("+9")), QStringLiteral("0500I"));
    EXPECT_EQ(hourly_time_text(0, true, QStringLiteral("±0")), QStringLiteral("0000Z"));
}

TEST(SequenceFiles, HourlySearchFindsEachReportOnceAndKeepsTheKeys)
{
    const QString file = QStringLiteral(
        "RJAA 301000Z 00000KT 9999\nRJTT 301000Z 34005KT 9999\nRJTT 301020Z 34008KT 5000 RA\n"
        "RJTT 301000Z 34005KT 9999\n\r\n");
    QString keys;
    HourlySearch found = search_hourly_file(file, QStringLiteral("RJTT"), keys, false, QString());
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.blocks, QStringLiteral("\r\nRJTT  METAR 1000Z\r\n      301000Z 34005KT 9999\r\n"
                                           "\r\nRJTT  SPECI 1020Z\r\n      301020Z 34008KT 5000 RA\r\n"));
    EXPECT_EQ(keys, QStringLiteral(" RJTT 301000Z RJTT 301020Z"));

    // The same file again gives nothing new.
    found = search_hourly_file(file, QStringLiteral("RJTT"), keys, false, QString());
    EXPECT_FALSE(found.found);
    EXPECT_TRUE(found.blocks.isEmpty());

    keys.clear();
    EXPECT_FALSE(search_hourly_file(file, QStringLiteral("RJFF"), keys, false, QString()).found);
    EXPECT_FALSE(search_hourly_file(file, QString(), keys, false, QString()).found);
}

TEST(SequenceFiles, HourlySearchEndsAtAReportWithoutLineFeed)
{
    QString keys;
    // As the server wrote it, without a final line feed, and as the local copy
    // keeps it (with the CR LF the copy adds).
    for (const QString& tail : {QString(), crlf}) {
        keys.clear();
        const QString file = QStringLiteral("RJTT 301000Z 34005KT\nRJTT 301030Z 34006KT") + tail;
        const HourlySearch found = search_hourly_file(file, QStringLiteral("RJTT"), keys, false, QString());
        EXPECT_TRUE(found.blocks.endsWith(QStringLiteral("      301030Z 34006KT\r\n")));
        EXPECT_FALSE(found.blocks.contains(QStringLiteral("\r\r")));
        EXPECT_EQ(found.blocks.count(QStringLiteral("RJTT  METAR")), 2);
    }
}

// Whatever an hourly file holds, a station gets lines of a report's length
// and no more reports than an hour can have.
TEST(SequenceFiles, HourlySearchIsBoundedByLineLengthAndReportCount)
{
    QString keys;
    const QString long_line = QStringLiteral("RJTT 301000Z ") + QString(100'000, u'X') + u'\n';
    HourlySearch found = search_hourly_file(long_line, QStringLiteral("RJTT"), keys, false, QString());
    EXPECT_EQ(found.blocks.count(u'X'), hourly_report_limit - 13);

    QString many;
    for (int i = 0; i < 1000; ++i)
        many += QStringLiteral("RJTT %1Z 34005KT\n").arg(i, 6, 10, QLatin1Char('0'));
    keys.clear();
    found = search_hourly_file(many, QStringLiteral("RJTT"), keys, false, QString());
    EXPECT_EQ(found.blocks.count(QStringLiteral("RJTT  ")), hourly_reports_per_station);
}

TEST(SequenceFiles, StationSequenceOverTheHourlyFilesAndTheLatestReport)
{
    std::map<int, QString> files;
    files[9] = QStringLiteral("RJTT 300900Z 34005KT\n\r\n");
    files[10] = QStringLiteral("RJTT 301000Z 34005KT\nRJTT 301020Z 34009KT\n\r\n");
    files[11] = QStringLiteral("RJTT 301020Z 34009KT\nRJAA 301100Z 00000KT\n\r\n");
    files[12] = QStringLiteral("RJAA 301200Z 00000KT\n\r\n");
    const QString latest = latest_file(QStringLiteral("12:00"), QStringLiteral("RJTT 301200Z 34010KT"));

    const StationSequence seq = station_sequence(QStringLiteral("RJTT"), true, latest, files, 9, 3, false, QString());
    EXPECT_FALSE(seq.missing_hours);
    EXPECT_EQ(seq.text,
              QStringLiteral("*** RJTT - SEQUENCE WEATHER OBSERVATION ***\r\n"
                             "\r\nRJTT  METAR 0900Z\r\n      300900Z 34005KT\r\n"
                             "\r\nRJTT  METAR 1000Z\r\n      301000Z 34005KT\r\n"
                             "\r\nRJTT  SPECI 1020Z\r\n      301020Z 34009KT\r\n"
                             "\r\nRJTT  NO DATA AT 1100Z\r\n"
                             "\r\nRJTT  METAR 1200Z (LATEST ISSUED)\r\n      301200Z 34010KT\r\n"));
}

TEST(SequenceFiles, LatestReportAlreadyInAnHourlyFileIsNotRepeated)
{
    std::map<int, QString> files;
    files[11] = QStringLiteral("RJTT 301100Z 34005KT\n");
    files[12] = QStringLiteral("RJTT 301200Z 34010KT\n");
    const QString latest = latest_file(QStringLiteral("12:00"), QStringLiteral("RJTT 301200Z 34010KT"));
    const StationSequence seq = station_sequence(QStringLiteral("RJTT"), false, latest, files, 11, 1, false, QString());
    EXPECT_TRUE(seq.text.startsWith(QStringLiteral("\r\n*** RJTT - SEQUENCE WEATHER OBSERVATION ***\r\n")));
    EXPECT_EQ(seq.text.count(QStringLiteral("301200Z")), 1);
    EXPECT_FALSE(seq.text.contains(QStringLiteral("LATEST ISSUED")));
}

TEST(SequenceFiles, MissingHoursAskForAnotherRunAndWrapPastMidnight)
{
    std::map<int, QString> files;
    files[22] = QStringLiteral("RJTT 302200Z 34005KT\n");
    files[0] = QStringLiteral("RJAA 010000Z 00000KT\n");
    const QString latest = latest_file(QStringLiteral("01:00"), QStringLiteral("RJTT 010100Z 34010KT"));
    const StationSequence seq = station_sequence(QStringLiteral("RJTT"), true, latest, files, 22, 3, true,
                                                 QStringLiteral("+9"));
    EXPECT_TRUE(seq.missing_hours);
    EXPECT_EQ(seq.text,
              QStringLiteral("*** RJTT - SEQUENCE WEATHER OBSERVATION ***\r\n"
                             "\r\nRJTT  METAR 0700I\r\n      302200Z 34005KT\r\n"
                             "\r\nRJTT  LOADING SEQUENCE DATA AT 0800I\r\n"
                             "\r\nRJTT  NO DATA AT 0900I\r\n"
                             "\r\nRJTT  LOADING SEQUENCE DATA AT 1000I\r\n"
                             "\r\nRJTT  METAR 1000I (LATEST ISSUED)\r\n      010100Z 34010KT\r\n"));
}

TEST(SequenceFiles, StationWithoutLatestFileShowsNotFoundAndNoHistory)
{
    std::map<int, QString> files;
    files[10] = QStringLiteral("RJXX 301000Z 34005KT\n");
    const StationSequence seq = station_sequence(QStringLiteral("RJXX"), true, QStringLiteral("<html>404</html>"),
                                                 files, 9, 3, false, QString());
    EXPECT_FALSE(seq.missing_hours);
    EXPECT_EQ(seq.text, QStringLiteral("*** RJXX - SEQUENCE WEATHER OBSERVATION ***\r\n\r\nRJXX  NOT FOUND\r\n"));
}

TEST(SequenceFiles, RecordsAreAppendedEachWithAnEmptyLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data/sequence.dat"));
    const QString r1 = QStringLiteral("RJTT  METAR 0530Z\r\n 300530Z 34005KT NOSIG      ");
    const QString r2 = QStringLiteral("RJTT  SPECI 0545Z\r\n 300545Z 34015KT 3000 TSRA      ");
    ASSERT_TRUE(append_sequence_record(path, r1));
    ASSERT_TRUE(append_sequence_record(path, r2));
    EXPECT_EQ(file_bytes(path), r1 + crlf + crlf + r2 + crlf + crlf);
    EXPECT_EQ(kolde_test::file_mode(path), 0600);
}

TEST(SequenceFiles, FailedAppendLeavesNoPartRecordBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data/sequence.dat"));
    const QString r1 = QStringLiteral("RJTT  METAR 0530Z\r\n 300530Z 34005KT NOSIG      ");
    const QString r2 = QStringLiteral("RJTT  SPECI 0545Z\r\n 300545Z 34015KT 3000 TSRA      ").repeated(20);
    const QString r3 = QStringLiteral("RJTT  METAR 0600Z\r\n 300600Z 34010KT      ");
    ASSERT_TRUE(append_sequence_record(path, r1));
    {
        // Room for part of the second record only.
        kolde_test::FileSizeLimit limit(QFileInfo(path).size() + 10);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(append_sequence_record(path, r2));
    }
    EXPECT_EQ(file_bytes(path), r1 + crlf + crlf);
    // The next record starts right after the last whole one.
    ASSERT_TRUE(append_sequence_record(path, r3));
    EXPECT_EQ(file_bytes(path), r1 + crlf + crlf + r3 + crlf + crlf);
}

TEST(SequenceFiles, SequenceFileReaderTakesEachRecordOfTheStationOnce)
{
    const QString r1 = QStringLiteral("RJTT  METAR 0530Z\r\n 300530Z 34005KT NOSIG      ");
    const QString r2 = QStringLiteral("RJAA  METAR 0530Z\r\n 300530Z 00000KT CAVOK      ");
    const QString r3 = QStringLiteral("RJTT  SPECI 0545Z\r\n 300545Z 34015KT 3000 TSRA\r\n     BECMG   FEW010      ");
    const QString text = r1 + crlf + crlf + r2 + crlf + crlf + r1 + crlf + crlf + r3 + crlf + crlf;

    EXPECT_EQ(sequence_file_buffer(text, QStringLiteral("RJTT")),
              QStringLiteral("\r\nRJTT  METAR 0530Z\r\n 300530Z 34005KT NOSIG      \r\n"
                             "\r\nRJTT  SPECI 0545Z\r\n 300545Z 34015KT 3000 TSRA\r\n     BECMG   FEW010      \r\n"));
    EXPECT_EQ(sequence_file_buffer(text, QStringLiteral("RJAA")),
              QStringLiteral("\r\nRJAA  METAR 0530Z\r\n 300530Z 00000KT CAVOK      \r\n"));
    // A shorter code is not a part of another station's code.
    for (const char* code : {"RJT", "RJ", "JTT"})
        EXPECT_EQ(sequence_file_buffer(text, QString::fromUtf8(code)),
                  QStringLiteral("\r\n") + QString::fromUtf8(code) + QStringLiteral("  NO SEQUENCE DATA\r\n"));
}

TEST(SequenceFiles, SequenceFileReaderStopsAtTheEndOfAnOpenBlock)
{
    const QString text = QStringLiteral("RJTT  METAR 0530Z\r\n 300530Z 34005KT NOSIG");
    EXPECT_EQ(sequence_file_buffer(text, QStringLiteral("RJTT")),
              QStringLiteral("\r\nRJTT  METAR 0530Z\r\n 300530Z 34005KT NOSIG"));
}

TEST(SequenceFiles, SequenceFileReaderWithoutRecordsOfTheStation)
{
    EXPECT_EQ(sequence_file_buffer(QString(), QStringLiteral("RJTT")),
              QStringLiteral("\r\nRJTT  NO SEQUENCE DATA\r\n"));
    // A line with the code but neither METAR nor SPECI is no record header.
    EXPECT_EQ(sequence_file_buffer(QStringLiteral("RJTT  TAF   0500Z\r\n 300500Z\r\n\r\n"), QStringLiteral("RJTT")),
              QStringLiteral("\r\nRJTT  NO SEQUENCE DATA\r\n"));
}
