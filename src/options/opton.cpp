#include "options/opton.h"

#include "core/logging.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "core/twips.h"
#include "options/opton_samples.h"
#include "options/printerselect.h"
#include "platform/printers.h"
#include "platform/value.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <functional>
#include <vector>

namespace kolde_sub {

namespace {

QPointer<opton> the_opton;

void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

// The time-difference list tells when its list is opened.
class DropDownCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> on_drop_down;
    void showPopup() override
    {
        if (on_drop_down)
            on_drop_down();
        QComboBox::showPopup();
    }
};

void set_swatch(QLabel* swatch, const QColor& colour)
{
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, colour);
    swatch->setPalette(pal);
}

// Shows a stored text in a list. A text that is not among the entries (a
// font that is not installed, an offset such as "±0") is added, so the
// stored value is shown and never lost.
void show_combo_text(QComboBox* combo, const QString& text)
{
    int i = combo->findText(text, Qt::MatchExactly);
    if (i < 0) {
        if (text.isEmpty())
            return;
        combo->addItem(text);
        i = combo->count() - 1;
    }
    combo->setCurrentIndex(i);
}

QString two_digits(int i) { return QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')); }

}  // namespace

opton::opton(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("opton"));
    setWindowTitle(QStringLiteral(" 動作設定"));
    setFixedSize(px(11400), px(7320));
    setMouseTracking(true);

    SSTab = new QTabWidget(this);
    SSTab->setObjectName(QStringLiteral("SSTab"));
    place(SSTab, 120, 120, 11160, 6480);
    const char* tabs[] = {"接続設定", "表示設定-1", "表示設定-2", "印刷設定"};
    QWidget* pages[4];
    for (int i = 0; i < 4; ++i) {
        pages[i] = new QWidget;
        pages[i]->setMouseTracking(true);
        pages[i]->installEventFilter(this);
        SSTab->addTab(pages[i], QString::fromUtf8(tabs[i]));
    }
    SSTab->installEventFilter(this);
    SSTab->setMouseTracking(true);

    for (int i = 0; i < 6; ++i) {
        cmd[i] = new QPushButton(this);
        cmd[i]->setObjectName(QStringLiteral("cmd_%1").arg(i));
        cmd[i]->setAutoDefault(false);
        cmd[i]->setMouseTracking(true);
        cmd[i]->installEventFilter(this);
        connect(cmd[i], &QPushButton::clicked, this, [this, i] { cmd_Click(i); });
    }
    cmd[0]->setText(QStringLiteral("閉じる"));
    cmd[0]->setToolTip(QStringLiteral(" この画面を閉じます "));
    cmd[1]->setText(QStringLiteral("標準設定"));
    cmd[1]->setToolTip(QStringLiteral(" 標準の設定に戻します "));
    place(cmd[1], 7800, 6720, 1620, 420);
    place(cmd[0], 9540, 6720, 1620, 420);

    build_connection_tab(pages[0]);
    build_conditions_tab(pages[1]);
    build_display_tab(pages[2]);
    build_print_tab(pages[3]);

    // Change handlers. Programmatic changes of a check box or an option
    // button run them too; the loader's own changes do not.
    for (int i = 0; i < 30; ++i) {
        CheckBox[i]->setObjectName(QStringLiteral("CheckBox_%1").arg(i));
        connect(CheckBox[i], &QCheckBox::stateChanged, this, [this, i] { CheckBox_Click(i); });
    }
    CheckBox[23]->installEventFilter(this);
    for (int i = 0; i < 10; ++i) {
        cmb[i]->setObjectName(QStringLiteral("cmb_%1").arg(i));
        connect(cmb[i], &QComboBox::activated, this, [this, i] { cmb_Click(i); });
    }
    static_cast<DropDownCombo*>(cmb[4])->on_drop_down = [this] { timezone_touched = true; };
    for (int i = 0; i < 8; ++i) {
        TextBox[i]->setObjectName(QStringLiteral("TextBox_%1").arg(i));
        connect(TextBox[i], &QLineEdit::editingFinished, this, [this, i] { TextBox_LostFocus(i); });
    }
    for (const Binding& b : opton_bindings()) {
        if (b.kind == BindingKind::Colour) {
            lbl[b.index]->setObjectName(QStringLiteral("lbl_%1").arg(b.index));
            lbl[b.index]->setAutoFillBackground(true);
            lbl[b.index]->setFrameShape(QFrame::Box);
            lbl[b.index]->setCursor(Qt::PointingHandCursor);
            lbl[b.index]->installEventFilter(this);
        }
    }
    for (int i = 0; i < 2; ++i) {
        connect(Option1[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Option1_Click();
        });
        connect(Option2[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Option2_Click();
        });
    }
    Slider->installEventFilter(this);
    connect(SSTab, &QTabWidget::currentChanged, this, [this] { scroll_sample(); });

    Form_Load();
}

opton::~opton()
{
    if (sound_wait_)
        *sound_wait_ = true;
}

void opton::build_connection_tab(QWidget* page)
{
    struct Row {
        int index;
        const char* caption;
        const char* tip;
    };
    const Row rows[] = {
            {2, " 自動デコードを有効にする", " ここを ON にすると、起動時に自動デコードを開始します "},
            {9, " シーケンス検索、グループ検索およびコマンドライン入力時は自動デコードを停止する",
             " ここを ON にすると、コマンドライン入力時には自動デコードを停止します "},
            {13, " 起動時にバージョンアップを確認する", " ここを ON にすると、起動時にKOLDEのバージョンアップを確認します "},
            {29, " プログラム更新時に確認メッセージを表示する",
             " ここを ON にすると、プログラムの更新時に確認メッセージを表示します "},
            {14, " 通信エラーが発生した場合にメッセージを表示する",
             " ここを ON にすると、インターネットへの接続が切断された場合にメッセージを表示します "},
            {16, " 通信エラーが発生した場合にアラームを鳴らす",
             " ここを ON にすると、インターネットへの接続が切断された場合に音声メッセージを鳴らします "},
            {20, " データ更新終了時にメッセージを表示する", " ここを ON にすると、データが更新された場合にメッセージを表示します "},
            {17, " データ更新終了時にサウンドを鳴らす", " ここを ON にすると、データが更新された場合にサウンドを鳴らします "},
            {27, " ヘルプの閲覧に KOLDE ブラウザーを使用する", nullptr},
    };
    int top = 300;
    for (const Row& r : rows) {
        CheckBox[r.index] = new QCheckBox(QString::fromUtf8(r.caption), page);
        if (r.tip)
            CheckBox[r.index]->setToolTip(QString::fromUtf8(r.tip));
        place(CheckBox[r.index], 360, top, r.index == 16 || r.index == 17 ? 6600 : 9600, 330);
        if (r.index == 16 || r.index == 17) {
            QPushButton* test = cmd[r.index == 16 ? 2 : 3];
            test->setParent(page);
            test->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
            test->setToolTip(r.index == 16 ? QStringLiteral(" アラームのテストを行います ")
                                           : QStringLiteral(" サウンドのテストを行います "));
            place(test, 7200, top - 30, 600, 390);
        }
        top += 390;
    }
    lbl[44] = new QLabel(QStringLiteral("バッファ設定 （通信エラーが多発する場合は、バッファを調整してください）"), page);
    place(lbl[44], 360, 3960, 9600, 300);
    Slider = new QSlider(Qt::Horizontal, page);
    Slider->setObjectName(QStringLiteral("Slider"));
    Slider->setRange(1, 10);
    Slider->setPageStep(1);
    Slider->setTickPosition(QSlider::TicksBelow);
    Slider->setToolTip(QStringLiteral(" 通信エラーが多発する場合は、つまみを左方向に調整してください "));
    place(Slider, 360, 4320, 9600, 420);
    lbl[45] = new QLabel(QStringLiteral("低速度 （アナログ回線）"), page);
    place(lbl[45], 360, 4800, 3600, 300);
    lbl[46] = new QLabel(QStringLiteral("高速度 （ADSL）"), page);
    lbl[46]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(lbl[46], 6360, 4800, 3600, 300);
}

void opton::build_conditions_tab(QWidget* page)
{
    CheckBox[3] = new QCheckBox(QStringLiteral(" 特定の気象状態を着色して表示する"), page);
    CheckBox[3]->setToolTip(QStringLiteral(" ここを ON にすると、設定された気象状態が観測された場合に色を付けて表示します "));
    place(CheckBox[3], 240, 240, 4800, 330);
    CheckBox[18] = new QCheckBox(QStringLiteral(" CB / TCU を強調表示する"), page);
    CheckBox[18]->setToolTip(QStringLiteral(" ここを ON にすると、CB TCU が観測された場合に強調表示します "));
    place(CheckBox[18], 5400, 240, 3600, 330);

    const QString cloud_tip = QStringLiteral(" 雲高または鉛直視程を指定します ");
    const QString vis_tip = QStringLiteral(" 地上視程またはRVRを指定します ");
    struct Line {
        const char* prefix;
        int box;
        const char* suffix;
        int swatch;  // -1: none on this line
        bool cloud;
    };
    struct Block {
        int box;
        int vv;
        std::vector<Line> lines;
    };
    const Block blocks[] = {
            {6, 10, {{"雲高が", 0, "フィート未満の場合", 2, true}, {"視程が", 1, "メートル未満の場合", 19, false}}},
            {7,
             11,
             {{"雲高が", 2, "フィート未満の場合", 25, true},
              {"視程が", 3, "メートル未満の場合、または", -1, false},
              {"RVR が", 4, "メートル未満の場合", 13, false}}},
            {8,
             12,
             {{"雲高が", 5, "フィート未満の場合", 29, true},
              {"視程が", 6, "メートル未満の場合、または", -1, false},
              {"RVR が", 7, "メートル未満の場合", 28, false}}},
    };
    int top = 780;
    for (int b = 0; b < 3; ++b) {
        const Block& block = blocks[b];
        CheckBox[block.box] = new QCheckBox(QStringLiteral(" 設定-%1").arg(b + 1), page);
        place(CheckBox[block.box], 240, top, 1200, 330);
        int y = top;
        for (const Line& l : block.lines) {
            auto* prefix = new QLabel(QString::fromUtf8(l.prefix), page);
            place(prefix, 1560, y, 900, 330);
            TextBox[l.box] = new QLineEdit(page);
            TextBox[l.box]->setToolTip(l.cloud ? cloud_tip : vis_tip);
            place(TextBox[l.box], 2460, y, 1020, 330);
            auto* suffix = new QLabel(QString::fromUtf8(l.suffix), page);
            place(suffix, 3600, y, 2640, 330);
            if (l.swatch >= 0) {
                lbl[l.swatch] = new QLabel(page);
                place(lbl[l.swatch], 6240, y + 15, 600, 300);
                auto* tail = new QLabel(QStringLiteral("色で表示"), page);
                place(tail, 6960, y, 1200, 330);
            }
            y += 390;
        }
        CheckBox[block.vv] = new QCheckBox(QStringLiteral(" 鉛直視程を含める"), page);
        place(CheckBox[block.vv], 1560, y, 2400, 330);
        top = y + 570;
    }
}

void opton::build_display_tab(QWidget* page)
{
    auto heading = [page](const QString& text, int left, int top, int width) {
        auto* l = new QLabel(text, page);
        place(l, left, top, width, 260);
        return l;
    };
    heading(QStringLiteral("表示文字のフォント"), 240, 200, 2880);
    cmb[0] = new QComboBox(page);
    cmb[0]->setToolTip(QStringLiteral(" 画面表示文字のフォントを設定します （等幅フォントを設定してください） "));
    place(cmb[0], 240, 460, 2880, 330);
    heading(QStringLiteral("表示文字のサイズ"), 3360, 200, 1800);
    cmb[1] = new QComboBox(page);
    cmb[1]->setToolTip(QStringLiteral(" 画面表示文字のサイズを指定します "));
    place(cmb[1], 3360, 460, 900, 330);
    heading(QStringLiteral("ポイント"), 4320, 500, 900);
    heading(QStringLiteral("表示領域の色"), 5400, 200, 1560);
    lbl[0] = new QLabel(page);
    lbl[0]->setToolTip(QStringLiteral(" 画面表示領域の色を設定します "));
    place(lbl[0], 5400, 460, 1320, 330);
    heading(QStringLiteral("表示文字の色"), 7080, 200, 1560);
    lbl[1] = new QLabel(page);
    lbl[1]->setToolTip(QStringLiteral(" 画面表示文字の色を設定します "));
    place(lbl[1], 7080, 460, 1320, 330);

    struct Row {
        int index;
        const char* caption;
        const char* tip;
    };
    const Row rows[] = {
            {0, " 表示文字をボールド（太字）にする", " ここを ON にすると、画面表示文字をボールド （太字） で表示します "},
            {4, " データ更新時に前画面をクリアーする", " ここを ON にすると、前のデータを消去してから新しいデータを表示します "},
            {5, " 表示領域にスクロールバーを表示する", " ここを ON にすると、画面右側にスクロールバーを表示します "},
            {24, " データ更新時に先頭行を表示する", " ここを ON にすると、先頭の行を画面の上部に表示します "},
            {19, " ポップアップ メニューを表示する", " ここを ON にすると、右クリックでポップアップ メニューを表示します "},
            {21, " 特別通報を着色表示する", " ここを ON にすると、特別通報 (SPECI、AMD、COR 等) を着色して表示します "},
            {22, " 天気略語を着色表示する", " ここを ON にすると、天気略語を着色して表示します "},
            {23, " LOCAL TIME を使用する", nullptr},
            {26, " スクラッチパッドを表示する", " ここを ON にすると、スクラッチパッドを表示します "},
    };
    int top = 1020;
    for (const Row& r : rows) {
        CheckBox[r.index] = new QCheckBox(QString::fromUtf8(r.caption), page);
        if (r.tip)
            CheckBox[r.index]->setToolTip(QString::fromUtf8(r.tip));
        const bool with_control = r.index == 21 || r.index == 22 || r.index == 23;
        place(CheckBox[r.index], 240, top, with_control ? 3600 : 4440, 330);
        top += 360;
    }
    const int row21 = 1020 + 5 * 360;
    lbl[48] = new QLabel(page);
    lbl[48]->setToolTip(QStringLiteral(" 特別通報の色を設定します "));
    place(lbl[48], 3960, row21 + 30, 600, 270);
    lbl[49] = new QLabel(page);
    lbl[49]->setToolTip(QStringLiteral(" 天気略語の色を設定します "));
    place(lbl[49], 3960, row21 + 390, 600, 270);
    auto* zone = new DropDownCombo(page);
    cmb[4] = zone;
    cmb[4]->setToolTip(QStringLiteral(" 協定世界時 (UTC) との時差を指定します "));
    place(cmb[4], 3960, row21 + 720, 780, 330);

    lbl[54] = heading(QStringLiteral("コマンドボタン"), 240, top + 60, 1560);
    Option2[0] = new QRadioButton(QStringLiteral("グレー"), page);
    place(Option2[0], 1800, top, 1200, 330);
    Option2[1] = new QRadioButton(QStringLiteral("カラー"), page);
    place(Option2[1], 3000, top, 1200, 330);
    top += 420;
    CheckBox[28] = new QCheckBox(QStringLiteral(" METAR シーケンスを取得する"), page);
    CheckBox[28]->setToolTip(QStringLiteral(" ここを ON にすると、METAR シーケンスを取得します "));
    place(CheckBox[28], 240, top, 4440, 330);
    top += 390;
    cmb[9] = new QComboBox(page);
    cmb[9]->setToolTip(QStringLiteral(" METAR シーケンスを取得する時間帯を指定します "));
    place(cmb[9], 600, top, 720, 330);
    lbl[55] = heading(QStringLiteral("時間前まで取得"), 1440, top + 40, 1800);

    lbl[41] = heading(QStringLiteral("表示サンプル"), 4920, 1000, 2400);
    viewSample[0] = new QTextEdit(page);
    viewSample[0]->setObjectName(QStringLiteral("viewSample_0"));
    viewSample[0]->setReadOnly(true);
    viewSample[0]->setLineWrapMode(QTextEdit::NoWrap);
    viewSample[0]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewSample[0]->setToolTip(QStringLiteral(" 表示サンプル （等幅フォントを指定してください） "));
    place(viewSample[0], 4920, 1300, 5640, 3900);
    VScroll = new QScrollBar(Qt::Vertical, page);
    VScroll->setObjectName(QStringLiteral("VScroll"));
    place(VScroll, 10560, 1300, 255, 3900);
}

void opton::build_print_tab(QWidget* page)
{
    auto label = [page](const QString& text, int left, int top, int width) {
        auto* l = new QLabel(text, page);
        place(l, left, top, width, 260);
        return l;
    };
    label(QStringLiteral("印刷文字のフォント"), 240, 200, 2880);
    cmb[2] = new QComboBox(page);
    cmb[2]->setToolTip(QStringLiteral(" 印刷文字のフォントを設定します （等幅フォントを設定してください） "));
    place(cmb[2], 240, 460, 2880, 330);
    label(QStringLiteral("印刷文字のサイズ"), 3360, 200, 1800);
    cmb[3] = new QComboBox(page);
    cmb[3]->setToolTip(QStringLiteral(" 印刷文字のサイズを設定します "));
    place(cmb[3], 3360, 460, 900, 330);
    label(QStringLiteral("ポイント"), 4320, 500, 900);

    CheckBox[1] = new QCheckBox(QStringLiteral(" 印刷文字をボールド（太字）にする"), page);
    CheckBox[1]->setToolTip(QStringLiteral(" ここを ON にすると、文字をボールド （太字） で印刷します "));
    place(CheckBox[1], 240, 1020, 5200, 330);
    CheckBox[15] = new QCheckBox(QStringLiteral(" データ更新の都度プリンターに自動出力する"), page);
    CheckBox[15]->setToolTip(QStringLiteral(" ここを ON にすると、データが更新される都度 印刷します "));
    place(CheckBox[15], 240, 1380, 5200, 330);
    Option1[0] = new QRadioButton(QStringLiteral("常時出力"), page);
    Option1[0]->setToolTip(QStringLiteral(" ここを ON にすると、常時出力します "));
    place(Option1[0], 600, 1740, 1440, 330);
    Option1[1] = new QRadioButton(QStringLiteral("時刻指定"), page);
    Option1[1]->setToolTip(QStringLiteral(" ここを ON にすると、指定時刻の間、出力します "));
    place(Option1[1], 2160, 1740, 1440, 330);

    const char* tips[] = {" 印刷開始 「時」 を設定します ", " 印刷開始 「分」 を設定します ",
                          " 印刷終了 「時」 を設定します ", " 印刷終了 「分」 を設定します "};
    const char* words[] = {"時", "分から", "時", "分の間"};
    const int word_width[] = {300, 780, 300, 780};
    int left = 600;
    for (int i = 0; i < 4; ++i) {
        cmb[5 + i] = new QComboBox(page);
        cmb[5 + i]->setToolTip(QString::fromUtf8(tips[i]));
        place(cmb[5 + i], left, 2100, 660, 330);
        lbl[50 + i] = label(QString::fromUtf8(words[i]), left + 700, 2140, word_width[i]);
        left += 700 + word_width[i] + 40;
    }
    CheckBox[25] = new QCheckBox(QStringLiteral(" 印刷の都度プリンター選択ダイアログを表示する"), page);
    CheckBox[25]->setToolTip(QStringLiteral(" ここを ON にすると、印刷の都度プリンター選択画面を表示します "));
    place(CheckBox[25], 240, 2580, 5400, 330);

    lbl[43] = label(QStringLiteral(" 自動出力先プリンター "), 240, 3060, 3000);
    lbl[47] = new QLabel(QStringLiteral("利用可能なプリンターがありません"), page);
    lbl[47]->setObjectName(QStringLiteral("lbl_47"));
    lbl[47]->setToolTip(QStringLiteral(" 現在設定されている自動出力先のプリンターです "));
    lbl[47]->setFrameShape(QFrame::Panel);
    lbl[47]->setFrameShadow(QFrame::Sunken);
    place(lbl[47], 240, 3360, 5200, 330);
    cmd[4]->setParent(page);
    cmd[4]->setText(QStringLiteral("プリンター設定"));
    cmd[4]->setToolTip(QStringLiteral(" 自動出力で使用するプリンターを設定します "));
    place(cmd[4], 240, 3840, 1620, 420);
    cmd[5]->setParent(page);
    cmd[5]->setText(QStringLiteral("印字テスト"));
    cmd[5]->setToolTip(QStringLiteral(" プリンターの印字テストを行います "));
    place(cmd[5], 2040, 3840, 1620, 420);

    lbl[42] = label(QStringLiteral("印字サンプル"), 5700, 1000, 2400);
    viewSample[1] = new QTextEdit(page);
    viewSample[1]->setObjectName(QStringLiteral("viewSample_1"));
    viewSample[1]->setReadOnly(true);
    viewSample[1]->setLineWrapMode(QTextEdit::NoWrap);
    viewSample[1]->setToolTip(QStringLiteral(" 表示サンプル （等幅フォントを指定してください） "));
    place(viewSample[1], 5700, 1300, 5160, 3900);
}

void opton::Form_Load()
{
    postpone_next_cycle();
    for (int i = 1; i <= 20; ++i) {
        cmb[1]->addItem(QString::number(i));
        cmb[3]->addItem(QString::number(i));
    }
    for (int i = -12; i <= 12; ++i)
        cmb[4]->addItem(i > 0 ? QStringLiteral("+%1").arg(i) : QString::number(i));
    for (int i = 1; i <= 23; ++i)
        cmb[9]->addItem(QString::number(i));
    cmb[0]->addItems(QFontDatabase::families());
    if (!platform::printer_names().isEmpty())
        cmb[2]->addItems(QFontDatabase::families());
    check_printer();
    for (int i = 0; i <= 23; ++i) {
        cmb[5]->addItem(two_digits(i));
        cmb[7]->addItem(two_digits(i));
    }
    for (int i = 0; i <= 59; ++i) {
        cmb[6]->addItem(two_digits(i));
        cmb[8]->addItem(two_digits(i));
    }
    load_settings();
    update_interval = 11 - Slider->value();
    SSTab->setCurrentIndex(0);
    timezone_touched = false;
    CheckBox[23]->setToolTip(QStringLiteral(" 現在このコンピューターの設定は UTC") + tz_offset_text + QStringLiteral(" (")
                             + tz_name + QStringLiteral(") になっています "));
}

void opton::check_printer()
{
    // The print switches that need a usable printer are turned off.
    auto reset_print_switches = [this] {
        loading_ = true;
        for (int i : {1, 15, 25}) {
            CheckBox[i]->setChecked(false);
            CheckBox[i]->setEnabled(false);
        }
        loading_ = false;
        for (const char* field : {"印刷文字のボールド", "印刷更新時印刷", "印刷時ダイアログ"})
            write(field, platform::Value::boolean(false));
    };
    const QStringList printers = platform::printer_names();
    if (printers.isEmpty()) {
        cmb[2]->setEnabled(false);
        cmb[3]->setEnabled(false);
        reset_print_switches();
        write("プリンター", platform::Value(QStringLiteral("*")));
        cmd[4]->setEnabled(false);
        cmd[5]->setEnabled(false);
        return;
    }
    const QString stored = setting_text(QStringLiteral("プリンター"));
    if (stored == QStringLiteral("*")) {
        lbl[47]->setText(QStringLiteral("出力先プリンターを設定してください"));
        lbl[47]->setVisible(true);
        cmd[5]->setEnabled(false);
        reset_print_switches();
        return;
    }
    if (printers.contains(stored)) {
        lbl[47]->setStyleSheet(QStringLiteral("color: black;"));
        lbl[47]->setText(stored);
        for (QWidget* w : std::initializer_list<QWidget*>{cmd[5], CheckBox[1], CheckBox[15], CheckBox[25]})
            w->setEnabled(true);
        return;
    }
    lbl[47]->setText(stored + QStringLiteral(" が見つかりません"));
    cmd[5]->setEnabled(false);
    reset_print_switches();
    write("プリンター", platform::Value(QStringLiteral("*")));
}

// ---- loading

namespace {

bool binding_rule_holds(const Binding& b)
{
    for (const char* field : b.enabled_when) {
        if (field && !setting_bool(QString::fromUtf8(field)))
            return false;
    }
    return true;
}

}  // namespace

QWidget* opton::control_of(const Binding& b) const
{
    switch (b.kind) {
    case BindingKind::Check: return CheckBox[b.index];
    case BindingKind::Slider: return Slider;
    case BindingKind::Threshold: return TextBox[b.index];
    case BindingKind::Colour: return lbl[b.index];
    case BindingKind::Combo: return cmb[b.index];
    case BindingKind::Shown: return VScroll;
    case BindingKind::OptionPair: return nullptr;
    }
    return nullptr;
}

void opton::load_binding(const Binding& b)
{
    const QString field = QString::fromUtf8(b.field);
    const platform::Value v = setting(field);
    switch (b.kind) {
    case BindingKind::Check:
        CheckBox[b.index]->setChecked(setting_bool(field));
        return;
    case BindingKind::OptionPair: {
        auto& pair = b.index == 1 ? Option1 : Option2;
        pair[setting_bool(field) ? b.option_when_on : 1 - b.option_when_on]->setChecked(true);
        return;
    }
    case BindingKind::Shown:
        VScroll->setVisible(setting_bool(field));
        return;
    default:
        break;
    }
    // A field that holds nothing leaves its control as it was.
    if (v.is_null())
        return;
    switch (b.kind) {
    case BindingKind::Slider: Slider->setValue(static_cast<int>(v.to_int())); break;
    case BindingKind::Threshold: TextBox[b.index]->setText(v.to_text()); break;
    case BindingKind::Colour: set_swatch(lbl[b.index], bgr_color(v.to_int())); break;
    case BindingKind::Combo: show_combo_text(cmb[b.index], v.to_text()); break;
    default: break;
    }
}

void opton::apply_enabling(const Binding& b)
{
    if (!b.enabled_when[0])
        return;
    const bool on = binding_rule_holds(b);
    if (b.kind == BindingKind::OptionPair) {
        auto& pair = b.index == 1 ? Option1 : Option2;
        pair[0]->setEnabled(on);
        pair[1]->setEnabled(on);
    } else if (QWidget* w = control_of(b)) {
        w->setEnabled(on);
    }
}

void opton::load_settings() { load_controls(true); }

void opton::load_controls(bool with_print_window)
{
    const bool was_loading = loading_;
    loading_ = true;
    for (const Binding& b : opton_bindings()) {
        apply_enabling(b);
        if (!with_print_window && (b.flags & binding_flag::on_close))
            continue;
        if (!(b.flags & binding_flag::only_when_enabled) || binding_rule_holds(b))
            load_binding(b);
    }
    loading_ = was_loading;
    render_samples();
}

void opton::render_samples()
{
    kolde_sub::render_samples(viewSample[0], viewSample[1]);
    scroll_sample();
}

void opton::scroll_sample()
{
    QTextCursor c = viewSample[0]->textCursor();
    if (setting_bool(QStringLiteral("先頭行")))
        c.setPosition(qMin(1, viewSample[0]->document()->characterCount() - 1));
    else
        c.movePosition(QTextCursor::End);
    viewSample[0]->setTextCursor(c);
    viewSample[0]->ensureCursorVisible();
    if (viewSample[0]->isVisible())
        viewSample[0]->setFocus();
}

bool opton::write(const char* field, const platform::Value& value)
{
    if (set_setting(QString::fromUtf8(field), value))
        return true;
    qCWarning(lc_options) << "settings field not written:" << field;
    return false;
}

void opton::follow(const char* field)
{
    const bool was_loading = loading_;
    loading_ = true;
    for (const Binding& b : opton_bindings()) {
        const bool depends = (b.enabled_when[0] && qstrcmp(b.enabled_when[0], field) == 0)
                             || (b.enabled_when[1] && qstrcmp(b.enabled_when[1], field) == 0);
        if (depends) {
            apply_enabling(b);
            if ((b.flags & binding_flag::only_when_enabled) && binding_rule_holds(b))
                load_binding(b);
        }
        if (b.kind == BindingKind::Shown && qstrcmp(b.field, field) == 0)
            load_binding(b);
    }
    loading_ = was_loading;
}

// ---- window

bool opton::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type t = event->type();
    if (watched == CheckBox[23] && t == QEvent::MouseButtonPress) {
        timezone_touched = true;
    } else if (watched == Slider && t == QEvent::FocusOut) {
        Slider_LostFocus();
    } else if (t == QEvent::MouseButtonRelease) {
        for (int i : {0, 1, 2, 13, 19, 25, 28, 29, 48, 49}) {
            if (watched == lbl[i] && lbl[i]->isEnabled()) {
                lbl_Click(i);
                return true;
            }
        }
    } else if (t == QEvent::MouseMove || t == QEvent::Enter) {
        for (int i = 0; i < 6; ++i) {
            if (watched == cmd[i]) {
                cmd_MouseMove(i);
                return false;
            }
        }
        // The tab control and its pages.
        if (t == QEvent::MouseMove)
            Form_MouseMove();
    }
    return QDialog::eventFilter(watched, event);
}

void opton::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

void opton::showEvent(QShowEvent* event)
{
    // An opening (not a restore of the minimised window) shows the record
    // as it is now: the main window changes some settings itself.
    if (!event->spontaneous())
        load_settings();
    QDialog::showEvent(event);
    cmd[0]->setFocus();
}

void opton::keyPressEvent(QKeyEvent* event)
{
    // Escape must not lose the print window or the line speed.
    if (event->matches(QKeySequence::Cancel)) {
        cmd_Click(0);
        return;
    }
    QDialog::keyPressEvent(event);
}

void opton::hideEvent(QHideEvent* event)
{
    // A sound test never outlives the shown dialog.
    if (sound_wait_)
        *sound_wait_ = true;
    QDialog::hideEvent(event);
}

void opton::reject()
{
    QDialog::reject();
    // Any close but the close button unloads the dialog: the next opening
    // loads a new one.
    deleteLater();
}

opton* opton_window()
{
    if (!the_opton)
        the_opton = new opton;
    return the_opton;
}

bool opton_loaded() { return !the_opton.isNull(); }

void unload_opton() { delete the_opton.data(); }

}  // namespace kolde_sub
