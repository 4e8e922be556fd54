// FluidSynth opened at run time: MIDI files open and play through it, and a missing or wrong
// library is reported in the user's words instead of failing at the program's start.
#include "support/TestSupport.h"

#include "platform/media/FluidLibrary.h"
#include "platform/media/MidiSource.h"

#include <gtest/gtest.h>

using namespace media;

TEST(MidiLoading, TheProgramsLibraryOpensAndAMidiFileGetsItsLength)
{
    ASSERT_TRUE(FluidLibrary::shared().usable()) << FluidLibrary::shared().error().toStdString();
    EXPECT_TRUE(FluidLibrary::shared().error().isEmpty());
    MidiSource source;
    if (MidiSource::findSoundFont().isEmpty())
        GTEST_SKIP() << "no General MIDI sound font installed";
    ASSERT_EQ(source.open(testsupport::media("files/melody.mid")), S_OK);
    EXPECT_GT(source.duration(), 1.0);
    EXPECT_TRUE(source.error().isEmpty());
}

TEST(MidiLoading, AMissingLibraryRefusesMidiWithAFrenchMessageNamingIt)
{
    const FluidLibrary missing("libvistrel-no-such-synth.so.9");
    EXPECT_FALSE(missing.usable());
    EXPECT_TRUE(missing.error().startsWith(QStringLiteral("Impossible de lire les fichiers MIDI")));
    EXPECT_TRUE(missing.error().contains(QStringLiteral("libvistrel-no-such-synth.so.9")));

    MidiSource source(&missing);
    EXPECT_EQ(source.open(testsupport::media("files/melody.mid")), VFW_E_CANNOT_RENDER);
    EXPECT_EQ(source.error(), missing.error());
    EXPECT_EQ(source.duration(), 0.0);
    source.stop();  // nothing was started: stopping is harmless
}

TEST(MidiLoading, ALibraryWithoutTheSynthesiserFunctionsIsNotUsed)
{
    // The C library opens, but has none of the functions: it must not be taken for FluidSynth.
    const FluidLibrary wrong("libc.so.6");
    EXPECT_FALSE(wrong.usable());
    EXPECT_TRUE(wrong.error().contains(QStringLiteral("libc.so.6")));
    EXPECT_TRUE(wrong.error().contains(QStringLiteral("fluid_")));
    MidiSource source(&wrong);
    EXPECT_EQ(source.open(testsupport::media("files/melody.mid")), VFW_E_CANNOT_RENDER);
}
