// The console's text control: a rich-text box that hands whatever is
// pasted into it (from the keyboard, with the middle button or by a drop)
// to on_paste as plain text instead of inserting it itself.
#pragma once

#include <QMimeData>
#include <QTextEdit>

#include <functional>

namespace kolde_sub {

class ConsoleEdit : public QTextEdit {
public:
    using QTextEdit::QTextEdit;

    std::function<void(const QString&)> on_paste;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override { return source->hasText(); }
    void insertFromMimeData(const QMimeData* source) override
    {
        if (on_paste && source->hasText())
            on_paste(source->text());
    }
};

}  // namespace kolde_sub
