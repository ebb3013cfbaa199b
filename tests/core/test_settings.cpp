// The settings record's fields and the restore of their defaults.
#include "core/database.h"
#include "core/settings.h"
#include "core/shared.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace kolde_sub;

TEST(Settings, SeventyTwoUniqueFieldsMatchTheServedTable)
{
    kolde_test::ensure_app();
    QSet<QString> names;
    int with_default = 0;
    for (const SettingField& f : settings_fields()) {
        names.insert(QString::fromUtf8(f.name));
        if (f.default_kind != SettingField::Default::None)
            ++with_default;
    }
    EXPECT_EQ(names.size(), 72);
    EXPECT_EQ(with_default, 64);

    platform::Connection c;
    ASSERT_TRUE(c.open(kolde_test::seed_database(), QString::fromLatin1(database_password)));
    const QStringList columns = c.column_names(QStringLiteral("設定"));
    EXPECT_EQ(QSet<QString>(columns.begin(), columns.end()), names);
}

TEST(Settings, ResetWritesTheDefaultsAndLeavesTheEightAlone)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    ASSERT_TRUE(home.install_seed_database());
    ASSERT_TRUE(open_database());

    // Scribble over every field.
    platform::Recordset& rs = rs_settings();
    rs.move_first();
    for (const SettingField& f : settings_fields())
        rs.set_field(QString::fromUtf8(f.name),
                     f.type == SettingType::Text || f.type == SettingType::Date ? platform::Value("x")
                                                                                 : platform::Value(7));
    ASSERT_TRUE(rs.update());

    tz_offset_text = QStringLiteral("±0");
    reset_settings();
    release_store();  // read back from the file, not the snapshot
    ASSERT_TRUE(open_database());

    for (const SettingField& f : settings_fields()) {
        const QString name = QString::fromUtf8(f.name);
        const platform::Value v = setting(name);
        if (f.default_kind == SettingField::Default::None) {
            const bool text = f.type == SettingType::Text || f.type == SettingType::Date;
            EXPECT_EQ(v, text ? platform::Value("x") : platform::Value(7)) << qPrintable(name);
        } else {
            EXPECT_EQ(v, settings_default(f)) << qPrintable(name);
        }
    }
    EXPECT_EQ(setting_text(QStringLiteral("時差")), QStringLiteral("±0"));
    EXPECT_EQ(setting_int(QStringLiteral("自動デコード有効")), -1);  // True is stored as -1
    EXPECT_EQ(setting_int(QStringLiteral("SPECIの色")), 8388863);
    EXPECT_EQ(setting_text(QStringLiteral("表示文字のフォント")), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(setting_text(QStringLiteral("プリンター")), QStringLiteral("*"));
    EXPECT_EQ(setting_text(QStringLiteral("印刷終了分")), QStringLiteral("59"));

    tz_offset_text = QStringLiteral("-5");
    reset_settings();
    EXPECT_EQ(setting_text(QStringLiteral("時差")), QStringLiteral("-5"));
}

TEST(Settings, ServedRowHoldsTheDefaults)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    ASSERT_TRUE(home.install_seed_database());
    ASSERT_TRUE(open_database());
    for (const SettingField& f : settings_fields()) {
        if (f.default_kind != SettingField::Default::Value)
            continue;
        EXPECT_EQ(setting(QString::fromUtf8(f.name)), settings_default(f)) << f.name;
    }
    EXPECT_EQ(setting_text(QStringLiteral("時差")), QStringLiteral("+9"));
    EXPECT_EQ(version_number(setting(QStringLiteral("KOLDEバージョン"))), 0.0f);
    EXPECT_EQ(setting_text(QStringLiteral("BASEurl")), QStringLiteral("http://127.0.0.1:8737"));
}
