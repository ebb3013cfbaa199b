#include "core/hover_buttons.h"

#include "core/shared.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPalette>

namespace kolde_sub {

namespace {

const QColor hover_grey = bgr_color(0x808080);

void paint_button(QAbstractButton* b, bool hovered)
{
    b->setAutoFillBackground(true);
    QPalette p = b->palette();
    p.setColor(QPalette::Button, hovered ? hover_grey : QApplication::palette().color(QPalette::Button));
    b->setPalette(p);
}

}  // namespace

HoverButtons::HoverButtons(QList<QAbstractButton*> buttons, QList<QWidget*> background)
    : QObject(background.isEmpty() ? nullptr : background.front()),
      buttons_(std::move(buttons)), background_(std::move(background))
{
    for (QAbstractButton* b : buttons_) {
        b->setMouseTracking(true);
        b->installEventFilter(this);
    }
    for (QWidget* w : background_) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

void HoverButtons::paint_all_plain()
{
    for (QAbstractButton* b : buttons_)
        paint_button(b, false);
}

void HoverButtons::over_button(int i)
{
    if (i == hover_ || i < 0 || i >= buttons_.size())
        return;
    paint_all_plain();
    paint_button(buttons_[i], true);
    hover_ = i;
}

void HoverButtons::over_background()
{
    if (hover_ == none)
        return;
    paint_all_plain();
    hover_ = none;
}

int HoverButtons::button_at(QWidget* background, const QPoint& pos) const
{
    for (QWidget* w = background->childAt(pos); w && w != background; w = w->parentWidget()) {
        const int i = buttons_.indexOf(qobject_cast<QAbstractButton*>(w));
        if (i >= 0)
            return buttons_[i]->isEnabled() ? i : -1;
    }
    return -1;
}

bool HoverButtons::eventFilter(QObject* watched, QEvent* event)
{
    // The pointer leaving the window, and the window hidden or shown again,
    // leave no button grey.
    const QEvent::Type t = event->type();
    if ((t == QEvent::Leave || t == QEvent::Hide || t == QEvent::Show) &&
        background_.contains(qobject_cast<QWidget*>(watched))) {
        over_background();
        return false;
    }
    if (t != QEvent::MouseMove && t != QEvent::Enter)
        return false;
    // A disabled button takes no mouse: its moves reach the window.
    const int i = buttons_.indexOf(qobject_cast<QAbstractButton*>(watched));
    if (i >= 0) {
        if (buttons_[i]->isEnabled())
            over_button(i);
        return false;
    }
    auto* background = qobject_cast<QWidget*>(watched);
    if (!background || !background_.contains(background))
        return false;
    // A button passes on the mouse moves it does not use to the window
    // beneath it: such a move is still over the button.
    if (event->type() == QEvent::MouseMove) {
        const int under = button_at(background, static_cast<QMouseEvent*>(event)->position().toPoint());
        if (under >= 0) {
            over_button(under);
            return false;
        }
    }
    over_background();
    return false;
}

}  // namespace kolde_sub
