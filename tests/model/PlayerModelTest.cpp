// The player model on its own, with no window: the kinds of medium, the playback state and the
// signals that the captions and the remote control follow.
#include "model/MediumFromPath.h"
#include "model/PlayerModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(CurrentMedium, KindTagsGiveTheirClassCharacterForCharacter)
{
    EXPECT_EQ(ClassOfKind(".DVD"), MediumClass::Dvd);
    EXPECT_EQ(ClassOfKind(".CDA"), MediumClass::Cd);
    for (const char* music : {".WAV", ".MP2", ".MP3", ".MID"})
        EXPECT_EQ(ClassOfKind(music), MediumClass::Music) << music;
    // Anything else is a video file, lower case and near misses included.
    for (const char* video : {".AVI", ".MPG", ".MPE", ".dvd", ".DV", "", ".WAVE"})
        EXPECT_EQ(ClassOfKind(video), MediumClass::Video) << video;
    EXPECT_EQ(KindTagOf("/films/vacances.mpeg"), ".MPE");
    EXPECT_EQ(KindTagOf("/films/sans extension"), ".");

    CurrentMediumRecord medium;
    EXPECT_TRUE(medium.IsDvd()) << "a DVD until something else is chosen";
    medium.MediaKind = ".MP3";
    EXPECT_TRUE(medium.IsFile());
    EXPECT_FALSE(medium.IsCd());
}

TEST(PlayerModel, StateWalksThroughAPlayAndSignalsEachChangeOnce)
{
    PlayerModel model;
    QSignalSpy states(&model, &PlayerModel::StateChanged);
    EXPECT_EQ(model.State(), PlaybackState::Stopped);

    const PlaybackState walk[] = {PlaybackState::Loading, PlaybackState::Playing, PlaybackState::Paused,
                                  PlaybackState::ScanningForward, PlaybackState::Stopped};
    for (PlaybackState state : walk)
        model.SetState(state, state == PlaybackState::ScanningForward ? 8.0 : 1.0);
    ASSERT_EQ(states.count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(states.at(i).at(0).value<PlaybackState>(), walk[i]);

    // The same state again says nothing; a new scan rate is a change.
    model.SetState(PlaybackState::Stopped);
    EXPECT_EQ(states.count(), 5);
    model.SetState(PlaybackState::ScanningBackward, 8.0);
    model.SetState(PlaybackState::ScanningBackward, 4.0);
    EXPECT_EQ(states.count(), 7);
    EXPECT_EQ(model.Rate(), 4.0);
    // A rate means nothing outside a scan.
    model.SetState(PlaybackState::Playing, 8.0);
    EXPECT_EQ(model.Rate(), 1.0);
}

TEST(PlayerModel, RemoteControlWordsFollowTheState)
{
    EXPECT_EQ(MprisStatusOf(PlaybackState::Playing), "Playing");
    EXPECT_EQ(MprisStatusOf(PlaybackState::ScanningForward), "Playing");
    EXPECT_EQ(MprisStatusOf(PlaybackState::ScanningBackward), "Playing");
    EXPECT_EQ(MprisStatusOf(PlaybackState::Paused), "Paused");
    EXPECT_EQ(MprisStatusOf(PlaybackState::Loading), "Stopped");
    EXPECT_EQ(MprisStatusOf(PlaybackState::Error), "Stopped");
}

TEST(PlayerModel, MediumAndChapterChangesAreSignalled)
{
    PlayerModel model;
    QSignalSpy media(&model, &PlayerModel::MediumChanged);
    QSignalSpy chapters(&model, &PlayerModel::ChapterChanged);
    model.SetChapter(2);
    model.SetChapter(2);
    EXPECT_EQ(chapters.count(), 1);
    model.SetMedium(".AVI", "/films/a.avi");
    model.SetMedium(".AVI", "/films/a.avi");
    EXPECT_EQ(media.count(), 1);
    EXPECT_EQ(model.Chapter(), 0) << "a new medium starts with no chapter";
    model.SetMediaDrive("/dev/sr1");
    EXPECT_EQ(model.CurrentMedium().MediaDrive, "/dev/sr1");
    EXPECT_EQ(model.CurrentMedium().MediaFile, "/films/a.avi");
}

TEST(PlayerModel, WindowsThatAreNotWiredAreQuietStandIns)
{
    PlayerModel model;
    // Nothing wired: every call is answered and does nothing.
    model.Commands().PlayMedium();
    model.StatusDisplay().TextOut(5, 5, "Prêt");
    model.Panel().ShowPanel();
    EXPECT_EQ(model.Commands().FileSeeking(), nullptr);
    EXPECT_TRUE(model.Panel().SettingsFolder().isEmpty());

    QSignalSpy quitting(&model, &PlayerModel::Quitting);
    EXPECT_FALSE(model.QuitRequested());
    model.RequestQuit();
    EXPECT_TRUE(model.QuitRequested());
    EXPECT_EQ(quitting.count(), 1);
}
