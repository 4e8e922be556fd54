// Render and clear cycles leave nothing behind (run with LeakSanitizer linked in).
#include "engine/TDSFilterGraph2.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(GraphLeak, FiftyRenderAndClearCycles)
{
    TDSFilterGraph2 graph;
    graph.Connect();
    const char* files[] = {"files/red.avi", "files/tone440.wav", "files/melody.mid", "files/green.mpg",
                           "damaged/garbage.wav"};
    for (int i = 0; i < 50; ++i) {
        graph.IFilterGraph2()->RenderFile(testsupport::media(files[i % 5]));
        graph.QueryGraphInterfaces();
        if (graph.IMediaControl())
            graph.IMediaControl()->Run();
        testsupport::pumpFor(std::chrono::milliseconds(20));
        graph.ClearGraph();
    }
    graph.Disconnect();
    SUCCEED();
}
