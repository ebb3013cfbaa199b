#include "save_rules.h"

#include "core/files.h"
#include "core/shared.h"

#include <QDir>

namespace kolde_sub {

std::function<QString(const QString& proposed)> save_file_chooser;

QString proposed_save_path() { return QDir::homePath() + QStringLiteral("/KOLDE.txt"); }

QString overwrite_question(const QString& path)
{
    return path + QStringLiteral(" はすでに存在します  ") + QStringLiteral("\r\r") + QStringLiteral("上書きしますか？　　");
}

QString save_file_content(const QString& console, const QDateTime& at)
{
    return console + QStringLiteral("\r\n") + date_text(at.date()) + u' '
           + at.time().toString(QStringLiteral("hh:mm:ss")) + QStringLiteral("\r\n");
}

bool write_text_file(const QString& path, const QString& text)
{
    // The system's code page of a Linux desktop is UTF-8.
    return write_file_atomically(path, text.toUtf8());
}

}  // namespace kolde_sub
