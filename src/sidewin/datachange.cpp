#include "sidewin/datachange.h"

#include "core/twips.h"
#include "core/settings.h"
#include "core/shared.h"

#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace kolde_sub {

datachange::datachange(QWidget* main_window)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), main_window_(main_window)
{
    setObjectName(QStringLiteral("datachange"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);

    spe = new QFrame(this);
    spe->setObjectName(QStringLiteral("spe"));
    spe->setFrameShape(QFrame::Box);
    spe->setFrameShadow(QFrame::Plain);

    lbl = new QLabel(QStringLiteral("データを更新しました"), this);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->setAlignment(Qt::AlignCenter);
    lbl->setAutoFillBackground(true);
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSize(12);
    lbl->setFont(f);
    // The label is as large as its design or as its text, whichever is
    // larger; the notice keeps its margins around it and the outline its
    // inset from the edge.
    const QSize text = lbl->sizeHint();
    const QSize label(std::max(px(2145), text.width()), std::max(px(240), text.height()));
    const QSize notice(std::max(px(2745), label.width() + 2 * px(300)), std::max(px(705), label.height() + 2 * px(240)));
    setFixedSize(notice);
    lbl->setGeometry(QRect(QPoint((notice.width() - label.width()) / 2, (notice.height() - label.height()) / 2), label));
    spe->setGeometry(rect().adjusted(px(45), px(45), -px(45), -px(45)));
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    connect(Timer, &QTimer::timeout, this, &datachange::Timer_Timer);

    Form_Load();
}

void datachange::Form_Load()
{
    if (main_window_ && (main_window_->windowState() & Qt::WindowMinimized)) {
        skipped_ = true;
        deleteLater();
        return;
    }
    notice_ticks = 0;

    const QColor back = bgr_color(setting_int(key::display_background));
    const QColor text = bgr_color(setting_int(key::display_text_colour));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, back);
    setPalette(pal);
    QPalette label = lbl->palette();
    label.setColor(QPalette::Window, back);
    label.setColor(QPalette::WindowText, text);
    lbl->setPalette(label);
    QPalette outline = spe->palette();
    outline.setColor(QPalette::WindowText, text);
    spe->setPalette(outline);

    Timer->setInterval(1000);
    Timer->start();
}

void datachange::Timer_Timer()
{
    ++notice_ticks;
    if (notice_ticks >= 2) {
        Timer->stop();
        close();
    }
}

datachange* show_datachange(QWidget* main_window)
{
    auto* notice = new datachange(main_window);
    if (notice->skipped())
        return nullptr;
    notice->show();
    return notice;
}

}  // namespace kolde_sub
