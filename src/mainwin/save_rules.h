// The rules of saving the console as text that need no window: the proposed
// file, the question before overwriting, the file's content and its safe
// writing.
#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

namespace kolde_sub {

// Replaces the save dialog (for tests): gets the proposed path and returns
// the chosen one, empty for a cancelled dialog. Empty: the real dialog.
// Shared state, owner the tests, which set it; the program never does.
extern std::function<QString(const QString& proposed)> save_file_chooser;

// "KOLDE.txt" in the user's home folder.
QString proposed_save_path();

// The text of the question before an existing file is overwritten.
QString overwrite_question(const QString& path);

// The saved text: the console text, CR LF, "mm-dd-yyyy hh:mm:ss", CR LF.
QString save_file_content(const QString& console, const QDateTime& at);

// Writes text to path in the system's encoding (UTF-8 on Linux). The text
// goes into a temporary file beside the target that replaces the target only
// once it is completely written, so a failed write leaves an existing file
// as it was. False on any failure.
bool write_text_file(const QString& path, const QString& text);

}  // namespace kolde_sub
