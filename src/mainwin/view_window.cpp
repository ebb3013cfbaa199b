// The main window's size and surface: minimise and restore (the tray part,
// tray.h), the console's focus and mouse handlers, and the wiring of the
// window's mouse, key and focus events to their handlers.

#include "view.h"

#include "browser_rules.h"
#include "button_rules.h"
#include "console_edit.h"
#include "console_selection.h"
#include "console_text.h"
#include "image_buttons.h"
#include "menus.h"
#include "taskicon.h"
#include "sidewin/open_windows.h"
#include "tray.h"
#include "web_pane.h"
#include "window_rules.h"

#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "translate/handover.h"
#include "translate/pictureform.h"
#include "translate/tooltips.h"

#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTextCursor>
#include <QTextEdit>

#include <utility>

using namespace kolde_sub;

// Sends the mouse, key and focus events of the window's controls to the
// window's handlers.
class view::WindowEvents : public QObject {
public:
    explicit WindowEvents(view* v)
        : QObject(v)
        , v_(v)
        , window_(v)
        , console_(v->console_box)
    {
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        // While the window is being destroyed the focus still leaves the
        // console, but the window's handlers are gone by then: Caps Lock
        // goes off directly.
        if (qobject_cast<view*>(window_) == nullptr) {
            if (o == console_ && e->type() == QEvent::FocusOut)
                kolde_sub::caps_lock_off();
            return false;
        }
        if (const int k = image_button(o); k >= 0)
            return image_button_event(k, e);
        if (console_geometry_event(o, e))
            v_->fit_console_lines();
        if (const int k = text_box_viewport(o); k >= 0) {
            text_box_mouse_event(k, e);
            return false;  // the box itself still selects and places the caret
        }
        if (o == v_->console_box) {
            if (e->type() == QEvent::FocusIn)
                v_->TextBox_GotFocus(0);
            else if (e->type() == QEvent::FocusOut)
                v_->TextBox_LostFocus(0);
            return false;
        }
        switch (e->type()) {
        case QEvent::MouseMove:
            if (o == v_->form) {
                v_->Form_MouseMove();
                return false;
            }
            if (o == v_->buttons_->bar()) {
                v_->Frame_MouseMove();
                return true;  // not again as a move over the window
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    int image_button(QObject* o) const { return v_->buttons_->index_of(o); }

    // The console's text area or the cover box over its right edge moves,
    // changes size, or the box shows or hides.
    bool console_geometry_event(QObject* o, QEvent* e) const
    {
        switch (e->type()) {
        case QEvent::Resize:
            return o == v_->console_box->viewport() || o == v_->cover_box;
        case QEvent::Move:
            return o == v_->console_box || o == v_->cover_box;
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            return o == v_->cover_box;
        default:
            return false;
        }
    }

    // Elements 0 to 2 of the text boxes (the fourth is never shown); their
    // mouse events arrive at their viewports.
    int text_box_viewport(QObject* o) const
    {
        const auto boxes = v_->text_boxes();
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (o == boxes[i]->viewport())
                return static_cast<int>(i);
        return -1;
    }

    // A click is a press and a release of the left button on the same
    // element, the release still over it; the release's handler runs
    // before the click's.
    bool image_button_event(int k, QEvent* e)
    {
        switch (e->type()) {
        case QEvent::MouseMove:
            v_->img_MouseMove(k);
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // The second press of a double click is no second click.
            const auto* m = static_cast<QMouseEvent*>(e);
            if (m->button() == Qt::LeftButton)
                pressed_ = e->type() == QEvent::MouseButtonPress ? k : -1;
            v_->img_MouseDown(k);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const auto* m = static_cast<QMouseEvent*>(e);
            const bool click = m->button() == Qt::LeftButton && pressed_ == k &&
                               v_->buttons_->image(k)->rect().contains(m->position().toPoint());
            if (m->button() == Qt::LeftButton)
                pressed_ = -1;
            QPointer<view> alive(v_);
            v_->img_MouseUp(k);
            if (click && alive)
                v_->img_Click(k);
            return true;
        }
        default:
            return false;
        }
    }

    void text_box_mouse_event(int k, QEvent* e)
    {
        switch (e->type()) {
        case QEvent::MouseMove:
            v_->TextBox_MouseMove(k);
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* m = static_cast<QMouseEvent*>(e);
            double_click_ = k == 0 && e->type() == QEvent::MouseButtonDblClick && m->button() == Qt::LeftButton;
            v_->TextBox_MouseDown(k, m->button(), m->globalPosition().toPoint());
            break;
        }
        case QEvent::MouseButtonRelease: {
            const auto* m = static_cast<QMouseEvent*>(e);
            if (double_click_ && m->button() == Qt::LeftButton)
                select_whole_group(m->position().toPoint());
            double_click_ = false;
            v_->TextBox_MouseUp(k, m->button(), m->globalPosition().toPoint());
            break;
        }
        default:
            break;
        }
    }

    // A double click selects a word by the console's own rule, which stops
    // at "/" and "-": the release widens that to the whole group between
    // blanks. A selection the mouse dragged beyond the group stays.
    void select_whole_group(const QPoint& viewport_pos)
    {
        QTextEdit* console = v_->console_box;
        const QString text = console->toPlainText();
        QTextCursor selection = console->textCursor();
        // The word the console selected lies in the group; without one, the
        // group is the one at the pointer.
        const int at = selection.selectionStart();
        ConsoleSelection group = console_group_at(text, at);
        if (!selection.hasSelection() || at < group.start || at >= group.start + group.length)
            group = console_group_at(text, console->cursorForPosition(viewport_pos).position());
        if (group.length == 0)
            return;
        const int end = group.start + group.length;
        if (selection.hasSelection() && (selection.selectionStart() < group.start || selection.selectionEnd() > end))
            return;
        selection.setPosition(group.start);
        selection.setPosition(end, QTextCursor::KeepAnchor);
        console->setTextCursor(selection);
    }

    view* v_;
    QWidget* window_;  // the same window, asked what it still is
    QObject* console_;
    int pressed_ = -1;  // the button the left button went down on
    bool double_click_ = false;  // the console's left button went down twice
};

void view::set_up_window_events()
{
    auto* events = new WindowEvents(this);
    window_events_ = events;
    for (QWidget* w : {form, static_cast<QWidget*>(buttons_->bar())}) {
        w->setMouseTracking(true);
        w->installEventFilter(events);
    }
    for (int i = 0; i < face_count; ++i) {
        buttons_->image(i)->setMouseTracking(true);
        buttons_->image(i)->installEventFilter(events);
    }
    // The console's focus, and the mouse over the console and the two boxes
    // around it. The right button opens the window's own pop-up menu (when
    // it is switched on), never the boxes' edit menu.
    console_box->installEventFilter(events);
    cover_box->installEventFilter(events);
    for (QTextEdit* box : text_boxes()) {
        box->setContextMenuPolicy(Qt::PreventContextMenu);
        box->viewport()->setMouseTracking(true);
        box->viewport()->installEventFilter(events);
    }
    // What is pasted into the console is typed into the command line.
    if (auto* console = dynamic_cast<ConsoleEdit*>(console_box))
        console->on_paste = [this](const QString& text) { paste_into_line(text); };
}

// --------------------------------------------------------- size and state

void view::Form_Resize()
{
    // The layout and the side windows' flags are set up by the first
    // activation; a state change before it (the load maximises the window)
    // has nothing to bring back.
    if (!first_activation)
        tray_->follow_window_state();
}

void view::timer1_Timer() { tray_->tick(); }

// ------------------------------------------------------- notification area

void view::taskicon_load() { tray_->load(); }
void view::taskicon_unload() { tray_->unload(); }
void view::taskicon_reload() { tray_->reload(); }
taskicon* view::tray_icon() const { return tray_->icon(); }
QIcon view::connection_icon(bool connected) const { return tray_->connection_icon(connected); }

// ---------------------------------------------------------------- layout

void view::fit_console_lines()
{
    QTextEdit* console = console_box;
    const QWidget* area = console->viewport();
    const QRect text_area(area->mapTo(form, QPoint(0, 0)), area->size());
    const int width = console_text_width(text_area, cover_box->geometry(), !cover_box->isHidden());
    // Set only when it changes: each setting lays the text out again.
    if (width >= text_area.width()) {
        if (console->lineWrapMode() != QTextEdit::WidgetWidth)
            console->setLineWrapMode(QTextEdit::WidgetWidth);
    } else if (console->lineWrapMode() != QTextEdit::FixedPixelWidth || console->lineWrapColumnOrWidth() != width) {
        console->setLineWrapMode(QTextEdit::FixedPixelWidth);
        console->setLineWrapColumnOrWidth(width);
    }
}

// --------------------------------------------------------------- console

void view::TextBox_GotFocus(int index)
{
    if (index != 0)
        return;
    // Codes and commands are typed as upper-case ASCII.
    ime_set_open(console_box, false);
    caps_lock_on();
}

void view::TextBox_LostFocus(int index)
{
    if (index != 0)
        return;
    caps_lock_off();
}

void view::close_tip()
{
    if (!tip_handover().shown)
        return;
    dismiss_tip();
    // The tip window stays loaded, hidden.
    if (tooltips_loaded())
        tooltips_window()->hide();
    unload_pictureform();
}

void view::TextBox_MouseDown(int, Qt::MouseButton button, const QPoint& screen_pos)
{
    close_tip();
    if (button == Qt::RightButton && setting_bool(key::popup_menu))
        menus_->open_popup(screen_pos);
}

void view::TextBox_MouseMove(int) { remove_button_hover(); }

void view::TextBox_MouseUp(int index, Qt::MouseButton, const QPoint& screen_pos)
{
    if (index != 0)
        return;
    const TipPosition tip = tip_position(screen_pos);
    place_tip(tip.x, tip.y);
    explain_group();
}
