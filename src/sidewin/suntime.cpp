#include "sidewin/suntime.h"

#include "core/clock.h"
#include "core/database.h"
#include "core/settings.h"
#include "core/shared.h"
#include "core/twips.h"
#include "core/hover_buttons.h"
#include "options/failure_notices.h"
#include "options/printerselect.h"
#include "platform/msg_box.h"
#include "sidewin/sun_print.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace kolde_sub {

namespace {

const QColor sunrise_text = bgr_color(192);
const QColor sunset_text = bgr_color(0xC00000);
const QColor today_sunrise_back = bgr_color(0xC0C0FF);
const QColor today_sunset_back = bgr_color(0xFFC0C0);
const QColor sunrise_point = QColor(190, 0, 0);
const QColor sunset_point = QColor(0, 0, 190);

const QString print_caption = QStringLiteral("印　刷");

QRect twips_rect(int left, int top, int width, int height) { return {px(left), px(top), px(width), px(height)}; }

QLabel* make_label(QWidget* parent, const QString& text, const QRect& r, Qt::Alignment align = Qt::AlignLeft)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(r);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

// Table geometry: the day column, a month's two time columns and the
// narrow column between months; the height of every row.
constexpr int day_column_width = 430;
constexpr int time_column_width = 570;
constexpr int month_gap_width = 10;
constexpr int row_height = 240;

}  // namespace

// ------------------------------------------------------------------ graph

sun_graph::sun_graph(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    today_line = new QFrame(this);
    today_line->setObjectName(QStringLiteral("Line19"));
    today_line->setFrameShape(QFrame::NoFrame);
    today_line->setAutoFillBackground(true);
    QPalette lp = today_line->palette();
    lp.setColor(QPalette::Window, QColor(0, 160, 0));
    today_line->setPalette(lp);
}

void sun_graph::clear()
{
    sunrise = {};
    sunset = {};
    update();
}

void sun_graph::place_today_line(int x)
{
    const int top = graph_base_y - 5 * graph_hour;
    today_line->setGeometry(px(x), px(top), 1, px(graph_base_y) - px(top) + 1);
}

void sun_graph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.scale(1.0 / twips_per_pixel, 1.0 / twips_per_pixel);
    const int top = graph_base_y - 5 * graph_hour;
    const int right = graph_first_x + graph_year_width;
    // The hour lines, the month lines and the frame around them.
    painter.setPen(QPen(QColor(192, 192, 192), 0));
    for (int h = 0; h <= 5; ++h) {
        const int y = graph_base_y - h * graph_hour;
        painter.drawLine(graph_first_x, y, right, y);
    }
    for (int m = 0; m <= 12; ++m) {
        const int x = graph_first_x + m * graph_year_width / 12;
        painter.drawLine(x, top, x, graph_base_y);
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(graph_first_x, top, graph_year_width, 5 * graph_hour);

    const auto dots = [&](const SunCurve& curve, const QColor& colour) {
        for (const GraphPoint& p : curve.points)
            painter.fillRect(QRect(p.x - 15, p.y - 15, 30, 30), colour);
    };
    dots(sunrise, sunrise_point);
    dots(sunset, sunset_point);
}

// ----------------------------------------------------------------- window

suntime::suntime(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("suntime"));
    setWindowTitle(QStringLiteral(" 空港別 日出没時刻"));
    setFixedSize(px(15000), px(10350));

    create_heading();

    SSTab = new QTabWidget(this);
    SSTab->setObjectName(QStringLiteral("SSTab"));
    SSTab->setGeometry(twips_rect(150, 1020, 14700, 9150));
    auto* table_page = new QWidget;
    auto* graph_page = new QWidget;
    SSTab->addTab(table_page, QStringLiteral("時刻一覧"));
    SSTab->addTab(graph_page, QStringLiteral("年間推移グラフ"));

    create_table(table_page);
    create_graph(graph_page);

    for (std::size_t i = 0; i < lbl.size(); ++i) {
        if (lbl[i])
            lbl[i]->setObjectName(QStringLiteral("lbl%1").arg(i));
    }

    hover_ = new HoverButtons({cmd[0], cmd[1]}, {this, SSTab});
    connect(SSTab, &QTabWidget::currentChanged, this, &suntime::SSTab_Click);

    Form_Load();
}

// The year and airfield lists, the captions above the tabs and the two buttons.
void suntime::create_heading()
{
    for (std::size_t i = 0; i < cmb.size(); ++i) {
        cmb[i] = new QComboBox(this);
        cmb[i]->setObjectName(QStringLiteral("cmb%1").arg(i));
        connect(cmb[i], &QComboBox::activated, this, &suntime::cmb_Click);
    }
    cmb[1]->setGeometry(twips_rect(150, 150, 1100, 360));
    cmb[0]->setGeometry(twips_rect(4000, 150, 3300, 360));
    cmb[0]->setMaxVisibleItems(30);

    lbl[1] = make_label(this, QStringLiteral("年"), twips_rect(1300, 180, 300, 300));
    lbl[2] = make_label(this, QStringLiteral("空港別 日出没時刻"), twips_rect(1650, 180, 2300, 300));
    QFont bold = lbl[2]->font();
    bold.setBold(true);
    lbl[2]->setFont(bold);
    lbl[0] = make_label(this, QString(), twips_rect(7450, 180, 900, 300));
    lbl[31] = make_label(this, QStringLiteral("ELV"), twips_rect(8450, 180, 500, 300));
    lbl[34] = make_label(this, QString(), twips_rect(8950, 180, 900, 300));
    lbl[32] = make_label(this, QStringLiteral("EH"), twips_rect(9950, 180, 400, 300));
    lbl[35] = make_label(this, QString(), twips_rect(10350, 180, 1000, 300));
    lbl[33] = make_label(this, QStringLiteral("⊿H"), twips_rect(11450, 180, 400, 300));
    lbl[36] = make_label(this, QString(), twips_rect(11850, 180, 800, 300));
    lbl[37] = make_label(this, QString(), twips_rect(8450, 570, 1900, 300));
    lbl[38] = make_label(this, QString(), twips_rect(10350, 570, 2300, 300));

    cmd[0] = new QPushButton(print_caption, this);
    cmd[1] = new QPushButton(QStringLiteral("終　了"), this);
    for (std::size_t i = 0; i < cmd.size(); ++i) {
        cmd[i]->setObjectName(QStringLiteral("cmd%1").arg(i));
        cmd[i]->setAutoDefault(false);
        cmd[i]->setGeometry(twips_rect(12900, 120 + 420 * static_cast<int>(i), 1900, 390));
        connect(cmd[i], &QPushButton::clicked, this, [this, i] { cmd_Click(static_cast<int>(i)); });
    }
    cmd[0]->installEventFilter(this);
}

// The time table of the first tab: the grid and the month frames over it.
void suntime::create_table(QWidget* table_page)
{
    grid = new QTableWidget(32, 36, table_page);
    grid->setObjectName(QStringLiteral("grid"));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(px(row_height));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont cell_font = grid->font();
    cell_font.setPointSize(8);
    grid->setFont(cell_font);
    for (int c = 0; c < 36; ++c) {
        const int w = c == 0 ? day_column_width : c % 3 == 0 ? month_gap_width : time_column_width;
        grid->setColumnWidth(c, px(w));
    }
    for (int r = 0; r < 32; ++r) {
        for (int c = 0; c < 36; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
            item->setFlags(Qt::ItemIsEnabled);
            grid->setItem(r, c, item);
        }
    }
    // The grid's first month column starts where the month frames do.
    const int grid_width = px(day_column_width) + 12 * (2 * px(time_column_width)) + 11 * px(month_gap_width)
                           + 2 * grid->frameWidth();
    grid->setGeometry(px(540) - px(day_column_width) - grid->frameWidth(), px(90), grid_width,
                      32 * px(row_height) + 2 * grid->frameWidth());

    static const char* const months[] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
    for (int i = 0; i < 12; ++i) {
        Frame1[i] = new QFrame(table_page);
        Frame1[i]->setAutoFillBackground(true);
        Label1[i] = new QLabel(QString::fromLatin1(months[i]), Frame1[i]);
        Label1[i]->setAlignment(Qt::AlignCenter);
    }
}

// The year graph of the second tab with its hour and month captions.
void suntime::create_graph(QWidget* graph_page)
{
    Picture1 = new sun_graph(graph_page);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twips_rect(90, 90, 14200, 7700));
    // The hour captions stand on the same lines for both curves.
    for (int h = 0; h < 6; ++h) {
        const int y = graph_base_y - h * graph_hour - 120;
        lbl[3 + h] = make_label(Picture1, QStringLiteral("%1").arg(3 + h, 2, 10, QLatin1Char('0')),
                                twips_rect(0, y, 420, 240), Qt::AlignRight);
        lbl[9 + h] = make_label(Picture1, QString::number(15 + h), twips_rect(13700, y, 400, 240));
    }
    static const char* const short_months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                               "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    for (int m = 0; m < 12; ++m) {
        lbl[15 + m] = make_label(Picture1, QString::fromLatin1(short_months[m]),
                                 twips_rect(graph_first_x + 1080 * m, graph_base_y - 5 * graph_hour - 330, 1080, 240),
                                 Qt::AlignHCenter);
    }
    for (int i = 27; i <= 30; ++i) {
        lbl[i] = make_label(Picture1, QString(), twips_rect(0, 0, 500, 240));
        lbl[i]->hide();
    }
}

suntime::~suntime()
{
    if (wait_cursor_)
        restore_print_button();
}

int suntime::hovered_button() const { return hover_->hover(); }

void suntime::Form_Load()
{
    window_activated = false;
    graph_stale = false;

    airfields_ = airfield_items(airport_rows(rs_airport()));
    for (const AirfieldItem& item : airfields_)
        cmb[0]->addItem(item.text);
    cmb[0]->setCurrentIndex(-1);

    const QDate today = today_local();
    for (int y = today.year() - 1; y <= today.year() + 10; ++y)
        cmb[1]->addItem(QString::number(y));
    cmb[1]->setCurrentIndex(1);

    init_grid();
    Picture1->place_today_line(today_line_x(today.year(), today.month(), today.day()));
    cmd[0]->setEnabled(false);
}

void suntime::Form_Activate() { window_activated = true; }

void suntime::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QDialog::changeEvent(e);
}

void suntime::showEvent(QShowEvent* e)
{
    // Some platforms never activate a window (offscreen); being shown is
    // enough for the lists to act.
    Form_Activate();
    QDialog::showEvent(e);
}

bool suntime::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cmd[0] && cmd[0]->isEnabled()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        const auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            if (event->type() == QEvent::MouseButtonPress)
                cmd_MouseDown(0);
            // Released off the button: no print comes, the button and the
            // pointer return at once.
            else if (!cmd[0]->rect().contains(e->position().toPoint()))
                restore_print_button();
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool suntime::current_year_shown() const { return cmb[1]->currentText().toInt() == today_local().year(); }

void suntime::init_grid()
{
    grid->setUpdatesEnabled(false);
    cells_ = empty_sun_cells();
    show_cells();
    grid->setUpdatesEnabled(true);
    place_month_frames();
}

void suntime::place_month_frames()
{
    const bool table_tab = SSTab->currentIndex() == 0;
    for (int i = 0; i < 12; ++i) {
        if (!table_tab) {
            Frame1[i]->hide();
            continue;
        }
        Frame1[i]->setGeometry(px(540 + 1155 * i), grid->y() + px(10), px(1130), grid->rowHeight(0) - px(10));
        Label1[i]->setGeometry(0, px(10), Frame1[i]->width(), Frame1[i]->height());
        Frame1[i]->show();
    }
}

void suntime::show_cells()
{
    const QColor fixed_back = QApplication::palette().color(QPalette::Button);
    for (int r = 0; r < 32; ++r) {
        for (int c = 0; c < 36; ++c) {
            QTableWidgetItem* item = grid->item(r, c);
            item->setText(cells_[r][c]);
            if (r == 0 || c == 0) {
                item->setBackground(fixed_back);
                item->setForeground(Qt::black);
                continue;
            }
            item->setBackground(Qt::white);
            item->setForeground(c % 3 == 1 ? sunrise_text : c % 3 == 2 ? sunset_text : QColor(Qt::black));
        }
    }
}

void suntime::cmb_Click()
{
    if (!window_activated)
        return;
    Picture1->today_line->setVisible(current_year_shown());
    const QString text = cmb[0]->currentText();
    if (text == QStringLiteral("---")) {
        init_grid();
        draw_graph();
        Picture1->today_line->hide();
        return;
    }
    if (text.isEmpty())
        return;
    calculate_year();
    if (position_found)
        cmd[0]->setEnabled(true);
}

void suntime::calculate_year()
{
    position_found = true;
    // The position of the row the chosen item was made from: two airports
    // may bear names alike.
    const int chosen = cmb[0]->currentIndex();
    const FieldPosition pos =
        chosen >= 0 && chosen < airfields_.size() ? field_position(airfields_[chosen]) : FieldPosition{};
    field_code = pos.code;
    if (!pos.found) {
        position_found = false;
        init_grid();
        draw_graph();
        Picture1->today_line->hide();
        platform::msg_box(this, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                          QStringLiteral("飛行場の座標情報が見つかりません　　"));
        return;
    }
    field_elevation = pos.elevation;
    latitude_caption = kolde_sub::latitude_caption(pos.latitude);
    longitude_caption = kolde_sub::longitude_caption(pos.longitude);

    const int sun_year = cmb[1]->currentText().toInt();
    init_grid();
    grid->setUpdatesEnabled(false);
    leap_year = sun_leap_year(sun_year);
    cells_ = sun_year_cells(sun_year, pos.latitude, pos.longitude);
    show_cells();
    grid->setUpdatesEnabled(true);
    draw_graph();
    graph_stale = true;

    lbl[0]->setText(field_code);
    lbl[34]->setText(elevation_caption(field_elevation));
    lbl[35]->setText(QStringLiteral("MSL+15"));
    lbl[36]->setText(delta_h_caption(field_elevation));
    lbl[37]->setText(latitude_caption);
    lbl[38]->setText(longitude_caption);
}

void suntime::draw_graph()
{
    Picture1->clear();
    for (int i = 27; i <= 30; ++i)
        lbl[i]->hide();
    if (cmb[0]->currentText() == QStringLiteral("---") || !position_found) {
        for (int i : {0, 34, 35, 36, 37, 38})
            lbl[i]->clear();
        cmd[0]->setEnabled(false);
        return;
    }

    Picture1->sunrise = sun_curve(cells_, leap_year, false);
    Picture1->sunset = sun_curve(cells_, leap_year, true);
    const auto place = [this](QLabel* label, const SunCurve& curve, int index, bool latest) {
        if (index < 0) {
            label->clear();
            label->setToolTip(QString());
            return;
        }
        const GraphPoint& p = curve.points[static_cast<std::size_t>(index)];
        label->setText(p.time);
        label->setToolTip(point_date_tip(p.month, p.day));
        label->move(px(p.x - 200), px(latest ? p.y - 300 : p.y + 200));
    };
    place(lbl[27], Picture1->sunrise, Picture1->sunrise.latest, true);
    place(lbl[28], Picture1->sunrise, Picture1->sunrise.earliest, false);
    place(lbl[29], Picture1->sunset, Picture1->sunset.latest, true);
    place(lbl[30], Picture1->sunset, Picture1->sunset.earliest, false);
    Picture1->update();

    // Today's two cells, coloured while the table shows this year.
    const QDate today = today_local();
    const int row = today.day();
    const int col = 3 * (today.month() - 1) + 1;
    const bool mark = current_year_shown();
    grid->setUpdatesEnabled(false);
    grid->item(row, col)->setBackground(mark ? today_sunrise_back : QColor(Qt::white));
    grid->item(row, col)->setForeground(mark ? QColor(Qt::black) : sunrise_text);
    grid->item(row, col + 1)->setBackground(mark ? today_sunset_back : QColor(Qt::white));
    grid->item(row, col + 1)->setForeground(mark ? QColor(Qt::black) : sunset_text);
    grid->setUpdatesEnabled(true);
    grid->setCurrentCell(row, col + 1);

    for (int i = 27; i <= 30; ++i)
        lbl[i]->show();
}

void suntime::SSTab_Click()
{
    if (cmb[0]->currentText().isEmpty())
        return;
    if (SSTab->currentIndex() == 1) {
        if (graph_stale) {
            draw_graph();
            graph_stale = false;
        }
        for (QFrame* f : Frame1)
            f->hide();
    } else {
        graph_stale = true;
        place_month_frames();
    }
}

void suntime::cmd_MouseDown(int index)
{
    if (index != 0)
        return;
    if (!wait_cursor_)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    wait_cursor_ = true;
    cmd[0]->setText(QStringLiteral("印刷中"));
}

void suntime::restore_print_button()
{
    if (wait_cursor_)
        QApplication::restoreOverrideCursor();
    wait_cursor_ = false;
    cmd[0]->setText(print_caption);
}

void suntime::cmd_Click(int index)
{
    if (index == 1) {
        close();
        return;
    }
    if (setting_bool(key::print_dialog)) {
        if (!show_printer_selection(this)) {
            restore_print_button();
            return;
        }
    }
    const bool printed = SSTab->currentIndex() == 0
                             ? print_table()
                             : print_page_image(grab().toImage(), {program_path(QStringLiteral("print")), now_local()});
    restore_print_button();
    if (!printed)
        tell_print_failed(this);
}

bool suntime::print_table()
{
    SunPrintHeader h;
    h.year = cmb[1]->currentText();
    h.code = field_code;
    h.airfield = cmb[0]->currentText();
    h.latitude = latitude_caption;
    h.longitude = longitude_caption;
    h.elevation = elevation_caption(field_elevation);
    h.delta_h = lbl[36]->text();
    const bool ok = print_placed_text(sun_print_items(h, cells_), QStringLiteral("ＭＳ Ｐゴシック"),
                                      {program_path(QStringLiteral("print")), now_local()});
    restore_print_button();
    return ok;
}

}  // namespace kolde_sub
