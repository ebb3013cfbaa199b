#include "opening.h"

#include "core/database.h"
#include "startup/migrate.h"
#include "core/program.h"
#include "core/shared.h"
#include "startup/startup_sequence.h"
#include "core/sun_coef.h"

#include "platform/instance.h"
#include "platform/msg_box.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The splash picture: the program's name on a dark field with a runway.
QPixmap splash_picture()
{
    QPixmap pm(420, 200);
    pm.fill(QColor(16, 24, 40));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 110, 140), 2));
    for (int i = 0; i < 8; ++i)
        p.drawLine(40 + i * 45, 170, 60 + i * 45, 170);
    p.setPen(QColor(230, 235, 245));
    QFont f(QStringLiteral("Noto Sans CJK JP"), 40, QFont::Bold);
    p.setFont(f);
    p.drawText(QRect(0, 20, 420, 80), Qt::AlignCenter, QStringLiteral("KOLDE"));
    f.setPointSize(11);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, 100, 420, 40), Qt::AlignCenter, QStringLiteral("AVIATION WEATHER AUTOMATIC DECODER"));
    return pm;
}

}  // namespace

opening::opening(kolde_sub::StartupSequence* sequence) : sequence_(sequence)
{
    setObjectName(QStringLiteral("opening"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    Frame1 = new QFrame(this);
    shape = new QFrame(this);
    shape->setFrameShape(QFrame::Box);
    image = new QLabel(Frame1);
    image->setPixmap(splash_picture());
    lbl = new QLabel(QStringLiteral("Connecting ..."), Frame1);
    auto* inner = new QVBoxLayout(Frame1);
    inner->setContentsMargins(0, 0, 0, 8);
    inner->addWidget(image);
    inner->addWidget(lbl, 0, Qt::AlignHCenter);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->addWidget(Frame1);
    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, &opening::Timer_Timer);
    AccessBrowser.set_request_timeout(10);
}

opening::~opening()
{
    AccessBrowser.cancel();
}

bool opening::Form_Load()
{
    // 1. One instance at a time.
    if (!platform::acquire_instance_lock(kolde_sub::program_folder())) {
        platform::msg_box(nullptr, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                          QStringLiteral("KOLDE はすでに起動しています  "));
        return false;
    }
    // 2.
    kolde_sub::set_builtin_addresses();
    adjustSize();
    shape->setGeometry(0, 0, width(), height());
    shape->lower();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    Timer->setInterval(200);
    Timer->start();
    kolde_sub::fill_sun_coef();
    return true;
}

void opening::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    // Run the page request after the window is up, not inside its show.
    QTimer::singleShot(0, this, &opening::Form_Activate);
}

void opening::Form_Activate()
{
    AccessBrowser.get(kolde_sub::builtin_update_url() + QStringLiteral("/index2.htm"));
}

void opening::Timer_Timer()
{
    Timer->stop();
    if (sequence_ != nullptr)
        sequence_->run();
}

void opening::closeEvent(QCloseEvent* e)
{
    if (sequence_ != nullptr)
        sequence_->cancel();
    AccessBrowser.cancel();
    QWidget::closeEvent(e);
}

bool opening::open_database() { return kolde_sub::open_database(); }

bool opening::migrate_database()
{
    return kolde_sub::migrate_user_data(kolde_sub::program_path(QStringLiteral("data/kolde$.mdb")));
}
