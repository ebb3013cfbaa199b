#include "editors.h"

#include "core/window_flags.h"

namespace kolde_sub {

// TODO(editors): the grids, their editing and saving replace these windows.

airport::airport(QWidget* parent)
    : placeholder_window(QStringLiteral("airport"), QStringLiteral(" 飛行場リスト"),
                         QStringLiteral("飛行場リストの編集は準備中です。"), true, parent)
{
}

decodelist::decodelist(QWidget* parent)
    : placeholder_window(QStringLiteral("decodelist"), QStringLiteral(" 自動デコード"),
                         QStringLiteral("自動デコードリストの編集は準備中です。"), true, parent)
{
}

}  // namespace kolde_sub
