#include "reports/request.h"

#include "platform/value.h"
#include "core/database.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

using kolde_sub::build_station_table;
using kolde_sub::StationRow;

namespace {

class StationList : public kolde_test::SeededStore {
protected:
    void set_list(const QStringList& codes)
    {
        QList<QList<platform::Value>> rows;
        for (const QString& c : codes)
            rows << QList<platform::Value>{platform::Value(c), platform::Value("")};
        ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_autodecode(),
                                                {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")}, rows));
    }
    QStringList codes() const
    {
        QStringList out;
        for (std::size_t r = 1; r < table.size(); ++r)
            out << table[r][kolde_sub::station_code];
        return out;
    }

    std::vector<StationRow> table;
    int count = 0;
};

TEST_F(StationList, RequestGivesOneRowPerStationInOrder)
{
    QString request = QStringLiteral("RJTT");
    ASSERT_TRUE(build_station_table(false, kolde_sub::rs_autodecode(), request, table, count));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(codes(), QStringList{QStringLiteral("RJTT")});

    request = QStringLiteral("RJTT RJAA RJBB");
    ASSERT_TRUE(build_station_table(false, kolde_sub::rs_autodecode(), request, table, count));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(codes(), QStringList({QStringLiteral("RJTT"), QStringLiteral("RJAA"), QStringLiteral("RJBB")}));
    EXPECT_EQ(request, QStringLiteral("RJTT RJAA RJBB"));
}

TEST_F(StationList, EveryNewTableForgetsTheStamps)
{
    QString request = QStringLiteral("RJTT RJAA");
    build_station_table(false, kolde_sub::rs_autodecode(), request, table, count);
    table[1][kolde_sub::station_metar_stamp] = QStringLiteral("09:30");
    table[2][kolde_sub::station_taf_stamp] = QStringLiteral("06:00");
    build_station_table(false, kolde_sub::rs_autodecode(), request, table, count);
    for (std::size_t r = 1; r < table.size(); ++r) {
        EXPECT_TRUE(table[r][kolde_sub::station_metar_stamp].isEmpty());
        EXPECT_TRUE(table[r][kolde_sub::station_taf_stamp].isEmpty());
    }
}

// A code of another length than four is one code and moves no other.
TEST(RequestCodes, CodesAreTheWordsBetweenBlanks)
{
    const struct {
        const char* request;
        QStringList codes;
    } rows[] = {
        {"RJTT", {"RJTT"}},
        {"RJTT RJAA RJBB", {"RJTT", "RJAA", "RJBB"}},
        {"RJX RJFF ROAH", {"RJX", "RJFF", "ROAH"}},
        {"RJTT RJA", {"RJTT", "RJA"}},
        {"RJTT RJAA R", {"RJTT", "RJAA", "R"}},
        {"RJTTX RJAA", {"RJTTX", "RJAA"}},
        {"RJTTRJAA", {"RJTTRJAA"}},
        {" RJTT  RJAA ", {"RJTT", "RJAA"}},
        {"", {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(kolde_sub::request_codes(QString::fromUtf8(row.request)), row.codes) << row.request;
}

TEST_F(StationList, EmptyRequestKeepsTheOldTable)
{
    QString request = QStringLiteral("RJTT RJAA");
    build_station_table(false, kolde_sub::rs_autodecode(), request, table, count);
    request.clear();
    EXPECT_FALSE(build_station_table(false, kolde_sub::rs_autodecode(), request, table, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(codes().size(), 2);
}

TEST_F(StationList, AutomaticModeTakesTheListInItsOrder)
{
    set_list({QStringLiteral("RJCC"), QStringLiteral("RJTT"), QStringLiteral("ROAH")});
    QString request = QStringLiteral("RJBB");
    ASSERT_TRUE(build_station_table(true, kolde_sub::rs_autodecode(), request, table, count));
    EXPECT_EQ(request, QStringLiteral("RJCC RJTT ROAH"));
    EXPECT_EQ(count, 3);

    set_list({});
    EXPECT_FALSE(build_station_table(true, kolde_sub::rs_autodecode(), request, table, count));
    EXPECT_TRUE(request.isEmpty());
    EXPECT_EQ(count, 3);
    EXPECT_EQ(codes().size(), 3);
}

// Short codes, blanks around a code and empty codes in a stored list move no
// code.
TEST_F(StationList, AutomaticListWithCodesOfOtherLengths)
{
    set_list({QStringLiteral("RJX"), QStringLiteral("RJFF"), QStringLiteral(" ROAH "), QString(), QStringLiteral("RJ")});
    QString request;
    ASSERT_TRUE(build_station_table(true, kolde_sub::rs_autodecode(), request, table, count));
    EXPECT_EQ(request, QStringLiteral("RJX RJFF ROAH RJ"));
    EXPECT_EQ(codes(), QStringList({QStringLiteral("RJX"), QStringLiteral("RJFF"), QStringLiteral("ROAH"),
                                    QStringLiteral("RJ")}));
}

}  // namespace
