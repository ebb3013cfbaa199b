// Turns a read or write of an unknown settings field into a failure of the
// running test, wherever in the program it happens: the settings readers log
// a warning for such a name (the assertion that would stop a debug build is
// off in the test build), and this message handler fails the test with it.
// Every other message goes on to the handler that was installed before.
//
// The handler is installed by main(), which this file provides in place of
// GoogleTest's own: the test-support library is a static library, and only a
// symbol that an executable needs pulls a file out of it, so a file holding
// nothing but a static initializer would never be linked. Every test
// executable lists this library before gtest_main, so main() comes from here.
// main() also sets up what the program's own main() sets up before any
// window (the font substitutions), so no test depends on which ran first.
#include "core/settings.h"
#include "mainwin/fonts.h"

#include <gtest/gtest.h>

#include <QtGlobal>

#include <cstring>

namespace {

QtMessageHandler previous_handler = nullptr;

bool is_unknown_setting(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    return type == QtWarningMsg && context.category != nullptr && std::strcmp(context.category, "kolde.core") == 0 &&
           message.startsWith(QLatin1String(kolde_sub::unknown_setting_warning));
}

void settings_guard(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (is_unknown_setting(type, context, message)) {
        ADD_FAILURE() << message.toStdString();
        return;
    }
    if (previous_handler != nullptr)
        previous_handler(type, context, message);
}

}  // namespace

int main(int argc, char** argv)
{
    previous_handler = qInstallMessageHandler(settings_guard);
    // The fonts as the program has them from its start, whatever test runs first.
    kolde_sub::install_font_substitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
