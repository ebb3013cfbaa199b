#include "sidewin/log_window.h"

#include "core/log.h"
#include "core/shared.h"
#include "core/twips.h"
#include "sidewin/open_windows.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace kolde_sub {

namespace {

// The one instance of the window; cleared as soon as the window is released.
QPointer<log> log_instance;

QRect main_window_frame()
{
    const QWidget* w = main_window();
    return w ? w->frameGeometry() : QRect();
}

}  // namespace

log* log_window()
{
    if (log_instance.isNull())
        log_instance = new log();
    return log_instance.data();
}

log::log()
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral(" 通信ログ"));

    grid = new QTableView(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setWordWrap(false);
    QFont font(QStringLiteral("ＭＳ ゴシック"), 9);
    font.setWeight(QFont::Normal);
    grid->setFont(font);
    grid->verticalHeader()->setDefaultSectionSize(16);  // a flex grid row: 240 twips
    const QString tip = QStringLiteral(" クリックすると閉じます ");
    grid->setToolTip(tip);
    grid->viewport()->setToolTip(tip);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(grid);
    resize(px(6750), px(8430));
    layout->activate();

    connect(grid, &QTableView::clicked, this, [this](const QModelIndex&) { grid_Click(); });
    grid->viewport()->installEventFilter(this);

    Form_Load();
}

log::~log() = default;

void log::Form_Load()
{
    log_model* rows = log_book();
    grid->setModel(rows);
    // The newest row is in sight after every write.
    connect(rows, &QAbstractItemModel::rowsInserted, grid, &QTableView::scrollToTop);
    // Unloading the log takes the window with it.
    connect(rows, &QObject::destroyed, this, [this] {
        if (log_instance.data() == this)
            log_instance.clear();
        delete this;
    });

    grid->setColumnWidth(0, px(1000));
    grid->setColumnWidth(1, px(1000));
    grid->setColumnWidth(2, px(4700));

    // Centred on the main window's size, measured from the screen origin.
    const QRect main = main_window_frame();
    if (main.isValid()) {
        move((main.width() - width()) / 2, (main.height() - height()) / 2);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void log::showEvent(QShowEvent* e)
{
    // Topmost is a window flag set at creation, so nothing moves or resizes.
    QWidget::showEvent(e);
    mark_side_window(SideWindowId::log, true);
}

void log::closeEvent(QCloseEvent* e)
{
    // Unload: the window and its rows go; the next access starts a fresh log.
    e->accept();
    if (log_instance.data() == this)
        log_instance.clear();
    disconnect(grid->model(), &QObject::destroyed, this, nullptr);
    if (log_loaded() && grid->model() == log_book())
        unload_log();
    deleteLater();
}

bool log::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == grid->viewport() && e->type() == QEvent::MouseButtonPress) {
        const auto* me = static_cast<QMouseEvent*>(e);
        if (!grid->indexAt(me->position().toPoint()).isValid())
            grid_Click();  // clicks on cells come through clicked
    }
    return QWidget::eventFilter(watched, e);
}

void log::grid_Click()
{
    mark_side_window(SideWindowId::log, false);
    unsetCursor();
    hide();
}

}  // namespace kolde_sub
