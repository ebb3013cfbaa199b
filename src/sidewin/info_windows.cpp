#include "sidewin/info_windows.h"

#include "core/hover_buttons.h"
#include "core/settings.h"
#include "core/shared.h"
#include "core/twips.h"
#include "sidewin/open_windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace kolde_sub {

namespace {

const QString close_hint = QStringLiteral(" クリックすると閉じます ");

QFont p_gothic(double points)
{
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSizeF(points);
    return f;
}

QLabel* info_label(QWidget* parent, const QString& name, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

void centre_on_screen(QWidget* w)
{
    if (const QScreen* s = QGuiApplication::primaryScreen())
        w->move(centred_over(s->availableGeometry(), w->size()));
}

// A stored version as the user reads it: a text as it stands, a number as
// its shortest decimal form, nothing when the field is empty.
QString stored_version(SettingKey field)
{
    const platform::Value v = setting(field);
    if (v.is_null() || v.kind() == platform::Value::Kind::Text)
        return v.to_text();
    return QString::number(static_cast<double>(version_number(v)), 'g', 7);
}

// The version window's picture: the program's name on a sky gradient.
QPixmap version_picture(const QSize& size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x1e, 0x4f, 0x8c));
    sky.setColorAt(1, QColor(0x9c, 0xc8, 0xee));
    p.fillRect(pm.rect(), sky);
    QFont f(QStringLiteral("Sans"));
    f.setBold(true);
    f.setPixelSize(size.height() / 3);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("KOLDE"));
    return pm;
}

}  // namespace

const std::array<CommandRow, 20>& command_rows()
{
    static const std::array<CommandRow, 20> rows{{
        {"ATO", "自動デコードを開始"},
        {"R___", "ICAOコードを入力して METAR/TAF を取得"},
        {"RL", "最後に取得したデータを更新"},
        {"PRINT または /P", "画面を印刷"},
        {"CLS", "画面を消去"},
        {"AP", "飛行場リストを表示"},
        {"DE", "自動デコードリストを表示"},
        {"GP", "グループリストを表示"},
        {"WX", "天気図を表示"},
        {"CAM", "ウェブカメラを表示"},
        {"AIS", "AIS JAPAN を表示"},
        {"SQ R____", "METAR シーケンスを表示"},
        {"SS R____", "常用日出没時刻を計算"},
        {"JP R____", "METAR を日本語に翻訳"},
        {"LOG", "通信ログを表示"},
        {"HELP", "オンライン ヘルプを表示"},
        {"", ""},
        {"RESET", "データベースを初期化"},
        {"EXIT", "KOLDE を終了"},
        {"[ESC]キー", "KOLDE を終了"},
    }};
    return rows;
}

QPoint centred_over(const QRect& outer, const QSize& inner)
{
    return {outer.left() + (outer.width() - inner.width()) / 2, outer.top() + (outer.height() - inner.height()) / 2};
}

// ------------------------------------------------------------ command list

command::command()
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("command"));
    setWindowTitle(QStringLiteral(" コマンド一覧"));
    setAttribute(Qt::WA_DeleteOnClose);
    QStringList commands, meanings;
    for (const CommandRow& r : command_rows()) {
        commands << QString::fromUtf8(r.command);
        meanings << QString::fromUtf8(r.meaning);
    }
    // The labels size themselves to their text; where the font is wider
    // than the design's, the second column and the window make room.
    const std::array<QStringList, 2> texts{commands, meanings};
    int left = px(240);
    for (int i = 0; i < 2; ++i) {
        lbl[i] = info_label(this, QStringLiteral("lbl%1").arg(i), texts[i].join(u'\n'));
        lbl[i]->setFont(p_gothic(11.25));
        lbl[i]->setToolTip(close_hint);
        lbl[i]->setCursor(Qt::PointingHandCursor);
        lbl[i]->installEventFilter(this);
        lbl[i]->adjustSize();
        lbl[i]->move(left, px(120));
        left = std::max(px(2040), lbl[i]->geometry().right() + px(165));
    }
    // The window's height follows the list: twice the top margin, the list
    // and the margin below it.
    setFixedSize(std::max(px(6300), lbl[1]->geometry().right() + px(240)),
                 2 * lbl[0]->y() + lbl[0]->height() + px(450));
    // Centred over the main window, wherever it stands on the screen.
    if (QWidget* main = main_window())
        move(centred_over(main->frameGeometry(), frameGeometry().size()));
    else
        centre_on_screen(this);
}

void command::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        mark_side_window(SideWindowId::command, true);
    QWidget::changeEvent(e);
}

void command::closeEvent(QCloseEvent* e)
{
    mark_side_window(SideWindowId::command, false);
    QWidget::closeEvent(e);
}

void command::mousePressEvent(QMouseEvent*) { close(); }

bool command::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress && (watched == lbl[0] || watched == lbl[1])) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

// ------------------------------------------------------------ version

version::version(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("version"));
    setWindowTitle(QStringLiteral(" バージョン情報"));
    setFixedSize(px(2925), px(1590));
    centre_on_screen(this);

    img = info_label(this, QStringLiteral("img"));
    img->setGeometry(px(270), px(120), px(2310), px(1170));
    img->setPixmap(version_picture(img->size()));
    img->setToolTip(close_hint);
    img->setCursor(Qt::PointingHandCursor);
    img->installEventFilter(this);

    lbl[1] = info_label(this, QStringLiteral("lbl1"), QStringLiteral("Version ") + stored_version(key::program_version));
    lbl[1]->setAlignment(Qt::AlignCenter);
    lbl[1]->setFont(p_gothic(9.75));
    lbl[1]->setGeometry(px(165), px(1275), px(2595), px(195));
    lbl[1]->setToolTip(QStringLiteral(" 画面をクリックすると閉じます "));
    lbl[1]->setCursor(Qt::PointingHandCursor);
    lbl[1]->installEventFilter(this);

    // The grey outline over the whole window.
    Shape = new QFrame(this);
    Shape->setObjectName(QStringLiteral("Shape"));
    Shape->setFrameShape(QFrame::Box);
    QPalette outline = Shape->palette();
    outline.setColor(QPalette::WindowText, bgr_color(0x808080));
    Shape->setPalette(outline);
    Shape->setGeometry(rect());
    Shape->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void version::mousePressEvent(QMouseEvent*) { close(); }

bool version::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress && (watched == img || watched == lbl[1])) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

// ------------------------------------------------------------ components

compornent::compornent(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("compornent"));
    setWindowTitle(QStringLiteral(" コンポーネント情報"));
    setFixedSize(px(5175), px(2055));

    struct Row {
        int name, version, date;
        const char* caption;
        SettingKey version_field;
        SettingKey date_field;
    };
    const std::array<Row, 3> rows{{
        {11, 10, 9, "KOLDE プログラム", key::program_version, key::program_updated},
        {0, 3, 6, "自動アップデートモジュール", key::updater_version, key::updater_updated},
        {1, 4, 7, "ZEL データベース", key::database_version, key::database_updated},
    }};
    const std::array<int, 3> tops{255, 615, 975};
    for (int r = 0; r < 3; ++r) {
        const Row& row = rows[r];
        lbl[row.name] = info_label(this, QStringLiteral("lbl%1").arg(row.name), QString::fromUtf8(row.caption));
        lbl[row.version] = info_label(this, QStringLiteral("lbl%1").arg(row.version),
                                      QStringLiteral("Ver ") + stored_version(row.version_field));
        lbl[row.date] = info_label(this, QStringLiteral("lbl%1").arg(row.date),
                                   setting_text(row.date_field) + QStringLiteral(" 更新"));
    }
    // Three columns at their design places, each moved right where the
    // column before it is wider in the font at hand; one line height for
    // all, so that the rows stay level.
    const int line = fontMetrics().height() + 4;
    int left = px(360);
    const std::array<int, 3> design_left{360, 2640, 3480};
    for (int column = 0; column < 3; ++column) {
        left = std::max(left, px(design_left[column]));
        int widest = 0;
        for (int r = 0; r < 3; ++r) {
            QLabel* l = lbl[column == 0 ? rows[r].name : column == 1 ? rows[r].version : rows[r].date];
            l->adjustSize();
            l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            l->setGeometry(left, px(tops[r]), l->width(), line);
            widest = std::max(widest, l->width());
        }
        left += widest + px(120);
    }
    if (left > width())
        setFixedWidth(left + px(240));

    // Two separator lines, shadow above highlight.
    const std::array<std::pair<int, QPalette::ColorRole>, 2> lines{
        {{1395, QPalette::Dark}, {1410, QPalette::Light}}};
    for (int i = 0; i < 2; ++i) {
        auto* line = new QFrame(this);
        line->setObjectName(QStringLiteral("lne%1").arg(i));
        line->setGeometry(px(360), px(lines[i].first), width() - px(375) - px(360), 1);
        line->setAutoFillBackground(true);
        QPalette p = line->palette();
        p.setColor(QPalette::Window, palette().color(lines[i].second));
        line->setPalette(p);
    }

    cmd = new QPushButton(QStringLiteral("閉じる"), this);
    cmd->setObjectName(QStringLiteral("cmd"));
    cmd->setAutoDefault(false);
    cmd->resize(px(1335), px(375));
    cmd->move((width() - cmd->width()) / 2, px(1560));
    hover_ = new HoverButtons({cmd}, {this});
    connect(cmd, &QPushButton::clicked, this, &QDialog::close);
}

int compornent::hover_state() const { return hover_->hover() == 0 ? 1 : 9; }

}  // namespace kolde_sub
