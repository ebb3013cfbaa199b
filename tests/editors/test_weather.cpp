// The dictionary editor: what its two dictionaries store when it closes,
// and the picture registry's preview and dropped pictures.
#include "editors/weather.h"

#include "core/database.h"
#include "core/shared.h"
#include "core/window_flags.h"
#include "platform/msg_box.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <gtest/gtest.h>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using kolde_sub::weather;
using platform::MsgAnswer;
using platform::Value;

const QStringList dictionary_columns{QStringLiteral("略語"), QStringLiteral("意味")};
const QStringList picture_columns{QStringLiteral("名称"), QStringLiteral("データ")};

QByteArray png_bytes()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A table's stored rows as "順位:first:second", read afresh from the file.
QStringList stored(const QString& table, const QString& first, const QString& second)
{
    platform::Recordset rs;
    QStringList out;
    if (!rs.open(kolde_sub::db_conn(), table))
        return {QStringLiteral("(cannot open)")};
    rs.set_sort(QStringLiteral("順位"));
    for (rs.move_first(); !rs.eof(); rs.move_next())
        out << rs.field(QStringLiteral("順位")).to_text() + u':' + rs.field(first).to_text() + u':'
                   + rs.field(second).to_text();
    return out;
}

// The stored picture of a name; "(none)" when the name has no row.
QByteArray stored_picture(const QString& name)
{
    platform::Recordset rs;
    if (!rs.open(kolde_sub::db_conn(), QStringLiteral("データ")))
        return "(cannot open)";
    for (rs.move_first(); !rs.eof(); rs.move_next())
        if (rs.field(QStringLiteral("名称")).to_text() == name)
            return rs.field(QStringLiteral("データ")).to_blob();
    return "(none)";
}

class DictionaryEditor : public kolde_test::SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        platform::set_msg_box_answerer([this](const platform::MsgBoxCall& call) {
            told << call.text;
            return answer;
        });
    }

    static void click(weather& w, int row, int col)
    {
        w.grid->setCurrentCell(row, col);
        w.grid_MouseDown(Qt::LeftButton);
    }

    static void enter(weather& w, const QString& text)
    {
        w.begin_edit();
        w.txt->setText(text);
        w.txt_KeyPress(13);
    }

    QStringList told;
    MsgAnswer answer = MsgAnswer::Yes;
};

// Both dictionaries: a new abbreviation is upper-cased, a meaning keeps its
// case and inner blanks, an untouched lower-case abbreviation is written
// back as it was, and the duplicate message quotes the typed text in its
// own case. The picture registry's names are never written.
TEST_F(DictionaryEditor, ClosingStoresTheDictionaryOfItsMode)
{
    const QString picture_table = QStringLiteral("データ");
    const struct {
        int mode;
        platform::Recordset& (*rs)();
        const char* table;
    } cases[] = {
        {0, &kolde_sub::rs_abbrev, "気象略語"},
        {1, &kolde_sub::rs_translation, "日本語解析"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        const QString table = QString::fromUtf8(c.table);
        ASSERT_TRUE(kolde_sub::save_shared_list(c.rs(), dictionary_columns, {{"ra", "雨"}, {"SN", "雪"}}));
        kolde_sub::weather_mode = c.mode;
        {
            weather w;
            told.clear();
            click(w, 0, 0);
            enter(w, QStringLiteral(" Sn "));
            EXPECT_EQ(told, QStringList{QStringLiteral("Sn はすでに登録されています　　")});
            w.menu_new_Click();
            w.txt->setText(QStringLiteral(" xyz "));
            w.txt_KeyPress(13);
            click(w, 2, 1);
            enter(w, QStringLiteral("  晴れ Sky  "));
            w.cmd_Click(0);
        }
        EXPECT_EQ(kolde_sub::weather_mode, 0);
        EXPECT_EQ(stored(table, dictionary_columns[0], dictionary_columns[1]),
                  (QStringList{"1:ra:雨", "2:SN:雪", "3:XYZ:晴れ Sky"}));
        EXPECT_EQ(c.rs().record_count(), 3);
    }

    ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_data(), picture_columns,
                                            {{"CB", Value::blob(png_bytes())}}));
    kolde_sub::weather_mode = 2;
    {
        weather w;
        w.menu_new_Click();
        w.txt->setText(QStringLiteral("TS"));
        w.txt_KeyPress(13);
        click(w, 0, 0);
        w.menu_del_Click();
        w.close();
    }
    EXPECT_EQ(kolde_sub::weather_mode, 0);
    EXPECT_EQ(stored(picture_table, picture_columns[0], QStringLiteral("順位")), QStringList{"1:CB:1"});
    EXPECT_EQ(stored_picture(QStringLiteral("CB")), png_bytes());
}

// A click on a name shows its stored picture through the hand-off file; an
// empty picture clears the preview, a broken one is reported.
TEST_F(DictionaryEditor, ClickingANameShowsItsStoredPicture)
{
    ASSERT_TRUE(kolde_sub::save_shared_list(
        kolde_sub::rs_data(), picture_columns,
        {{"CB", Value::blob(png_bytes())}, {"TS", Value::blob({})}, {"FG", Value::blob("not a picture")}}));
    kolde_sub::weather_mode = 2;
    weather w;
    EXPECT_FALSE(w.Picture1->isHidden());
    const QString hand_off = kolde_sub::program_path(QStringLiteral("data/figure.dat"));
    const struct {
        int row;
        bool shown;
        int messages;
        QByteArray file;
    } cases[] = {
        {0, true, 0, png_bytes()},
        {1, false, 0, png_bytes()},  // the file stays from before
        {2, false, 1, "not a picture"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        told.clear();
        click(w, c.row, 0);
        EXPECT_EQ(!w.Picture1->pixmap().isNull(), c.shown);
        EXPECT_EQ(told.size(), c.messages);
        EXPECT_EQ(kolde_test::read_file(hand_off), c.file);
    }
}

// A dropped file is stored only when it is a picture, the selected name has
// a registry row and the user says yes; only the first file counts.
TEST_F(DictionaryEditor, ADroppedPictureGoesToTheSelectedNameOnly)
{
    const QString good = folder.file(QStringLiteral("good.png"));
    const QString bad = folder.file(QStringLiteral("bad.png"));
    ASSERT_TRUE(kolde_test::write_file(good, png_bytes()));
    ASSERT_TRUE(kolde_test::write_file(bad, "plain text, not a picture"));
    const QString ask = QStringLiteral("写真を登録しますか？　　");
    const QString unreadable = QStringLiteral("画像として読み込めないファイルです　　");
    const struct {
        const char* what;
        int row;           // -1: nothing selected; 2: a name typed in the grid
        QStringList files;
        MsgAnswer answer;
        QStringList told;  // "" stands for any message other than the question
        QByteArray ts;     // what TS holds afterwards
    } cases[] = {
        {"a picture, yes", 1, {good, bad}, MsgAnswer::Yes, {ask}, png_bytes()},
        {"a picture, no", 1, {good}, MsgAnswer::No, {ask}, {}},
        {"not a picture", 1, {bad, good}, MsgAnswer::Yes, {unreadable}, {}},
        {"no registry row", 2, {good}, MsgAnswer::Yes, {""}, {}},
        {"no name selected", -1, {good}, MsgAnswer::Yes, {""}, {}},
        {"a missing file", 1, {folder.file(QStringLiteral("gone.png"))}, MsgAnswer::Yes, {unreadable}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_data(), picture_columns,
                                                {{"CB", Value::blob("cb")}, {"TS", Value::blob({})}}));
        kolde_sub::weather_mode = 2;
        weather w;
        if (c.row == 2) {
            w.menu_new_Click();
            w.txt->setText(QStringLiteral("XX"));
            w.txt_KeyPress(13);
        }
        if (c.row >= 0)
            click(w, c.row, 0);
        told.clear();
        answer = c.answer;
        w.Picture1_OLEDragDrop(c.files);
        ASSERT_EQ(told.size(), c.told.size());
        for (int i = 0; i < told.size(); ++i) {
            if (c.told[i].isEmpty()) {
                EXPECT_NE(told[i], ask);
            } else {
                EXPECT_EQ(told[i], c.told[i]);
            }
        }
        EXPECT_EQ(stored_picture(QStringLiteral("TS")), c.ts);
        EXPECT_EQ(stored_picture(QStringLiteral("CB")), QByteArray("cb"));
        EXPECT_EQ(stored_picture(QStringLiteral("XX")), QByteArray("(none)"));
        // Whatever was dropped and could be read is previewed.
        EXPECT_EQ(!w.Picture1->pixmap().isNull(), c.told.value(0) != unreadable);
    }
}

}  // namespace
