#include "opening.h"

#include "core/database.h"
#include "core/logging.h"
#include "core/program.h"
#include "core/shared.h"
#include "startup/migrate.h"
#include "startup/startup_sequence.h"

#include "platform/instance.h"
#include "platform/msg_box.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
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
    AccessBrowser = new QNetworkAccessManager(this);
    if (sequence_ != nullptr)
        sequence_->set_splash_hooks([this] { close(); }, [this] { Form_Activate(); });
}

opening::~opening()
{
    if (sequence_ != nullptr)
        sequence_->set_splash_hooks({}, {});
}

bool opening::Form_Load()
{
    // One instance at a time. A lock that cannot even be made is no sign of
    // another instance: the program folder cannot be written.
    kolde_sub::settle_program_folder();
    const QString folder = kolde_sub::program_folder();
    // The folder, made here when it is missing, is the user's alone.
    kolde_sub::keep_program_folder_private();
    switch (platform::acquire_instance_lock(folder)) {
    case platform::InstanceLock::Taken:
        break;
    case platform::InstanceLock::HeldByAnother:
        platform::msg_box(nullptr, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                          QStringLiteral("KOLDE はすでに起動しています  "));
        return false;
    case platform::InstanceLock::CannotCreate:
        qCWarning(kolde_sub::lc_startup) << "cannot make the instance lock in" << folder;
        platform::msg_box(nullptr, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                          QStringLiteral("プログラムフォルダ ") + QDir::toNativeSeparators(folder) +
                              QStringLiteral(" に書き込めないため、KOLDE を起動できません　　"));
        return false;
    }
    // The program-wide values, the splash and the timer of the sequence.
    kolde_sub::set_builtin_addresses();
    adjustSize();
    shape->setGeometry(0, 0, width(), height());
    shape->lower();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    Timer->setInterval(200);
    Timer->start();
    return true;
}

void opening::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    Form_Activate();
}

void opening::Form_Activate()
{
    QNetworkRequest request(QUrl(kolde_sub::builtin_update_url() + QStringLiteral("/index2.htm")));
    request.setTransferTimeout(10000);
    QNetworkReply* reply = AccessBrowser->get(request);
    // Nothing reads the page; a failure is passed over.
    connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
}

void opening::Timer_Timer()
{
    Timer->stop();
    if (sequence_ != nullptr)
        sequence_->run();
}

void opening::closeEvent(QCloseEvent* e)
{
    // The sequence's transfer ends here; the splash page requests run out on
    // their own (nothing waits for them).
    if (sequence_ != nullptr)
        sequence_->cancel();
    QWidget::closeEvent(e);
}

bool opening::open_database() { return kolde_sub::open_database(); }

bool opening::migrate_database()
{
    return kolde_sub::migrate_user_data(kolde_sub::program_path(QStringLiteral("data/kolde$.mdb")));
}
