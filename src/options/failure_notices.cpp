#include "options/failure_notices.h"

#include "platform/msg_box.h"

namespace kolde_sub {

void tell_print_failed(QWidget* parent)
{
    platform::msg_box(parent, platform::MsgIcon::Critical, QStringLiteral(" エラー"),
                      QStringLiteral("印刷できませんでした　　"));
}

void tell_settings_not_stored(QWidget* parent)
{
    platform::msg_box(parent, platform::MsgIcon::Critical, QStringLiteral(" エラー"),
                      QStringLiteral("動作設定 を保存できませんでした。変更は保存されていません　　"));
}

}  // namespace kolde_sub
