// The playback controller on generated media: DVD, files, failures, navigation, go-to dialogs.
#include "PlayerFixture.h"

#include "app/TApplication.h"
#include "engine/TDSDVDGraph.h"
#include "engine/TDSFilterGraph2.h"
#include "engine/TDSVideoWindow.h"
#include "panel/StatusDisplay.h"
#include "model/PlayerModel.h"
#include "panel/ControlPanel.h"
#include "platform/dvd/VolumeFinder.h"
#include "platform/media/VideoRendererWindow.h"
#include "model/MediumFromPath.h"
#include "player/VideoWindow.h"
#include "player/GoToChapterDialog.h"
#include "player/GoToTimeDialog.h"
#include "player/UpDownEdit.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace playertest;
using testsupport::waitFor;
using namespace std::chrono_literals;

namespace {

bool Visible(const char* item)
{
    return Form10->MenuItem(QString::fromLatin1(item))->isVisible();
}

bool DvdDomain(dvd::DVD_DOMAIN wanted)
{
    return waitFor([&] {
        dvd::DVD_DOMAIN domain = dvd::DVD_DOMAIN_Stop;
        return Form10->DVDGraph->IDvdInfo2() && SUCCEEDED(Form10->DVDGraph->IDvdInfo2()->GetCurrentDomain(domain))
               && domain == wanted;
    });
}

// Answers the next modal dialog with OK once it shows, after `fill` has set its values.
void AnswerNextDialog(QDialog* dialog, std::function<void()> fill)
{
    QTimer::singleShot(50, dialog, [dialog, fill] {
        if (!dialog->isVisible()) {
            AnswerNextDialog(dialog, fill);
            return;
        }
        fill();
        dialog->accept();
    });
}

class Controller : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartProgram();
        TakeMessages();
    }
    void TearDown() override
    {
        Form10->StopMedium();
        Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    }
};

}  // namespace

TEST_F(Controller, DvdPlaysFromItsMenuAndASecondPlayKeepsTheGraph)
{
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    Form10->PlayMedium();
    EXPECT_EQ(Caption(), "Vistrel - Lecture");
    ASSERT_TRUE(Form10->DVDGraph->IDvdGraphBuilder());
    EXPECT_TRUE(Form10->isVisible());
    EXPECT_TRUE(Form1->Image2->Lines().contains("Lecture d'un DVD"));
    for (const char* item : {"Goto2", "Playspeed2", "Configuration1", "Pleincran1", "Zoom1", "Signets1"})
        EXPECT_TRUE(Visible(item)) << item;
    ASSERT_TRUE(DvdDomain(dvd::DVD_DOMAIN_VideoManagerMenu));
    ASSERT_TRUE(WaitForVideoColour(60, 100, 16, 32, 96));

    // Scanning ends with the next play, on the same graph.
    const auto builder = Form10->DVDGraph->IDvdGraphBuilder();
    int lastRate = 0;
    Form10->DVDGraph->OnDVDPlaybackRateChange = [&](TDSDVDGraph*, int32_t rate) { lastRate = rate; };
    ASSERT_EQ(Form10->DVDGraph->IDvdControl2()->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(DvdDomain(dvd::DVD_DOMAIN_Title));
    Form10->FastForward();
    ASSERT_TRUE(waitFor([&] { return lastRate == 8; }));
    Form10->PlayMedium();
    EXPECT_TRUE(waitFor([&] { return lastRate == 1; }));
    EXPECT_EQ(Form10->DVDGraph->IDvdGraphBuilder(), builder);
    Form10->DVDGraph->OnDVDPlaybackRateChange = nullptr;
}

TEST_F(Controller, PauseResumesWithoutRebuildingAndStopStartsTheDiscAgain)
{
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    Form10->PlayMedium();
    ASSERT_TRUE(DvdDomain(dvd::DVD_DOMAIN_VideoManagerMenu));
    ASSERT_EQ(Form10->DVDGraph->IDvdControl2()->PlayChapterInTitle(1, 2, 0, nullptr), S_OK);
    ASSERT_TRUE(DvdDomain(dvd::DVD_DOMAIN_Title));
    const auto builder = Form10->DVDGraph->IDvdGraphBuilder();
    for (int i = 0; i < 2; ++i) {
        Form10->PauseMedium();
        EXPECT_EQ(Caption(), "Vistrel - Pause");
        EXPECT_TRUE(Form10->Paused);
        Form10->PlayMedium();
        EXPECT_EQ(Caption(), "Vistrel - Lecture");
        EXPECT_EQ(Form10->DVDGraph->IDvdGraphBuilder(), builder);
    }
    media::FILTER_STATE state = media::State_Stopped;
    Form10->DVDGraph->IMediaControl()->GetState(0, state);
    EXPECT_EQ(state, media::State_Running);

    Form10->StopMedium();
    EXPECT_EQ(Caption(), "Vistrel - Arrêt");
    EXPECT_FALSE(Form10->Paused);
    EXPECT_FALSE(Form10->DVDGraph->IDvdGraphBuilder());
    EXPECT_FALSE(Form10->DVDGraph->IDvdControl2());
    Form10->PlayMedium();
    ASSERT_TRUE(Form10->DVDGraph->IDvdGraphBuilder());
    EXPECT_NE(Form10->DVDGraph->IDvdGraphBuilder(), builder);
    EXPECT_TRUE(DvdDomain(dvd::DVD_DOMAIN_VideoManagerMenu));
}

TEST_F(Controller, AudioFilesHideTheVideoAndVideoFilesShowItAgain)
{
    ChooseMedium("files/tone880.mp3");
    Form10->PlayMedium();
    EXPECT_EQ(Caption(), "Vistrel - Lecture");
    EXPECT_FALSE(Form10->isVisible());
    for (const char* item : {"Goto2", "Playspeed2", "Configuration1", "Pleincran1", "Zoom1", "Signets1"})
        EXPECT_FALSE(Visible(item)) << item;
    EXPECT_TRUE(Form1->Image2->Lines().last().startsWith("Fichier "));

    ChooseMedium("files/red.avi");
    Form10->PlayMedium();
    EXPECT_TRUE(Form10->isVisible());
    EXPECT_TRUE(Visible("Pleincran1"));
    EXPECT_TRUE(Visible("Zoom1"));
    EXPECT_FALSE(Visible("Signets1"));
    EXPECT_FALSE(Visible("Goto2"));
    EXPECT_TRUE(Form10->Panel1->isVisible());
    EXPECT_TRUE(testsupport::waitFor([] {
        const QImage picture = VideoPicture();
        return !picture.isNull() && Near(picture.pixelColor(picture.width() / 2, picture.height() / 2), 255, 0, 0);
    }));
    // A second pause leaves a file paused.
    Form10->PauseMedium();
    Form10->PauseMedium();
    media::FILTER_STATE state = media::State_Running;
    Form10->FilterGraph->IMediaControl()->GetState(0, state);
    EXPECT_EQ(state, media::State_Paused);
}

TEST_F(Controller, AFileThatCannotBeReadIsSaidAndNothingPlays)
{
    ChooseMedium("damaged/notmedia.avi");
    Form10->PlayMedium();
    const auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Attention");
    EXPECT_TRUE(messages[0].text.startsWith("Impossible de lire le fichier « "));
    // The hourglass of the loading command does not stay over the box.
    EXPECT_FALSE(BusyCursorAtLastMessage());
    EXPECT_EQ(Caption(), "Vistrel - Arrêt");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Controller, NoDiscFoundIsSaidAndNothingChanges)
{
    dvd::SetPreferredVolume(testsupport::media("files"));
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    Form10->PlayMedium();
    const auto messages = TakeMessages();
    // A machine may have a disc of its own in a drive; this one names none.
    if (!messages.empty()) {
        EXPECT_EQ(messages[0].text, "Aucun DVD vidéo n'a été trouvé.");
        EXPECT_EQ(Caption(), "Vistrel - Arrêt");
        EXPECT_FALSE(Form10->DVDGraph->IDvdGraphBuilder());
    }
}

TEST_F(Controller, NextChapterKeyShowsTheNextChaptersColour)
{
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    Form10->PlayMedium();
    ASSERT_TRUE(DvdDomain(dvd::DVD_DOMAIN_VideoManagerMenu));
    ASSERT_TRUE(WaitForVideoColour(60, 100, 16, 32, 96));
    // A click on button 1 of the menu plays title 1 (red). The control shows the 4:3 picture
    // inside its own bounds: find button 1's centre there.
    const QSize size = Form10->dvdx8->size();
    const double scale = std::min(size.width() / 720.0, size.height() / 540.0);
    const QPoint centre(int(size.width() / 2.0 + (220 - 360) * scale),
                        int(size.height() / 2.0 + (280 - 288) * scale * 540 / 576));
    auto* renderer = Form10->dvdx8->FindRendererWindow();
    ASSERT_NE(renderer, nullptr);
    QTest::mouseMove(static_cast<QWidget*>(renderer), centre);
    QTest::mouseClick(static_cast<QWidget*>(renderer), Qt::LeftButton, Qt::KeyboardModifiers(), centre);
    ASSERT_TRUE(WaitForVideoColour(360, 100, 255, 0, 0)) << ColourAt(VideoPicture(), 360, 100).name().toStdString();
    Form10->activateWindow();
    QTest::keyClick(Form10, Qt::Key_F5);
    EXPECT_TRUE(WaitForVideoColour(360, 100, 0, 255, 0)) << ColourAt(VideoPicture(), 360, 100).name().toStdString();
    EXPECT_EQ(Caption(), "Vistrel - Lecture");
}

TEST_F(Controller, GoToTimeKeepsStrictlyInsideTheTitleAndDialogsKeepTheirValues)
{
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    Form10->PlayMedium();
    ASSERT_TRUE(DvdDomain(dvd::DVD_DOMAIN_VideoManagerMenu));
    ASSERT_EQ(Form10->DVDGraph->IDvdControl2()->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(DvdDomain(dvd::DVD_DOMAIN_Title));
    ASSERT_TRUE(WaitForVideoColour(360, 100, 255, 0, 0));

    // The total itself: nothing happens, still red.
    AnswerNextDialog(Form4, [] {
        Form4->UpDown1->SetPosition(0);
        Form4->UpDown2->SetPosition(0);
        Form4->UpDown3->SetPosition(12);
    });
    Form10->Time2Click();
    EXPECT_EQ(Form4->Label2->text(), "Durée totale du titre: 0:0:12");
    testsupport::pumpFor(300ms);
    EXPECT_TRUE(Near(ColourAt(VideoPicture(), 360, 100), 255, 0, 0));
    // One second less is asked for.
    int commands = 0;
    Form10->DVDGraph->OnDVDCMDStart = [&](TDSDVDGraph*, uint32_t) { ++commands; };
    AnswerNextDialog(Form4, [] { Form4->UpDown3->SetPosition(11); });
    Form10->Time2Click();
    EXPECT_TRUE(waitFor([&] { return commands == 1; }));
    // A time well inside shows the third chapter's blue (from the title's start again: the jump to
    // 11 s has run to the title's end meanwhile).
    ASSERT_EQ(Form10->DVDGraph->IDvdControl2()->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(WaitForVideoColour(360, 100, 255, 0, 0));
    AnswerNextDialog(Form4, [] { Form4->UpDown3->SetPosition(9); });
    Form10->Time2Click();
    EXPECT_TRUE(WaitForVideoColour(360, 100, 0, 0, 255));
    Form10->DVDGraph->OnDVDCMDStart = nullptr;
    // The dialog kept what was entered.
    EXPECT_EQ(Form4->UpDown3->Position(), 9);
    // Minutes and seconds go up to 60.
    Form4->UpDown2->SetPosition(60);
    EXPECT_EQ(Form4->UpDown2->Position(), 60);
    Form4->UpDown2->SetPosition(61);
    EXPECT_EQ(Form4->UpDown2->Position(), 60);

    // Go to chapter 2, and the dialog keeps 2 for next time.
    ASSERT_EQ(Form10->DVDGraph->IDvdControl2()->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(WaitForVideoColour(360, 100, 255, 0, 0));
    AnswerNextDialog(Form3, [] { Form3->UpDown1->SetPosition(2); });
    Form10->Chapter2Click();
    EXPECT_TRUE(WaitForVideoColour(360, 100, 0, 255, 0)) << ColourAt(VideoPicture(), 360, 100).name().toStdString();
    EXPECT_EQ(Form3->UpDown1->Position(), 2);
}

TEST_F(Controller, APausedDiscGoesToTheChapterAskedAndPlayShowsIt)
{
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    Form10->PlayMedium();
    ASSERT_TRUE(DvdDomain(dvd::DVD_DOMAIN_VideoManagerMenu));
    ASSERT_EQ(Form10->DVDGraph->IDvdControl2()->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(WaitForVideoColour(360, 100, 255, 0, 0));
    Form10->PauseMedium();
    // Paused long enough for the player to be full and the navigator to stop reading.
    testsupport::pumpFor(500ms);
    AnswerNextDialog(Form3, [] { Form3->UpDown1->SetPosition(3); });
    Form10->Chapter2Click();  // returns: the program goes on
    uint32_t title = 0, chapter = 0;
    dvd::DVD_HMSF_TIMECODE time{};
    EXPECT_TRUE(waitFor([&] {
        return SUCCEEDED(Form10->DVDGraph->IDvdInfo2()->GetCurrentLocation(title, chapter, time)) && chapter == 3;
    }));
    // (The caption is left out here: the time event of the new place's picture sets it to
    // "Lecture" even while paused, as time events do.)
    Form10->PlayMedium();
    EXPECT_TRUE(WaitForVideoColour(360, 100, 0, 0, 255)) << ColourAt(VideoPicture(), 360, 100).name().toStdString();
    EXPECT_EQ(Caption(), "Vistrel - Lecture");
}

TEST_F(Controller, PauseBeforeAnythingLoadedLeavesTheFirstPlayToLoad)
{
    Form10->StopMedium();
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    Form10->PauseMedium();
    EXPECT_FALSE(Form10->DVDGraph->IDvdGraphBuilder());
    Form10->PlayMedium();
    ASSERT_TRUE(Form10->DVDGraph->IDvdGraphBuilder());
    EXPECT_EQ(Caption(), "Vistrel - Lecture");
    EXPECT_TRUE(DvdDomain(dvd::DVD_DOMAIN_VideoManagerMenu));
    media::FILTER_STATE state = media::State_Stopped;
    Form10->DVDGraph->IMediaControl()->GetState(0, state);
    EXPECT_EQ(state, media::State_Running);
}

TEST(MediumKind, PathsBecomeTheRightMedium)
{
    EXPECT_EQ(MediumFromPath(testsupport::media("files/halves.mpeg")).kind, ".MPE");
    EXPECT_EQ(MediumFromPath(testsupport::media("files/tone440.wav")).kind, ".WAV");
    for (const char* dvd : {"dvd", "dvd/VIDEO_TS", "dvd/VIDEO_TS/VIDEO_TS.IFO"}) {
        const MediumChoice choice = MediumFromPath(testsupport::media(dvd));
        EXPECT_TRUE(choice.exists) << dvd;
        EXPECT_EQ(choice.kind, ".DVD") << dvd;
        EXPECT_FALSE(choice.dvdVolume.isEmpty());
    }
    const MediumChoice cd = MediumFromPath(testsupport::media("cd/disc.cue"));
    EXPECT_EQ(cd.kind, ".CDA");
    EXPECT_TRUE(cd.drive.endsWith("disc.cue"));
    EXPECT_FALSE(MediumFromPath(testsupport::media("nowhere.avi")).exists);
    EXPECT_FALSE(MediumFromPath(testsupport::media("files")).exists);  // a folder that is no DVD
}

// Last of the file: once the program is told to end, no modal dialog of this process runs again.
TEST_F(Controller, FatalBuildResultsEndTheProgramAfterTheirMessage)
{
    EXPECT_TRUE(Form10->CheckDvdRenderResult(S_FALSE));
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_FALSE(Form10->CheckDvdRenderResult(VFW_E_DVD_DECNOTENOUGH));
    auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Erreur");
    EXPECT_EQ(messages[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Form10->CheckDvdRenderResult(VFW_E_DVD_RENDERFAIL));
    messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Des erreurs sont survenues lors de la construction du graph.");
}
