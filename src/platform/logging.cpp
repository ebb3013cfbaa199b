#include "platform/logging.h"

namespace platform {

Q_LOGGING_CATEGORY(lc_store, "kolde.store", QtWarningMsg)
Q_LOGGING_CATEGORY(lc_transfer, "kolde.transfer", QtWarningMsg)

}  // namespace platform
