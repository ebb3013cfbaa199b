#include "side_windows.h"

#include "core/hover_buttons.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/twips.h"
#include "platform/shell.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
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

// The banner: the reader's name on its maker's red, in the given font made
// bold; as large as its design or as its words with a margin around them.
QPixmap reader_banner(QFont font)
{
    const QString words = QStringLiteral("Get Adobe Reader");
    font.setBold(true);
    const QSize text = QFontMetrics(font).boundingRect(words).size();
    QPixmap banner(std::max(px(1800), text.width() + 2 * px(150)), std::max(px(465), text.height() + 2 * px(60)));
    banner.fill(QColor(0xCC, 0x00, 0x00));
    QPainter p(&banner);
    p.setPen(Qt::white);
    p.setFont(font);
    p.drawText(banner.rect(), Qt::AlignCenter, words);
    return banner;
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
    const QPixmap banner = reader_banner(image->font());
    image->setIcon(banner);
    image->setIconSize(banner.size());
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
    layout->addWidget(cmd);
    hover_ = new HoverButtons({cmd}, {this});
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
    postpone_next_cycle();
}

// The banner: the program gives way to the reader's download (the caller
// ends it), and the download page opens in the default browser.
void adobeinfo::image_Click()
{
    download_requested_ = true;
    close();
    platform::open_in_default_browser(QUrl(reader_download_url()));
}

int adobeinfo::hover_state() const { return hover_->hover() == 0 ? 1 : 9; }

void adobeinfo::store_choice()
{
    if (chkbox->isChecked() && !choice_stored_)
        choice_stored_ = set_setting(key::pdf_reader_notice, platform::Value::boolean(true));
}

void adobeinfo::done(int result)
{
    store_choice();
    QDialog::done(result);
}

// A notice that is not shown closes without done().
void adobeinfo::closeEvent(QCloseEvent* e)
{
    store_choice();
    QDialog::closeEvent(e);
}

}  // namespace kolde_sub
