// The dictionary editor: what its dictionaries store when it closes, and
// the picture registry's preview and dropped pictures.
#include "editors/weather.h"

#include "core/database.h"
#include "core/shared.h"
#include "platform/msg_box.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using kolde_sub::weather;
using platform::MsgAnswer;
using platform::Value;


// A table's rows as "順位:first:second", read afresh from the file.
QStringList stored(const char* table, const char* first, const char* second)
{
    platform::Recordset rs;
    QStringList out;
    EXPECT_TRUE(rs.open(kolde_sub::db_conn(), QString::fromUtf8(table)));
    for (rs.move_first(); !rs.eof(); rs.move_next())
        out << rs.field("順位").to_text() + u':' + rs.field(first).to_text() + u':' + rs.field(second).to_text();
    return out;
}

void fill_pictures(const QList<QList<Value>>& rows)
{
    ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_data(), {"名称", "データ"}, rows));
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
    // A user's double click: the press and release, then the double click.
    static void double_click(weather& w, int row, int col)
    {
        const QPoint at = w.grid->visualRect(w.grid->model()->index(row, col)).center();
        QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w.grid->viewport(), Qt::LeftButton, {}, at);
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

// A new abbreviation is upper-cased, a meaning keeps its case and inner
// blanks, an untouched lower-case abbreviation is written back as it was,
// and the duplicate message quotes the typed text in its own case.
TEST_F(DictionaryEditor, ClosingStoresTheDictionaryOfItsMode)
{
    const struct {
        int mode;
        platform::Recordset& (*rs)();
        const char* table;
    } cases[] = {{0, &kolde_sub::rs_abbrev, "気象略語"}, {1, &kolde_sub::rs_translation, "日本語解析"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        ASSERT_TRUE(kolde_sub::save_shared_list(c.rs(), {"略語", "意味"}, {{"ra", "雨"}, {"SN", "雪"}}));
        weather w(c.mode);
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
        EXPECT_EQ(stored(c.table, "略語", "意味"), (QStringList{"1:ra:雨", "2:SN:雪", "3:XYZ:晴れ Sky"}));
    }

}

// The duplicate message takes the activation away from the editor and, as
// on a display without a window manager, leaves it inactive when it closes,
// so the edit box hears of no focus change until the editor is active
// again. The abbreviation is put back as it was, so the click on the
// meaning moves on. Caps Lock, on for the abbreviation, must not upper-case
// the meaning typed next, whether or not the editor is activated again
// before its box opens.
TEST_F(DictionaryEditor, AMeaningTypedAfterTheDuplicateMessageKeepsItsCase)
{
    platform::set_msg_box_answerer([this](const platform::MsgBoxCall& call) {
        told << call.text;
        QWidget box;
        box.show();
        box.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
        return MsgAnswer::Ok;
    });
    for (const bool activated_again : {false, true}) {
        SCOPED_TRACE(activated_again ? "activated again" : "left inactive");
        ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_abbrev(), {"略語", "意味"}, {{"RA", "雨"}, {"SN", "雪"}}));
        weather w(0);
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        told.clear();
        double_click(w, 1, 0);
        QTest::keyClicks(w.txt, QStringLiteral("ra"));
        QTest::keyClick(w.txt, Qt::Key_Return);
        EXPECT_EQ(told, QStringList{QStringLiteral("RA はすでに登録されています　　")});
        QTest::keyClicks(w.txt, QStringLiteral("SN"));

        const QPoint meaning = w.grid->visualRect(w.grid->model()->index(1, 1)).center();
        QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, meaning);
        if (activated_again) {
            w.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        }
        QTest::mouseDClick(w.grid->viewport(), Qt::LeftButton, {}, meaning);
        ASSERT_TRUE(w.txt->isVisible());
        QTest::keyClicks(w.txt, QStringLiteral("abc Def"));
        QTest::keyClick(w.txt, Qt::Key_Return);
        w.close();
        EXPECT_EQ(stored("気象略語", "略語", "意味").join(u'|'), QStringLiteral("1:RA:雨|2:SN:abc Def"));
    }
}

// A click on a name shows its stored picture through the hand-off file; a
// stored picture that cannot be shown is reported.
TEST_F(DictionaryEditor, ClickingANameShowsItsStoredPicture)
{
    fill_pictures({{"CB", Value::blob(kolde_test::png(4, 3))}, {"FG", Value::blob("no picture")}});
    weather w(2);
    for (const int row : {0, 1}) {
        told.clear();
        click(w, row, 0);
        EXPECT_EQ(w.Picture1->pixmap().isNull(), row == 1);
        EXPECT_EQ(told.size(), row);
        EXPECT_EQ(kolde_test::read_file(kolde_sub::program_path(QStringLiteral("data/figure.dat"))),
                  row == 0 ? kolde_test::png(4, 3) : QByteArray("no picture"));
    }
}

// A dropped file is stored only when it is a picture, the selected name has
// a registry row and the user says yes; only the first file counts.
TEST_F(DictionaryEditor, ADroppedPictureGoesToTheSelectedNameOnly)
{
    const QString good = folder.file(QStringLiteral("good.png"));
    const QString bad = folder.file(QStringLiteral("bad.png"));
    ASSERT_TRUE(kolde_test::write_file(good, kolde_test::png(4, 3)) && kolde_test::write_file(bad, "not a picture"));
    const QString ask = QStringLiteral("写真を登録しますか？　　");
    const QString unreadable = QStringLiteral("画像として読み込めないファイルです　　");
    const struct {
        const char* what;
        int row;  // -1: nothing selected; 2: a name typed in the grid only
        QStringList files;
        MsgAnswer answer;
        QString told;  // empty: a message other than these two
        QByteArray ts;  // what TS holds afterwards
    } cases[] = {
        {"a picture, yes", 1, {good, bad}, MsgAnswer::Yes, ask, kolde_test::png(4, 3)},
        {"a picture, no", 1, {good}, MsgAnswer::No, ask, {}},
        {"not a picture", 1, {bad, good}, MsgAnswer::Yes, unreadable, {}},
        {"no registry row", 2, {good}, MsgAnswer::Yes, {}, {}},
        {"no name selected", -1, {good}, MsgAnswer::Yes, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fill_pictures({{"CB", Value::blob("cb")}, {"TS", Value::blob({})}});
        weather w(2);
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
        ASSERT_EQ(told.size(), 1);
        if (c.told.isEmpty()) {
            EXPECT_TRUE(told[0] != ask && told[0] != unreadable) << told[0].toStdString();
        } else {
            EXPECT_EQ(told[0], c.told);
        }
        EXPECT_EQ(stored("データ", "名称", "データ"), (QStringList{"1:CB:cb", "2:TS:" + c.ts}));
        EXPECT_EQ(w.Picture1->pixmap().isNull(), c.told == unreadable);
    }
}

}  // namespace
