// Test entry point: a QApplication lives for the whole run, so that widget, timer and posted-event
// tests behave as they do in the program.
#include <QApplication>
#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#endif

int main(int argc, char** argv)
{
#if defined(__SANITIZE_ADDRESS__)
    // Mesa's software renderer is unloaded when the display closes, before the leak check runs at
    // exit: its leftovers would then be reported under no library's name, and could not be told
    // apart from ours. Kept loaded, they are (tools/sanitizers/lsan.supp).
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
