#include "options/fontmsg.h"

#include "core/settings.h"
#include "core/shared.h"
#include "core/twips.h"
#include "options/opton.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace kolde_sub {

fontmsg::fontmsg(QWidget* start_frame, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("fontmsg"));
    if (start_frame)
        start_frame->hide();
    auto* layout = new QVBoxLayout(this);
    Label1[0] = new QLabel(QStringLiteral("システムの構成を取得中"), this);
    Label1[1] = new QLabel(QStringLiteral("しばらくお待ちください"), this);
    for (QLabel* l : Label1) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    const QColor back = bgr_color(setting_int(QStringLiteral("表示領域の色")));
    const QColor fore = bgr_color(setting_int(QStringLiteral("表示文字の色")));
    setStyleSheet(QStringLiteral("QDialog { background: %1; } QLabel { color: %2; }").arg(back.name(), fore.name()));
    resize(px(3015), px(1095));
    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    Timer->setInterval(1);
    connect(Timer, &QTimer::timeout, this, &fontmsg::Timer_Timer);
    Timer->start();
}

void fontmsg::Timer_Timer()
{
    close();
    opton* dialog = opton_window();
    dialog->exec();
}

}  // namespace kolde_sub
