// The video window as a window: zoom, full screen, status lines, region errors, the wheel.
#include "PlayerFixture.h"

#include "engine/TDSDVDGraph.h"
#include "engine/TDSVideoWindow.h"
#include "panel/StatusDisplay.h"
#include "model/PlayerModel.h"
#include "panel/ControlPanel.h"
#include "player/VideoWindow.h"
#include "platform/media/VideoRendererWindow.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace playertest;

namespace {

class Behaviour : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartProgram();
        TakeMessages();
        Form10->show();
    }
};

}  // namespace

TEST_F(Behaviour, ZoomStepsGrowFromTheBaseAndZoomOneRestoresTheWindow)
{
    Form10->SetZoom(1);
    Form10->resize(639, 461);
    ASSERT_TRUE(testsupport::waitFor([] { return Form10->size() == QSize(639, 461); }));
    Form10->FormShow();  // the bounds as the show handler records them
    const QRect saved = Form10->SavedWindowBounds;
    EXPECT_EQ(Form10->BaseVideoBounds.size(), QSize(639, 461));

    const QSize expected[] = {{959, 691}, {1279, 921}, {1599, 1151}, {1919, 1381}};
    for (int step = 2; step <= 5; ++step) {
        Form10->SetZoom(step);
        EXPECT_EQ(Form10->dvdx8->size(), expected[step - 2]) << step;
        EXPECT_EQ(Form10->MenuItem(QStringLiteral("N%1").arg(step) + "1")->isChecked(), true);
        EXPECT_EQ(Form10->pos(), QPoint(0, 0));
    }
    Form10->SetZoom(3);
    const QSize atThree = Form10->size();
    // Choosing zoom 3 again, or resizing at zoom 3, changes nothing.
    Form10->SetZoom(3);
    EXPECT_EQ(Form10->size(), atThree);
    Form10->resize(700, 500);
    testsupport::pumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(Form10->dvdx8->size(), QSize(1279, 921));

    Form10->SetZoom(1);
    EXPECT_TRUE(Form10->MenuItem(QStringLiteral("N11"))->isChecked());
    EXPECT_FALSE(Form10->MenuItem(QStringLiteral("N31"))->isChecked());
    EXPECT_EQ(Form10->size(), saved.size());
    EXPECT_EQ(Form10->dvdx8->size(), saved.size());
}

TEST_F(Behaviour, TimeEventsWriteChapterAndTimeWithTwoDigits)
{
    Form1->Image2->Clear();
    Form10->setWindowTitle(QStringLiteral("Vistrel - Pause"));
    Form10->DVDGraph->DispatchGraphEvent(dvd::EC_DVD_CURRENT_HMSF_TIME, dvd::PackHmsf({1, 2, 3, 0}), 0);
    EXPECT_EQ(Caption(), "Vistrel - Lecture");
    const QStringList lines = Form1->Image2->Lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Chapitre: %1").arg(Form10->CurrentChapter));
    EXPECT_EQ(lines[1], "Temps: 01:02:03");
    Form10->DVDGraph->DispatchGraphEvent(dvd::EC_DVD_CHAPTER_START, 3, 0);
    Form10->DVDGraph->DispatchGraphEvent(dvd::EC_DVD_CURRENT_HMSF_TIME, dvd::PackHmsf({10, 0, 59, 0}), 0);
    EXPECT_EQ(Form1->Image2->Lines().at(2), "Chapitre: 3");
    EXPECT_EQ(Form1->Image2->Lines().at(3), "Temps: 10:00:59");
}

TEST_F(Behaviour, RegionErrorsAreSaidAndNothingElseHappens)
{
    for (int code : {dvd::DVD_ERROR_IncompatibleDiscAndDecoderRegions, dvd::DVD_ERROR_IncompatibleSystemAndDecoderRegions,
                     dvd::DVD_ERROR_InvalidDiscRegion})
        Form10->DVDGraph->DispatchGraphEvent(dvd::EC_DVD_ERROR, code, 0);
    const auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 3u);
    for (const auto& m : messages) {
        EXPECT_EQ(m.caption, "Erreur");
        EXPECT_EQ(m.text, "Le DVD que vous souhaitez lire n'est pas de la même zone que votre lecteur de DVD.");
    }
    // Other errors say nothing.
    Form10->DVDGraph->DispatchGraphEvent(dvd::EC_DVD_ERROR, dvd::DVD_ERROR_Unexpected, 0);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(Behaviour, FullScreenTogglesOnlyWithARenderedPicture)
{
    // Nothing rendered yet on the bound graph: nothing to put full screen.
    Form10->dvdx8->SetGraph(Form10->DVDGraph);
    if (!Form10->DVDGraph->IVideoWindow()) {
        Form10->ToggleFullScreen();
        EXPECT_FALSE(Form10->dvdx8->FullScreen());
    }
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    Form10->PlayMedium();
    ASSERT_TRUE(Form10->DVDGraph->IVideoWindow());
    Form10->ToggleFullScreen();
    EXPECT_TRUE(Form10->dvdx8->FullScreen());
    // The panel command leaves full screen first.
    Form10->Panneaudecommandes1Click();
    EXPECT_FALSE(Form10->dvdx8->FullScreen());
    Form10->StopMedium();
}

TEST_F(Behaviour, DoubleClickEntersAndLeavesFullScreenAndEscapeLeavesIt)
{
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    Form10->PlayMedium();
    ASSERT_TRUE(Form10->DVDGraph->IVideoWindow());
    auto* renderer = static_cast<QWidget*>(Form10->dvdx8->FindRendererWindow());
    ASSERT_NE(renderer, nullptr);
    auto doubleClick = [&renderer] {
        const QPoint centre = renderer->rect().center();
        QTest::mouseDClick(renderer, Qt::LeftButton, Qt::KeyboardModifiers(), centre);
        QCoreApplication::processEvents();
    };
    doubleClick();
    ASSERT_TRUE(Form10->dvdx8->FullScreen());
    doubleClick();
    EXPECT_FALSE(Form10->dvdx8->FullScreen());
    doubleClick();
    ASSERT_TRUE(Form10->dvdx8->FullScreen());
    QTest::keyClick(renderer, Qt::Key_Escape);
    EXPECT_FALSE(Form10->dvdx8->FullScreen());
    // Escape in a window does nothing more.
    QTest::keyClick(renderer, Qt::Key_Escape);
    EXPECT_FALSE(Form10->dvdx8->FullScreen());
    Form10->StopMedium();
}

TEST_F(Behaviour, TheWheelMovesChaptersOnADvdOnly)
{
    auto wheel = [](int delta) {
        QWheelEvent event(QPointF(100, 100), Form10->dvdx8->mapToGlobal(QPointF(100, 100)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Form10->dvdx8, &event);
    };
    auto chapter = [] {
        uint32_t t = 0, c = 0;
        dvd::DVD_HMSF_TIMECODE time{};
        if (!Form10->DVDGraph->IDvdInfo2() || FAILED(Form10->DVDGraph->IDvdInfo2()->GetCurrentLocation(t, c, time)))
            return 0u;
        return c;
    };
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    Form10->PlayMedium();
    ASSERT_TRUE(Form10->DVDGraph->IDvdControl2());
    ASSERT_EQ(Form10->DVDGraph->IDvdControl2()->PlayChapterInTitle(1, 1, 0, nullptr), S_OK);
    ASSERT_TRUE(testsupport::waitFor([&] { return chapter() == 1; }));
    wheel(-120);  // towards the user: next chapter
    EXPECT_TRUE(testsupport::waitFor([&] { return chapter() == 2; }));
    wheel(120);  // away: previous chapter
    EXPECT_TRUE(testsupport::waitFor([&] { return chapter() == 1; }));

    // While a video file is the current medium, the DVD graph that still exists is left alone.
    Form1->Model.SetMedium(QStringLiteral(".AVI"), {});
    wheel(-120);
    testsupport::pumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(chapter(), 1u);
    Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    Form10->StopMedium();
}
