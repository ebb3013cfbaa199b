// The settings record's fields and the restore of their defaults.
#include "core/database.h"
#include "core/settings.h"
#include "core/shared.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

using namespace kolde_sub;

namespace {

bool is_text(const SettingField& f) { return f.type == SettingType::Text || f.type == SettingType::Date; }

// What the scribbled row holds in a field before a reset.
platform::Value scribble(const SettingField& f) { return is_text(f) ? platform::Value("x") : platform::Value(7); }

// Writes the scribble into every field of the open settings row.
bool scribble_every_field()
{
    platform::Recordset& rs = rs_settings();
    rs.move_first();
    for (const SettingField& f : settings_fields())
        rs.set_field(QString::fromUtf8(f.name), scribble(f));
    return rs.update();
}

// Runs a statement on the program folder's kolde.mdb on its own connection.
bool alter_database(const kolde_test::ProgramFolder& home, const QString& sql)
{
    platform::Connection c;
    return c.open(home.file(QStringLiteral("kolde.mdb")), QString::fromLatin1(database_password)) &&
           c.execute(sql);
}

// The source folder, as the build names it.
QString source_folder() { return QStringLiteral(KOLDE_SOURCE_DIR); }

}  // namespace

// Tests over the served database, open in a temporary program folder.
class SettingsStore : public kolde_test::SeededStore {};

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

TEST_F(SettingsStore, ResetWritesTheDefaultsAndLeavesTheEightAlone)
{

    ASSERT_TRUE(scribble_every_field());

    set_computer_zone({QString(), 0, QStringLiteral("±0")});
    reset_settings();
    release_store();  // read back from the file, not the snapshot
    ASSERT_TRUE(open_database());

    for (const SettingKey key : all_setting_keys()) {
        const SettingField& f = key.field();
        const QString name = QString::fromUtf8(f.name);
        const platform::Value v = setting(key);
        if (f.default_kind == SettingField::Default::None) {
            EXPECT_EQ(v, scribble(f)) << qPrintable(name);
        } else {
            EXPECT_EQ(v, settings_default(f)) << qPrintable(name);
        }
    }
    EXPECT_EQ(setting_text(key::time_difference), QStringLiteral("±0"));
    EXPECT_EQ(setting_int(key::auto_decode), -1);  // True is stored as -1
    EXPECT_EQ(setting_int(key::speci_colour), 8388863);
    EXPECT_EQ(setting_text(key::display_font), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(setting_text(key::printer), QStringLiteral("*"));
    EXPECT_EQ(setting_text(key::print_end_minute), QStringLiteral("59"));

    set_computer_zone({QString(), -5, QStringLiteral("-5")});
    reset_settings();
    EXPECT_EQ(setting_text(key::time_difference), QStringLiteral("-5"));
}

TEST_F(SettingsStore, ServedRowHoldsTheDefaults)
{
    for (const SettingKey key : all_setting_keys()) {
        const SettingField& f = key.field();
        if (f.default_kind != SettingField::Default::Value)
            continue;
        EXPECT_EQ(setting(key), settings_default(f)) << f.name;
    }
    EXPECT_EQ(setting_text(key::time_difference), QStringLiteral("+9"));
    EXPECT_EQ(version_number(setting(key::program_version)), 0.0f);
    EXPECT_EQ(setting_text(key::base_url), QStringLiteral("http://127.0.0.1:8737"));
}

TEST_F(SettingsStore, ResetSkipsOnlyTheFieldThatCannotBeWritten)
{
    ASSERT_TRUE(scribble_every_field());
    ASSERT_TRUE(alter_database(folder, QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF \"天気略語の色\" ON \"設定\" "
                                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END")));

    set_computer_zone({QString(), 9, QStringLiteral("+9")});
    reset_settings();
    release_store();
    ASSERT_TRUE(open_database());

    int defaults = 0;
    for (const SettingKey key : all_setting_keys()) {
        const SettingField& f = key.field();
        const QString name = QString::fromUtf8(f.name);
        if (f.default_kind == SettingField::Default::None || name == QStringLiteral("天気略語の色")) {
            EXPECT_EQ(setting(key), scribble(f)) << qPrintable(name);
        } else {
            EXPECT_EQ(setting(key), settings_default(f)) << qPrintable(name);
            ++defaults;
        }
    }
    EXPECT_EQ(defaults, 63);
}

TEST(Settings, UnreadableSettingsGiveTheDefaults)
{
    kolde_test::ensure_app();
    set_computer_zone({QString(), -5, QStringLiteral("-5")});
    // The settings table again without the column of the text colour.
    QStringList kept;
    for (const SettingField& f : settings_fields()) {
        if (QString::fromUtf8(f.name) != QStringLiteral("表示文字の色"))
            kept << platform::Connection::quote(QString::fromUtf8(f.name));
    }
    const QString drop_column = QStringLiteral("CREATE TABLE narrow AS SELECT ") + kept.join(u',') +
                                QStringLiteral(" FROM \"設定\"; DROP TABLE \"設定\"; ALTER TABLE narrow RENAME TO \"設定\"");
    const struct {
        const char* what;
        QString sql;  // run on the seeded file; empty: no database at all
        const SettingKey* column;  // the only field that cannot be read; nullptr: all
    } cases[] = {
            {"no database", QString(), nullptr},
            {"no settings row", QStringLiteral("DELETE FROM \"設定\""), nullptr},
            {"column missing", drop_column, &key::display_text_colour},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        kolde_test::ProgramFolder home;
        if (!c.sql.isEmpty()) {
            ASSERT_TRUE(home.install_seed_database());
            ASSERT_TRUE(alter_database(home, c.sql));
            open_database();
        } else {
            EXPECT_FALSE(open_database());
        }
        for (const SettingKey key : all_setting_keys()) {
            if (c.column != nullptr && key != *c.column)
                continue;
            EXPECT_EQ(setting(key), settings_default(key.field())) << key.name();
        }
        // The console colours: white on black, not black on black.
        EXPECT_EQ(setting_int(key::display_text_colour), 16777215);
        EXPECT_EQ(setting_int(key::display_background), 0);
        if (c.column == nullptr) {
            EXPECT_EQ(setting_text(key::time_difference), QStringLiteral("-5"));
            EXPECT_EQ(setting_text(key::display_font), QStringLiteral("ＭＳ ゴシック"));
            EXPECT_EQ(setting_int(key::display_size), 11);
            EXPECT_TRUE(setting_bool(key::scratch_pad));
            EXPECT_TRUE(setting(key::base_url).is_null());
            EXPECT_TRUE(setting(key::rvr1).is_null());
        }
    }
}

TEST_F(SettingsStore, SwitchesAreOnForAnyNonZeroValue)
{
    const struct {
        platform::Value stored;
        bool on;
    } cases[] = {
            {platform::Value(-1), true},  {platform::Value(1), true},     {platform::Value(2), true},
            {platform::Value(0.25), true}, {platform::Value("-1"), true},  {platform::Value(0), false},
            {platform::Value(), false},   {platform::Value(""), false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(set_setting(key::local_time, c.stored));
        EXPECT_EQ(setting_bool(key::local_time), c.on) << qPrintable(c.stored.to_text());
    }
}

TEST(Settings, EveryNameTheProgramUsesIsAColumnItReads)
{
    // Names of settings passed to the readers and their wrappers, as text or
    // as the handle of a field, must be fields of the settings record; names
    // passed to a recordset's field accessors must be columns of some table
    // of the served database.
    kolde_test::ensure_app();
    const QString src = source_folder();
    ASSERT_FALSE(src.isEmpty()) << "source folder not found";

    QSet<QString> settings_names;
    for (const SettingField& f : settings_fields())
        settings_names.insert(QString::fromUtf8(f.name));
    QSet<QString> columns;
    {
        platform::Connection c;
        ASSERT_TRUE(c.open(kolde_test::seed_database(), QString::fromLatin1(database_password)));
        for (const QString& table : c.table_names())
            for (const QString& column : c.column_names(table))
                columns.insert(column);
    }
    // The column name of each handle, as its definition gives it.
    QHash<QString, QString> handles;
    {
        QFile header(src + QStringLiteral("/core/settings_fields.h"));
        ASSERT_TRUE(header.open(QIODevice::ReadOnly));
        const QRegularExpression handle(QStringLiteral(R"re(SettingKey (\w+)\{"([^"]*)"\})re"));
        for (auto m = handle.globalMatch(QString::fromUtf8(header.readAll())); m.hasNext();) {
            const auto match = m.next();
            handles.insert(match.captured(1), match.captured(2));
        }
        const QStringList named = handles.values();
        EXPECT_EQ(named.size(), settings_names.size());  // one handle a field
        EXPECT_TRUE(QSet<QString>(named.begin(), named.end()) == settings_names);
    }

    const QRegularExpression call(QString::fromUtf8(
            R"re(\b(setting|setting_bool|setting_int|setting_text|set_setting|setting_on|is_on|is_true|)re"
            R"re(number_field|colour_field|toggle_setting|field|set_field)\(\s*)re"
            R"re((?:(?:QStringLiteral\(|QString::fromUtf8\()?"([^"]*)"|(?:kolde_sub::)?key::(\w+)))re"));
    int settings_calls = 0;
    QDirIterator it(src, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            for (auto m = call.globalMatch(lines[i]); m.hasNext();) {
                const auto match = m.next();
                const QString reader = match.captured(1);
                const QString name = match.captured(3).isEmpty() ? match.captured(2)
                                                                 : handles.value(match.captured(3));
                const bool any_column = reader == QStringLiteral("field") || reader == QStringLiteral("set_field");
                if (!any_column)
                    ++settings_calls;
                EXPECT_TRUE(any_column ? columns.contains(name) : settings_names.contains(name))
                        << qPrintable(path) << ":" << i + 1 << " " << qPrintable(reader) << " \""
                        << qPrintable(name) << "\"";
            }
        }
    }
    EXPECT_GT(settings_calls, 60);  // the scan did find the program's reads
}
