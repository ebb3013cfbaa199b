// The console under the real mouse and keys: what typing, pasting and
// dropping do to the reports, and the pop-up menu's pages after a click in
// the reports.

#include "view_fixture.h"

#include "mainwin/browser_rules.h"

#include "translate/handover.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QWindow>

namespace {

using kolde_sub::WebPage;
using platform::Value;

const QString taf = QStringLiteral("TAF RJTT 300500Z 3006/3112 34008KT 9999 FEW033\r\n");

class ConsoleEvents : public kolde_test::PageFixture {
protected:
    // The pane where the web engine runs (AddressSanitizer excepted: the
    // engine's own library fails it when a page closes).
    bool pane_usable()
    {
#if defined(__SANITIZE_ADDRESS__)
        return false;
#endif
        return engine_starts();
    }

    // Shows the window, its heartbeat stopped, with text in the console.
    static void start(view& v, const QString& text)
    {
        kolde_test::activate(v);
        drive(v).heartbeat_timer()->stop();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
        v.set_console_text(text);
    }
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
TEST_F(ConsoleEvents, PopupPagesOpenOnceThePressHasBeenDelivered)
{
    const bool pane = pane_usable();
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
        start(v, taf);
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

// ------------------------------------------------------------- typing

const QString reports = QStringLiteral(
        "RJTT  METAR 0530Z\r\n 300530Z 34005KT 9999 FEW030 15/08 Q1020\r\n"
        "RJTT  TAF   0500Z\r\n 300500Z 3006/3112 34008KT 9999 FEW033\r\n\r\nREADY / PRESS ESC TO EXIT\r\n");
// Where "FEW033" of the TAF line begins, and its length.
const int group = static_cast<int>(QString(reports).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).indexOf(QStringLiteral("FEW033")));
constexpr int group_length = 6;

// Types text into the window, key by key.
void type_into(QWindow* w, const QString& text)
{
    for (const QChar c : text)
        QTest::keyClick(w, c.toLatin1());
}

// Drags text over the console and drops it there, as a drag that began in
// the console proposes it: moved.
void drop_on(QTextEdit* console, const QString& text, QPoint at)
{
    QMimeData data;
    data.setText(text);
    QWidget* area = console->viewport();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(area, &enter);
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(area, &move);
    QDropEvent drop(at, Qt::MoveAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(area, &drop);
}

// A click or a drag in a report, then keys, a paste or a drop: the reports
// stay as they were, and what is typed goes to the typed line after the
// prompt, where Enter carries it out. The drag still selects its group for
// the explanation.
TEST_F(ConsoleEvents, ReportsNeverChangeByTyping)
{
    kolde_test::EnvironmentVariable web("KOLDE_WEB_URL", QByteArray("http://web.example"));
    set(kolde_sub::key::browser, Value::boolean(false));
    const struct {
        const char* what;
        std::function<void(view&, QWindow*)> act;
        QString shown;  // what follows the reports
        QString typed;  // the typed line afterwards
        bool opened;    // the AIS page was opened
    } cases[] = {
            {"type a command in a report",
             [](view& v, QWindow* w) {
                 QTest::mouseClick(w, Qt::LeftButton, {}, place_of(v, group + group_length));
                 type_into(w, QStringLiteral("AIS"));
                 QTest::keyClick(w, Qt::Key_Return);
             },
             QStringLiteral("AIS\r\n"), QString(), true},
            {"erase in a report",
             [](view& v, QWindow* w) {
                 QTest::mouseClick(w, Qt::LeftButton, {}, place_of(v, group + 2));
                 for (const Qt::Key k : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Delete})
                     QTest::keyClick(w, k);
                 type_into(w, QStringLiteral("RJ"));
                 QTest::mouseClick(w, Qt::LeftButton, {}, place_of(v, group + 2));
                 QTest::keyClick(w, Qt::Key_Backspace);
             },
             QStringLiteral("R"), QStringLiteral("R"), false},
            {"cut, undo and tab over a dragged group",
             [](view& v, QWindow* w) {
                 QTest::mousePress(w, Qt::LeftButton, {}, place_of(v, group));
                 QTest::mouseMove(w, place_of(v, group + group_length));
                 QTest::mouseRelease(w, Qt::LeftButton, {}, place_of(v, group + group_length));
                 EXPECT_EQ(drive(v).console()->textCursor().selectedText(), QStringLiteral("FEW033"));
                 EXPECT_TRUE(kolde_sub::tip_handover().shown);
                 QTest::keyClick(w, Qt::Key_X, Qt::ControlModifier);
                 QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
                 QTest::keyClick(w, Qt::Key_Tab);
                 type_into(w, QStringLiteral("X"));
             },
             QStringLiteral("X"), QStringLiteral("X"), false},
            {"paste over a selected group",
             [](view& v, QWindow* w) {
                 QTest::mouseDClick(w, Qt::LeftButton, {}, place_of(v, group + 1));
                 QGuiApplication::clipboard()->setText(QStringLiteral("RJAA"));
                 QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
             },
             QStringLiteral("RJAA"), QStringLiteral("RJAA"), false},
            {"drop a group of a report onto another",
             [](view& v, QWindow*) {
                 QTextEdit* console = drive(v).console();
                 drop_on(console, QStringLiteral("FEW030"), console->viewport()->mapFrom(&v, place_of(v, group)));
             },
             QStringLiteral("FEW030"), QStringLiteral("FEW030"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        opened.clear();
        view v;
        start(v, reports);
        v.console_caret_to_end();
        drive(v).console()->setFocus();
        c.act(v, v.windowHandle());
        EXPECT_EQ(v.console_text().toStdString(), (reports + c.shown).toStdString());
        EXPECT_EQ(drive(v).typed_line(), c.typed);
        EXPECT_EQ(opened.size(), c.opened ? 1u : 0u);
        EXPECT_EQ(v.focusWidget(), drive(v).console());
        kolde_sub::change_tip_handover([](kolde_sub::TipHandover& t) { t.shown = t.fresh = false; });
    }
}

// A click on the top line, half scrolled out of view, brings it whole into
// view.
TEST_F(ConsoleEvents, AClickOnAHalfHiddenTopLineScrollsItIntoView)
{
    view v;
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("RJTT 300500Z 34008KT 9999 FEW033 LINE %1\r\n").arg(i);
    start(v, text);
    QTextEdit* console = drive(v).console();
    QTextCursor line(console->document()->findBlockByNumber(50));
    const int top = console->cursorRect(line).top() + console->verticalScrollBar()->value();
    const int height = console->cursorRect(line).height();
    console->verticalScrollBar()->setValue(top + height / 2);
    ASSERT_LT(console->cursorRect(line).top(), 0);
    QTest::mouseClick(console->viewport(), Qt::LeftButton, {}, QPoint(20, 1));
    EXPECT_GE(console->cursorRect(line).top(), 0);
}

}  // namespace
