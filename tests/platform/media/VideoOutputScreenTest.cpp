// What the user sees through each video output: the same generated colour bars played with the CPU
// output and with the OpenGL output (forced, so Mesa's software renderer under Xvfb will do) must
// give the same colours in the same place, the picture's shape kept inside black bars.
#include "MediaTestSupport.h"
#include "support/TestSupport.h"

#include "platform/media/VideoOutputChoice.h"
#include "platform/media/VideoRendererWindow.h"

#include <QWidget>

#include <gtest/gtest.h>

using namespace media;
using mediatest::GraphUnderTest;

namespace {

const QSize room(480, 400);

struct Shot {
    QImage image;       // the window as it shows
    QRect picture;      // where the output says the picture is
    VideoOutput output = VideoOutput::Cpu;
};

// What the owner window shows, its video included (read back from the OpenGL output when it draws
// it). Not a grab of the screen: other tests' windows may lie over it on a shared display.
QImage shown(QWidget& owner)
{
    return owner.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Plays the first picture of `medium` into a window, with the output `setting` asks for.
Shot take(const QString& medium, const char* setting)
{
    qputenv("VISTREL_VIDEO_OUTPUT", setting);
    Shot shot;
    GraphUnderTest g;
    if (g.render(medium) != S_OK)
        return shot;
    qunsetenv("VISTREL_VIDEO_OUTPUT");
    auto video = com::query<IVideoWindow>(g.graph);
    QWidget owner;
    owner.resize(room);
    owner.show();
    video->put_Owner(&owner);
    video->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    video->SetWindowPosition(0, 0, room.width(), room.height());
    g.graph->Pause();
    VideoRendererWindow* window = g.graph->rendererWindow();
    shot.output = window->output();
    testsupport::waitFor([&] {
        if (window->pictureRect().isEmpty())
            return false;
        shot.image = shown(owner);
        return mediatest::middleColour(shot.image) != QColor(Qt::black);
    }, std::chrono::seconds(10));
    // One more frame of the event loop, then the final look.
    testsupport::pumpFor(std::chrono::milliseconds(300));
    shot.image = shown(owner);
    shot.picture = window->pictureRect();
    g.graph->Stop();
    return shot;
}

// The mean colour of a 9 x 9 square.
QColor at(const QImage& image, QPoint p)
{
    long r = 0, g = 0, b = 0;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            const QRgb c = image.pixel(p.x() + dx, p.y() + dy);
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
        }
    return QColor(int(r / 81), int(g / 81), int(b / 81));
}

::testing::AssertionResult near(const QColor& a, const QColor& b, int tolerance)
{
    if (std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a.name().toStdString() << " against " << b.name().toStdString();
}

// The share of pixels whose colours differ by more than `tolerance` in some channel.
double differing(const QImage& a, const QImage& b, int tolerance)
{
    long count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance
                || std::abs(qBlue(p) - qBlue(q)) > tolerance)
                ++count;
        }
    return double(count) / (a.width() * a.height());
}

class BothOutputs : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(BothOutputs, ShowTheBarsInTheSameColoursAndPlace)
{
    if (!testsupport::haveX11())
        GTEST_SKIP() << "needs a display";
    if (!probeOpenGl().usable)
        GTEST_SKIP() << "no OpenGL 3 context on this display (glxinfo -B says why)";
    const QString medium = QString::fromLatin1(GetParam());
    const Shot cpu = take(medium, "cpu");
    const Shot gl = take(medium, "opengl");
    ASSERT_EQ(cpu.output, VideoOutput::Cpu);
    ASSERT_EQ(gl.output, VideoOutput::OpenGl);
    ASSERT_FALSE(cpu.image.isNull());
    ASSERT_FALSE(gl.image.isNull());
    ASSERT_EQ(cpu.image.size(), gl.image.size());

    // The same fitted rectangle: the whole width, centred, the picture's shape kept (within the
    // column the CPU output gives up for an even width).
    const double aspect = medium.contains("hd") || medium.contains("10bit") ? 16.0 / 9.0 : 4.0 / 3.0;
    const QRect fitted = fitPicture(room, aspect);
    EXPECT_LE(std::abs(gl.picture.width() - fitted.width()), 1);
    EXPECT_EQ(gl.picture.height(), fitted.height());
    EXPECT_LE(std::abs(cpu.picture.width() - fitted.width()), 1);
    EXPECT_EQ(cpu.picture.height(), fitted.height());
    // Black bars above and below, in both.
    for (const Shot* shot : {&cpu, &gl}) {
        EXPECT_TRUE(near(at(shot->image, QPoint(room.width() / 2, fitted.top() / 2)), Qt::black, 4));
        EXPECT_TRUE(near(at(shot->image, QPoint(room.width() / 2, (fitted.bottom() + room.height()) / 2)), Qt::black, 4));
    }

    // Each of the seven bars of the upper part in the same colour, and a known one where it is.
    for (int bar = 0; bar < 7; ++bar) {
        const QPoint p(fitted.left() + fitted.width() * (2 * bar + 1) / 14, fitted.top() + fitted.height() / 4);
        EXPECT_TRUE(near(at(gl.image, p), at(cpu.image, p), 10)) << "bar " << bar;
    }
    // (The HD bars begin after an eighth of grey and fill three quarters of the width.)
    const double yellowAt = medium.contains("hd") ? 1.0 / 8 + 1.5 * 3.0 / 4 / 7 : 3.0 / 14;
    const QPoint yellow(fitted.left() + int(fitted.width() * yellowAt), fitted.top() + fitted.height() / 4);
    EXPECT_GT(at(gl.image, yellow).red(), 150);
    EXPECT_GT(at(gl.image, yellow).green(), 150);
    EXPECT_LT(at(gl.image, yellow).blue(), 60);
    // Everywhere else too, but for the edges between bars, which the two scale differently.
    EXPECT_LT(differing(cpu.image, gl.image, 24), 0.03);
}

INSTANTIATE_TEST_SUITE_P(GeneratedBars, BothOutputs,
                         ::testing::Values("output/bars-sd.mpg", "output/bars-hd.mp4", "output/bars-10bit.mkv",
                                           "output/bars-nv12.avi"),
                         [](const auto& info) {
                             const std::string name = info.param;
                             return name.substr(name.find('-') + 1, name.find('.') - name.find('-') - 1);
                         });
