// main() of every test executable, in place of GoogleTest's own: the
// test-support library is a static library, and only a symbol that an
// executable needs pulls a file out of it. Every test executable lists this
// library before gtest_main, so main() comes from here. It sets up what the
// program's own main() sets up before any window (the font substitutions),
// so no test depends on which ran first.
#include "mainwin/fonts.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The fonts as the program has them from its start, whatever test runs first.
    kolde_sub::install_font_substitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
