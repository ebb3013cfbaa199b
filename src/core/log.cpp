#include "core/log.h"

#include "core/clock.h"
#include "core/twips.h"
#include "core/settings.h"
#include "core/shared.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QTableWidget>
#include <QTime>
#include <QVBoxLayout>

#include <cstdio>

namespace kolde_sub {

QString log_message;
bool log_open = false;

namespace {

// The one instance of the window; cleared as soon as the window is released.
QPointer<log> log_instance;

constexpr int max_rows = 1000;
constexpr int column_count = 3;


const QColor grey_colour(0x80, 0x80, 0x80);

QString time_text() { return time_local().toString(QStringLiteral("HH:mm:ss")); }

QTableWidgetItem* make_cell(const QString& text, int column)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(column == 2 ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter) : Qt::Alignment(Qt::AlignCenter));
    return item;
}

// Writes the three cells of a row (the row must exist).
void set_row(QTableWidget* grid, int row, const QString& date, const QString& time, const QString& text)
{
    grid->setItem(row, 0, make_cell(date, 0));
    grid->setItem(row, 1, make_cell(time, 1));
    grid->setItem(row, 2, make_cell(text, 2));
}

// Every row in the colour of its message; only cells
// whose colour differs are touched, which gives the same grid cheaply.
void colour_rows(QTableWidget* grid, long long speci_colour)
{
    const int rows = grid->rowCount();
    for (int r = 0; r < rows; ++r) {
        const QTableWidgetItem* message = grid->item(r, 2);
        const QColor colour = log_row_colour(message != nullptr ? message->text() : QString(), speci_colour);
        for (int c = 0; c < column_count; ++c) {
            QTableWidgetItem* item = grid->item(r, c);
            if (item == nullptr) {
                item = make_cell(QString(), c);
                grid->setItem(r, c, item);
            }
            const QVariant current = item->data(Qt::ForegroundRole);
            if (!current.isValid() || current.value<QBrush>().color() != colour)
                item->setForeground(colour);
        }
    }
}

QRect main_window_frame()
{
    const QWidget* w = main_window();
    return w ? w->frameGeometry() : QRect();
}

}  // namespace

QColor log_row_colour(const QString& text, long long speci_colour)
{
    QColor colour = grey_colour;
    if ((text.contains(QLatin1String("TAF")) || text.contains(QLatin1String("METAR")))
        && !text.contains(QLatin1String("HOMEPAGE")))
        colour = QColor(0, 0, 0);
    if (text.contains(QLatin1String("TRD")) || text.contains(QLatin1String("COR"))
        || text.contains(QLatin1String("AMD")) || text.contains(QLatin1String("SPECI")))
        colour = bgr_color(speci_colour);
    return colour;
}

void write_log()
{
    log* window = log_window();
    QTableWidget* grid = window->grid;
    const QString date = today_text();
    const QString time = time_text();
    const QString text = log_message;

    // The grid repaints once, after the work.
    grid->setUpdatesEnabled(false);
    // The new row on top, the others move down by one.
    grid->insertRow(0);
    set_row(grid, 0, date, time, text);
    colour_rows(grid, setting_int(QStringLiteral("SPECIの色")));
    // The oldest lines go.
    if (grid->rowCount() > max_rows)
        grid->setRowCount(max_rows);
    grid->scrollToTop();
    grid->setUpdatesEnabled(true);
    log_message.clear();

    if (qEnvironmentVariable("KOLDE_LOG_ECHO") == QLatin1String("1")) {
        const QByteArray line = (QStringLiteral("LOG|") + date + u'|' + time + u'|' + text + u'\n').toUtf8();
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
        std::fflush(stderr);
    }
}

void write_log(const QString& text)
{
    log_message = text;
    write_log();
}

log* log_window()
{
    if (log_instance.isNull())
        log_instance = new log();
    return log_instance.data();
}

bool log_loaded() { return !log_instance.isNull(); }

void unload_log()
{
    log* window = log_instance.data();
    log_instance.clear();
    delete window;
}

// ------------------------------------------------------------------ window

log::log()
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral(" 通信ログ"));

    grid = new QTableWidget(this);
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

    connect(grid, &QTableWidget::cellClicked, this, [this](int, int) { grid_Click(); });
    grid->viewport()->installEventFilter(this);

    Form_Load();
}

log::~log() = default;

void log::Form_Load()
{
    grid->setColumnCount(column_count);
    grid->setRowCount(3);
    const QString date = today_text();
    const QString time = time_text();
    set_row(grid, 0, date, time, QStringLiteral("SYSTEM  CONNECTED  ZEL  DATABASE"));
    set_row(grid, 1, date, time, QStringLiteral("SYSTEM  LOGIN"));
    set_row(grid, 2, date, time, QStringLiteral("SYSTEM  LOAD"));
    colour_rows(grid, setting_int(QStringLiteral("SPECIの色")));

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
    log_open = true;
}

void log::closeEvent(QCloseEvent* e)
{
    // Unload: the instance goes; the next access starts a fresh log.
    e->accept();
    if (log_instance.data() == this)
        log_instance.clear();
    deleteLater();
}

bool log::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == grid->viewport() && e->type() == QEvent::MouseButtonPress) {
        const auto* me = static_cast<QMouseEvent*>(e);
        if (grid->itemAt(me->position().toPoint()) == nullptr)
            grid_Click();  // clicks on cells come through cellClicked
    }
    return QWidget::eventFilter(watched, e);
}

void log::grid_Click()
{
    log_open = false;
    unsetCursor();
    hide();
}

}  // namespace kolde_sub
