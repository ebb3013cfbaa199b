#include "translate/handover.h"
#include "translate/pictureform.h"
#include "translate/tooltips.h"

#include "core/database.h"
#include "core/shared.h"
#include "platform/value.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::Value;


// Sends one mouse event to w at the local point, as the window system would.
void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

class TipWindows : public kolde_test::SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("data"))));
        kolde_sub::change_tip_handover([](kolde_sub::TipHandover& t) {
            t = kolde_sub::TipHandover{};
            t.shown = true;
            t.fresh = true;
        });
    }
    void TearDown() override
    {
        kolde_sub::unload_pictureform();
        kolde_sub::unload_tooltips();
        kolde_sub::change_tip_handover([](kolde_sub::TipHandover& t) { t = {}; });
        SeededStore::TearDown();
    }
    QString figure() const { return folder.file(QStringLiteral("data/figure.dat")); }
    static void pictures(const QList<QList<Value>>& rows)
    {
        ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_data(), {QStringLiteral("名称"), QStringLiteral("データ")},
                                                rows));
    }
    static kolde_sub::pictureform* picture_window()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<kolde_sub::pictureform*>(w); p && p->isVisible())
                return p;
        return nullptr;
    }
    // Shows a tip text as the explanation does.
    static void explain(const QString& text, int x, int y)
    {
        kolde_sub::change_tip_handover([&](kolde_sub::TipHandover& t) {
            t.fresh = true;
            t.x = x;
            t.y = y;
            t.text = text;
        });
        kolde_sub::show_tooltip();
    }
};

TEST_F(TipWindows, TipWindowLoadsHiddenAndComesBackAfterClosing)
{
    kolde_sub::unload_tooltips();
    kolde_sub::tooltips* tip = kolde_sub::tooltips_window();
    EXPECT_FALSE(tip->isVisible());
    EXPECT_TRUE(tip->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(kolde_sub::tooltips_window(), tip);
    tip->show();
    tip->close();
    EXPECT_FALSE(kolde_sub::tooltips_loaded());
    QTest::qWait(0);
    EXPECT_NE(kolde_sub::tooltips_window(), nullptr);
}

// The tip sits at the pointer's place in twips, one label margin on both
// sides of its text, 315 twips high.
TEST_F(TipWindows, TipIsPlacedAndSizedFromThePointer)
{
    const struct {
        const char* text;
        int x, y;
        QPoint at;
    } cases[] = {
            {"RJTT : 東京国際空港", 1600, 2900, {107, 193}},
            {"X", -100, 7, {-7, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        explain(QString::fromUtf8(c.text), c.x, c.y);
        kolde_sub::tooltips* tip = kolde_sub::tooltips_window();
        EXPECT_TRUE(tip->isVisible());
        EXPECT_EQ(tip->pos(), c.at);
        EXPECT_EQ(tip->lbl->text(), QString::fromUtf8(c.text));
        // The design height unless the font needs more: the line is never cut.
        EXPECT_GE(tip->height(), 21);
        EXPECT_LE(tip->lbl->geometry().bottom(), tip->height());
        EXPECT_EQ(tip->lbl->pos(), QPoint(9, 5));
        // The whole text on one line, with equal margins on both sides.
        EXPECT_GE(tip->lbl->width(), tip->lbl->fontMetrics().horizontalAdvance(QString::fromUtf8(c.text)));
        EXPECT_EQ(tip->width(), 9 + tip->lbl->width() + 9);
    }
}

// The first word of the tip names its picture; the picture window opens
// 100 twips below the tip as it is on screen (here a tip taller than its
// design height) at its left, and only for a new text.
TEST_F(TipWindows, TipHandsThePictureOfItsFirstWordOn)
{
    QFont large = kolde_sub::tooltips_window()->font();
    large.setPixelSize(40);
    kolde_sub::tooltips_window()->setFont(large);
    pictures({{Value("CB"), Value::blob(kolde_test::png(30, 20))},
              {Value("CB"), Value::blob(kolde_test::png(5, 5))},
              {Value("FG"), Value::blob(QByteArray())},
              {Value("RA : 雨"), Value::blob(kolde_test::png(8, 8))}});
    const struct {
        const char* text;
        bool fresh;  // the hand-over is fresh when the tip shows
        QSize picture;
    } cases[] = {
            {"CB : 積乱雲", true, {30, 20}},
            {"CB : 積乱雲", false, {}},
            {"cb : 積乱雲", true, {}},
            {"FG : 霧", true, {}},
            {"RA : 雨", true, {}},
            {"CB", true, {}},
            {"TS : 雷電", true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.fresh ? " new" : " again"));
        kolde_sub::unload_pictureform();
        explain(QString::fromUtf8(c.text), 1500, 3000);
        if (!c.fresh) {
            kolde_sub::unload_pictureform();
            kolde_sub::show_tooltip();
        }
        EXPECT_FALSE(kolde_sub::tip_handover().fresh);
        EXPECT_FALSE(kolde_sub::tip_handover().picture_pending);
        kolde_sub::pictureform* p = picture_window();
        EXPECT_EQ(p != nullptr, c.picture.isValid());
        if (p) {
            const kolde_sub::tooltips* tip = kolde_sub::tooltips_window();
            ASSERT_GT(tip->height(), 21);
            EXPECT_EQ(p->size(), c.picture);
            EXPECT_EQ(p->pos(), QPoint(100, 207 + tip->height()));  // (1500, 3000 + 100) twips, then the tip
        }
        EXPECT_FALSE(QFile::exists(figure()));
    }
}

// Below a tip on screen, or centred in a rectangle of the main window's size
// at the screen's top-left corner.
TEST_F(TipWindows, PictureGoesBelowTheTipOrIsCentred)
{
    const struct {
        bool tip;
        long long x, y;
        int tip_height;
        QSize own, main;
        QPoint at;
    } cases[] = {
            {true, 1500, 3000, 21, {40, 30}, {800, 600}, {100, 228}},
            {true, 1500, 3000, 48, {40, 30}, {800, 600}, {100, 255}},
            {true, -150, -415, 21, {40, 30}, {800, 600}, {-10, 0}},
            {false, 1500, 3000, 21, {41, 31}, {801, 601}, {380, 285}},
            {false, 0, 0, 0, {900, 700}, {800, 600}, {-50, -50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tip << ' ' << c.x << ' ' << c.y << ' ' << c.tip_height);
        EXPECT_EQ(kolde_sub::picture_position(c.tip, c.x, c.y, c.tip_height, c.own, c.main), c.at);
    }
}

// Presses the left button on w, moves it by `by` while held, lets go;
// gives the cursor shape while the button was held.
Qt::CursorShape press_move_release(QWidget* w, QPoint by)
{
    const QPoint at(2, 2);
    mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    const Qt::CursorShape held = w->cursor().shape();
    if (!by.isNull())
        mouse(w, QEvent::MouseMove, at + by, Qt::NoButton, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, at + by, Qt::LeftButton, Qt::NoButton);
    return held;
}

// A click closes: the tip hides (the picture stays), the picture window
// unloads. A held button shows its own cursor; a drag moves the window,
// brings the normal cursor back and closes nothing.
TEST_F(TipWindows, ClickClosesAndDragMoves)
{
    pictures({{Value("CB"), Value::blob(kolde_test::png(30, 20))}});
    for (const QPoint by : {QPoint(), QPoint(25, 12)}) {
        SCOPED_TRACE(by.x());
        const bool click = by.isNull();
        kolde_sub::change_tip_handover([](kolde_sub::TipHandover& t) { t.shown = true; });
        explain(QStringLiteral("CB : 積乱雲"), 1500, 3000);
        kolde_sub::tooltips* tip = kolde_sub::tooltips_window();
        QPointer<kolde_sub::pictureform> p = picture_window();
        ASSERT_FALSE(p.isNull());
        const QPoint tip_at = tip->pos();
        const QPoint picture_at = p->pos();

        EXPECT_EQ(press_move_release(tip->lbl, by), tip->Picture1[0].shape());
        EXPECT_EQ(tip->isVisible(), !click);
        EXPECT_EQ(kolde_sub::tip_handover().shown, !click);
        EXPECT_EQ(kolde_sub::tip_handover().fresh, click);
        EXPECT_EQ(tip->pos(), tip_at + by);
        EXPECT_EQ(tip->lbl->cursor().shape(), tip->Picture1[1].shape());
        EXPECT_TRUE(p->isVisible());

        EXPECT_EQ(press_move_release(p->pic, by), p->Picture1[0].shape());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(p.isNull(), click);
        if (!click) {
            EXPECT_EQ(p->pos(), picture_at + by);
        }
    }
}

// Whenever the picture window gives up it deletes the hand-off file and
// clears the pending mark, so nobody waits for it.
TEST_F(TipWindows, UnreadablePictureGivesUpAndClearsThePendingFlag)
{
    const struct {
        const char* what;
        bool file;
        QByteArray bytes;
    } cases[] = {
            {"no file", false, {}},
            {"empty file", true, {}},
            {"text", true, "not a picture"},
            {"metafile", true, QByteArray::fromHex("d7cdc69a000000000000e803e8030000000000000000")},
            {"cut picture", true, kolde_test::png(20, 20).left(40)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.file) {
            ASSERT_TRUE(kolde_test::write_file(figure(), c.bytes));
        }
        kolde_sub::set_picture_pending(true);
        EXPECT_EQ(kolde_sub::show_pictureform(), nullptr);
        EXPECT_FALSE(kolde_sub::tip_handover().picture_pending);
        EXPECT_FALSE(QFile::exists(figure()));
        EXPECT_EQ(picture_window(), nullptr);
    }
}

// A picture window still open keeps its picture and is placed again; the
// new hand-off file stays, holding exactly the new bytes (no tail of the
// longer file that was there before).
TEST_F(TipWindows, AnOpenPictureWindowKeepsItsPictureAndTheNewFileStaysWhole)
{
    const QByteArray small = kolde_test::png(6, 4);
    pictures({{Value("CB"), Value::blob(small)}});
    ASSERT_TRUE(kolde_test::write_file(figure(), kolde_test::png(50, 40)));
    kolde_sub::begin_explanation();
    kolde_sub::set_picture_pending(true);
    kolde_sub::pictureform* p = kolde_sub::show_pictureform();
    ASSERT_NE(p, nullptr);
    ASSERT_TRUE(kolde_test::write_file(figure(), QByteArray(small.size() * 20, 'x')));

    explain(QStringLiteral("CB : 積乱雲"), 0, 0);
    EXPECT_EQ(picture_window(), p);
    EXPECT_EQ(p->size(), QSize(50, 40));
    EXPECT_EQ(p->pos(), QPoint(0, 7 + kolde_sub::tooltips_window()->height()));  // 100 twips below the tip
    EXPECT_FALSE(kolde_sub::tip_handover().picture_pending);
    EXPECT_EQ(kolde_test::read_file(figure()), small);
}

}  // namespace
