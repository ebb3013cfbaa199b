#include "platform/web_engine.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>

#include <unistd.h>

namespace platform {

bool webengine_can_start(const WebEngineEnvironment& env)
{
    if (!env.helper_found)
        return false;
    if (!env.root || env.sandbox_disabled)
        return true;
    const QStringList flags = env.chromium_flags.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    return flags.contains(QStringLiteral("--no-sandbox")) || env.arguments.contains(QStringLiteral("--no-sandbox"));
}

WebEngineEnvironment current_webengine_environment()
{
    WebEngineEnvironment env;
    env.root = ::geteuid() == 0;
    env.chromium_flags = qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS");
    const QString disable = qEnvironmentVariable("QTWEBENGINE_DISABLE_SANDBOX");
    env.sandbox_disabled = qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX") && disable != QStringLiteral("0");
    env.arguments = QCoreApplication::arguments();
    QString helper = qEnvironmentVariable("QTWEBENGINE_PROCESS_PATH");
    if (helper.isEmpty())
        helper = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/QtWebEngineProcess");
    const QFileInfo fi(helper);
    env.helper_found = fi.isFile() && fi.isExecutable();
    return env;
}

}  // namespace platform
