// Libraries opened at run time: one kept beside an already loaded library is found there even
// though the loader's search does not reach that folder (as for the player's own FFmpeg under the
// sanitizers, whose dlopen searches their runtime's run path instead of the program's).
#include "platform/system/SharedLibrary.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using platform::SharedLibrary;

namespace {

struct LoadedNeighbour {
    void* handle = dlopen(VISTREL_TEST_BESIDE_DIR "/libvistrel_test_neighbour.so", RTLD_NOW | RTLD_LOCAL);
    ~LoadedNeighbour()
    {
        if (handle)
            dlclose(handle);
    }
};

}  // namespace

TEST(SharedLibrary, ALibraryBesideALoadedOneIsFoundThereAndOnlyThere)
{
    // Not loaded yet, and its folder is not searched: the plain search fails with the loader's words.
    const SharedLibrary alone("libvistrel_test_beside.so");
    EXPECT_FALSE(alone.isOpen());
    EXPECT_TRUE(alone.error().contains(QStringLiteral("libvistrel_test_beside.so")));
    const SharedLibrary unloadedNeighbour("libvistrel_test_beside.so", "libvistrel_test_neighbour.so");
    EXPECT_FALSE(unloadedNeighbour.isOpen());

    const LoadedNeighbour neighbour;
    ASSERT_NE(neighbour.handle, nullptr) << dlerror();
    SharedLibrary beside("libvistrel_test_beside.so", "libvistrel_test_neighbour.so");
    ASSERT_TRUE(beside.isOpen()) << beside.error().toStdString();
    EXPECT_EQ(beside.soname(), QStringLiteral("libvistrel_test_beside.so"));
    int (*answer)() = nullptr;
    ASSERT_TRUE(beside.resolve(answer, "vistrel_beside_answer"));
    EXPECT_EQ(answer(), 42);
    int (*missing)() = nullptr;
    EXPECT_FALSE(beside.resolve(missing, "vistrel_no_such_function"));
    EXPECT_TRUE(beside.error().contains(QStringLiteral("vistrel_no_such_function")));
}

// Closed, a library stays loaded: its code may still run while the program ends (a sound callback,
// a synthesiser's thread).
TEST(SharedLibrary, AClosedLibraryStaysLoaded)
{
    const LoadedNeighbour neighbour;
    ASSERT_NE(neighbour.handle, nullptr) << dlerror();
    {
        const SharedLibrary beside("libvistrel_test_beside.so", "libvistrel_test_neighbour.so");
        ASSERT_TRUE(beside.isOpen()) << beside.error().toStdString();
    }
    void* still = dlopen(VISTREL_TEST_BESIDE_DIR "/libvistrel_test_beside.so", RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(still, nullptr);
    if (still)
        dlclose(still);
}

TEST(SharedLibrary, ASystemLibraryStillOpensThroughTheSearchWhateverItsNeighbour)
{
    const SharedLibrary c("libm.so.6", "libvistrel-not-loaded.so.1");
    EXPECT_TRUE(c.isOpen()) << c.error().toStdString();
}
