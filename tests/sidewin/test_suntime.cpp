#include "sidewin/suntime.h"

#include "core/clock.h"
#include "core/database.h"
#include "core/settings.h"
#include "core/shared.h"
#include "platform/msg_box.h"
#include "platform/printers.h"
#include "sidewin/sun_print.h"
#include "sidewin/sun_table.h"
#include "sidewin/sun_times.h"
#include "support/fixtures.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace kolde_sub;

const QString tokyo_lat = QStringLiteral("353312");
const QString tokyo_lon = QStringLiteral("1394652");

class SunTable : public ::testing::Test {
protected:
};

// Days a month lacks, the columns between months and the header row stay
// empty; sunrise and sunset stand in the first two columns of their month.
TEST_F(SunTable, YearTableLeavesDaysAMonthLacksEmpty)
{
    const SunCells leap = sun_year_cells(2012, tokyo_lat, tokyo_lon);
    const SunCells common = sun_year_cells(2011, tokyo_lat, tokyo_lon);
    EXPECT_EQ(leap[29][4].size(), 4);  // 29 February
    EXPECT_EQ(common[29][4], QString());
    EXPECT_EQ(leap[31][10], QString());  // 31 April
    EXPECT_EQ(leap[31][34].size(), 4);   // 31 December
    for (const int r : {0, 1, 31}) {
        EXPECT_EQ(leap[r][0], r == 0 ? QString() : QString::number(r));
        EXPECT_EQ(leap[r][3], QString()) << r;
    }
    EXPECT_EQ(leap[0][1], QString());
    EXPECT_EQ(leap[12][22], QString::fromStdString(calc_sunrise(2012, 8, 12, "353312", "1394652")));
    EXPECT_EQ(leap[12][23], QString::fromStdString(calc_sunset(2012, 8, 12, "353312", "1394652")));
}

TEST_F(SunTable, Captions)
{
    struct Case {
        float elevation;
        const char* elevation_text;
        const char* delta_h;
    };
    for (const Case c : {Case{21, "21", "-6"}, Case{7, "7", "+8"}, Case{15, "15", "0"}, Case{14.5f, "14.5", "0"},
                         Case{58.4f, "58.4", "-43"}, Case{0, "0", "+15"}, Case{1487.9f, "1487.9", "-1473"}}) {
        EXPECT_EQ(elevation_caption(c.elevation), QString::fromLatin1(c.elevation_text));
        EXPECT_EQ(delta_h_caption(c.elevation), QString::fromLatin1(c.delta_h)) << c.elevation;
    }
    EXPECT_EQ(latitude_caption(QStringLiteral("434740")), QStringLiteral("43 47 40 N"));
    EXPECT_EQ(longitude_caption(QStringLiteral("1422154")), QStringLiteral("142 21 54 E"));
}

// Catalogue rows: RJ and RO codes only, blanks removed, a few marked; then
// the built-in airfields and the heliports, each group after "---".
TEST_F(SunTable, AirfieldListFromTheCatalogue)
{
    const QList<AirportRow> rows{{"RJTT", "東京 国際"},  {"KLAX", "ロサンゼルス"}, {"RJCA", "旭川　陸自"},
                                 {"ROAH", "那覇"},       {"RKSI", "仁川"},         {"RJOH", " 美保 "},
                                 {"rjcc", "新千歳"},     {"RJAH", "百里"}};
    QStringList list;
    for (const AirfieldItem& item : airfield_items(rows))
        list << item.text;
    ASSERT_EQ(list.size(), 5 + 1 + 9 + 1 + 48);
    EXPECT_EQ(list.mid(0, 6), (QStringList{"東京国際(東京)", "旭川陸自(JSDF)", "那覇", "美保(米子)", "百里(茨城)", "---"}));
    EXPECT_EQ(list.at(6), QStringLiteral("阿見"));
    EXPECT_EQ(list.at(14), QStringLiteral("弟子屈"));
    EXPECT_EQ(list.at(15), QStringLiteral("---"));
    for (const QString& name : list.mid(16))
        EXPECT_TRUE(name.endsWith(QStringLiteral("(H)"))) << name.toStdString();
    EXPECT_FALSE(list.contains(QStringLiteral("旭川(JSDF)")));
    EXPECT_EQ(list.at(16), QStringLiteral("明石川崎(H)"));
    EXPECT_EQ(list.last(), QStringLiteral("湯村温泉(H)"));
}

// Each item is placed by the row it was made from, even where two airports
// bear the same name once the item's mark is cut off.
TEST_F(SunTable, PositionOfAnAirfield)
{
    const QList<AirportRow> rows{{"RJEC", "旭川"}, {"RJCA", "旭川(陸自)"}, {"RJTT", "東京 国際"},
                                 {"RJXX", "新島"}, {"RJZZ", "架空(仮)"}};
    const QList<AirfieldItem> items = airfield_items(rows);
    struct Case {
        int item;
        bool found;
        const char* code;
        const char* latitude;
        const char* longitude;
        float elevation;
    };
    for (const Case c : {
             Case{0, true, "RJEC", "434015", "1422651", 690},
             // The JSDF field takes the first built-in row's position.
             Case{1, true, "RJCA", "434740", "1422154", 377},
             Case{2, true, "RJTT", "353312", "1394652", 21},
             Case{6, true, "", "360126", "1401600", 66},
             Case{static_cast<int>(items.size()) - 1, true, "", "353146", "1342933", 1039},
             // Airports whose code has no known position, and the "---" line.
             Case{3, false, "RJXX", "", "", 0},
             Case{4, false, "RJZZ", "", "", 0},
             Case{5, false, "", "", "", 0},
         }) {
        const AirfieldItem& item = items.at(c.item);
        const FieldPosition p = field_position(item);
        EXPECT_EQ(p.found, c.found) << item.text.toStdString();
        EXPECT_EQ(p.code, QString::fromLatin1(c.code)) << item.text.toStdString();
        EXPECT_EQ(p.latitude, QString::fromLatin1(c.latitude)) << item.text.toStdString();
        EXPECT_EQ(p.longitude, QString::fromLatin1(c.longitude)) << item.text.toStdString();
        EXPECT_EQ(p.elevation, c.elevation) << item.text.toStdString();
    }
    EXPECT_EQ(items.at(1).text, QStringLiteral("旭川(陸自)(JSDF)"));
}

// One point a filled day, spread over the year; the extreme labels stay on
// the first of equal times.
TEST_F(SunTable, GraphPoints)
{
    for (const int year : {2011, 2012}) {
        const bool leap = sun_leap_year(year);
        const int days = leap ? 366 : 365;
        for (const bool sunset : {false, true}) {
            const SunCurve curve = sun_curve(sun_year_cells(year, tokyo_lat, tokyo_lon), leap, sunset);
            ASSERT_EQ(static_cast<int>(curve.points.size()), days);
            EXPECT_EQ(curve.points.front().x, 660);
            EXPECT_EQ(curve.points.back().x, static_cast<int>(std::lround(660 + (days - 1) * 12960.0 / days)));
            const GraphPoint& p = curve.points[59];
            EXPECT_EQ(p.month, leap ? 2 : 3);
            EXPECT_EQ(p.day, leap ? 29 : 1);
            const int m = p.time.left(2).toInt() * 60 + p.time.mid(2).toInt();
            EXPECT_EQ(p.y, 6645 - 20 * (m - (sunset ? 900 : 180)));
        }
    }

    SunCells cells = empty_sun_cells();
    cells[3][1] = QStringLiteral("0650");
    cells[9][1] = QStringLiteral("0650");
    cells[5][4] = QStringLiteral("0430");
    cells[1][7] = QStringLiteral("0430");
    const SunCurve c = sun_curve(cells, false, false);
    ASSERT_EQ(c.points.size(), 4u);
    EXPECT_EQ(c.latest, 0);
    EXPECT_EQ(c.earliest, 2);
    EXPECT_EQ(point_date_tip(1, 5), QStringLiteral(" 1月5日 "));
}

TEST_F(SunTable, TodayLineOnTheMonthScale)
{
    struct Case {
        int year, month, day, x;
    };
    for (const Case c : {Case{2011, 1, 1, 695}, Case{2012, 2, 29, 2820}, Case{2011, 2, 28, 2820},
                         Case{2011, 4, 15, 660 + 3 * 1080 + 540}, Case{2011, 12, 31, 13620}})
        EXPECT_EQ(today_line_x(c.year, c.month, c.day), c.x) << c.month << "/" << c.day;
}

// The printed page: title, a rule, then every cell in its own slot; the
// header row is empty, so no month headings are printed.
TEST_F(SunTable, PrintedLayout)
{
    const SunPrintHeader h{"2011", "RJTT", "東京国際(東京)", "35 33 12 N", "139 46 52 E", "21", "-6"};
    EXPECT_EQ(sun_print_title(h), QStringLiteral("2011年  空港別 常用日出没時刻    【RJTT  東京国際(東京)】     35 33 12 N"
                                                 "   139 46 52 E    ELV=21    EH=MSL+15    ⊿H=-6"));
    SunPrintHeader no_code = h;
    no_code.code.clear();
    EXPECT_TRUE(sun_print_title(no_code).contains(QStringLiteral("【東京国際(東京)】")));

    const SunCells cells = sun_year_cells(2011, tokyo_lat, tokyo_lon);
    const QList<PrintItem> items = sun_print_items(h, cells);
    ASSERT_EQ(items.size(), 2 + 31 + 2 * 365);
    EXPECT_EQ(items[0].size, 14);
    EXPECT_TRUE(items[0].bold);
    EXPECT_EQ(items[1].text, QString(179, u'-'));
    EXPECT_EQ(items[1].y, 1050);
    for (const PrintItem& it : items.mid(1)) {
        EXPECT_EQ(it.size, 9);
        EXPECT_FALSE(it.bold);
        if (it.y == 1050)
            continue;
        const int r = (it.y - 920) / 330;
        const int c = (it.x - 200) / 440;
        ASSERT_EQ(it.x, 440 * c + 200);
        ASSERT_EQ(it.y, 330 * r + 920);
        EXPECT_EQ(it.text, cells[r][c]);
    }
}

// ---------------------------------------------------------------- window

class SunTimeWindow : public kolde_test::SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        set_clock(QDateTime(QDate(2012, 2, 29), QTime(12, 0)));
        platform::set_msg_box_answerer([this](const platform::MsgBoxCall& call) {
            boxes << call.title + u'|' + call.text;
            return platform::MsgAnswer::Ok;
        });
    }
    void TearDown() override
    {
        platform::set_msg_box_answerer({});
        reset_clock();
        platform::reset_printers();
        SeededStore::TearDown();
    }
    static void choose(suntime& w, int list, const QString& text)
    {
        const int i = w.cmb[list]->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        w.cmb[list]->setCurrentIndex(i);
        w.cmb_Click();
    }
    static int filled_time_cells(const suntime& w)
    {
        int n = 0;
        for (int r = 1; r < 32; ++r)
            for (int c = 1; c < 36; ++c)
                n += !w.grid->item(r, c)->text().isEmpty();
        return n;
    }
    QStringList boxes;
};

TEST_F(SunTimeWindow, ChoosingAirfieldAndYear)
{
    suntime w;
    QStringList years;
    for (int i = 0; i < w.cmb[1]->count(); ++i)
        years << w.cmb[1]->itemText(i);
    EXPECT_EQ(years.first(), QStringLiteral("2011"));
    EXPECT_EQ(years.last(), QStringLiteral("2022"));
    EXPECT_EQ(years.size(), 12);
    EXPECT_EQ(w.cmb[1]->currentText(), QStringLiteral("2012"));
    EXPECT_EQ(w.cmb[0]->currentText(), QString());

    // Before the window has been activated a choice computes nothing.
    w.cmb[0]->setCurrentIndex(w.cmb[0]->findText(QStringLiteral("東京国際(東京)")));
    w.cmb_Click();
    EXPECT_EQ(filled_time_cells(w), 0);
    EXPECT_FALSE(w.cmd[0]->isEnabled());

    w.Form_Activate();
    choose(w, 0, QStringLiteral("東京国際(東京)"));
    EXPECT_EQ(filled_time_cells(w), 2 * 366);
    EXPECT_EQ(w.grid->item(29, 4)->text(),
              QString::fromStdString(calc_sunrise(2012, 2, 29, "353312", "1394652")));
    EXPECT_TRUE(w.cmd[0]->isEnabled());
    const QStringList labels{w.lbl[0]->text(),  w.lbl[34]->text(), w.lbl[35]->text(),
                             w.lbl[36]->text(), w.lbl[37]->text(), w.lbl[38]->text()};
    EXPECT_EQ(labels, (QStringList{"RJTT", "21", "MSL+15", "-6", "35 33 12 N", "139 46 52 E"}));
    // Today is marked in the table and on the graph.
    EXPECT_EQ(w.grid->item(29, 4)->background().color(), bgr_color(0xC0C0FF));
    EXPECT_EQ(w.grid->item(29, 5)->background().color(), bgr_color(0xFFC0C0));
    EXPECT_FALSE(w.Picture1->today_line->isHidden());
    EXPECT_EQ(w.Picture1->sunrise.points.size(), 366u);
    EXPECT_FALSE(w.lbl[27]->isHidden());

    choose(w, 1, QStringLiteral("2013"));
    EXPECT_EQ(filled_time_cells(w), 2 * 365);
    EXPECT_TRUE(w.grid->item(29, 4)->text().isEmpty());
    EXPECT_EQ(w.grid->item(29, 4)->background().color(), QColor(Qt::white));
    EXPECT_TRUE(w.Picture1->today_line->isHidden());

    choose(w, 0, QStringLiteral("---"));
    EXPECT_EQ(filled_time_cells(w), 0);
    EXPECT_FALSE(w.cmd[0]->isEnabled());
    EXPECT_TRUE(w.lbl[0]->text().isEmpty());
    EXPECT_TRUE(w.lbl[36]->text().isEmpty());
    EXPECT_TRUE(w.Picture1->sunset.points.empty());
    EXPECT_TRUE(boxes.isEmpty());
}

// Each item shows its own airport, the JSDF field at Asahikawa next to the
// civil airport of the same town included; an airport without a known
// position is told and leaves the table empty.
TEST_F(SunTimeWindow, ItemsShowTheirOwnAirport)
{
    platform::Recordset& rs = rs_airport();
    ASSERT_TRUE(rs.add_new());
    rs.set_field(QStringLiteral("順位"), platform::Value(999));
    rs.set_field(QStringLiteral("ICAOコード"), platform::Value(QStringLiteral("RJZZ")));
    rs.set_field(QStringLiteral("飛行場名"), platform::Value(QStringLiteral("架空(仮)")));
    ASSERT_TRUE(rs.update());

    suntime w;
    w.Form_Activate();
    const auto labels = [&w] {
        return QStringList{w.lbl[0]->text(), w.lbl[34]->text(), w.lbl[36]->text(), w.lbl[37]->text(),
                           w.lbl[38]->text()};
    };
    ASSERT_LT(w.cmb[0]->findText(QStringLiteral("旭川")), w.cmb[0]->findText(QStringLiteral("旭川(陸自)(JSDF)")));
    choose(w, 0, QStringLiteral("旭川(陸自)(JSDF)"));
    EXPECT_EQ(labels(), (QStringList{"RJCA", "377", "-362", "43 47 40 N", "142 21 54 E"}));
    EXPECT_EQ(w.grid->item(1, 1)->text(), QString::fromStdString(calc_sunrise(2012, 1, 1, "434740", "1422154")));
    choose(w, 0, QStringLiteral("旭川"));
    EXPECT_EQ(labels(), (QStringList{"RJEC", "690", "-675", "43 40 15 N", "142 26 51 E"}));
    ASSERT_TRUE(w.cmd[0]->isEnabled());

    choose(w, 0, QStringLiteral("架空(仮)"));
    EXPECT_EQ(boxes, QStringList{QStringLiteral(" 確認|飛行場の座標情報が見つかりません　　")});
    EXPECT_FALSE(w.position_found);
    EXPECT_EQ(filled_time_cells(w), 0);
    EXPECT_FALSE(w.cmd[0]->isEnabled());
    EXPECT_TRUE(w.lbl[37]->text().isEmpty());
}

QString pdf_text(const QString& path)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return {};
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST_F(SunTimeWindow, PrintsTableAndGraphToPdf)
{
    platform::set_printer_queues_for_tests({}, QString());
    ASSERT_EQ(platform::current_printer(), platform::pdf_printer_name);
    ASSERT_TRUE(set_setting(key::print_dialog, platform::Value::boolean(false)));
    const QDir print_dir(program_path(QStringLiteral("print")));

    suntime w;
    w.Form_Activate();
    choose(w, 0, QStringLiteral("東京国際(東京)"));
    w.cmd_MouseDown(0);
    EXPECT_EQ(w.cmd[0]->text(), QStringLiteral("印刷中"));
    w.cmd_Click(0);
    EXPECT_EQ(w.cmd[0]->text(), QStringLiteral("印　刷"));
    EXPECT_FALSE(w.waiting());
    const QString table_pdf = platform::last_pdf_path();
    ASSERT_TRUE(QFileInfo::exists(table_pdf));
    EXPECT_EQ(QFileInfo(table_pdf).absolutePath(), print_dir.absolutePath());

    w.SSTab->setCurrentIndex(1);
    w.cmd_Click(0);
    const QString graph_pdf = platform::last_pdf_path();
    EXPECT_NE(graph_pdf, table_pdf);
    EXPECT_TRUE(QFileInfo::exists(graph_pdf));

    const QString text = pdf_text(table_pdf);
    if (text.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    // The whole title is on the page, its end included.
    EXPECT_TRUE(text.startsWith(QStringLiteral("2012年"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("RJTT"))) << text.toStdString();
    // Every value of the title is in the text layer, not only on the page.
    for (const QString& value : {QStringLiteral("35 33 12 N"), QStringLiteral("139 46 52 E"), QStringLiteral("ELV=21"),
                                 QStringLiteral("EH=MSL+15"), QStringLiteral("⊿H=-6")})
        EXPECT_TRUE(text.contains(value)) << value.toStdString() << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QString(40, u'-')));
    EXPECT_TRUE(text.contains(w.grid->item(31, 1)->text()));
    EXPECT_FALSE(text.contains(QStringLiteral("January")));
}

// The print button comes back however the press ends: released off the
// button or with the printer selection cancelled nothing is printed; a
// print that fails is told.
TEST_F(SunTimeWindow, PrintButtonComesBack)
{
    platform::set_printer_queues_for_tests({}, QString());
    ASSERT_TRUE(set_setting(key::print_dialog, platform::Value::boolean(false)));
    suntime w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    choose(w, 0, QStringLiteral("阿見"));
    QPushButton* print = w.cmd[0];
    ASSERT_TRUE(print->isEnabled());
    const QString before = platform::last_pdf_path();

    const QPoint off(-20, print->height() / 2);
    QTest::mousePress(print, Qt::LeftButton);
    EXPECT_EQ(print->text(), QStringLiteral("印刷中"));
    EXPECT_TRUE(w.waiting());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QTest::mouseMove(print, off);
    QTest::mouseRelease(print, Qt::LeftButton, {}, off);
    EXPECT_EQ(print->text(), QStringLiteral("印　刷"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(platform::last_pdf_path(), before);
    EXPECT_TRUE(boxes.isEmpty());

    ASSERT_TRUE(set_setting(key::print_dialog, platform::Value::boolean(true)));
    {
        kolde_test::ModalCloser closer;
        QTest::mouseClick(print, Qt::LeftButton);
        EXPECT_EQ(closer.names(), QStringList{QStringLiteral("printerselect")});
    }
    EXPECT_EQ(print->text(), QStringLiteral("印　刷"));
    EXPECT_FALSE(w.waiting());
    EXPECT_EQ(platform::last_pdf_path(), before);
    ASSERT_TRUE(set_setting(key::print_dialog, platform::Value::boolean(false)));

    // The print folder cannot be made: neither the table nor the graph prints.
    QFile blocker(program_path(QStringLiteral("print")));
    ASSERT_TRUE(QDir(program_path(QStringLiteral("print"))).removeRecursively());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    for (const int tab : {0, 1}) {
        w.SSTab->setCurrentIndex(tab);
        boxes.clear();
        QTest::mouseClick(print, Qt::LeftButton);
        EXPECT_EQ(boxes, QStringList{QStringLiteral(" エラー|印刷できませんでした　　")}) << tab;
        EXPECT_EQ(print->text(), QStringLiteral("印　刷"));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(platform::last_pdf_path(), before);
}

}  // namespace
