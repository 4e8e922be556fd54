// Track arithmetic on tables of contents: the next and previous track rules, discs that start at
// track 2 or carry data tracks, time formats, and the drive named by an element.
#include "platform/cdaudio/Disc.h"
#include "platform/cdaudio/DiscToc.h"

#include <gtest/gtest.h>

using namespace cdaudio;

namespace {

constexpr int64_t S = kSamplesPerSector;

// Three audio tracks of 375 sectors (five seconds), as the generated disc.
DiscToc threeTracks(int first = 1)
{
    return DiscToc({{first, 0, 375, true}, {first + 1, 375, 375, true}, {first + 2, 750, 375, true}});
}

// A data track, two audio tracks, and a data track at the end.
DiscToc mixed()
{
    return DiscToc({{1, 0, 150, false}, {2, 150, 375, true}, {3, 525, 375, true}, {4, 900, 300, false}});
}

}  // namespace

TEST(DiscToc, NextTrackGoesToTheNextStartOrBackToTheStartOfTheLast)
{
    const DiscToc toc = threeTracks();
    EXPECT_EQ(toc.nextTrackStart(0), 375 * S);
    EXPECT_EQ(toc.nextTrackStart(374 * S + 587), 375 * S);
    EXPECT_EQ(toc.nextTrackStart(400 * S), 750 * S);
    EXPECT_EQ(toc.nextTrackStart(800 * S), 750 * S);  // last track: its own start
    EXPECT_EQ(toc.nextTrackStart(toc.endSample()), 750 * S);  // at the very end
}

TEST(DiscToc, PreviousTrackWithinTheFirstSecondGoesBackAndLaterRestartsTheTrack)
{
    const DiscToc toc = threeTracks();
    EXPECT_EQ(toc.previousTrackStart(375 * S), 0);                  // start of track 2
    EXPECT_EQ(toc.previousTrackStart((375 + 74) * S + 587), 0);     // last sample of its first second
    EXPECT_EQ(toc.previousTrackStart((375 + 75) * S), 375 * S);     // one second in: restart
    EXPECT_EQ(toc.previousTrackStart(1000 * S), 750 * S);
    EXPECT_EQ(toc.previousTrackStart(10 * S), 0);                   // the first track has no track before
    EXPECT_EQ(toc.previousTrackStart(200 * S), 0);
}

TEST(DiscToc, TrackNumbersAreTheDiscsOwn)
{
    const DiscToc toc = threeTracks(2);
    EXPECT_EQ(toc.firstTrack(), 2);
    EXPECT_EQ(toc.lastTrack(), 4);
    EXPECT_EQ(toc.trackAt(400 * S)->number, 3);
    EXPECT_EQ(toc.encode(375 * S, MCI_FORMAT_TMSF), makeTmsf(3, 0, 0, 0));
    EXPECT_EQ(toc.decode(makeTmsf(4, 0, 1, 0), MCI_FORMAT_TMSF), (750 + 75) * S);
    EXPECT_FALSE(toc.decode(makeTmsf(1, 0, 0, 0), MCI_FORMAT_TMSF));  // no track 1 on this disc
    EXPECT_EQ(toc.previousTrackStart(30 * S), 0);                     // track 2 is the first
}

TEST(DiscToc, DataTracksAreNeverPlayedNorReachedByNextOrPrevious)
{
    const DiscToc toc = mixed();
    EXPECT_EQ(toc.startSample(), 150 * S);
    EXPECT_EQ(toc.endSample(), 900 * S);
    EXPECT_EQ(toc.nextTrackStart(150 * S), 525 * S);
    EXPECT_EQ(toc.nextTrackStart(600 * S), 525 * S);        // the data track after is skipped
    EXPECT_EQ(toc.previousTrackStart(160 * S), 150 * S);    // the data track before is skipped
    EXPECT_EQ(toc.previousTrackStart(530 * S), 150 * S);
    EXPECT_EQ(toc.nextTrackStart(10 * S), 150 * S);         // from the leading data track
    EXPECT_EQ(toc.previousTrackStart(950 * S), 525 * S);    // from the trailing one

    const std::vector<SectorRun> all{{150, 900}};
    EXPECT_EQ(toc.audioRuns(0, 1200 * S), all);
    const std::vector<SectorRun> part{{200, 600}};
    EXPECT_EQ(toc.audioRuns(200 * S, 600 * S), part);
    EXPECT_TRUE(toc.audioRuns(900 * S, 1200 * S).empty());

    const DiscToc gap({{1, 0, 100, true}, {2, 100, 50, false}, {3, 150, 100, true}});
    const std::vector<SectorRun> split{{50, 100}, {150, 250}};
    EXPECT_EQ(gap.audioRuns(50 * S, gap.endSample()), split);
}

TEST(DiscToc, TimeFormatsEncodeAndDecode)
{
    const DiscToc toc = threeTracks();
    const int64_t at = (375 + 4500 / 60 * 3 + 7) * S;  // track 2, 3 s 7 frames in
    EXPECT_EQ(toc.encode(at, MCI_FORMAT_TMSF), makeTmsf(2, 0, 3, 7));
    EXPECT_EQ(toc.decode(makeTmsf(2, 0, 3, 7), MCI_FORMAT_TMSF), at);
    // Disc addresses count the two seconds before the first sector.
    EXPECT_EQ(toc.encode(0, MCI_FORMAT_MSF), makeMsf(0, 2, 0));
    EXPECT_EQ(toc.decode(makeMsf(0, 7, 0), MCI_FORMAT_MSF), 375 * S);
    EXPECT_FALSE(toc.decode(makeMsf(0, 1, 0), MCI_FORMAT_MSF));
    EXPECT_EQ(toc.encode(kSampleRate * 5, MCI_FORMAT_MILLISECONDS), 5000u);
    EXPECT_EQ(toc.decode(5000, MCI_FORMAT_MILLISECONDS), 375 * S);
    // Beyond the track or the disc, and unknown formats.
    EXPECT_FALSE(toc.decode(makeTmsf(2, 0, 6, 0), MCI_FORMAT_TMSF));
    EXPECT_FALSE(toc.decode(16000, MCI_FORMAT_MILLISECONDS));
    EXPECT_FALSE(toc.decode(0, 3));
    // An empty disc answers without failing.
    EXPECT_EQ(DiscToc().encode(0, MCI_FORMAT_TMSF), 0u);
    EXPECT_EQ(DiscToc().nextTrackStart(0), 0);
}

TEST(DiscElement, TheDriveIsWhatPrecedesTheCdaPattern)
{
    EXPECT_EQ(driveFromElement("/media/disc.cue*.cda"), "/media/disc.cue");
    EXPECT_EQ(driveFromElement("/dev/sr0/*.CDA"), "/dev/sr0");
    EXPECT_EQ(driveFromElement("/dev/sr0"), "/dev/sr0");
    EXPECT_EQ(driveFromElement("*.cda"), "");
    EXPECT_EQ(driveFromElement("/"), "/");
}
