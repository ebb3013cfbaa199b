// The console under the real mouse: the pop-up menu's pages after a click in
// the reports.

#include "view_fixture.h"

#include "mainwin/browser_rules.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTextCursor>
#include <QWindow>

#include <optional>

#include <unistd.h>

namespace {

using kolde_sub::WebPage;
using platform::Value;

const QString taf = QStringLiteral("TAF RJTT 300500Z 3006/3112 34008KT 9999 FEW033\r\n");

class ConsolePopupPages : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        kolde_sub::set_default_browser_opener([this](const QUrl& url) {
            opened.push_back(url.toString());
            return true;
        });
    }
    void TearDown() override
    {
        kolde_sub::set_default_browser_opener({});
        ViewFixture::TearDown();
    }

    // True when the pane's web engine can start here; as root, with its
    // sandbox switched off for the rest of the test.
    bool engine_starts()
    {
#if defined(__SANITIZE_ADDRESS__)
        return false;  // the engine's own library fails AddressSanitizer when a page closes
#endif
        if (::geteuid() == 0) {
            flags.emplace("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --no-sandbox");
            sandbox.emplace("QTWEBENGINE_DISABLE_SANDBOX", "1");
        }
        return kolde_sub::webengine_can_start(kolde_sub::current_webengine_environment());
    }

    std::vector<QString> opened;
    std::optional<kolde_test::EnvironmentVariable> flags, sandbox;
};

// Where a character of the console's text is shown, in the window.
QPoint place_of(view& v, int position)
{
    QTextEdit* console = drive(v).console();
    QTextCursor c(console->document());
    c.setPosition(position);
    return console->viewport()->mapTo(&v, console->cursorRect(c).center());
}

// QTest's press, delivered to the window as the window system delivers it,
// without running the event loop afterwards: what the press itself sets off.
void deliver_press(QWindow* w, Qt::MouseButton button, QPoint pos)
{
    QTest::lastMouseTimestamp += 1;
    QTestPrivate::qtestMouseButtons.setFlag(button, true);
    qt_handleMouseEvent(w, pos, w->mapToGlobal(pos), QTestPrivate::qtestMouseButtons, button,
                        QEvent::MouseButtonPress, {}, QTest::lastMouseTimestamp);
}

// Picks an item of the pop-up menu as soon as the menu shows, with the mouse
// or with Down and Enter, through the menu's own window.
class PopupPicker {
public:
    PopupPicker(QAction* item, bool by_keys)
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this, item, by_keys] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu || !menu->isVisible() || !menu->windowHandle())
                return;
            timer_.stop();
            QWindow* w = menu->windowHandle();
            if (by_keys) {
                for (qsizetype i = 0; i < menu->actions().size() && menu->activeAction() != item; ++i)
                    QTest::keyClick(w, Qt::Key_Down);
                QTest::keyClick(w, Qt::Key_Return);
                return;
            }
            const QPoint at = menu->actionGeometry(item).center();
            QTest::mouseMove(w, at);
            QTest::mouseClick(w, Qt::LeftButton, {}, at);
        });
        timer_.start();
    }

private:
    QTimer timer_;
};

// After a left click in a report, a right click and an item of the pop-up
// menu that opens a page. The page opens in the pane where the web engine
// runs (its first web view may re-create the window's native window) and
// in the default browser elsewhere; either way only once the right button's
// press has been delivered to the window.
TEST_F(ConsolePopupPages, OpenOnceThePressHasBeenDelivered)
{
    const bool pane = engine_starts();
    const QString base = QString::fromStdString(server->base_url());
    kolde_test::EnvironmentVariable web("KOLDE_WEB_URL", base.toUtf8());
    set(kolde_sub::key::browser, Value::boolean(pane));
    set(kolde_sub::key::popup_menu, Value::boolean(true));
    const struct {
        const char* item;
        bool by_keys;
        WebPage page;
    } cases[] = {
            {"menu_popup_ais", false, WebPage::Ais},
            {"menu_popup_ais", true, WebPage::Ais},
            {"menu_popup_help", false, WebPage::Help},
            {"menu_popup_homepage", true, WebPage::HomePage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.item << (c.by_keys ? " by keys" : " by mouse") << " pane " << pane);
        opened.clear();
        view v;
        kolde_test::activate(v);
        drive(v).heartbeat_timer()->stop();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
        v.set_console_text(taf);
        const QPoint at = place_of(v, 30);
        QTest::mouseClick(v.windowHandle(), Qt::LeftButton, {}, at);

        PopupPicker picker(drive(v).menu_item(c.item), c.by_keys);
        deliver_press(v.windowHandle(), Qt::RightButton, at);
        EXPECT_FALSE(drive(v).browser_pane()->isVisible());
        EXPECT_TRUE(opened.empty());
        QTest::mouseRelease(v.windowHandle(), Qt::RightButton, {}, at);
        // Bounded wait for the menu and its item (not a timing check).
        EXPECT_TRUE(QTest::qWaitFor([&] { return drive(v).browser_pane()->isVisible() || !opened.empty(); }));

        const QString url = kolde_sub::web_page_url(c.page);
        if (pane) {
            EXPECT_TRUE(drive(v).browser_pane()->isVisible());
            EXPECT_TRUE(v.in_browser_mode());
            EXPECT_EQ(drive(v).current_url(), url);
        } else {
            EXPECT_EQ(opened, std::vector<QString>{url});
        }
        EXPECT_TRUE(v.isVisible());
        EXPECT_EQ(v.console_text(), taf);
    }
}

}  // namespace
