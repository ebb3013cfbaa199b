#include "console_text.h"

#include <algorithm>

namespace kolde_sub {

QString to_edit_text(const QString& console)
{
    QString out;
    out.reserve(console.size());
    for (qsizetype i = 0; i < console.size(); ++i) {
        const QChar c = console.at(i);
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < console.size() && console.at(i + 1) == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString from_edit_text(const QString& edit)
{
    QString out;
    out.reserve(edit.size() + edit.count(u'\n'));
    for (const QChar c : edit) {
        if (c == u'\n')
            out += QLatin1String("\r\n");
        else
            out += c;
    }
    return out;
}

namespace {
// A LF that follows a CR belongs to the CR's break.
bool second_half_of_break(const QString& s, qsizetype i)
{
    return s.at(i) == u'\n' && i > 0 && s.at(i - 1) == u'\r';
}
}  // namespace

int edit_position(const QString& console, int pos)
{
    const qsizetype end = std::clamp<qsizetype>(pos, 0, console.size());
    int n = 0;
    for (qsizetype i = 0; i < end; ++i) {
        if (!second_half_of_break(console, i))
            ++n;
    }
    return n;
}

int console_position(const QString& console, int edit_pos)
{
    int n = 0;
    qsizetype i = 0;
    while (i < console.size() && n < edit_pos) {
        if (!second_half_of_break(console, i))
            ++n;
        ++i;
    }
    // Step over the LF of a break just passed.
    while (i < console.size() && second_half_of_break(console, i))
        ++i;
    return static_cast<int>(i);
}

}  // namespace kolde_sub
