#include "tooltips.h"

#include "handover.h"
#include "pictureform.h"

#include "core/database.h"
#include "core/shared.h"
#include "core/twips.h"
#include "platform/store.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <limits>

namespace kolde_sub {

namespace {
QPointer<tooltips> instance;
}

int screen_pixels(long long twips)
{
    const long long half = twips_per_pixel / 2;
    const long long pixels = (twips + (twips >= 0 ? half : -half)) / twips_per_pixel;
    return static_cast<int>(std::clamp<long long>(pixels, std::numeric_limits<int>::min() / 2,
                                                  std::numeric_limits<int>::max() / 2));
}

QString tip_picture_word(const QString& line)
{
    const qsizetype blank = line.indexOf(u' ');
    return blank < 0 ? QString() : line.left(blank);
}

// ------------------------------------------------------------ dragging

void BodyDrag::press(QWidget* window, QPoint global)
{
    pressed_ = true;
    dragging_ = false;
    system_move_ = false;
    pressed_at_ = global;
    offset_ = global - window->pos();
}

bool BodyDrag::move(QWidget* window, QPoint global)
{
    if (!pressed_)
        return false;
    if (!dragging_) {
        if ((global - pressed_at_).manhattanLength() < QApplication::startDragDistance())
            return false;
        dragging_ = true;
        // Where the window system can, it moves the window until the button
        // goes up; elsewhere the window follows the pointer itself.
        if (QWindow* handle = window->windowHandle())
            system_move_ = handle->startSystemMove();
    }
    if (!system_move_)
        window->move(global - offset_);
    return true;
}

bool BodyDrag::release()
{
    const bool click = pressed_ && !dragging_;
    pressed_ = dragging_ = system_move_ = false;
    return click;
}

bool BodyDrag::route(QWidget* window, QEvent* e, const Handlers& h)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::LeftButton)
            press(window, m->globalPosition().toPoint());
        h.down(m->button());
        return true;
    }
    case QEvent::MouseMove: {
        const auto* m = static_cast<QMouseEvent*>(e);
        h.move(m->buttons(), m->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
            h.left_up();
        return true;
    default:
        return false;
    }
}

// ------------------------------------------------------------ the window

tooltips* tooltips_window()
{
    if (!instance)
        instance = new tooltips;
    return instance;
}

bool tooltips_loaded() { return !instance.isNull(); }

void unload_tooltips()
{
    delete instance.data();
    instance = nullptr;
}

tooltips::tooltips()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("tooltips"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    Picture1[0] = QCursor(Qt::ClosedHandCursor);
    Picture1[1] = QCursor(Qt::PointingHandCursor);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 255, 225));
    colours.setColor(QPalette::WindowText, QColor(0, 0, 0));
    setPalette(colours);

    lbl = new QLabel(this);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->setTextFormat(Qt::PlainText);
    lbl->setWordWrap(false);
    lbl->move(px(tip_label_left_twips), px(tip_label_top_twips));
    lbl->setToolTip(QString::fromUtf8(click_to_close_hint));
    lbl->setCursor(Picture1[1]);
    lbl->installEventFilter(this);
    setCursor(Picture1[1]);
    resize(2 * lbl->x(), px(tip_height_twips));
}

tooltips::~tooltips() = default;

void show_tooltip()
{
    tooltips* w = tooltips_window();
    w->lbl->setText(tip_handover().text);
    w->lbl->adjustSize();
    // The design height, or more where the font at hand is taller, so that
    // the line is never cut.
    w->resize(2 * w->lbl->x() + w->lbl->width(),
              std::max(px(tip_height_twips), w->lbl->y() + w->lbl->height() + w->lbl->y() / 2));
    w->move(screen_pixels(tip_handover().x), screen_pixels(tip_handover().y));
    w->show();
    w->raise();
    // A window that does not take the focus is not reliably told that it
    // became active: its activation runs here.
    w->Form_Activate();
}

void tooltips::Form_Activate()
{
    if (!take_new_tip())
        return;
    if (tip_handover().text.isEmpty()) {
        dismiss_tip();
        hide();
        return;
    }
    // On top of all others: a window flag it has carried since it was made.
    const QString word = tip_picture_word(tip_handover().text);
    if (word.isEmpty())
        return;
    // A hand-off file that cannot be written leaves the tip without picture.
    hand_over_picture(registered_picture(rs_data(), word));
}

void tooltips::Form_Click()
{
    dismiss_tip();
    hide();
}

void tooltips::lbl_MouseDown(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    lbl->setCursor(Picture1[0]);
    setCursor(Picture1[0]);
}

void tooltips::Form_MouseMove(Qt::MouseButtons buttons, QPoint global)
{
    if (!(buttons & Qt::LeftButton) || !drag_.move(this, global))
        return;
    if (lbl->cursor().shape() != Picture1[1].shape()) {
        lbl->setCursor(Picture1[1]);
        setCursor(Picture1[1]);
    }
}

bool tooltips::eventFilter(QObject* o, QEvent* e)
{
    if (o == lbl && drag_.route(this, e,
                                {[this](Qt::MouseButton b) { lbl_MouseDown(b); },
                                 [this](Qt::MouseButtons b, QPoint at) { Form_MouseMove(b, at); },
                                 [this] { lbl_MouseUp(); }}))
        return true;
    return QWidget::eventFilter(o, e);
}

void tooltips::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        drag_.press(this, e->globalPosition().toPoint());
}

void tooltips::mouseMoveEvent(QMouseEvent* e) { Form_MouseMove(e->buttons(), e->globalPosition().toPoint()); }

void tooltips::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        lbl_MouseUp();
}

void tooltips::lbl_MouseUp()
{
    lbl->setCursor(Picture1[1]);
    setCursor(Picture1[1]);
    if (drag_.release())
        Form_Click();
}

void tooltips::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QWidget::changeEvent(e);
}

void tooltips::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(QColor(0, 0, 0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void tooltips::closeEvent(QCloseEvent* e)
{
    // Closing releases the window; a later use creates it again.
    e->accept();
    if (instance == this)
        instance = nullptr;
    deleteLater();
}

}  // namespace kolde_sub
