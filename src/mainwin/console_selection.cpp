#include "console_selection.h"

#include <algorithm>

namespace kolde_sub {

namespace {

bool separates_groups(QChar c)
{
    switch (c.unicode()) {
    case u' ':
    case u'\t':
    case u'\r':
    case u'\n':
    case 0x3000:  // ideographic space
    case 0x2028:  // line separator
    case 0x2029:  // paragraph separator
        return true;
    default:
        return false;
    }
}

}  // namespace

ConsoleSelection console_group_at(const QString& text, int position)
{
    const int size = static_cast<int>(text.size());
    int at = std::clamp(position, 0, size);
    const auto in_group = [&](int i) { return i >= 0 && i < size && !separates_groups(text[i]); };
    if (!in_group(at)) {
        if (!in_group(at - 1))
            return {at, 0};
        --at;
    }
    int start = at;
    while (in_group(start - 1))
        --start;
    int end = at + 1;
    while (in_group(end))
        ++end;
    return {start, end - start};
}

}  // namespace kolde_sub
