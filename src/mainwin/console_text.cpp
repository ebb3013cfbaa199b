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

}  // namespace kolde_sub
