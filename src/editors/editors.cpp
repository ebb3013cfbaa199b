#include "editors.h"

#include "core/window_flags.h"

namespace kolde_sub {

// TODO(editors): the grids, their editing and saving replace these windows.

company::company(QWidget* parent)
    : placeholder_window(QStringLiteral("company"), QStringLiteral(" グループ編集"),
                         QStringLiteral("グループの編集は準備中です。"), true, parent)
{
}

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

weather::weather(QWidget* parent)
    : placeholder_window(QStringLiteral("weather"), weather_caption(weather_mode),
                         QStringLiteral("辞書の編集は準備中です。"), true, parent)
{
}

weather::~weather() { weather_mode = 0; }

}  // namespace kolde_sub
