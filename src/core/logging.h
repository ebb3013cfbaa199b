// Developer diagnostics: one logging category per module, so that a failure
// at a boundary (store, network, file) leaves a trace on standard error even
// where the user sees nothing. Switch them with QT_LOGGING_RULES, for
// example "kolde.*.debug=true".
#pragma once

#include <QLoggingCategory>

namespace kolde_sub {

Q_DECLARE_LOGGING_CATEGORY(lc_core)
Q_DECLARE_LOGGING_CATEGORY(lc_files)
Q_DECLARE_LOGGING_CATEGORY(lc_startup)
Q_DECLARE_LOGGING_CATEGORY(lc_reports)
Q_DECLARE_LOGGING_CATEGORY(lc_mainwin)
Q_DECLARE_LOGGING_CATEGORY(lc_translate)
Q_DECLARE_LOGGING_CATEGORY(lc_options)
Q_DECLARE_LOGGING_CATEGORY(lc_sidewin)

}  // namespace kolde_sub
