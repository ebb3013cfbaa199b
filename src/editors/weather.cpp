#include "editors/weather.h"

#include "core/database.h"
#include "core/files.h"
#include "core/shared.h"
#include "core/twips.h"
#include "editors/editor_kit.h"
#include "platform/msg_box.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPixmap>
#include <QTableWidget>
#include <QUrl>

namespace kolde_sub {

namespace {

const QString check_title = QStringLiteral(" 確認");
const QString picture_name = QStringLiteral("名称");
const QString picture_bytes = QStringLiteral("データ");

// Puts the picture registry on the row whose name is exactly name; false
// (and the recordset at its end) when there is none.
bool seek_picture_row(platform::Recordset& rs, const QString& name)
{
    if (rs.record_count() == 0)
        return false;
    for (rs.move_first(); !rs.eof(); rs.move_next()) {
        if (rs.field(picture_name).to_text() == name)
            return true;
    }
    return false;
}

QList<GridRow> table_rows(platform::Recordset& rs, const QString& first, const QString& second)
{
    QList<GridRow> rows;
    if (rs.record_count() == 0)
        return rows;
    for (rs.move_first(); !rs.eof(); rs.move_next())
        rows.append({rs.field(first).to_text(), second.isEmpty() ? QString() : rs.field(second).to_text()});
    return rows;
}

// Leaves the picture's bytes in the hand-off file, as every other writer does.
void write_figure_file(const QByteArray& bytes)
{
    QDir().mkpath(program_path(QStringLiteral("data")));
    (void)write_file_atomically(program_path(QStringLiteral("data/figure.dat")), bytes);
}

}  // namespace

QString weather_caption(int mode)
{
    switch (mode) {
    case 1:
        return QStringLiteral(" 日本語解析");
    case 2:
        return QStringLiteral(" 画像登録");
    default:
        return QStringLiteral(" 気象略語編集");
    }
}

weather::weather(int mode, QWidget* parent)
    : grid_editor(QStringLiteral("weather"), weather_caption(0), parent), mode_(mode)
{
    lbl[2]->setText(QStringLiteral("天気略語"));
    lbl[3]->setText(QStringLiteral("意 味"));

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(px(7230), px(4425), px(1095), px(1095));
    Picture1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setAcceptDrops(true);
    Picture1->installEventFilter(this);
    Picture1->hide();

    Form_Load();
}

weather::~weather() = default;

void weather::Form_Load()
{
    switch (mode_) {
    case 0: {
        const QList<GridRow> rows = table_rows(rs_abbrev(), QStringLiteral("略語"), QStringLiteral("意味"));
        fill(rows);
        menu_del->setEnabled(!rows.isEmpty());
        break;
    }
    case 1:
        setWindowTitle(weather_caption(1));
        fill(table_rows(rs_translation(), QStringLiteral("略語"), QStringLiteral("意味")));
        break;
    case 2:
        setWindowTitle(weather_caption(2));
        Picture1->show();
        fill(table_rows(rs_data(), picture_name, QString()));
        break;
    default:
        break;
    }
}

// The abbreviation types with the input method off and in upper case; the
// meaning in Japanese, as typed: Caps Lock, left on by the abbreviation when
// its box never heard it lost the focus, goes off again.
void weather::txt_GotFocus()
{
    if (selected_col == 0) {
        ime_set_open(txt, false);
        caps_lock_on();
    } else {
        ime_set_open(txt, true);
        caps_lock_off();
    }
}

void weather::txt_LostFocus()
{
    caps_lock_off();
    grid_editor::txt_LostFocus();
}

std::optional<QString> weather::checked_entry(int col, const QString& box_text)
{
    const QString trimmed = trim_blanks(box_text);
    if (col != 0)
        return trimmed;
    if (find_key_row(grid_rows(), trimmed) >= 0) {
        platform::msg_box(this, platform::MsgIcon::Information, check_title,
                          trimmed + QStringLiteral(" はすでに登録されています　　"));
        return std::nullopt;
    }
    return trimmed.toUpper();
}

void weather::row_selected()
{
    if (mode_ == 2)
        show_stored_picture();
}

void weather::show_preview(const QImage& image)
{
    QPixmap pixmap = QPixmap::fromImage(image);
    const QSize room = Picture1->contentsRect().size();
    if (pixmap.width() > room.width() || pixmap.height() > room.height())
        pixmap = pixmap.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Picture1->setPixmap(pixmap);
}

// Shows the picture stored for the selected name; a name without a stored
// picture clears the preview.
void weather::show_stored_picture()
{
    platform::Recordset& rs = rs_data();
    if (!seek_picture_row(rs, cell_text(selected_row, 0))) {
        Picture1->clear();
        return;
    }
    const qint64 size = rs.actual_size(picture_bytes);
    if (size == 0) {
        Picture1->clear();
        return;
    }
    const QByteArray bytes = rs.get_chunk(picture_bytes, size);
    write_figure_file(bytes);
    const QImage image = QImage::fromData(bytes);
    if (image.isNull()) {
        Picture1->clear();
        platform::msg_box(this, platform::MsgIcon::Warning, check_title,
                          QStringLiteral("登録されている画像を表示できません　　"));
        return;
    }
    show_preview(image);
}

// The picture is stored only into the registry row of the selected name,
// and only when it is a picture that can be shown.
void weather::Picture1_OLEDragDrop(const QStringList& files)
{
    if (mode_ != 2 || files.isEmpty())
        return;
    // Only an ordinary file is read: a device or a pipe could never end.
    QFile file(files.front());
    const QByteArray bytes =
        QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QImage image = QImage::fromData(bytes);
    if (image.isNull()) {
        platform::msg_box(this, platform::MsgIcon::Warning, check_title,
                          QStringLiteral("画像として読み込めないファイルです　　"));
        return;
    }
    show_preview(image);

    if (!row_exists(selected_row)) {
        platform::msg_box(this, platform::MsgIcon::Information, check_title,
                          QStringLiteral("写真を登録する名称を選んでください　　"));
        return;
    }
    const QString name = cell_text(selected_row, 0);
    const QString no_row = name + QStringLiteral(" は画像データに登録されていないため写真を登録できません　　");
    if (!seek_picture_row(rs_data(), name)) {
        platform::msg_box(this, platform::MsgIcon::Information, check_title, no_row);
        return;
    }
    if (platform::msg_box(this, platform::MsgIcon::Question, check_title, QStringLiteral("写真を登録しますか？　　"),
                          platform::MsgButtons::YesNo)
        != platform::MsgAnswer::Yes)
        return;

    write_figure_file(bytes);
    // Found again: the registry may have moved while the question was open.
    platform::Recordset& rs = rs_data();
    if (!seek_picture_row(rs, name) || !rs.set_field(picture_bytes, platform::Value::blob(bytes)) || !rs.update()) {
        platform::msg_box(this, platform::MsgIcon::Critical, QStringLiteral(" エラー"),
                          QStringLiteral("写真を登録できませんでした　　"));
    }
}

void weather::Form_QueryUnload()
{
    const QStringList columns{QStringLiteral("略語"), QStringLiteral("意味")};
    const QList<QList<platform::Value>> rows = ranked_rows_to_save(grid_rows(), false);
    if (mode_ == 0)
        save_editor_list(this, rs_abbrev(), QStringLiteral("気象略語"), columns, rows);
    else if (mode_ == 1)
        save_editor_list(this, rs_translation(), QStringLiteral("日本語解析"), columns, rows);
    caps_lock_off();
}

bool weather::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Picture1) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* e = static_cast<QDropEvent*>(event);
            if (e->mimeData()->hasUrls())
                e->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(event);
            QStringList files;
            for (const QUrl& url : e->mimeData()->urls()) {
                if (url.isLocalFile())
                    files << url.toLocalFile();
            }
            e->acceptProposedAction();
            // Questions and messages wait until the drop has ended.
            QMetaObject::invokeMethod(
                this, [this, files] { Picture1_OLEDragDrop(files); }, Qt::QueuedConnection);
            return true;
        }
        default:
            break;
        }
    }
    return grid_editor::eventFilter(watched, event);
}

}  // namespace kolde_sub
