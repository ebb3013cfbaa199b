// Reads a report body group by group for the Japanese translation.
#pragma once

#include <QStringView>

namespace kolde_sub::jp {

// Groups are separated by blanks (the caller has turned line breaks into
// blanks). Runs of blanks give no empty groups, and the words "LAST" and
// "FIRST" are passed over. Every group is read once: past the last group
// next() gives an empty group, and push_back() only ever puts back the group
// that was really read. The text must outlive the reader.
class GroupReader {
public:
    explicit GroupReader(QStringView text) : text_(text) {}

    // The next group; empty once the text is used up.
    QStringView next();
    // The group next() gave last is read again by the next call of next().
    // Nothing happens after next() found the end.
    void push_back();
    // No group follows the one next() gave last (true too once next() found
    // the end, and false again after push_back()).
    bool last() const { return last_; }
    // The text that next() has not read yet.
    QStringView rest() const { return text_.sliced(pos_); }
    // The group next() gave last ends after its first length characters:
    // the next call of next() reads the rest of it as a group of its own.
    void split_current(qsizetype length);
    // Continues reading at a character offset of rest(); an offset beyond
    // the end ends the text.
    void skip(qsizetype offset);

private:
    bool group_follows(qsizetype from) const;

    QStringView text_;
    qsizetype pos_ = 0;            // where next() goes on
    qsizetype current_start_ = 0;  // where the group last read began
    bool current_read_ = false;    // next() gave a group (not the end)
    bool last_ = false;
};

}  // namespace kolde_sub::jp
