// The options dialog's controls: the window, its four tabs and the command
// buttons, each control created and placed where the user finds it.
#include "options/opton.h"

#include "core/hover_buttons.h"
#include "core/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>

#include <functional>
#include <vector>

namespace kolde_sub {

using namespace opton_index;

namespace {

void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

// A caption of a list or a group of controls.
QLabel* add_caption(QWidget* page, const QString& text, int left, int top, int width)
{
    auto* l = new QLabel(text, page);
    place(l, left, top, width, 260);
    return l;
}

// A check box of a column of switches: its index, caption and tool tip.
struct SwitchRow {
    int index;
    const char* caption;
    const char* tip;
};

// A list, one row high.
QComboBox* add_combo(QWidget* page, const QString& tip, int left, int top, int width)
{
    auto* combo = new QComboBox(page);
    combo->setToolTip(tip);
    place(combo, left, top, width, 330);
    return combo;
}

// A read-only sample of the display or of the print.
QTextEdit* add_sample(QWidget* page, const QString& name)
{
    auto* sample = new QTextEdit(page);
    sample->setObjectName(name);
    sample->setReadOnly(true);
    sample->setLineWrapMode(QTextEdit::NoWrap);
    sample->setToolTip(QStringLiteral(" 表示サンプル （等幅フォントを指定してください） "));
    return sample;
}

}  // namespace

void opton::build_controls()
{
    setObjectName(QStringLiteral("opton"));
    setWindowTitle(QStringLiteral(" 動作設定"));
    setFixedSize(px(11400), px(7320));

    SSTab = new QTabWidget(this);
    SSTab->setObjectName(QStringLiteral("SSTab"));
    place(SSTab, 120, 120, 11160, 6480);
    const char* tabs[] = {"接続設定", "表示設定-1", "表示設定-2", "印刷設定"};
    QWidget* pages[std::size(tabs)];
    for (std::size_t i = 0; i < std::size(tabs); ++i) {
        pages[i] = new QWidget;
        SSTab->addTab(pages[i], QString::fromUtf8(tabs[i]));
    }

    for (int i = 0; i < button_count; ++i) {
        cmd[i] = new QPushButton(this);
        cmd[i]->setObjectName(QStringLiteral("cmd_%1").arg(i));
        cmd[i]->setAutoDefault(false);
        connect(cmd[i], &QPushButton::clicked, this, [this, i] { cmd_Click(i); });
    }
    cmd[button_close]->setText(QStringLiteral("閉じる"));
    cmd[button_close]->setToolTip(QStringLiteral(" この画面を閉じます "));
    cmd[button_defaults]->setText(QStringLiteral("標準設定"));
    cmd[button_defaults]->setToolTip(QStringLiteral(" 標準の設定に戻します "));
    place(cmd[button_defaults], 7800, 6720, 1620, 420);
    place(cmd[button_close], 9540, 6720, 1620, 420);

    build_connection_tab(pages[tab_connection]);
    build_conditions_tab(pages[tab_conditions]);
    build_display_tab(pages[tab_display]);
    build_print_tab(pages[tab_print]);

    // The buttons with a caption turn grey under the pointer; the two sound
    // tests show a picture and keep their face. A child of the dialog.
    new HoverButtons({cmd[button_close], cmd[button_defaults], cmd[button_printer_setup], cmd[button_print_test]},
                     {this, SSTab, pages[tab_connection], pages[tab_conditions], pages[tab_display], pages[tab_print]});
}

void opton::build_connection_tab(QWidget* page)
{
    const SwitchRow rows[] = {
            {check_auto_decode, " 自動デコードを有効にする", " ここを ON にすると、起動時に自動デコードを開始します "},
            {check_stop_on_input, " シーケンス検索、グループ検索およびコマンドライン入力時は自動デコードを停止する",
             " ここを ON にすると、コマンドライン入力時には自動デコードを停止します "},
            {check_version_on_start, " 起動時にバージョンアップを確認する", " ここを ON にすると、起動時にKOLDEのバージョンアップを確認します "},
            {check_update_confirm, " プログラム更新時に確認メッセージを表示する",
             " ここを ON にすると、プログラムの更新時に確認メッセージを表示します "},
            {check_error_message, " 通信エラーが発生した場合にメッセージを表示する",
             " ここを ON にすると、インターネットへの接続が切断された場合にメッセージを表示します "},
            {check_error_alarm, " 通信エラーが発生した場合にアラームを鳴らす",
             " ここを ON にすると、インターネットへの接続が切断された場合に音声メッセージを鳴らします "},
            {check_update_message, " データ更新終了時にメッセージを表示する", " ここを ON にすると、データが更新された場合にメッセージを表示します "},
            {check_update_sound, " データ更新終了時にサウンドを鳴らす", " ここを ON にすると、データが更新された場合にサウンドを鳴らします "},
            {check_browser, " ヘルプの閲覧に KOLDE ブラウザーを使用する", nullptr},
    };
    int top = 300;
    for (const SwitchRow& r : rows) {
        CheckBox[r.index] = new QCheckBox(QString::fromUtf8(r.caption), page);
        if (r.tip)
            CheckBox[r.index]->setToolTip(QString::fromUtf8(r.tip));
        const bool sound = r.index == check_error_alarm || r.index == check_update_sound;
        place(CheckBox[r.index], 360, top, sound ? 6600 : 9600, 330);
        if (sound) {
            QPushButton* test = cmd[r.index == check_error_alarm ? button_alarm_test : button_sound_test];
            test->setParent(page);
            test->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
            test->setToolTip(r.index == check_error_alarm ? QStringLiteral(" アラームのテストを行います ")
                                           : QStringLiteral(" サウンドのテストを行います "));
            place(test, 7200, top - 30, 600, 390);
        }
        top += 390;
    }
    lbl[caption_buffer] = new QLabel(QStringLiteral("バッファ設定 （通信エラーが多発する場合は、バッファを調整してください）"), page);
    place(lbl[caption_buffer], 360, 3960, 9600, 300);
    Slider = new QSlider(Qt::Horizontal, page);
    Slider->setObjectName(QStringLiteral("Slider"));
    Slider->setRange(1, 10);
    Slider->setPageStep(1);
    Slider->setTickPosition(QSlider::TicksBelow);
    Slider->setToolTip(QStringLiteral(" 通信エラーが多発する場合は、つまみを左方向に調整してください "));
    place(Slider, 360, 4320, 9600, 420);
    lbl[caption_slow] = new QLabel(QStringLiteral("低速度 （アナログ回線）"), page);
    place(lbl[caption_slow], 360, 4800, 3600, 300);
    lbl[caption_fast] = new QLabel(QStringLiteral("高速度 （ADSL）"), page);
    lbl[caption_fast]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(lbl[caption_fast], 6360, 4800, 3600, 300);
}

void opton::build_conditions_tab(QWidget* page)
{
    CheckBox[check_conditions] = new QCheckBox(QStringLiteral(" 特定の気象状態を着色して表示する"), page);
    CheckBox[check_conditions]->setToolTip(QStringLiteral(" ここを ON にすると、設定された気象状態が観測された場合に色を付けて表示します "));
    place(CheckBox[check_conditions], 240, 240, 4800, 330);
    CheckBox[check_cb_tcu] = new QCheckBox(QStringLiteral(" CB / TCU を強調表示する"), page);
    CheckBox[check_cb_tcu]->setToolTip(QStringLiteral(" ここを ON にすると、CB TCU が観測された場合に強調表示します "));
    place(CheckBox[check_cb_tcu], 5400, 240, 3600, 330);

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
            {check_condition1, check_vertical1, {{"雲高が", threshold_cloud1, "フィート未満の場合", swatch_cloud1, true}, {"視程が", threshold_visibility1, "メートル未満の場合", swatch_visibility1, false}}},
            {check_condition2,
             check_vertical2,
             {{"雲高が", threshold_cloud2, "フィート未満の場合", swatch_cloud2, true},
              {"視程が", threshold_visibility2, "メートル未満の場合、または", -1, false},
              {"RVR が", threshold_rvr2, "メートル未満の場合", swatch_visibility2, false}}},
            {check_condition3,
             check_vertical3,
             {{"雲高が", threshold_cloud3, "フィート未満の場合", swatch_cloud3, true},
              {"視程が", threshold_visibility3, "メートル未満の場合、または", -1, false},
              {"RVR が", threshold_rvr3, "メートル未満の場合", swatch_visibility3, false}}},
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
    add_caption(page, QStringLiteral("表示文字のフォント"), 240, 200, 2880);
    cmb[combo_display_font] = add_combo(page, QStringLiteral(" 画面表示文字のフォントを設定します （等幅フォントを設定してください） "), 240, 460, 2880);
    add_caption(page, QStringLiteral("表示文字のサイズ"), 3360, 200, 1800);
    cmb[combo_display_size] = add_combo(page, QStringLiteral(" 画面表示文字のサイズを指定します "), 3360, 460, 900);
    add_caption(page, QStringLiteral("ポイント"), 4320, 500, 900);
    add_caption(page, QStringLiteral("表示領域の色"), 5400, 200, 1560);
    lbl[swatch_background] = new QLabel(page);
    lbl[swatch_background]->setToolTip(QStringLiteral(" 画面表示領域の色を設定します "));
    place(lbl[swatch_background], 5400, 460, 1320, 330);
    add_caption(page, QStringLiteral("表示文字の色"), 7080, 200, 1560);
    lbl[swatch_text] = new QLabel(page);
    lbl[swatch_text]->setToolTip(QStringLiteral(" 画面表示文字の色を設定します "));
    place(lbl[swatch_text], 7080, 460, 1320, 330);

    int top = build_display_switches(page);

    lbl[caption_buttons] = add_caption(page, QStringLiteral("コマンドボタン"), 240, top + 60, 1560);
    Option2[buttons_grey] = new QRadioButton(QStringLiteral("グレー"), page);
    place(Option2[buttons_grey], 1800, top, 1200, 330);
    Option2[buttons_colour] = new QRadioButton(QStringLiteral("カラー"), page);
    place(Option2[buttons_colour], 3000, top, 1200, 330);
    top += 420;
    CheckBox[check_sequence] = new QCheckBox(QStringLiteral(" METAR シーケンスを取得する"), page);
    CheckBox[check_sequence]->setToolTip(QStringLiteral(" ここを ON にすると、METAR シーケンスを取得します "));
    place(CheckBox[check_sequence], 240, top, 4440, 330);
    top += 390;
    cmb[combo_sequence_hours] = add_combo(page, QStringLiteral(" METAR シーケンスを取得する時間帯を指定します "), 600, top, 720);
    lbl[caption_sequence] = add_caption(page, QStringLiteral("時間前まで取得"), 1440, top + 40, 1800);

    lbl[caption_display_sample] = add_caption(page, QStringLiteral("表示サンプル"), 4920, 1000, 2400);
    viewSample[sample_display] = add_sample(page, QStringLiteral("viewSample_0"));
    viewSample[sample_display]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    place(viewSample[sample_display], 4920, 1300, 5640, 3900);
    VScroll = new QScrollBar(Qt::Vertical, page);
    VScroll->setObjectName(QStringLiteral("VScroll"));
    place(VScroll, 10560, 1300, 255, 3900);
}

// The display switches, with the colour swatches and the time-difference
// list beside their rows. Returns the top of the row below them.
int opton::build_display_switches(QWidget* page)
{
    const SwitchRow rows[] = {
            {check_display_bold, " 表示文字をボールド（太字）にする", " ここを ON にすると、画面表示文字をボールド （太字） で表示します "},
            {check_clear_screen, " データ更新時に前画面をクリアーする", " ここを ON にすると、前のデータを消去してから新しいデータを表示します "},
            {check_scroll_bar, " 表示領域にスクロールバーを表示する", " ここを ON にすると、画面右側にスクロールバーを表示します "},
            {check_top_line, " データ更新時に先頭行を表示する", " ここを ON にすると、先頭の行を画面の上部に表示します "},
            {check_popup_menu, " ポップアップ メニューを表示する", " ここを ON にすると、右クリックでポップアップ メニューを表示します "},
            {check_speci_colour, " 特別通報を着色表示する", " ここを ON にすると、特別通報 (SPECI、AMD、COR 等) を着色して表示します "},
            {check_weather_colour, " 天気略語を着色表示する", " ここを ON にすると、天気略語を着色して表示します "},
            {check_local_time, " LOCAL TIME を使用する", nullptr},
            {check_scratch_pad, " スクラッチパッドを表示する", " ここを ON にすると、スクラッチパッドを表示します "},
    };
    int top = 1020;
    for (const SwitchRow& r : rows) {
        CheckBox[r.index] = new QCheckBox(QString::fromUtf8(r.caption), page);
        if (r.tip)
            CheckBox[r.index]->setToolTip(QString::fromUtf8(r.tip));
        const bool with_control = r.index == check_speci_colour || r.index == check_weather_colour || r.index == check_local_time;
        place(CheckBox[r.index], 240, top, with_control ? 3600 : 4440, 330);
        top += 360;
    }
    const int row21 = 1020 + 5 * 360;
    lbl[swatch_speci] = new QLabel(page);
    lbl[swatch_speci]->setToolTip(QStringLiteral(" 特別通報の色を設定します "));
    place(lbl[swatch_speci], 3960, row21 + 30, 600, 270);
    lbl[swatch_weather] = new QLabel(page);
    lbl[swatch_weather]->setToolTip(QStringLiteral(" 天気略語の色を設定します "));
    place(lbl[swatch_weather], 3960, row21 + 390, 600, 270);
    cmb[combo_time_difference] = new QComboBox(page);
    cmb[combo_time_difference]->setToolTip(QStringLiteral(" 協定世界時 (UTC) との時差を指定します "));
    place(cmb[combo_time_difference], 3960, row21 + 720, 780, 330);
    return top;
}

void opton::build_print_tab(QWidget* page)
{
    add_caption(page, QStringLiteral("印刷文字のフォント"), 240, 200, 2880);
    cmb[combo_print_font] = add_combo(page, QStringLiteral(" 印刷文字のフォントを設定します （等幅フォントを設定してください） "), 240, 460, 2880);
    add_caption(page, QStringLiteral("印刷文字のサイズ"), 3360, 200, 1800);
    cmb[combo_print_size] = add_combo(page, QStringLiteral(" 印刷文字のサイズを設定します "), 3360, 460, 900);
    add_caption(page, QStringLiteral("ポイント"), 4320, 500, 900);

    CheckBox[check_print_bold] = new QCheckBox(QStringLiteral(" 印刷文字をボールド（太字）にする"), page);
    CheckBox[check_print_bold]->setToolTip(QStringLiteral(" ここを ON にすると、文字をボールド （太字） で印刷します "));
    place(CheckBox[check_print_bold], 240, 1020, 5200, 330);
    CheckBox[check_print_on_update] = new QCheckBox(QStringLiteral(" データ更新の都度プリンターに自動出力する"), page);
    CheckBox[check_print_on_update]->setToolTip(QStringLiteral(" ここを ON にすると、データが更新される都度 印刷します "));
    place(CheckBox[check_print_on_update], 240, 1380, 5200, 330);
    Option1[print_always] = new QRadioButton(QStringLiteral("常時出力"), page);
    Option1[print_always]->setToolTip(QStringLiteral(" ここを ON にすると、常時出力します "));
    place(Option1[print_always], 600, 1740, 1440, 330);
    Option1[print_timed] = new QRadioButton(QStringLiteral("時刻指定"), page);
    Option1[print_timed]->setToolTip(QStringLiteral(" ここを ON にすると、指定時刻の間、出力します "));
    place(Option1[print_timed], 2160, 1740, 1440, 330);

    const char* tips[] = {" 印刷開始 「時」 を設定します ", " 印刷開始 「分」 を設定します ",
                          " 印刷終了 「時」 を設定します ", " 印刷終了 「分」 を設定します "};
    const char* words[] = {"時", "分から", "時", "分の間"};
    const int word_width[] = {300, 780, 300, 780};
    int left = 600;
    for (int i = 0; i < 4; ++i) {
        cmb[combo_start_hour + i] = add_combo(page, QString::fromUtf8(tips[i]), left, 2100, 660);
        lbl[caption_print_window + i] = add_caption(page, QString::fromUtf8(words[i]), left + 700, 2140, word_width[i]);
        left += 700 + word_width[i] + 40;
    }
    CheckBox[check_printer_dialog] = new QCheckBox(QStringLiteral(" 印刷の都度プリンター選択ダイアログを表示する"), page);
    CheckBox[check_printer_dialog]->setToolTip(QStringLiteral(" ここを ON にすると、印刷の都度プリンター選択画面を表示します "));
    place(CheckBox[check_printer_dialog], 240, 2580, 5400, 330);

    lbl[caption_printer] = add_caption(page, QStringLiteral(" 自動出力先プリンター "), 240, 3060, 3000);
    lbl[label_printer] = new QLabel(QStringLiteral("利用可能なプリンターがありません"), page);
    lbl[label_printer]->setObjectName(QStringLiteral("lbl_47"));
    lbl[label_printer]->setToolTip(QStringLiteral(" 現在設定されている自動出力先のプリンターです "));
    lbl[label_printer]->setFrameShape(QFrame::Panel);
    lbl[label_printer]->setFrameShadow(QFrame::Sunken);
    place(lbl[label_printer], 240, 3360, 5200, 330);
    cmd[button_printer_setup]->setParent(page);
    cmd[button_printer_setup]->setText(QStringLiteral("プリンター設定"));
    cmd[button_printer_setup]->setToolTip(QStringLiteral(" 自動出力で使用するプリンターを設定します "));
    place(cmd[button_printer_setup], 240, 3840, 1620, 420);
    cmd[button_print_test]->setParent(page);
    cmd[button_print_test]->setText(QStringLiteral("印字テスト"));
    cmd[button_print_test]->setToolTip(QStringLiteral(" プリンターの印字テストを行います "));
    place(cmd[button_print_test], 2040, 3840, 1620, 420);

    lbl[caption_print_sample] = add_caption(page, QStringLiteral("印字サンプル"), 5700, 1000, 2400);
    viewSample[sample_print] = add_sample(page, QStringLiteral("viewSample_1"));
    place(viewSample[sample_print], 5700, 1300, 5160, 3900);
}

}  // namespace kolde_sub
