#include "mainwin/view_fixture.h"
#include "core/program.h"
#include "core/settings.h"
#include "sidewin/open_windows.h"
#include "editors/editors.h"
#include "options/fontmsg.h"
#include "options/opton.h"
#include "platform/shell.h"
#include "sidewin/side_windows.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace kolde_sub;

using SideWindows = kolde_test::SeededStore;

// The notice's banner asks for the reader (the chart then gives way to the
// download); its check box turns the notice off, whichever way it closes.
TEST_F(SideWindows, ReaderNoticeBannerAndCheckBox)
{
    QStringList opened;
    platform::set_default_browser_opener([&](const QUrl& u) {
        opened << u.toString();
        return true;
    });
    enum class Way { Button, Banner, Escape, TitleBar };
    for (const Way way : {Way::Button, Way::Banner, Way::Escape, Way::TitleBar}) {
        for (const bool ticked : {false, true}) {
            SCOPED_TRACE(static_cast<int>(way) * 2 + ticked);
            ASSERT_TRUE(set_setting(key::pdf_reader_notice, platform::Value::boolean(false)));
            opened.clear();
            set_cycle_ticks(7);
            adobeinfo notice;
            EXPECT_EQ(cycle_ticks(), 0);
            notice.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&notice));
            if (ticked)
                QTest::mouseClick(notice.chkbox, Qt::LeftButton, {}, QPoint(8, notice.chkbox->height() / 2));
            ASSERT_EQ(notice.chkbox->isChecked(), ticked);
            switch (way) {
            case Way::Button: QTest::mouseClick(notice.cmd, Qt::LeftButton); break;
            case Way::Banner: QTest::mouseClick(notice.image, Qt::LeftButton); break;
            case Way::Escape: QTest::keyClick(&notice, Qt::Key_Escape); break;
            case Way::TitleBar: notice.close(); break;
            }
            EXPECT_FALSE(notice.isVisible());
            EXPECT_EQ(notice.download_requested(), way == Way::Banner);
            EXPECT_EQ(opened, way == Way::Banner ? QStringList{reader_download_url()} : QStringList{});
            EXPECT_EQ(setting_bool(key::pdf_reader_notice), ticked);
        }
    }
    platform::set_default_browser_opener({});
}

// The notice's texts are never cut: the message fits its label, the
// banner's words its picture, and the picture its button.
TEST_F(SideWindows, ReaderNoticeTextsFit)
{
    adobeinfo notice;
    notice.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&notice));
    EXPECT_LE(notice.lbl->heightForWidth(notice.lbl->width()), notice.lbl->height());
    QFont bold = notice.image->font();
    bold.setBold(true);
    const QRect words = QFontMetrics(bold).boundingRect(QStringLiteral("Get Adobe Reader"));
    const QSize banner = notice.image->iconSize();
    EXPECT_LE(words.width(), banner.width());
    EXPECT_LE(words.height(), banner.height());
    EXPECT_LE(banner.width(), notice.image->width());
    EXPECT_LE(banner.height(), notice.image->height());
}

// Ticking the notice's check box turns it off: the next chart command
// opens the chart without it.
using NoticeBeforeChart = kolde_test::ViewFixture;
TEST_F(NoticeBeforeChart, TickedCheckBoxSkipsTheNextNotice)
{
    set(key::pdf_reader_notice, platform::Value::boolean(false));
    view v;
    v.show();
    for (const bool first : {true, false}) {
        SCOPED_TRACE(first);
        kolde_test::ModalCloser closer([](QWidget* w) {
            if (auto* notice = qobject_cast<adobeinfo*>(w))
                notice->chkbox->setChecked(true);
        });
        drive(v).menu_item("menu_chart")->trigger();
        EXPECT_EQ(closer.names(), first ? QStringList{QStringLiteral("adobeinfo")} : QStringList{});
        EXPECT_TRUE(setting_bool(key::pdf_reader_notice));
        ASSERT_NE(chart_window(), nullptr);
        chart_window()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The modeless windows: one at a time, flagged open while they stand.
TEST_F(SideWindows, ModelessWindowsKeepTheirFlag)
{
    struct Case {
        void (*show)();
        QWidget* (*window)();
        SideWindowId which;
    };
    for (const Case c : {Case{show_chart, chart_window, SideWindowId::chart}, Case{show_camera, camera_window, SideWindowId::camera},
                         Case{show_command, command_window, SideWindowId::command}}) {
        c.show();
        QWidget* w = c.window();
        ASSERT_NE(w, nullptr);
        c.show();
        EXPECT_EQ(c.window(), w);
        mark_side_window(c.which, true);  // activation does not come under the offscreen platform
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(side_window_open(c.which));
        EXPECT_EQ(c.window(), nullptr);
    }
}

// The options dialog's two switches of the automatic decode: each is stored
// at once, and the second is usable only while the first is on.
TEST_F(SideWindows, OptionsAutomaticDecodeSwitches)
{
    ASSERT_TRUE(set_setting(key::auto_decode, platform::Value::boolean(false)));
    opton* d = opton_window();
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(d->CheckBox[9]->isEnabled());
    d->CheckBox[2]->setChecked(true);
    EXPECT_TRUE(setting_bool(key::auto_decode));
    EXPECT_TRUE(d->CheckBox[9]->isEnabled());
    d->CheckBox[9]->setChecked(!setting_bool(key::stop_on_manual_input));
    EXPECT_EQ(setting_bool(key::stop_on_manual_input), d->CheckBox[9]->isChecked());
    EXPECT_EQ(opton_window(), d);
    unload_opton();
    EXPECT_FALSE(opton_loaded());
}

// The wait notice hands over to the options dialog and returns only when
// the dialog has closed.
TEST_F(SideWindows, WaitNoticeOpensTheOptionsDialog)
{
    QWidget start_frame;
    start_frame.show();
    kolde_test::ModalCloser closer;
    fontmsg notice(&start_frame);
    notice.exec();
    EXPECT_FALSE(start_frame.isVisible());
    EXPECT_EQ(closer.names(), QStringList{QStringLiteral("opton")});
    unload_opton();
}

// The dictionary editor takes its caption from its mode.
TEST_F(SideWindows, DictionaryEditorModes)
{
    const QStringList captions = {QStringLiteral(" 気象略語編集"), QStringLiteral(" 日本語解析"),
                                  QStringLiteral(" 画像登録")};
    for (int mode = 0; mode < 3; ++mode) {
        weather w(mode);
        EXPECT_EQ(w.windowTitle(), captions[mode]);
    }
}

}  // namespace
