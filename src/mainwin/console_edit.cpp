#include "console_edit.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace kolde_sub {

ConsoleEdit::ConsoleEdit(QWidget* parent)
    : QTextEdit(parent)
{
    // Read only, and so without the control's own paste, drop, cut, undo
    // and deletion; the caret still shows and moves by the keys.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
}

void ConsoleEdit::hand_over(const QString& text)
{
    if (on_paste && !text.isEmpty())
        on_paste(text);
}

void ConsoleEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste)) {
        e->accept();
        hand_over(QGuiApplication::clipboard()->text());
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void ConsoleEdit::mousePressEvent(QMouseEvent* e)
{
    QTextEdit::mousePressEvent(e);
    if (e->button() == Qt::LeftButton && !(e->modifiers() & Qt::ShiftModifier))
        ensureCursorVisible();
}

void ConsoleEdit::mouseReleaseEvent(QMouseEvent* e)
{
    QTextEdit::mouseReleaseEvent(e);
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (e->button() == Qt::MiddleButton && clipboard->supportsSelection())
        hand_over(clipboard->text(QClipboard::Selection));
}

namespace {

// A drag or a drop of text is taken as a copy: dragged out of the console,
// the text stays where it was.
bool take_as_copy(QDropEvent* e)
{
    if (!e->mimeData()->hasText()) {
        e->ignore();
        return false;
    }
    e->setDropAction(Qt::CopyAction);
    e->accept();
    return true;
}

}  // namespace

void ConsoleEdit::dragEnterEvent(QDragEnterEvent* e) { take_as_copy(e); }

void ConsoleEdit::dragMoveEvent(QDragMoveEvent* e) { take_as_copy(e); }

void ConsoleEdit::dropEvent(QDropEvent* e)
{
    if (take_as_copy(e))
        hand_over(e->mimeData()->text());
}

void ConsoleEdit::inputMethodEvent(QInputMethodEvent* e)
{
    // What the input method composes is typed when it is committed.
    e->accept();
    hand_over(e->commitString());
}

}  // namespace kolde_sub
