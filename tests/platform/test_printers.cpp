#include "platform/printers.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using platform::PrintFont;

class PrinterList : public ::testing::Test {
protected:
    void SetUp() override { kolde_test::ensure_app(); }
    void TearDown() override { platform::reset_printers(); }
};

TEST_F(PrinterList, QueuesComeFirstAndTheBuiltInPdfPrinterLast)
{
    platform::set_printer_queues_for_tests({QStringLiteral("LBP"), QStringLiteral("PDF"), QStringLiteral("DOT")},
                                           QStringLiteral("DOT"));
    // A queue of the built-in printer's name is not listed twice.
    EXPECT_EQ(platform::printer_names(), QStringList({QStringLiteral("LBP"), QStringLiteral("DOT"), QStringLiteral("PDF")}));
    EXPECT_EQ(platform::current_printer(), QStringLiteral("DOT"));
}

TEST_F(PrinterList, WithoutADefaultQueueThePdfPrinterIsCurrent)
{
    platform::set_printer_queues_for_tests({}, QString());
    EXPECT_EQ(platform::printer_names(), QStringList({QStringLiteral("PDF")}));
    EXPECT_EQ(platform::current_printer(), QStringLiteral("PDF"));

    platform::set_printer_queues_for_tests({QStringLiteral("LBP")}, QStringLiteral("GONE"));
    EXPECT_EQ(platform::current_printer(), QStringLiteral("PDF"));
}

TEST_F(PrinterList, OnlyAnInstalledPrinterBecomesCurrent)
{
    platform::set_printer_queues_for_tests({QStringLiteral("LBP"), QStringLiteral("DOT")}, QStringLiteral("LBP"));
    EXPECT_TRUE(platform::set_current_printer(QStringLiteral("DOT")));
    EXPECT_EQ(platform::current_printer(), QStringLiteral("DOT"));
    EXPECT_FALSE(platform::set_current_printer(QStringLiteral("*")));
    EXPECT_FALSE(platform::set_current_printer(QString()));
    EXPECT_EQ(platform::current_printer(), QStringLiteral("DOT"));
    EXPECT_TRUE(platform::set_current_printer(QStringLiteral("PDF")));
    EXPECT_EQ(platform::current_printer(), QStringLiteral("PDF"));
}

// ---------------------------------------------------------------- layout

class PrinterLayout : public ::testing::Test {
protected:
    void SetUp() override { kolde_test::ensure_app(); }
    QFont font{QStringLiteral("Monospace"), 11};
    QFontMetricsF metrics{font};
};

TEST_F(PrinterLayout, HeaderThenAnEmptyLineThenTheConsoleLines)
{
    EXPECT_EQ(platform::print_lines(QStringLiteral("H"), QStringLiteral("A\r\nB\nC\rD")),
              QStringList({QStringLiteral("H"), QString(), QStringLiteral("A"), QStringLiteral("B"),
                           QStringLiteral("C"), QStringLiteral("D")}));
    EXPECT_EQ(platform::print_lines(QStringLiteral("H"), QString()), QStringList({QStringLiteral("H"), QString()}));
    // Empty console lines are kept.
    EXPECT_EQ(platform::print_lines(QStringLiteral("H"), QStringLiteral("A\r\n\r\nB")).size(), 5);
}

TEST_F(PrinterLayout, LongLinesWrapWithoutLosingCharacters)
{
    const double width = metrics.horizontalAdvance(QStringLiteral("RJTT 050900Z 34010KT"));

    EXPECT_EQ(platform::wrap_line(QStringLiteral("RJTT"), metrics, width), QStringList({QStringLiteral("RJTT")}));
    EXPECT_EQ(platform::wrap_line(QString(), metrics, width), QStringList({QString()}));

    const QString report = QStringLiteral("RJTT 050900Z 34010KT 9999 FEW030 BKN100 15/05 Q1012 NOSIG=");
    const QStringList pieces = platform::wrap_line(report, metrics, width);
    ASSERT_GT(pieces.size(), 1);
    EXPECT_EQ(pieces.join(QString()), report);
    for (const QString& p : pieces)
        EXPECT_LE(metrics.horizontalAdvance(p), width) << p.toStdString();
    // Breaks fall after blanks when the line has them.
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i)
        EXPECT_TRUE(pieces[i].endsWith(u' ')) << pieces[i].toStdString();

    const QString no_blanks(200, u'X');
    const QStringList cut = platform::wrap_line(no_blanks, metrics, width);
    ASSERT_GT(cut.size(), 1);
    EXPECT_EQ(cut.join(QString()), no_blanks);

    // A page narrower than one character still makes progress.
    EXPECT_EQ(platform::wrap_line(QStringLiteral("ABC"), metrics, 0.5).join(QString()), QStringLiteral("ABC"));
}

TEST_F(PrinterLayout, PagesHoldAsManyLinesAsFit)
{
    const QSizeF area(metrics.horizontalAdvance(QString(80, u'X')), metrics.lineSpacing() * 10.5);
    QStringList lines;
    for (int i = 0; i < 25; ++i)
        lines << QStringLiteral("LINE %1").arg(i);
    const QList<QStringList> pages = platform::lay_out_pages(lines, metrics, area);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pages[0].size(), 10);
    EXPECT_EQ(pages[2].size(), 5);
    EXPECT_EQ(pages[2].last(), QStringLiteral("LINE 24"));

    // An area lower than one line still puts one line on each page.
    EXPECT_EQ(platform::lay_out_pages(lines.mid(0, 3), metrics, QSizeF(area.width(), 1)).size(), 3);
}

// ---------------------------------------------------------------- printing

class PrinterPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolde_test::ensure_app();
        platform::set_printer_queues_for_tests({}, QString());
    }
    void TearDown() override { platform::reset_printers(); }

    static QByteArray read(const QString& path)
    {
        return kolde_test::read_file(path);
    }
    static int page_count(const QByteArray& pdf)
    {
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
        return static_cast<int>(QString::fromLatin1(pdf).count(page));
    }

    QTemporaryDir dir;
    PrintFont font{QStringLiteral("Monospace"), 11, false};
    const QDateTime at{QDate(2012, 3, 5), QTime(9, 15, 7)};
};

TEST_F(PrinterPdf, WritesANewFileEachTime)
{
    const QString folder = dir.path() + QStringLiteral("/print");
    ASSERT_TRUE(platform::print_text(QStringLiteral("HEADER"), QStringLiteral("RJTT 050900Z"), font, {folder, at}));
    const QString first = platform::last_pdf_path();
    EXPECT_EQ(QFileInfo(first).absolutePath(), folder);
    EXPECT_EQ(QFileInfo(first).fileName(), QStringLiteral("KOLDE-20120305-091507.pdf"));
    const QByteArray bytes = read(first);
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(page_count(bytes), 1);
    EXPECT_TRUE(bytes.contains("/FontDescriptor"));  // text was drawn
    EXPECT_EQ(kolde_test::file_mode(folder), 0700);
    EXPECT_EQ(kolde_test::file_mode(first), 0600);

    // A second print within the same second must not overwrite the first.
    ASSERT_TRUE(platform::print_text(QStringLiteral("HEADER"), QStringLiteral("RJAA"), font, {folder, at}));
    EXPECT_EQ(QFileInfo(platform::last_pdf_path()).fileName(), QStringLiteral("KOLDE-20120305-091507-2.pdf"));
    EXPECT_EQ(read(first), bytes);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(platform::last_printed_lines(),
              QStringList({QStringLiteral("HEADER"), QString(), QStringLiteral("RJAA")}));
}

TEST_F(PrinterPdf, ALongConsoleGoesOnSeveralPages)
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("RJTT 050900Z 34010KT 9999 FEW030 %1").arg(i);
    PrintFont bold{QStringLiteral("Monospace"), 12, true};
    ASSERT_TRUE(platform::print_text(QStringLiteral("HEADER"), lines.join(QStringLiteral("\r\n")), bold, {dir.path(), at}));
    EXPECT_GE(page_count(read(platform::last_pdf_path())), 3);
}

TEST_F(PrinterPdf, TheConsoleTextIsInTheDocument)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    ASSERT_TRUE(platform::print_text(QStringLiteral("*** HEADER ***"),
                                     QStringLiteral("RJTT 050900Z 34010KT\r\nRJAA 050900Z 36005KT"), font, {dir.path(), at}));
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), platform::last_pdf_path(), QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("*** HEADER ***"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("RJTT 050900Z 34010KT")));
    EXPECT_TRUE(text.contains(QStringLiteral("RJAA 050900Z 36005KT")));
}

TEST_F(PrinterPdf, AFolderThatCannotBeMadeFailsTheJob)
{
    // A file stands where the folder should be.
    const QString blocked = dir.path() + QStringLiteral("/print");
    QFile f(blocked);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    platform::set_printer_queues_for_tests({}, QString());
    EXPECT_FALSE(platform::print_text(QStringLiteral("H"), QStringLiteral("B"), font, {blocked, at}));
    EXPECT_FALSE(platform::print_text(QStringLiteral("H"), QStringLiteral("B"), font, {QString(), at}));
    EXPECT_TRUE(QFileInfo(blocked).isFile());
}

TEST_F(PrinterPdf, AQueueThatCannotBeOpenedFailsTheJob)
{
    platform::set_printer_queues_for_tests({QStringLiteral("NO-SUCH-QUEUE")}, QStringLiteral("NO-SUCH-QUEUE"));
    ASSERT_EQ(platform::current_printer(), QStringLiteral("NO-SUCH-QUEUE"));
    EXPECT_FALSE(platform::print_text(QStringLiteral("H"), QStringLiteral("B"), font, {dir.path(), at}));
    // Nothing was written in its place.
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

}  // namespace
