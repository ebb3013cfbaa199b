// Whether the web engine can start in this process.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// What decides whether the web engine can start. Run as root, its sandbox
// refuses to start (and takes the process down with it) unless the
// sandbox is switched off; without its helper program it cannot start at all.
struct WebEngineEnvironment {
    bool root = false;
    QString chromium_flags;        // $QTWEBENGINE_CHROMIUM_FLAGS
    bool sandbox_disabled = false; // $QTWEBENGINE_DISABLE_SANDBOX set, not "0"
    QStringList arguments;         // the program's command line
    bool helper_found = false;     // the engine's helper program exists
};
bool webengine_can_start(const WebEngineEnvironment& env);
WebEngineEnvironment current_webengine_environment();

}  // namespace platform
