// Libraries opened at run time are looked for where the loader looks for the program's own: a
// library in a folder of the program's run path is found there, also under the sanitizers, whose
// dlopen searches their runtime's run path instead of the program's.
#include "platform/system/SharedLibrary.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using platform::SharedLibrary;

namespace {

// Whether the test library of the run path's folder is loaded (that very file).
bool PrivateLibraryLoaded()
{
    void* loaded = dlopen(VISTREL_TEST_PRIVATE_DIR "/libvistrel_test_private.so", RTLD_NOW | RTLD_NOLOAD);
    if (loaded)
        dlclose(loaded);
    return loaded != nullptr;
}

}  // namespace

// Closed, a library stays loaded: its code may still run while the program ends (a sound callback,
// a synthesiser's thread).
// (First in this file: the others load the library for good.)
TEST(SharedLibrary, AClosedLibraryStaysLoaded)
{
    if (PrivateLibraryLoaded())
        GTEST_SKIP() << "loaded already by an earlier test";
    {
        const SharedLibrary library("libvistrel_test_private.so");
        ASSERT_TRUE(library.isOpen()) << library.error().toStdString();
    }
    EXPECT_TRUE(PrivateLibraryLoaded());
}

TEST(SharedLibrary, ALibraryInTheProgramsRunPathIsFoundThere)
{
    SharedLibrary library("libvistrel_test_private.so");
    ASSERT_TRUE(library.isOpen()) << library.error().toStdString();
    EXPECT_EQ(library.soname(), QStringLiteral("libvistrel_test_private.so"));
    int (*answer)() = nullptr;
    ASSERT_TRUE(library.resolve(answer, "vistrel_private_answer"));
    EXPECT_EQ(answer(), 42);
    int (*missing)() = nullptr;
    EXPECT_FALSE(library.resolve(missing, "vistrel_no_such_function"));
    EXPECT_TRUE(library.error().contains(QStringLiteral("vistrel_no_such_function")));
    EXPECT_TRUE(PrivateLibraryLoaded());
}

TEST(SharedLibrary, ALibraryInNoSearchedFolderIsNotFoundAndSaysSo)
{
    SharedLibrary library("libvistrel_test_elsewhere.so");
    EXPECT_FALSE(library.isOpen());
    EXPECT_TRUE(library.error().contains(QStringLiteral("libvistrel_test_elsewhere.so")));
    int (*answer)() = nullptr;
    EXPECT_FALSE(library.resolve(answer, "vistrel_private_answer"));
}

TEST(SharedLibrary, ASystemLibraryOpensThroughTheSystemsFolders)
{
    const SharedLibrary c("libm.so.6");
    EXPECT_TRUE(c.isOpen()) << c.error().toStdString();
}
