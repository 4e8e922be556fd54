// The video window on the NTSC disc: the menu's highlight covers its button where the picture
// shows it, hover and click hit the buttons, and the time line counts the disc's 30 frames.
#include "PlayerFixture.h"

#include "engine/TDSDVDGraph.h"
#include "engine/TDSVideoWindow.h"
#include "model/PlayerModel.h"
#include "panel/ControlPanel.h"
#include "platform/dvd/VolumeFinder.h"
#include "platform/media/VideoRendererWindow.h"
#include "player/VideoWindow.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace playertest;
using testsupport::waitFor;

namespace {

// The colour at a point of a 720 x 480 NTSC picture.
QColor NtscColourAt(int x, int y)
{
    const QImage picture = VideoPicture();
    if (picture.isNull())
        return {};
    return picture.pixelColor(std::clamp(x * picture.width() / 720, 0, picture.width() - 1),
                              std::clamp(y * picture.height() / 480, 0, picture.height() - 1));
}

// Where a point of the 4:3 picture lies in the renderer window, which keeps the picture's shape.
QPoint OnScreen(QWidget* renderer, int x, int y)
{
    const QSize size = renderer->size();
    const double width = std::min(double(size.width()), size.height() * 4.0 / 3.0);
    const double height = width * 3.0 / 4.0;
    return QPoint(int(size.width() / 2.0 + (x - 360) * width / 720.0),
                  int(size.height() / 2.0 + (y - 240) * height / 480.0));
}

// Mouse input straight to the picture, whatever else the display shows over it meanwhile.
void SendMouse(QWidget* renderer, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), QPointF(renderer->mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(renderer, &event);
}

class NtscDisc : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartProgram();
        TakeMessages();
        dvd::SetPreferredVolume(testsupport::media("dvd-ntsc"));
        Form1->Model.SetMedium(QStringLiteral(".DVD"), {});
    }
    void TearDown() override
    {
        Form10->StopMedium();
        dvd::SetPreferredVolume(testsupport::media("dvd"));
    }
};

}  // namespace

TEST_F(NtscDisc, TheHighlightCoversItsButtonAndAClickPlaysItsTitleAtThirtyFrames)
{
    Form10->PlayMedium();
    ASSERT_TRUE(waitFor([] { return Near(NtscColourAt(60, 100), 96, 32, 16); }, std::chrono::seconds(8)))
        << NtscColourAt(60, 100).name().toStdString();
    auto* renderer = static_cast<QWidget*>(Form10->dvdx8->FindRendererWindow());
    ASSERT_NE(renderer, nullptr);

    // Hovering button 2 paints it yellow over its whole rectangle, and nothing above it.
    EXPECT_TRUE(waitFor([renderer] {
        SendMouse(renderer, QEvent::MouseMove, OnScreen(renderer, 500, 410));
        return Near(NtscColourAt(500, 430), 255, 255, 0, 60);
    }))
        << NtscColourAt(500, 430).name().toStdString();
    EXPECT_TRUE(Near(NtscColourAt(500, 390), 255, 255, 0, 60)) << NtscColourAt(500, 390).name().toStdString();
    EXPECT_TRUE(Near(NtscColourAt(500, 360), 96, 32, 16)) << NtscColourAt(500, 360).name().toStdString();

    // A click on button 1 plays title 1 (cyan); its time events count 30 frames a second.
    int frameRate = 0;
    const auto shown = Form10->DVDGraph->OnDVDCurrentHMSFTime;
    Form10->DVDGraph->OnDVDCurrentHMSFTime = [&](TDSDVDGraph* sender, TDVD_HMSF_TIMECODE time, TDVD_TimeCode& code) {
        frameRate = FrameRateOf(code);
        if (shown)
            shown(sender, time, code);
    };
    const QPoint button1 = OnScreen(renderer, 220, 410);
    SendMouse(renderer, QEvent::MouseMove, button1);
    SendMouse(renderer, QEvent::MouseButtonPress, button1, Qt::LeftButton);
    SendMouse(renderer, QEvent::MouseButtonRelease, button1, Qt::LeftButton);
    EXPECT_TRUE(waitFor([] { return Near(NtscColourAt(360, 100), 0, 255, 255); }, std::chrono::seconds(6)))
        << NtscColourAt(360, 100).name().toStdString();
    EXPECT_TRUE(waitFor([&] { return frameRate != 0; }, std::chrono::seconds(4)));
    EXPECT_EQ(frameRate, 30);
    dvd::DVD_HMSF_TIMECODE total{};
    uint32_t flags = 0;
    ASSERT_EQ(Form10->DVDGraph->IDvdInfo2()->GetTotalTitleTime(total, flags), S_OK);
    EXPECT_EQ(flags, dvd::DVD_TC_FLAG_30fps);
    Form10->DVDGraph->OnDVDCurrentHMSFTime = shown;
}
