#include "translate/handover.h"
#include "translate/pictureform.h"
#include "translate/tooltips.h"

#include "core/shared.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ViewTipWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolde_test::ensure_app();
        QDir().mkpath(folder.file(QStringLiteral("data")));
    }
    void TearDown() override { kolde_sub::unload_tooltips(); }
    QString figure() const { return folder.file(QStringLiteral("data/figure.dat")); }
    void write_figure(const QByteArray& bytes) const { ASSERT_TRUE(kolde_test::write_file(figure(), bytes)); }
    kolde_test::ProgramFolder folder;
};

TEST_F(ViewTipWindows, TipWindowLoadsHiddenAndComesBackAfterClosing)
{
    kolde_sub::unload_tooltips();
    EXPECT_FALSE(kolde_sub::tooltips_loaded());
    kolde_sub::tooltips* tip = kolde_sub::tooltips_window();
    EXPECT_TRUE(kolde_sub::tooltips_loaded());
    EXPECT_FALSE(tip->isVisible());
    EXPECT_TRUE(tip->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(kolde_sub::tooltips_window(), tip);

    tip->show();
    tip->close();
    EXPECT_FALSE(kolde_sub::tooltips_loaded());
    QTest::qWait(0);
    EXPECT_NE(kolde_sub::tooltips_window(), nullptr);
}

TEST_F(ViewTipWindows, PictureWindowTakesTheFigureFile)
{
    QImage image(40, 24, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "PNG"));
    write_figure(png);

    kolde_sub::pictureform* w = kolde_sub::load_pictureform();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(QFile::exists(figure()));
    EXPECT_EQ(w->size(), QSize(40, 24));
    kolde_sub::picture_pending = true;
    w->show();
    EXPECT_FALSE(kolde_sub::picture_pending);
    delete w;
}

TEST_F(ViewTipWindows, PictureWindowUnloadsWithoutAPicture)
{
    EXPECT_EQ(kolde_sub::load_pictureform(), nullptr);
    write_figure("not a picture");
    EXPECT_EQ(kolde_sub::load_pictureform(), nullptr);
    EXPECT_FALSE(QFile::exists(figure()));
}

}  // namespace
