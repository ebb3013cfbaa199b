#include "core/logging.h"

namespace kolde_sub {

Q_LOGGING_CATEGORY(lc_core, "kolde.core", QtWarningMsg)
Q_LOGGING_CATEGORY(lc_files, "kolde.files", QtWarningMsg)
Q_LOGGING_CATEGORY(lc_startup, "kolde.startup", QtWarningMsg)
Q_LOGGING_CATEGORY(lc_reports, "kolde.reports", QtWarningMsg)
Q_LOGGING_CATEGORY(lc_mainwin, "kolde.mainwin", QtWarningMsg)
Q_LOGGING_CATEGORY(lc_translate, "kolde.translate", QtWarningMsg)
Q_LOGGING_CATEGORY(lc_options, "kolde.options", QtWarningMsg)
Q_LOGGING_CATEGORY(lc_sidewin, "kolde.sidewin", QtWarningMsg)

}  // namespace kolde_sub
