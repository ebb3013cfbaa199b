#include "mainwin/layout.h"
#include "mainwin/start_text.h"

#include <gtest/gtest.h>

using kolde_sub::VersionReply;

namespace {

TEST(ViewStartText, BannerKeepsItsLinesAndVersion)
{
    const QString rule = QStringLiteral("_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/");
    ASSERT_EQ(rule.size(), 48);
    const QString banner = kolde_sub::banner_text(QStringLiteral("4.31"));
    EXPECT_TRUE(banner.startsWith(rule + QStringLiteral("\r\r   KOLDE / AVIATION WEATHER AUTOMATIC DECODER   \r\r       ")));
    EXPECT_TRUE(banner.endsWith(QStringLiteral("Version 4.31\r\n\r") + rule));
    const QString notice = banner.section(u'\r', 4, 4);
    EXPECT_TRUE(notice.startsWith(QStringLiteral("       ")));
    EXPECT_NE(notice.at(7), u' ');
}

TEST(ViewStartText, VersionShowsAsShortestDecimal)
{
    EXPECT_EQ(kolde_sub::version_display_text(4.32f), QStringLiteral("4.32"));
    EXPECT_EQ(kolde_sub::version_display_text(5.0f), QStringLiteral("5"));
    EXPECT_EQ(kolde_sub::version_display_text(4.3f), QStringLiteral("4.3"));
    EXPECT_EQ(kolde_sub::version_display_text(0.0f), QStringLiteral("0"));
}

TEST(ViewStartText, VersionReplyIsReadAgainstTheInstalledVersion)
{
    float site = -1;
    EXPECT_EQ(kolde_sub::classify_version_reply(QStringLiteral("4.31,1.10,2.05"), 4.31f, &site), VersionReply::Same);
    EXPECT_EQ(kolde_sub::classify_version_reply(QStringLiteral("4.32,1.10,2.05"), 4.31f, &site), VersionReply::Differs);
    EXPECT_EQ(site, 4.32f);
    EXPECT_EQ(kolde_sub::classify_version_reply(QStringLiteral("abc"), 4.31f, &site), VersionReply::Differs);
    EXPECT_EQ(site, 0.0f);
    // An error page and an empty reply are no answer at all.
    EXPECT_EQ(kolde_sub::classify_version_reply(QStringLiteral("<html>"), 4.31f, &site), VersionReply::NoAnswer);
    EXPECT_EQ(kolde_sub::classify_version_reply(QString(), 0.0f, &site), VersionReply::NoAnswer);
    EXPECT_EQ(kolde_sub::classify_version_reply(QStringLiteral("\r\n"), 0.0f, &site), VersionReply::NoAnswer);
}

TEST(ViewLayout, ConsoleSitsInItsBoxAndThePadMeetsItsRightEdge)
{
    const kolde_sub::ConsoleLayout l = kolde_sub::console_layout(12000, 9000, 300, 360, 12240, 6980);
    EXPECT_EQ(l.textbox1, QRect(30, 460, 11940, 8240));
    EXPECT_TRUE(l.textbox1.contains(l.textbox0));
    // The cover box spans the console's right edge, centred on its height.
    EXPECT_LT(l.textbox2.left(), l.textbox0.right());
    EXPECT_GE(l.textbox2.right(), l.textbox0.right());
    EXPECT_EQ(l.textbox2.top() - l.textbox1.top(), l.textbox1.bottom() - l.textbox2.bottom());
    EXPECT_EQ(6980 + l.padshape_width, l.textbox1.right() + 1);
    EXPECT_EQ(l.padlbl_left - 6980, 6980 + l.padshape_width - (l.padlbl_left + l.padlbl_width));
    EXPECT_EQ(l.go_left, l.input_left + l.input_width + 50);
    EXPECT_EQ(l.line_x2, 12240);
}

}  // namespace
