// Developer diagnostics of the platform stand-ins: a failure at the store or
// at a network transfer leaves a warning on standard error even where the
// user sees nothing. Switch them with QT_LOGGING_RULES, for example
// "kolde.store.warning=false".
#pragma once

#include <QLoggingCategory>

namespace platform {

Q_DECLARE_LOGGING_CATEGORY(lc_store)
Q_DECLARE_LOGGING_CATEGORY(lc_transfer)

}  // namespace platform
