#include "display_settings.h"

#include "layout.h"
#include "view.h"

#include "core/settings.h"
#include "core/shared.h"

#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextEdit>

namespace kolde_sub {

namespace {

// A switch of this window counts as on only when it holds True.
bool is_on(const char* field) { return setting(QString::fromUtf8(field)).to_int() == -1; }

void set_base_colour(QTextEdit* box, const QColor& c)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, c);
    box->setPalette(pal);
}

}  // namespace

void apply_display_settings(view& v)
{
    QTextEdit* console = v.TextBox[0];
    // 1.
    console->hide();

    // 2.
    const QColor background = bgr_color(setting_int(QStringLiteral("表示領域の色")));
    for (int i = 0; i < 3; ++i)
        set_base_colour(v.TextBox[i], background);

    // 3. - 5. The whole text takes the font, colour, size and bold; so does
    //         the caret, so text added later follows them.
    const QString family = setting_text(QStringLiteral("表示文字のフォント"));
    const QColor text_colour = bgr_color(setting_int(QStringLiteral("表示文字の色")));
    const int size = static_cast<int>(setting_int(QStringLiteral("表示文字のサイズ")));
    const bool bold = is_on("表示文字のボールド");

    QFont font = console->font();
    font.setFamilies({family});
    if (size > 0)
        font.setPointSize(size);
    font.setBold(bold);
    // Report text needs no complex-script shaping; without it laying out a
    // long console is markedly faster.
    font.setStyleStrategy(QFont::PreferNoShaping);
    console->setFont(font);
    QPalette pal = console->palette();
    pal.setColor(QPalette::Text, text_colour);
    console->setPalette(pal);

    QTextCharFormat format;
    format.setFontFamilies(QStringList{family});
    format.setForeground(text_colour);
    if (size > 0)
        format.setFontPointSize(size);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    QTextCursor all(console->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(format);

    // 6.
    QFont status_font = v.StatusBar->font();
    status_font.setFamilies({family});
    v.StatusBar->setFont(status_font);

    // 7.
    console->moveCursor(QTextCursor::End);
    console->mergeCurrentCharFormat(format);

    // 8. The cover box hides the scroll bar's place when it is off.
    if (is_on("スクロールバーを表示")) {
        v.TextBox[2]->hide();
        console->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    } else {
        v.TextBox[2]->show();
        console->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    // 9.
    const bool pad = is_on("PAD表示");
    v.padshape->setVisible(pad);
    v.padlbl->setVisible(pad);

    // 10.
    console->show();

    // 11.
    const bool grey_faces = is_on("コマンドボタン");
    for (int i = 18; i <= 35; ++i)
        v.img[i]->setVisible(grey_faces);

    // 12. The grey faces of the browser buttons follow the browser buttons.
    const bool browser = is_on("ブラウザー");
    v.Frame->resize(px(browser ? 6855 : 5670), v.Frame->height());
    v.padshape->move(px(browser ? 6980 : 5745), v.padshape->y());
    v.Shape1->setVisible(browser);
    for (int i = 15; i <= 17; ++i) {
        v.img[i]->setVisible(browser);
        v.img[i + 18]->setVisible(browser);
    }
}

}  // namespace kolde_sub
