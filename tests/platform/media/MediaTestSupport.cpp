#include "MediaTestSupport.h"

#include "support/TestSupport.h"

#include <QColor>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace mediatest {

void placeIn(GraphUnderTest& g, QWidget& host)
{
    auto window = com::query<media::IVideoWindow>(g.graph);
    if (!window)
        return;
    window->put_Owner(&host);
    window->put_WindowStyle(media::WS_CHILD | media::WS_CLIPSIBLINGS);
    window->SetWindowPosition(0, 0, host.width(), host.height());
}

HRESULT GraphUnderTest::render(const QString& relative)
{
    return graph->RenderFile(testsupport::media(relative));
}

void GraphUnderTest::drain()
{
    int32_t code = 0;
    media::LONG_PTR p1 = 0;
    media::LONG_PTR p2 = 0;
    while (graph->GetEvent(code, p1, p2, 0) == S_OK) {
        events.push_back(code);
        graph->FreeEventParams(code, p1, p2);
    }
}

bool GraphUnderTest::waitForEvent(int32_t code, double seconds)
{
    return testsupport::waitFor(
        [&] {
            drain();
            return count(code) > 0;
        },
        std::chrono::milliseconds(int(seconds * 1000)));
}

int GraphUnderTest::count(int32_t code) const
{
    return int(std::count(events.begin(), events.end(), code));
}

double GraphUnderTest::position()
{
    media::REFERENCE_TIME t = 0;
    graph->GetCurrentPosition(t);
    return double(t) / media::UNITS;
}

size_t GraphUnderTest::filterCount()
{
    com::Ref<media::IEnumFilters> e;
    graph->EnumFilters(e);
    size_t n = 0;
    com::Ref<media::IBaseFilter> f;
    while (e->Next(1, &f, nullptr) == S_OK)
        ++n;
    return n;
}

QColor middleColour(const QImage& picture)
{
    if (picture.isNull())
        return QColor();
    const QRect middle(picture.width() * 3 / 8, picture.height() * 3 / 8, std::max(1, picture.width() / 4),
                       std::max(1, picture.height() / 4));
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = middle.top(); y <= middle.bottom(); ++y)
        for (int x = middle.left(); x <= middle.right(); ++x) {
            const QRgb p = picture.pixel(x, y);
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
            ++n;
        }
    return QColor(int(r / n), int(g / n), int(b / n));
}

bool near(const QColor& c, int r, int g, int b, int tolerance)
{
    return c.isValid() && std::abs(c.red() - r) <= tolerance && std::abs(c.green() - g) <= tolerance &&
           std::abs(c.blue() - b) <= tolerance;
}

double strongestTone(const std::vector<float>& samples, int rate, const std::vector<double>& candidates)
{
    double best = 0;
    double bestPower = -1;
    for (double f : candidates) {
        const double k = 2 * std::cos(2 * M_PI * f / rate);
        double s1 = 0, s2 = 0;
        for (float x : samples) {
            const double s = x + k * s1 - s2;
            s2 = s1;
            s1 = s;
        }
        const double power = s1 * s1 + s2 * s2 - k * s1 * s2;
        if (power > bestPower) {
            bestPower = power;
            best = f;
        }
    }
    return best;
}

std::vector<float> leftChannel(const QByteArray& pcm, int rate, double skipSeconds, double seconds)
{
    const auto* s = reinterpret_cast<const int16_t*>(pcm.constData());
    const size_t frames = size_t(pcm.size()) / 4;
    const size_t from = std::min(frames, size_t(skipSeconds * rate));
    const size_t to = std::min(frames, from + size_t(seconds * rate));
    std::vector<float> out;
    for (size_t i = from; i < to; ++i)
        out.push_back(s[2 * i] / 32768.0f);
    return out;
}

std::vector<double> tonesPerWindow(const QByteArray& pcm, int rate, const std::vector<double>& candidates)
{
    const double seconds = double(pcm.size()) / (rate * 4);
    std::vector<double> tones;
    for (double at = 0; at + 0.25 <= seconds; at += 0.25) {
        const auto samples = leftChannel(pcm, rate, at, 0.25);
        double energy = 0;
        for (float s : samples)
            energy += double(s) * s;
        tones.push_back(energy / double(samples.size()) > 1e-4 ? strongestTone(samples, rate, candidates) : 0);
    }
    return tones;
}

}  // namespace mediatest
