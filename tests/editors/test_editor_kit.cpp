#include "editors/editor_kit.h"

#include "core/database.h"
#include "platform/msg_box.h"
#include "support/fixtures.h"

#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using platform::Value;

class EditorKit : public kolde_test::SeededStore {};

QStringList company_ids()
{
    QStringList ids;
    auto& rs = kolde_sub::rs_company();
    if (rs.record_count() == 0)
        return ids;
    for (rs.move_first(); !rs.eof(); rs.move_next())
        ids << rs.field(QStringLiteral("順位")).to_text() + u':' + rs.field(QStringLiteral("id")).to_text();
    return ids;
}

TEST_F(EditorKit, ListSaveKeepsGappedRanksAndRollsBackAFailedSaveWithAMessage)
{
    const QStringList columns{QStringLiteral("id"), QStringLiteral("route")};
    ASSERT_TRUE(kolde_sub::save_editor_list(nullptr, kolde_sub::rs_company(), columns,
                                            {{Value(1), Value("A"), Value("RJTT")},
                                             {Value(3), Value("B"), Value("RJAA")}}));
    const QStringList saved{QStringLiteral("1:A"), QStringLiteral("3:B")};
    EXPECT_EQ(company_ids(), saved);

    QStringList told;
    platform::set_msg_box_answerer([&](const platform::MsgBoxCall& r) {
        told << r.text;
        return platform::MsgAnswer::Ok;
    });
    // A column the table does not have fails the insert after the delete.
    EXPECT_FALSE(kolde_sub::save_editor_list(nullptr, kolde_sub::rs_company(), {QStringLiteral("no such")},
                                             {{Value(1), Value("X")}}));
    platform::set_msg_box_answerer({});
    EXPECT_EQ(told.size(), 1);
    EXPECT_EQ(company_ids(), saved);
}

TEST(EditorKitWidgets, HoverPaintsOneButtonGreyAndTheBackgroundClearsIt)
{
    kolde_test::ensure_app();
    QWidget window;
    QPushButton a(&window), b(&window);
    kolde_sub::HoverButtons hover({&a, &b}, {&window});
    const QColor face = a.palette().color(QPalette::Button);
    EXPECT_EQ(hover.hover(), kolde_sub::HoverButtons::none);
    hover.over_button(1);
    EXPECT_EQ(hover.hover(), 1);
    EXPECT_EQ(b.palette().color(QPalette::Button), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(a.palette().color(QPalette::Button), face);
    hover.over_background();
    EXPECT_EQ(hover.hover(), kolde_sub::HoverButtons::none);
    EXPECT_EQ(b.palette().color(QPalette::Button), face);

    QTableWidget grid(2, 2);
    kolde_sub::paint_row(&grid, 1, true);
    kolde_sub::paint_row(&grid, 5, true);  // out of range: ignored
    EXPECT_TRUE(kolde_sub::row_painted_selected(&grid, 1));
    kolde_sub::paint_row(&grid, 1, false);
    EXPECT_FALSE(kolde_sub::row_painted_selected(&grid, 1));
}

}  // namespace
