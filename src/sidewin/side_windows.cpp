#include "side_windows.h"

#include "core/program.h"
#include "core/settings.h"
#include "core/twips.h"
#include "core/window_flags.h"
#include "platform/shell.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kolde_sub {

namespace {

QPointer<command> the_command;

template <typename W>
void show_one(QPointer<W>& w)
{
    if (!w)
        w = new W;
    w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace

void show_command() { show_one(the_command); }
QWidget* command_window() { return the_command.data(); }

// ------------------------------------------------------------ PDF notice

namespace {

// The banner: the reader's name on its maker's red.
QPixmap reader_banner()
{
    QPixmap banner(px(1800), px(465));
    banner.fill(QColor(0xCC, 0x00, 0x00));
    QPainter p(&banner);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    p.setFont(f);
    p.drawText(banner.rect(), Qt::AlignCenter, QStringLiteral("Get Adobe Reader"));
    return banner;
}

void paint_face(QPushButton* b, bool hovered)
{
    QPalette p = b->palette();
    p.setColor(QPalette::Button, hovered ? QColor(0x80, 0x80, 0x80) : QApplication::palette().color(QPalette::Button));
    b->setPalette(p);
    b->setAutoFillBackground(true);
}

}  // namespace

adobeinfo::adobeinfo(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("adobeinfo"));
    setWindowTitle(QStringLiteral(" インフォメーション"));
    auto* layout = new QVBoxLayout(this);
    lbl = new QLabel(this);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->setWordWrap(true);
    layout->addWidget(lbl);
    image = new QPushButton(this);
    image->setObjectName(QStringLiteral("image"));
    image->setIcon(reader_banner());
    image->setIconSize(QSize(px(1800), px(465)));
    image->setToolTip(QStringLiteral(" Adobe Reader のダウンロード "));
    image->setFlat(true);
    image->setCursor(Qt::PointingHandCursor);
    // A picture, not a button: Enter must not end the program.
    image->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(image, 0, Qt::AlignHCenter);
    chkbox = new QCheckBox(QStringLiteral("以後このメッセージを表示しない"), this);
    chkbox->setObjectName(QStringLiteral("chkbox"));
    layout->addWidget(chkbox);
    cmd = new QPushButton(QStringLiteral("閉じる"), this);
    cmd->setObjectName(QStringLiteral("cmd"));
    cmd->setDefault(true);
    cmd->setMouseTracking(true);
    cmd->installEventFilter(this);
    layout->addWidget(cmd);
    setMouseTracking(true);
    connect(cmd, &QPushButton::clicked, this, &QDialog::close);
    connect(image, &QPushButton::clicked, this, &adobeinfo::image_Click);
    lbl->setText(QStringLiteral("一部の天気図を表示するにあたっては Adobe社が無償で配布している Adobe Reader "
                                "が必要になる場合があります.\n\nAdobe Reader "
                                "をダウンロードするには下のバナーをクリックしてください."));
    // Taller than its design size where the font needs it, so that no line
    // of the message is cut off.
    const int width = px(4350);
    resize(width, std::max(px(2715), layout->totalHeightForWidth(width)));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    cycle_tick_count = 0;
}

// The banner: the program gives way to the reader's download (the caller
// ends it), and the download page opens in the default browser.
void adobeinfo::image_Click()
{
    reader_download_requested = true;
    close();
    platform::open_in_default_browser(QUrl(reader_download_url()));
}

void adobeinfo::cmd_MouseMove()
{
    if (hover_state == 1)
        return;
    paint_face(cmd, true);
    hover_state = 1;
}

void adobeinfo::Form_MouseMove()
{
    if (hover_state == 9)
        return;
    paint_face(cmd, false);
    hover_state = 9;
}

bool adobeinfo::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == cmd && (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter))
        cmd_MouseMove();
    return QDialog::eventFilter(watched, e);
}

void adobeinfo::mouseMoveEvent(QMouseEvent* e)
{
    Form_MouseMove();
    QDialog::mouseMoveEvent(e);
}

// However the notice closes, a ticked check box turns it off for good.
void adobeinfo::closeEvent(QCloseEvent* e)
{
    if (chkbox->isChecked())
        set_setting(QStringLiteral("アドビインフォメーション"), platform::Value::boolean(true));
    QDialog::closeEvent(e);
}

}  // namespace kolde_sub
