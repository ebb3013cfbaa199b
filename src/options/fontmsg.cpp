#include "options/fontmsg.h"

#include "core/settings.h"
#include "core/shared.h"
#include "core/twips.h"
#include "options/opton.h"
#include "platform/wait.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace kolde_sub {

fontmsg::fontmsg(QWidget* start_frame, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("fontmsg"));
    if (start_frame)
        start_frame->hide();

    const QColor back = bgr_color(setting_int(key::display_background));
    const QColor fore = bgr_color(setting_int(key::display_text_colour));
    // The window and the labels take the background colour; the text and
    // the frame the text colour.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, fore);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedSize(px(3015), px(1095));

    spe = new QFrame(this);
    spe->setObjectName(QStringLiteral("spe"));
    spe->setFrameStyle(QFrame::Box | QFrame::Plain);
    spe->setLineWidth(1);
    spe->setGeometry(px(120), px(120), px(2775), px(855));

    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    const QString lines[2] = {QStringLiteral("システムの構成を取得中"), QStringLiteral("しばらくお待ちください")};
    const int tops[2] = {255, 615};
    for (int i = 0; i < 2; ++i) {
        Label1[i] = new QLabel(lines[i], this);
        Label1[i]->setAlignment(Qt::AlignCenter);
        Label1[i]->setFont(font);
        Label1[i]->setAutoFillBackground(true);
        Label1[i]->setGeometry(px(285), px(tops[i]), px(2460), px(225));
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    Timer->setInterval(1);
    connect(Timer, &QTimer::timeout, this, &fontmsg::Timer_Timer);
}

void fontmsg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The dialog is built only once the notice is on the screen.
    Timer->start();
}

void fontmsg::Timer_Timer()
{
    Timer->stop();
    close();
    // The options dialog stays loaded when its close button hides it.
    platform::exec_modal_kept(opton_window());
}

}  // namespace kolde_sub
