#pragma once
// A file graph under test: renders a generated medium and collects its events as they arrive.
#include "platform/media/FilterGraph.h"

#include <QImage>
#include <QString>

class QWidget;

#include <vector>

namespace mediatest {

struct GraphUnderTest {
    com::Ref<media::FilterGraph> graph = media::FilterGraph::create();
    std::vector<int32_t> events;

    HRESULT render(const QString& relative);
    // Takes every waiting event into `events`.
    void drain();
    // Runs the event loop until `code` has arrived (true) or `seconds` have passed.
    bool waitForEvent(int32_t code, double seconds);
    int count(int32_t code) const;
    double position();
    size_t filterCount();
};

// Puts the graph's renderer window inside `host` as a child filling it.
void placeIn(GraphUnderTest& g, QWidget& host);

// The mean colour of the middle quarter of a picture.
QColor middleColour(const QImage& picture);
bool near(const QColor& c, int r, int g, int b, int tolerance = 40);

// The strongest of `candidates` (Hz) in a run of mono samples, by the Goertzel power of each.
double strongestTone(const std::vector<float>& samples, int rate, const std::vector<double>& candidates);
// The left channel of a 16-bit stereo capture, as floats; `skipSeconds` cut from the start.
std::vector<float> leftChannel(const QByteArray& pcm, int rate, double skipSeconds, double seconds);

// For each quarter of a second of a 16-bit stereo capture: the strongest of `candidates` heard
// there, or 0 where it is silent.
std::vector<double> tonesPerWindow(const QByteArray& pcm, int rate, const std::vector<double>& candidates);

}  // namespace mediatest
