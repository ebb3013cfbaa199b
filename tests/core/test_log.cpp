// The communication log: start rows, order, limit, colour rule, hidden
// writes, unload and the echo to standard error.
#include "core/database.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/shared.h"
#include "sidewin/log_window.h"
#include "sidewin/open_windows.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPointer>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

using namespace kolde_sub;

namespace {

const QColor grey(0x80, 0x80, 0x80);
const QColor black(0, 0, 0);

// What the window's grid shows in a cell.
QVariant shown(int row, int column, int role)
{
    const QAbstractItemModel* model = log_window()->grid->model();
    return model->data(model->index(row, column), role);
}

QString cell(int row, int column) { return shown(row, column, Qt::DisplayRole).toString(); }

int rows() { return log_window()->grid->model()->rowCount(); }

// The colour a row is painted in; invalid when its three cells disagree.
QColor row_colour(int row)
{
    const QColor first = shown(row, 0, Qt::ForegroundRole).value<QColor>();
    for (int c = 1; c < 3; ++c)
        if (shown(row, c, Qt::ForegroundRole).value<QColor>() != first)
            return {};
    return first;
}

Qt::Alignment horizontal_alignment(int row, int column)
{
    return Qt::Alignment(shown(row, column, Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask;
}

// A fresh window for every test.
class Log : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolde_test::ensure_app();
        unload_log();
        mark_side_window(SideWindowId::log, false);
    }
    void TearDown() override { unload_log(); }
};

}  // namespace

TEST_F(Log, FreshLogHoldsTheThreeStartRowsInGrey)
{
    kolde_sub::log* w = log_window();
    ASSERT_TRUE(log_loaded());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" 通信ログ"));
    QTableView* grid = w->grid;
    ASSERT_EQ(grid->model()->rowCount(), 3);
    ASSERT_EQ(grid->model()->columnCount(), 3);
    EXPECT_TRUE(grid->horizontalHeader()->isHidden());
    EXPECT_TRUE(grid->verticalHeader()->isHidden());
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->toolTip(), QStringLiteral(" クリックすると閉じます "));
    EXPECT_EQ(grid->font().family(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(grid->font().pointSize(), 9);
    EXPECT_EQ(grid->columnWidth(0), 67);
    EXPECT_EQ(grid->columnWidth(1), 67);
    EXPECT_EQ(grid->columnWidth(2), 313);
    EXPECT_EQ(w->size(), QSize(450, 562));
    EXPECT_EQ(grid->geometry(), w->rect());

    EXPECT_EQ(cell(0, 2), QStringLiteral("SYSTEM  CONNECTED  ZEL  DATABASE"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("SYSTEM  LOGIN"));
    EXPECT_EQ(cell(2, 2), QStringLiteral("SYSTEM  LOAD"));
    const QRegularExpression date(QStringLiteral("^\\d\\d-\\d\\d-\\d{4}$"));
    const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
    for (int r = 0; r < 3; ++r) {
        EXPECT_TRUE(date.match(cell(r, 0)).hasMatch()) << qPrintable(cell(r, 0));
        EXPECT_TRUE(time.match(cell(r, 1)).hasMatch()) << qPrintable(cell(r, 1));
        EXPECT_EQ(row_colour(r), grey) << r;
        EXPECT_EQ(horizontal_alignment(r, 0), Qt::AlignHCenter);
        EXPECT_EQ(horizontal_alignment(r, 1), Qt::AlignHCenter);
        EXPECT_EQ(horizontal_alignment(r, 2), Qt::AlignLeft);
    }
    EXPECT_EQ(cell(0, 0), today_text());
}

TEST_F(Log, NewestOnTopAndAtMostThousandRows)
{
    write_log(QStringLiteral("FIRST"));
    write_log(QStringLiteral("SECOND"));
    ASSERT_EQ(rows(), 5);
    EXPECT_EQ(cell(0, 2), QStringLiteral("SECOND"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("FIRST"));
    EXPECT_EQ(cell(2, 2), QStringLiteral("SYSTEM  CONNECTED  ZEL  DATABASE"));
    EXPECT_EQ(cell(4, 2), QStringLiteral("SYSTEM  LOAD"));

    // 3 start rows + 2 + 995 = 1000 lines; the next one pushes the oldest out.
    for (int i = 0; i < 995; ++i)
        write_log(QStringLiteral("LINE %1").arg(i));
    ASSERT_EQ(rows(), 1000);
    EXPECT_EQ(cell(999, 2), QStringLiteral("SYSTEM  LOAD"));
    write_log(QStringLiteral("NEWEST"));
    ASSERT_EQ(rows(), 1000);
    EXPECT_EQ(cell(0, 2), QStringLiteral("NEWEST"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("LINE 994"));
    EXPECT_EQ(cell(999, 2), QStringLiteral("SYSTEM  LOGIN"));
    for (int i = 0; i < 5; ++i)
        write_log(QStringLiteral("MORE"));
    EXPECT_EQ(rows(), 1000);
}

TEST_F(Log, ColourRule)
{
    const long long speci = 8388863;  // &H8000FF
    const QColor speci_colour = bgr_color(speci);
    EXPECT_EQ(speci_colour, QColor(0xff, 0x00, 0x80));
    EXPECT_EQ(log_row_colour(QStringLiteral("RJTT TAF SPECI"), speci), speci_colour);
    EXPECT_EQ(log_row_colour(QStringLiteral("METAR HOMEPAGE"), speci), grey);
    EXPECT_EQ(log_row_colour(QStringLiteral("DISPLAY KOLDE HOMEPAGE"), speci), grey);
    EXPECT_EQ(log_row_colour(QStringLiteral("RJTT METAR RECEIVED"), speci), black);
    EXPECT_EQ(log_row_colour(QStringLiteral("RJTT TAF   RECEIVED"), speci), black);
    EXPECT_EQ(log_row_colour(QStringLiteral("RJTT SPECI RECEIVED"), speci), speci_colour);
    EXPECT_EQ(log_row_colour(QStringLiteral("TAF AMD"), speci), speci_colour);
    EXPECT_EQ(log_row_colour(QStringLiteral("COR"), speci), speci_colour);
    EXPECT_EQ(log_row_colour(QStringLiteral("TRD HOMEPAGE"), speci), speci_colour);
    EXPECT_EQ(log_row_colour(QStringLiteral("PRINT COMMAND"), speci), grey);
    EXPECT_EQ(log_row_colour(QStringLiteral("SYSTEM INITIALIZED"), speci), grey);
    EXPECT_EQ(log_row_colour(QStringLiteral("rjtt metar received"), speci), grey);
    EXPECT_EQ(log_row_colour(QStringLiteral("speci"), speci), grey);
    EXPECT_EQ(log_row_colour(QString(), speci), grey);
}

TEST_F(Log, RowsTakeTheRuleAcrossAllThreeCells)
{
    write_log(QStringLiteral(" METAR RECEIVED"));
    EXPECT_EQ(row_colour(0), black);
    write_log(QStringLiteral("PRINT COMMAND"));
    EXPECT_EQ(row_colour(0), grey);
    write_log(QStringLiteral("metar"));
    EXPECT_EQ(row_colour(0), grey);
    write_log(QStringLiteral("DISPLAY METAR HOMEPAGE"));
    EXPECT_EQ(row_colour(0), grey);
    EXPECT_EQ(row_colour(3), black);
}

TEST_F(Log, ChangedSpeciColourRecoloursEarlierRows)
{
    kolde_test::ProgramFolder home;
    ASSERT_TRUE(home.install_seed_database());
    ASSERT_TRUE(open_database());
    const long long first = setting_int(key::speci_colour);
    EXPECT_EQ(first, 8388863);

    write_log(QStringLiteral("RJTT SPECI RECEIVED"));
    write_log(QStringLiteral("RJTT TAF   RECEIVED"));
    EXPECT_EQ(row_colour(1), bgr_color(first));
    EXPECT_EQ(row_colour(0), black);

    const long long changed = 0x00ff8000;  // blue 0xff, green 0x80, red 0
    ASSERT_TRUE(set_setting(key::speci_colour, platform::Value(changed)));
    EXPECT_EQ(row_colour(1), bgr_color(first));  // nothing until the next write
    write_log(QStringLiteral("PRINT COMMAND"));
    EXPECT_EQ(row_colour(2), QColor(0x00, 0x80, 0xff));
    EXPECT_EQ(row_colour(1), black);
    EXPECT_EQ(row_colour(0), grey);
    unload_log();  // before the store goes with the folder
}

TEST_F(Log, HiddenWritesStayHiddenAndClearTheMessage)
{
    write_log(QStringLiteral("SYSTEM UPDATE COMMAND"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("SYSTEM UPDATE COMMAND"));
    EXPECT_FALSE(log_window()->isVisible());
    EXPECT_FALSE(side_window_open(SideWindowId::log));

    log_window()->show();
    EXPECT_TRUE(side_window_open(SideWindowId::log));
    EXPECT_TRUE(log_window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // A click on a cell hides the window; it stays loaded with its rows.
    emit log_window()->grid->clicked(log_window()->grid->model()->index(0, 2));
    EXPECT_FALSE(side_window_open(SideWindowId::log));
    EXPECT_FALSE(log_window()->isVisible());
    ASSERT_TRUE(log_loaded());
    EXPECT_EQ(rows(), 4);

    write_log(QStringLiteral("WHILE HIDDEN"));
    EXPECT_FALSE(log_window()->isVisible());
    EXPECT_FALSE(side_window_open(SideWindowId::log));
    EXPECT_EQ(rows(), 5);
}

TEST_F(Log, UnloadStartsAFreshLog)
{
    write_log(QStringLiteral("ONE"));
    write_log(QStringLiteral("TWO"));
    EXPECT_EQ(rows(), 5);
    unload_log();
    EXPECT_FALSE(log_loaded());
    write_log(QStringLiteral("THREE"));
    ASSERT_TRUE(log_loaded());
    ASSERT_EQ(rows(), 4);
    EXPECT_EQ(cell(0, 2), QStringLiteral("THREE"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("SYSTEM  CONNECTED  ZEL  DATABASE"));
    EXPECT_EQ(cell(3, 2), QStringLiteral("SYSTEM  LOAD"));
}

TEST_F(Log, WindowShowsTheRowsWrittenBeforeIt)
{
    write_log(QStringLiteral("RJTT SPECI RECEIVED"));
    ASSERT_TRUE(log_loaded());
    ASSERT_EQ(rows(), 4);
    EXPECT_EQ(cell(0, 2), QStringLiteral("RJTT SPECI RECEIVED"));
    EXPECT_EQ(row_colour(0), bgr_color(setting_int(key::speci_colour)));
    EXPECT_EQ(cell(3, 2), QStringLiteral("SYSTEM  LOAD"));

    // The window goes with the rows.
    const QPointer<kolde_sub::log> window = log_window();
    unload_log();
    EXPECT_TRUE(window.isNull());
}

TEST_F(Log, CloseReleasesTheWindow)
{
    write_log(QStringLiteral("ONE"));
    log_window()->show();
    log_window()->close();
    EXPECT_FALSE(log_loaded());
    EXPECT_EQ(rows(), 3);
}

TEST_F(Log, EchoGoesToStandardError)
{
    qputenv("KOLDE_LOG_ECHO", "1");
    testing::internal::CaptureStderr();
    write_log(QStringLiteral("RJTT METAR RECEIVED"));
    const std::string err = testing::internal::GetCapturedStderr();
    qunsetenv("KOLDE_LOG_ECHO");
    const QString expected = QStringLiteral("LOG|") + cell(0, 0) + u'|' + cell(0, 1) + QStringLiteral("|RJTT METAR RECEIVED\n");
    EXPECT_NE(QString::fromStdString(err).indexOf(expected), -1) << err;

    testing::internal::CaptureStderr();
    write_log(QStringLiteral("QUIET"));
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("LOG|"), std::string::npos);
}

TEST_F(Log, ClickOnTheEmptyGridAreaHides)
{
    log_window()->show();
    ASSERT_TRUE(side_window_open(SideWindowId::log));
    QWidget* viewport = log_window()->grid->viewport();
    const QPoint empty(viewport->width() / 2, viewport->height() - 5);  // below the three rows
    ASSERT_FALSE(log_window()->grid->indexAt(empty).isValid());
    QTest::mouseClick(viewport, Qt::LeftButton, {}, empty);
    EXPECT_FALSE(side_window_open(SideWindowId::log));
    EXPECT_FALSE(log_window()->isVisible());
    EXPECT_TRUE(log_loaded());
}

TEST_F(Log, FullLogKeepsColoursWhileRowsScrollOut)
{
    for (int i = 0; i < 1100; ++i)
        write_log(i % 3 == 0 ? QStringLiteral("RJTT SPECI RECEIVED") : QStringLiteral("PRINT COMMAND"));
    for (int i = 0; i < 100; ++i)
        write_log(QStringLiteral("RJTT METAR RECEIVED"));
    EXPECT_EQ(rows(), 1000);
    EXPECT_EQ(row_colour(0), black);
    EXPECT_EQ(row_colour(999), grey);
}
