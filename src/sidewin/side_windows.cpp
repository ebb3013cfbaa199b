#include "side_windows.h"

#include "core/program.h"
#include "core/settings.h"
#include "core/twips.h"
#include "core/window_flags.h"
#include "platform/shell.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace kolde_sub {

// TODO(side windows): the charts, cameras, command list, sun-time table and
// graph, version and component information replace these windows.

modeless_side_window::modeless_side_window(const QString& name, const QString& caption, const QString& purpose,
                                           bool* open_flag)
    : placeholder_window(name, caption, purpose, false, nullptr)
    , open_flag_(open_flag)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
}

void modeless_side_window::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        *open_flag_ = true;
    placeholder_window::changeEvent(e);
}

void modeless_side_window::closeEvent(QCloseEvent* e)
{
    *open_flag_ = false;
    placeholder_window::closeEvent(e);
}

chart::chart()
    : modeless_side_window(QStringLiteral("chart"), QStringLiteral(" 地上天気図"),
                           QStringLiteral("天気図の表示は準備中です。"), &chart_open)
{
}

camera::camera()
    : modeless_side_window(QStringLiteral("camera"), QStringLiteral("新千歳空港"),
                           QStringLiteral("ライブカメラの表示は準備中です。"), &camera_open)
{
}

namespace {

QPointer<chart> the_chart;
QPointer<camera> the_camera;
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

void show_chart() { show_one(the_chart); }
void show_camera() { show_one(the_camera); }
void show_command() { show_one(the_command); }
QWidget* chart_window() { return the_chart.data(); }
QWidget* camera_window() { return the_camera.data(); }
QWidget* command_window() { return the_command.data(); }

// ------------------------------------------------------------ PDF notice

QString reader_download_url() { return builtin_web_url() + QStringLiteral("/products/acrobat/readstep2.html"); }

adobeinfo::adobeinfo(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("adobeinfo"));
    setWindowTitle(QStringLiteral(" インフォメーション"));
    auto* layout = new QVBoxLayout(this);
    lbl = new QLabel(QStringLiteral("一部の天気図を表示するにあたっては Adobe社が無償で配布している Adobe Reader "
                                    "が必要になる場合があります.\n\nAdobe Reader "
                                    "をダウンロードするには下のバナーをクリックしてください."),
                     this);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->setWordWrap(true);
    layout->addWidget(lbl);
    image = new QPushButton(QStringLiteral("Get Adobe Reader"), this);
    image->setObjectName(QStringLiteral("image"));
    image->setToolTip(QStringLiteral(" Adobe Reader のダウンロード "));
    image->setFlat(true);
    image->setCursor(Qt::PointingHandCursor);
    layout->addWidget(image);
    chkbox = new QCheckBox(QStringLiteral("以後このメッセージを表示しない"), this);
    chkbox->setObjectName(QStringLiteral("chkbox"));
    layout->addWidget(chkbox);
    cmd = new QPushButton(QStringLiteral("閉じる"), this);
    cmd->setObjectName(QStringLiteral("cmd"));
    layout->addWidget(cmd);
    connect(cmd, &QPushButton::clicked, this, &QDialog::close);
    connect(image, &QPushButton::clicked, this, &adobeinfo::image_Click);
    resize(px(4350), px(2715));
    cycle_tick_count = 0;
}

void adobeinfo::image_Click()
{
    reader_download_requested = true;
    close();
    platform::open_in_default_browser(QUrl(reader_download_url()));
}

void adobeinfo::closeEvent(QCloseEvent* e)
{
    if (chkbox->isChecked())
        set_setting(QStringLiteral("アドビインフォメーション"), platform::Value::boolean(true));
    QDialog::closeEvent(e);
}

}  // namespace kolde_sub
