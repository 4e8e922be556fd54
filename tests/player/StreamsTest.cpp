// Audio, subtitle and angle choice, and the bookmark, through the video window's commands.
#include "PlayerFixture.h"

#include "engine/TDSDVDGraph.h"
#include "panel/StatusDisplay.h"
#include "model/PlayerModel.h"
#include "panel/ControlPanel.h"
#include "platform/system/Languages.h"
#include "player/VideoWindow.h"
#include "player/SubtitlesDialog.h"
#include "player/AudioDialog.h"
#include "player/AngleDialog.h"
#include "platform/dvd/VolumeFinder.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLocale>
#include <QTimer>
#include <gtest/gtest.h>

using namespace playertest;
using testsupport::waitFor;
using namespace std::chrono_literals;

namespace {

// Answers the next modal dialog once it shows: `fill` sets its values, then OK or Cancel.
void Answer(QDialog* dialog, bool ok, std::function<void()> fill = {})
{
    QTimer::singleShot(50, dialog, [dialog, ok, fill] {
        if (!dialog->isVisible()) {
            Answer(dialog, ok, fill);
            return;
        }
        if (fill)
            fill();
        ok ? dialog->accept() : dialog->reject();
    });
}

bool InTitle(uint32_t title, uint32_t chapter)
{
    return waitFor([&] {
        uint32_t t = 0, c = 0;
        dvd::DVD_HMSF_TIMECODE time{};
        return Form10->DVDGraph->IDvdInfo2()
               && SUCCEEDED(Form10->DVDGraph->IDvdInfo2()->GetCurrentLocation(t, c, time)) && t == title
               && c == chapter;
    });
}

class Streams : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartProgram();
        TakeMessages();
        Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
        Form10->PlayMedium();
        ASSERT_TRUE(Form10->DVDGraph->IDvdControl2());
        ASSERT_EQ(Form10->DVDGraph->IDvdControl2()->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
        ASSERT_TRUE(InTitle(1, 1));
    }
    void TearDown() override { Form10->StopMedium(); }
};

}  // namespace

TEST(LanguageNames, AreGivenInTheAskedLanguage)
{
    EXPECT_EQ(platform::LanguageName(0x0407, "fr"), "allemand");
    EXPECT_EQ(platform::LanguageName(0x0407, "en"), "German");
    EXPECT_EQ(platform::LanguageName(0x040C, "en"), "French");
    EXPECT_EQ(platform::LcidFromIso639(uint16_t('f' << 8 | 'r')), 0x040Cu);
    EXPECT_EQ(platform::LcidFromIso639(uint16_t('z' << 8 | 'z')), 0u);
    EXPECT_TRUE(platform::LanguageName(0, "fr").isEmpty());
}

TEST_F(Streams, AudioListsTheLanguagesInOrderAndTheChoiceIsSent)
{
    const QString ui = QLocale::system().uiLanguages().value(0, "en").left(2);
    Answer(Form7, true, [] { Form7->ComboBox1->setCurrentIndex(1); });
    Form10->Audio1Click();
    ASSERT_EQ(Form7->ComboBox1->count(), 2);
    EXPECT_EQ(Form7->ComboBox1->itemText(0), platform::LanguageName(0x040C, ui));
    EXPECT_EQ(Form7->ComboBox1->itemText(1), platform::LanguageName(0x0409, ui));
    ASSERT_TRUE(Form10->LastCommand);
    Form10->LastCommand->WaitForEnd();
    uint32_t count = 0, current = 0;
    ASSERT_EQ(Form10->DVDGraph->IDvdInfo2()->GetCurrentAudio(count, current), S_OK);
    EXPECT_EQ(current, 1u);

    // Opened again, the list is refilled with the current stream selected; cancel sends nothing.
    Answer(Form7, false, [] { Form7->ComboBox1->setCurrentIndex(0); });
    Form10->Audio1Click();
    EXPECT_EQ(Form7->ComboBox1->count(), 2);
    Form10->DVDGraph->IDvdInfo2()->GetCurrentAudio(count, current);
    EXPECT_EQ(current, 1u);
}

TEST_F(Streams, SubtitlesSwitchOnAndOffAndCancelChangesNothing)
{
    Answer(Form6, true, [] { Form6->CheckBox1->setChecked(true); });
    Form10->Soustitres1Click();
    EXPECT_EQ(Form6->ComboBox1->count(), 1);
    uint32_t count = 0, current = 0;
    bool disabled = true;
    ASSERT_EQ(Form10->DVDGraph->IDvdInfo2()->GetCurrentSubpicture(count, current, disabled), S_OK);
    EXPECT_FALSE(disabled);
    // The box shows the state when the dialog opens; clearing it and cancelling changes nothing.
    bool tickedAtOpen = false;
    Answer(Form6, false, [&] {
        tickedAtOpen = Form6->CheckBox1->isChecked();
        Form6->CheckBox1->setChecked(false);
    });
    Form10->Soustitres1Click();
    EXPECT_TRUE(tickedAtOpen);
    Form10->DVDGraph->IDvdInfo2()->GetCurrentSubpicture(count, current, disabled);
    EXPECT_FALSE(disabled);
    Answer(Form6, true, [] { Form6->CheckBox1->setChecked(false); });
    Form10->Soustitres1Click();
    Form10->DVDGraph->IDvdInfo2()->GetCurrentSubpicture(count, current, disabled);
    EXPECT_TRUE(disabled);
}

TEST_F(Streams, ASingleAngleDiscListsAngleOne)
{
    Answer(Form8, true);
    Form10->Angle1Click();
    ASSERT_EQ(Form8->ComboBox1->count(), 1);
    EXPECT_EQ(Form8->ComboBox1->itemText(0), "Angle 1");
    EXPECT_EQ(Form8->ComboBox1->currentIndex(), 0);
}

// The disc whose title 1 has two angles (orange, then azure), played from its start.
class TwoAngleDisc : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartProgram();
        TakeMessages();
        dvd::SetPreferredVolume(testsupport::media("dvd-angle"));
        Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
        Form10->PlayMedium();
        ASSERT_TRUE(InTitle(1, 1));
    }
    void TearDown() override
    {
        Form10->StopMedium();
        dvd::SetPreferredVolume(testsupport::media("dvd"));
    }
};

TEST_F(TwoAngleDisc, TheAngleDialogListsBothAnglesAndTheChoiceShows)
{
    ASSERT_TRUE(WaitForVideoColour(360, 288, 255, 128, 0)) << ColourAt(VideoPicture(), 360, 288).name().toStdString();
    Answer(Form8, true, [] { Form8->ComboBox1->setCurrentIndex(1); });
    Form10->Angle1Click();
    ASSERT_EQ(Form8->ComboBox1->count(), 2);
    EXPECT_EQ(Form8->ComboBox1->itemText(0), "Angle 1");
    EXPECT_EQ(Form8->ComboBox1->itemText(1), "Angle 2");
    ASSERT_TRUE(Form10->LastCommand);
    Form10->LastCommand->WaitForEnd();
    EXPECT_TRUE(WaitForVideoColour(360, 288, 0, 128, 255)) << ColourAt(VideoPicture(), 360, 288).name().toStdString();

    // Opened again, the dialog shows the angle now playing; cancel changes nothing.
    int shown = -1;
    Answer(Form8, false, [&shown] {
        shown = Form8->ComboBox1->currentIndex();
        Form8->ComboBox1->setCurrentIndex(0);
    });
    Form10->Angle1Click();
    EXPECT_EQ(shown, 1);
    uint32_t count = 0, current = 0;
    ASSERT_EQ(Form10->DVDGraph->IDvdInfo2()->GetCurrentAngle(count, current), S_OK);
    EXPECT_EQ(current, 2u);
}

TEST_F(Streams, BookmarkKeepsTheLastPlaceAndRestoresIt)
{
    QFile::remove(Form10->BookmarkPath());
    ASSERT_EQ(Form10->DVDGraph->IDvdControl2()->PlayChapterInTitle(1, 3, 0, nullptr), S_OK);
    ASSERT_TRUE(InTitle(1, 3));
    Form10->Mettreunsignet1Click();
    ASSERT_EQ(Form10->DVDGraph->IDvdControl2()->PlayChapterInTitle(1, 2, 0, nullptr), S_OK);
    ASSERT_TRUE(InTitle(1, 2));
    Form10->Mettreunsignet1Click();  // the second save replaces the first
    ASSERT_TRUE(QFile::exists(Form10->BookmarkPath()));

    // Stop, play again from the disc's start, go to the bookmark: chapter 2's green.
    Form10->StopMedium();
    Form10->PlayMedium();
    ASSERT_TRUE(Form10->DVDGraph->IDvdControl2());
    Form10->Allerausignet1Click();
    EXPECT_TRUE(InTitle(1, 2));
    EXPECT_TRUE(WaitForVideoColour(360, 100, 0, 255, 0)) << ColourAt(VideoPicture(), 360, 100).name().toStdString();
}

TEST_F(Streams, WithoutADvdTheDialogsSayThereIsNoDisc)
{
    Form10->StopMedium();
    ChooseMedium("files/tone440.wav");
    Form10->PlayMedium();
    Form10->Audio1Click();
    Form10->Soustitres1Click();
    const auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, "Attention");
    EXPECT_EQ(messages[0].text, "Impossible de trouver les informations: aucun disque de chargé.");
    EXPECT_EQ(messages[0].owner, Form1);
    for (const auto& message : messages)
        EXPECT_EQ(message.icon, platform::MessageIcon::None);
    // Angle and the bookmark do nothing at all.
    Form10->Angle1Click();
    Form10->Allerausignet1Click();
    EXPECT_TRUE(TakeMessages().empty());
    Form10->StopMedium();
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
}
