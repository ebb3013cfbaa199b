#include "notices.h"

#include "core/logging.h"
#include "core/settings.h"
#include "core/shared.h"

#include "platform/sound.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace kolde_sub {

namespace {

const QColor hover_grey = bgr_color(0x808080);

AlarmPlayer& alarm_player()
{
    static AlarmPlayer player;
    return player;
}

QPixmap warning_picture()
{
    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48);
}

}  // namespace

// ------------------------------------------------------------ hover button

HoverButtonDialog::HoverButtonDialog(QWidget* parent) : QDialog(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose);  // each use is a fresh window
}

void HoverButtonDialog::watch_button(QPushButton* button)
{
    button_ = button;
    button_->setMouseTracking(true);
    button_->setAutoFillBackground(true);
    button_->installEventFilter(this);
}

bool HoverButtonDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == button_ && event->type() == QEvent::MouseMove && hover_ == 0) {
        QPalette p = button_->palette();
        p.setColor(QPalette::Button, hover_grey);
        button_->setPalette(p);
        hover_ = 1;
    }
    return QDialog::eventFilter(watched, event);
}

void HoverButtonDialog::mouseMoveEvent(QMouseEvent* e)
{
    // A move the button passed on to the window is still over the button.
    const bool over_button = button_ != nullptr && button_->geometry().contains(e->position().toPoint());
    if (hover_ != 0 && button_ != nullptr && !over_button) {
        button_->setPalette(QPalette());
        hover_ = 0;
    }
    QDialog::mouseMoveEvent(e);
}

// ------------------------------------------------------------ noconnectmsg

noconnectmsg::noconnectmsg(QWidget* parent) : HoverButtonDialog(parent)
{
    setObjectName(QStringLiteral("noconnectmsg"));
    setWindowTitle(QStringLiteral(" KOLDE"));
    setModal(true);
    Picture1 = new QLabel(this);
    Picture1->setPixmap(warning_picture());
    Label1 = new QLabel(QStringLiteral("インターネットに接続できません"), this);
    Command1 = new QPushButton(QStringLiteral("確　認"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(Picture1);
    row->addWidget(Label1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);
    watch_button(Command1);
    connect(Command1, &QPushButton::clicked, this, &QDialog::close);
}

void noconnectmsg::showEvent(QShowEvent* e)
{
    HoverButtonDialog::showEvent(e);
    Command1->setFocus();
}

// ----------------------------------------------------------------- message

message::message(QWidget* parent) : HoverButtonDialog(parent)
{
    setObjectName(QStringLiteral("message"));
    setWindowTitle(QStringLiteral(" KOLDE"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    image = new QLabel(this);
    image->setPixmap(warning_picture());
    lbl = new QLabel(QStringLiteral("通信エラーが発生しました"), this);
    lbl->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    cmd = new QPushButton(QStringLiteral("確　認"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(image);
    row->addWidget(lbl, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(cmd, 0, Qt::AlignHCenter);
    watch_button(cmd);
    connect(cmd, &QPushButton::clicked, this, &QDialog::close);
    Timer = new QTimer(this);
    connect(Timer, &QTimer::timeout, this, &message::Timer_Timer);
    Form_Load();
}

void message::Form_Load()
{
    Timer->setInterval(1000);
    Timer->start();
    const QString alarm = program_path(QStringLiteral("sound/error.wav"));
    if (setting_bool(key::disconnect_alarm) && file_exists(alarm)) {
        const AlarmPlayer& player = alarm_player();
        const QPointer<message> self(this);
        if (!(player ? player(alarm) : platform::play_and_wait(alarm, 1500, [self] { return !self.isNull(); })))
            qCDebug(lc_startup) << "the alarm" << alarm << "did not report its end";
    }
    ticks = 0;
}

void message::showEvent(QShowEvent* e)
{
    HoverButtonDialog::showEvent(e);
    cmd->setFocus();
}

void message::Timer_Timer()
{
    ++ticks;
    // The text blinks with a period of two seconds.
    lbl->setHidden(!lbl->isHidden());
    if (ticks >= 180) {
        Timer->stop();
        close();
    }
}

namespace {

QPointer<message>& loss_notice()
{
    static QPointer<message> notice;
    return notice;
}

}  // namespace

message* network_loss_notice() { return loss_notice().data(); }

message* show_network_loss_notice()
{
    close_network_loss_notice();
    auto* m = new message;
    loss_notice() = m;
    m->show();
    return m;
}

void set_alarm_player(AlarmPlayer player) { alarm_player() = std::move(player); }

void close_network_loss_notice()
{
    if (message* notice = network_loss_notice())
        notice->close();
}

}  // namespace kolde_sub
