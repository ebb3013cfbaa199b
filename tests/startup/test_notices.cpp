// The connection notices and the bounded sound wait.
#include "core/database.h"
#include "startup/notices.h"
#include "startup/download.h"
#include "core/settings.h"
#include "support/fixtures.h"

#include "platform/sound.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kolde_sub;

namespace {

void copy_alarm(const kolde_test::ProgramFolder& home)
{
    QDir().mkpath(home.file("sound"));
    ASSERT_TRUE(QFile::copy(kolde_test::site_root() + "/data/error.wav", home.file("sound/error.wav")));
}

}  // namespace

// Tests over the served database, open in a temporary program folder.
class NoticesStore : public kolde_test::SeededStore {};

TEST(Notices, WaveLengthFromTheHeader)
{
    // error.wav: four tones of 180 ms.
    EXPECT_NEAR(platform::wave_length_ms(kolde_test::site_root() + "/data/error.wav"), 720, 2);
    EXPECT_EQ(platform::wave_length_ms(kolde_test::site_root() + "/data/version.dat"), -1);
    EXPECT_EQ(platform::wave_length_ms(QStringLiteral("/no/such/file.wav")), -1);
    QTemporaryDir dir;
    QFile f(dir.filePath("cut.wav"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("RIFF\x10\0\0\0WAVEfmt ", 16);  // cut off inside the chunk list
    f.close();
    EXPECT_EQ(platform::wave_length_ms(dir.filePath("cut.wav")), -1);
}

TEST(Notices, SoundWaitAlwaysEnds)
{
    kolde_test::ensure_app();
    // Whether or not this machine has an audio device, the wait returns.
    platform::play_and_wait(kolde_test::site_root() + "/data/error.wav", 200);
    // A file that is no sound at all ends the wait too.
    QTemporaryDir dir;
    ASSERT_TRUE(kolde_test::write_file(dir.filePath("junk.wav"), "not a wave"));
    EXPECT_FALSE(platform::play_and_wait(dir.filePath("junk.wav"), 200));
    EXPECT_FALSE(platform::play_and_wait(dir.filePath("missing.wav"), 200));
}

TEST(Notices, NoConnectionNoticeClosesOnItsButton)
{
    kolde_test::ensure_app();
    QPointer<noconnectmsg> n = new noconnectmsg;
    EXPECT_EQ(n->windowTitle(), QStringLiteral(" KOLDE"));
    EXPECT_EQ(n->Label1->text(), QStringLiteral("インターネットに接続できません"));
    EXPECT_EQ(n->Command1->text(), QStringLiteral("確　認"));
    QTimer::singleShot(0, n, [n] { n->Command1->click(); });
    n->exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(n.isNull());  // released, the next use creates a new one
}

TEST(Notices, HoverGreyGoesAndComesBack)
{
    kolde_test::ensure_app();
    noconnectmsg n;
    n.show();
    const QColor face = n.Command1->palette().color(QPalette::Button);
    const QPointF inside(5, 5);
    QMouseEvent over(QEvent::MouseMove, inside, n.Command1->mapToGlobal(inside), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(n.Command1, &over);
    QCoreApplication::sendEvent(n.Command1, &over);  // a second move repaints nothing
    EXPECT_TRUE(n.hovering());
    EXPECT_EQ(n.Command1->palette().color(QPalette::Button), QColor(0x80, 0x80, 0x80));
    QMouseEvent away(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&n, &away);
    EXPECT_FALSE(n.hovering());
    EXPECT_EQ(n.Command1->palette().color(QPalette::Button), face);
}

TEST_F(NoticesStore, NetworkLossNoticeBlinksAndClosesAfter180Ticks)
{
    ASSERT_TRUE(set_setting(key::disconnect_alarm, platform::Value::boolean(false)));
    copy_alarm(folder);
    message* m = show_network_loss_notice();
    QPointer<message> guard = m;
    EXPECT_TRUE(m->isVisible());
    EXPECT_TRUE(m->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(m->lbl->text(), QStringLiteral("通信エラーが発生しました"));
    EXPECT_TRUE(m->Timer->isActive());
    EXPECT_EQ(m->Timer->interval(), 1000);
    const bool shown = !m->lbl->isHidden();
    m->Timer_Timer();
    EXPECT_NE(!m->lbl->isHidden(), shown);
    m->Timer_Timer();
    EXPECT_EQ(!m->lbl->isHidden(), shown);
    for (int i = 2; i < 179; ++i)
        m->Timer_Timer();
    EXPECT_TRUE(m->isVisible());
    m->Timer_Timer();
    EXPECT_FALSE(m->Timer->isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(network_loss_notice(), nullptr);
}

TEST_F(NoticesStore, AlarmPlaysOnlyWhenSwitchedOnAndTheFileIsThere)
{
    // Records every play.
    QStringList played;
    set_alarm_player([&](const QString& path) {
        played << path;
        return true;
    });
    struct Case {
        const char* name;
        bool switched_on;
        bool file_there;
        bool plays;
    };
    const Case cases[] = {
        {"off, no file", false, false, false},
        {"on, no file", true, false, false},
        {"off, file", false, true, false},
        {"on, file", true, true, true},
    };
    for (const Case& c : cases) {
        played.clear();
        QFile::remove(folder.file("sound/error.wav"));
        if (c.file_there)
            copy_alarm(folder);
        ASSERT_TRUE(set_setting(key::disconnect_alarm, platform::Value::boolean(c.switched_on)));
        message* m = show_network_loss_notice();
        EXPECT_TRUE(m->isVisible()) << c.name;
        if (c.plays) {
            EXPECT_EQ(played, QStringList{folder.file("sound/error.wav")}) << c.name;
        } else {
            EXPECT_TRUE(played.isEmpty()) << c.name;
        }
    }
    set_alarm_player({});
    close_network_loss_notice();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(network_loss_notice(), nullptr);
}

namespace {

// An error page is text that begins with "<"; the encrypted database or a
// program may begin with that byte by chance and is still a download.
TEST(Downloads, ErrorPageIsTextBeginningWithAnAngleBracket)
{
    const struct {
        QByteArray body;
        bool error_page;
    } cases[] = {
            {"<html><body>404 Not Found</body></html>\r\n", true},
            {"<!DOCTYPE html>\n<title>エラー</title>", true},
            {"<", true},
            {QByteArray("<\x9c\x01\x00\x7f\xe3 salt and pages", 20), false},
            {QByteArray("<\x1b\x88random", 10), false},
            {"4.31,1.10,2.05", false},
            {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body.toStdString());
        EXPECT_EQ(kolde_sub::is_error_page(c.body), c.error_page);
    }
}

}  // namespace
