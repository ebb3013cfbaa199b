#include "editors/airportedit.h"

#include "core/database.h"
#include "core/program.h"
#include "core/shared.h"
#include "core/twips.h"
#include "editors/editor_kit.h"
#include "platform/msg_box.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace kolde_sub {

namespace {

const QString confirm_title = QStringLiteral(" 確認");

void tell(QWidget* parent, const QString& text)
{
    platform::msg_box(parent, platform::MsgIcon::Information, confirm_title, text);
}

// The stored name of the first saved airport whose code is exactly code;
// no value when none has it.
std::optional<QString> registered_name(const QString& code)
{
    platform::Recordset& rs = rs_airport();
    if (rs.record_count() == 0)
        return std::nullopt;
    for (rs.move_first(); !rs.eof(); rs.move_next()) {
        if (rs.field(QStringLiteral("ICAOコード")).to_text() == code)
            return rs.field(QStringLiteral("飛行場名")).to_text();
    }
    return std::nullopt;
}

}  // namespace

airportedit::airportedit(AirportEntry entry, QWidget* parent) : QDialog(parent), entry_(std::move(entry))
{
    setObjectName(QStringLiteral("airportedit"));
    setModal(true);
    setFixedSize(px(3870), px(1395));

    const QFont box_font(QStringLiteral("ＭＳ ゴシック"));
    const struct {
        int left, width;
        const char* caption;
        const char* tip;
    } boxes[2] = {{300, 855, "ICAOコード", " ICAO ４レター名を入力 "},
                  {1380, 2175, "飛行場名称", " 飛行場名を入力 "}};
    for (int i = 0; i < 2; ++i) {
        lbl[i] = new QLabel(QString::fromUtf8(boxes[i].caption), this);
        lbl[i]->setObjectName(QStringLiteral("lbl_%1").arg(i));
        lbl[i]->setGeometry(px(boxes[i].left), px(120), px(i == 0 ? 1035 : boxes[i].width), px(255));
        // The box stands inside its white frame with the grey border.
        TextBox[i] = new QLineEdit(this);
        TextBox[i]->setObjectName(QStringLiteral("TextBox_%1").arg(i));
        TextBox[i]->setFont(box_font);
        TextBox[i]->setToolTip(QString::fromUtf8(boxes[i].tip));
        TextBox[i]->setStyleSheet(QStringLiteral("QLineEdit { background: white; border: 1px solid #808080; }"));
        TextBox[i]->setGeometry(px(boxes[i].left - 45), px(405 - 60), px(boxes[i].width + 90), px(195 + 120));
        TextBox[i]->installEventFilter(this);
    }
    TextBox[0]->setMaxLength(4);
    make_code_field(TextBox[0]);
    connect(TextBox[0], &QLineEdit::textEdited, this, [this] { TextBox_KeyDown(0); });

    const int left[2] = {1320, 2520};
    for (int i = 0; i < 2; ++i) {
        cmd[i] = new QPushButton(this);
        cmd[i]->setObjectName(QStringLiteral("cmd_%1").arg(i));
        cmd[i]->setGeometry(px(left[i]), px(840), px(1100), px(375));
        connect(cmd[i], &QPushButton::clicked, this, [this, i] { cmd_Click(i); });
    }
    cmd[1]->setText(QStringLiteral("キャンセル"));
    no_default_buttons(this);
    hover = new HoverButtons({cmd[0], cmd[1]}, {this});
    setTabOrder(TextBox[0], TextBox[1]);
    setTabOrder(TextBox[1], cmd[0]);
    setTabOrder(cmd[0], cmd[1]);

    Form_Load();
    TextBox[0]->setFocus();
}

void airportedit::Form_Load()
{
    setWindowTitle(u' ' + entry_.mode);
    const bool modify = entry_.mode == modify_airport_mode;
    if (modify) {
        TextBox[0]->setText(entry_.code);
        TextBox[1]->setText(entry_.name);
        cmd[0]->setText(QStringLiteral("修  正"));
        cmd[0]->setToolTip(QStringLiteral(" 情報を修正して終了 "));
        cmd[1]->setToolTip(QStringLiteral(" 情報の修正をキャンセルして終了 "));
    } else {
        cmd[0]->setText(QStringLiteral("追  加"));
        cmd[0]->setToolTip(QStringLiteral(" 情報を追加して終了 "));
        cmd[1]->setToolTip(QStringLiteral(" 情報の追加をキャンセルして終了 "));
    }
    postpone_next_cycle();
}

void airportedit::TextBox_GotFocus(int index)
{
    // The code box's keyboard (input method off, Caps Lock on) is switched by
    // the code field itself; the name box takes Japanese.
    if (index == 1)
        ime_set_open(TextBox[1], true);
}

void airportedit::TextBox_KeyDown(int index)
{
    if (index == 0)
        code_edited = true;
}

void airportedit::TextBox_LostFocus(int index)
{
    TextBox[0]->setText(TextBox[0]->text().toUpper());
    if (index != 0 || !code_edited || entry_.mode != add_airport_mode || rs_airport().record_count() == 0) {
        caps_lock_off();
        return;
    }
    code_edited = false;
    if (!refuse_registered(TextBox[0]->text()))
        caps_lock_off();
}

bool airportedit::refuse_registered(const QString& code)
{
    const std::optional<QString> name = registered_name(code);
    if (!name)
        return false;
    TextBox[1]->setText(*name);
    TextBox[0]->setFocus();
    tell(this, code + QStringLiteral(" はすでに登録されています　　"));
    return true;
}

void airportedit::cmd_Click(int index)
{
    if (index != 0) {
        reject();
        return;
    }
    entry_.code = trim_blanks(TextBox[0]->text());
    entry_.name = trim_blanks(TextBox[1]->text());
    if (entry_.code.isEmpty()) {
        tell(this, QStringLiteral("飛行場略号（ICAO 4 Letter）を入力してください　　"));
        TextBox[0]->setFocus();
        return;
    }
    if (entry_.name.isEmpty()) {
        tell(this, QStringLiteral("飛行場名を入力してください　　"));
        TextBox[1]->setFocus();
        return;
    }
    if (entry_.mode == add_airport_mode && refuse_registered(entry_.code))
        return;
    accept();
}

void airportedit::done(int result)
{
    if (result != QDialog::Accepted)
        entry_.mode = cancel_mode;
    // The focus leaving the code box as the dialog goes runs no more tests.
    code_edited = false;
    caps_lock_off();
    QDialog::done(result);
}

bool airportedit::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 2; ++i) {
        if (watched != TextBox[i])
            continue;
        if (event->type() == QEvent::FocusIn) {
            TextBox_GotFocus(i);
        } else if (event->type() == QEvent::KeyPress) {
            TextBox_KeyDown(i);
        } else if (event->type() == QEvent::FocusOut) {
            // Another window taking the focus (a message box, a pop-up menu)
            // does not move it away from the box.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                TextBox_LostFocus(i);
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kolde_sub
