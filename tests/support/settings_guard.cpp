// main() of every test executable, in place of GoogleTest's own: the
// test-support library is a static library, and only a symbol that an
// executable needs pulls a file out of it. Every test executable lists this
// library before gtest_main, so main() comes from here. It sets up what the
// program's own main() sets up before any window (the font substitutions),
// so no test depends on which ran first.
#include "mainwin/fonts.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

// The variables that tests change are there from the start, empty when the
// run has none (the program reads an empty value as none): a test then
// changes values only. Adding a variable moves the environment's table,
// and a thread of the web engine reading the environment at that moment
// (faketime's waits do, at every timed wait) would read freed memory.
void settle_environment()
{
    for (const char* name : {"KOLDE_HOME", "KOLDE_REPORT_URL", "KOLDE_WEB_URL", "KOLDE_UPDATE_URL", "KOLDE_LOG_ECHO",
                             "KOLDE_MSGBOX_AUTO", "QTWEBENGINE_CHROMIUM_FLAGS", "QTWEBENGINE_PROCESS_PATH"})
        if (!qEnvironmentVariableIsSet(name))
            qputenv(name, QByteArray());
}

int main(int argc, char** argv)
{
    settle_environment();
    // The fonts as the program has them from its start, whatever test runs first.
    kolde_sub::install_font_substitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
