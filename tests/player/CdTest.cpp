// The audio CD image through the controller: the status line, the hidden video, the tracks heard.
#include "PlayerFixture.h"

#include "engine/ApplicationException.h"
#include "engine/TMediaPlayer.h"
#include "panel/StatusDisplay.h"
#include "model/PlayerModel.h"
#include "panel/ControlPanel.h"
#include "platform/media/MediaTestSupport.h"
#include "player/VideoWindow.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace playertest;
using testsupport::waitFor;
using namespace std::chrono_literals;

namespace {

QStringList g_errors;

QTemporaryDir& CaptureDir()
{
    static QTemporaryDir dir;
    return dir;
}

class CdThroughController : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", CaptureDir().filePath("cd.raw").toUtf8());
        SetApplicationExceptionHandler([](const QString& message) { g_errors << message; });
    }
    void SetUp() override
    {
        StartProgram();
        g_errors.clear();
        Form1->Model.SetMedium(QStringLiteral(".CDA"), {});
        Form1->Model.SetMediaDrive(testsupport::media("cd/disc.cue"));
    }
};

}  // namespace

TEST_F(CdThroughController, CommandsWithNoDeviceAreRefused)
{
    Form10->Paused = false;
    Form10->NextChapter();
    Form10->PauseMedium();
    ASSERT_EQ(g_errors.size(), 2);
    EXPECT_EQ(g_errors[0], "Aucun périphérique MCI ouvert");
    Form10->Paused = false;
}

TEST_F(CdThroughController, PlaysTrackOneThenNextGivesTrackTwo)
{
    Form1->Image2->TextOut(5, 5, QStringLiteral("Lecture d'un DVD"));
    Form10->PlayMedium();
    ASSERT_TRUE(g_errors.isEmpty()) << g_errors.join(", ").toStdString();
    EXPECT_EQ(Caption(), "Vistrel - Lecture");
    EXPECT_FALSE(Form10->isVisible());
    // The display was cleared before "CD audio" was written.
    EXPECT_EQ(Form1->Image2->Lines(), QStringList{"CD audio"});
    EXPECT_EQ(Form10->MediaPlayer1->Mode(), mpPlaying);
    testsupport::pumpFor(1500ms);
    Form10->NextChapter();
    testsupport::pumpFor(1500ms);
    // Pausing twice plays again.
    Form10->PauseMedium();
    EXPECT_EQ(Form10->MediaPlayer1->Mode(), mpPaused);
    Form10->PauseMedium();
    EXPECT_EQ(Form10->MediaPlayer1->Mode(), mpPlaying);
    Form10->StopMedium();
    EXPECT_EQ(Caption(), "Vistrel - Arrêt");
    EXPECT_EQ(Form10->MediaPlayer1->Mode(), mpNotReady);

    QFile file(CaptureDir().filePath("cd.raw"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pcm = file.readAll();
    const int rate = 44100;
    const double seconds = double(pcm.size()) / (rate * 4);
    ASSERT_GT(seconds, 2.0);
    const std::vector<double> tones = mediatest::tonesPerWindow(pcm, rate, {440, 660, 880});
    const auto first440 = std::find(tones.begin(), tones.end(), 440.0);
    const auto first660 = std::find(tones.begin(), tones.end(), 660.0);
    ASSERT_NE(first440, tones.end());
    ASSERT_NE(first660, tones.end());
    EXPECT_LT(first440, first660);
}

TEST_F(CdThroughController, AMissingDriveIsSaidAndTheCaptionSaysStopped)
{
    Form1->Model.SetMediaDrive(testsupport::media("nowhere.cue"));
    Form10->PlayMedium();
    ASSERT_EQ(g_errors.size(), 1);
    EXPECT_EQ(Caption(), "Vistrel - Arrêt");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
