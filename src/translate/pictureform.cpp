#include "pictureform.h"

#include "handover.h"

#include "core/files.h"
#include "core/shared.h"
#include "core/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QScreen>

namespace kolde_sub {

namespace {

QPointer<pictureform> the_pictureform;

QString figure_path() { return program_path(QStringLiteral("data/figure.dat")); }

// The main window's size; the primary screen's available size when there
// is no main window.
QSize main_window_size()
{
    if (const QWidget* w = main_window())
        return w->frameGeometry().size();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry().size();
    return {};
}

}  // namespace

QPoint picture_position(bool tip_on_screen, long long tip_left, long long tip_top, int tip_height, QSize own,
                        QSize main_window)
{
    if (tip_on_screen)
        return {screen_pixels(tip_left), screen_pixels(tip_top + 100) + tip_height};
    return {(main_window.width() - own.width()) / 2, (main_window.height() - own.height()) / 2};
}

bool tip_on_screen()
{
    // The tip is not fresh before any tip has ever been shown either.
    return !tip_handover().fresh && tooltips_loaded() && tooltips_window()->isVisible();
}

pictureform::pictureform()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("pictureform"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    Picture1[0] = QCursor(Qt::ClosedHandCursor);
    Picture1[1] = QCursor(Qt::PointingHandCursor);
    pic = new QLabel(this);
    pic->setObjectName(QStringLiteral("pic"));
    pic->setToolTip(QString::fromUtf8(click_to_close_hint));
    pic->setCursor(Picture1[1]);
    pic->installEventFilter(this);
}

bool pictureform::Form_Load()
{
    const QString path = figure_path();
    QByteArray bytes;
    if (file_exists(path)) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            bytes = f.readAll();
    }
    // The file is used up whether or not it held a picture.
    QFile::remove(path);
    QPixmap picture;
    if (bytes.isEmpty() || !picture.loadFromData(bytes)) {
        // Nothing to show: nobody may wait for this window.
        set_picture_pending(false);
        return false;
    }
    pic->setPixmap(picture);
    pic->move(0, 0);
    pic->resize(picture.size());
    setFixedSize(picture.size());
    return true;
}

pictureform* load_pictureform()
{
    unload_pictureform();
    auto* w = new pictureform;
    if (!w->Form_Load()) {
        delete w;
        return nullptr;
    }
    the_pictureform = w;
    return w;
}

pictureform* show_pictureform()
{
    pictureform* w = the_pictureform ? the_pictureform.data() : load_pictureform();
    if (w == nullptr)
        return nullptr;
    w->show();
    w->raise();
    // A window that does not take the focus is not reliably told that it
    // became active: its activation runs here.
    w->Form_Activate();
    return w;
}

pictureform* hand_over_picture(const QByteArray& bytes)
{
    // The hand-off file is replaced whole, so no tail of an earlier, longer
    // picture stays behind.
    if (bytes.isEmpty() || !write_file_atomically(figure_path(), bytes))
        return nullptr;
    set_picture_pending(true);
    return show_pictureform();
}

void unload_pictureform() { delete the_pictureform.data(); }

// However the window goes, nobody waits for it any longer.
pictureform::~pictureform() { set_picture_pending(false); }

void pictureform::Form_Activate()
{
    if (!tip_handover().picture_pending)
        return;
    set_picture_pending(false);
    // On top of all others: a window flag it has carried since it was made.
    const bool below_tip = tip_on_screen();
    const int tip_height = below_tip ? tooltips_window()->frameGeometry().height() : 0;
    move(picture_position(below_tip, tip_handover().x, tip_handover().y, tip_height, size(), main_window_size()));
}

void pictureform::pict_Click() { close(); }

void pictureform::pict_MouseDown(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        pic->setCursor(Picture1[0]);
}

void pictureform::pict_MouseMove(Qt::MouseButtons buttons, QPoint global)
{
    if (!(buttons & Qt::LeftButton) || !drag_.move(this, global))
        return;
    if (pic->cursor().shape() != Picture1[1].shape())
        pic->setCursor(Picture1[1]);
}

bool pictureform::eventFilter(QObject* o, QEvent* e)
{
    if (o == pic && drag_.route(this, e,
                                {[this](Qt::MouseButton b) { pict_MouseDown(b); },
                                 [this](Qt::MouseButtons b, QPoint at) { pict_MouseMove(b, at); },
                                 [this] {
                                     pic->setCursor(Picture1[1]);
                                     if (drag_.release())
                                         pict_Click();
                                 }}))
        return true;
    return QWidget::eventFilter(o, e);
}

void pictureform::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QWidget::changeEvent(e);
}

void pictureform::closeEvent(QCloseEvent* e)
{
    // The window's picture goes with it, and a later showing loads afresh.
    pic->clear();
    if (the_pictureform.data() == this)
        the_pictureform.clear();
    QWidget::closeEvent(e);
}

}  // namespace kolde_sub
