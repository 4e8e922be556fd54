// Files that cannot play fail to render and leave the graph empty and usable.
#include "MediaTestSupport.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace media;
using mediatest::GraphUnderTest;

TEST(BadInput, UnplayableFilesFailAndTheGraphStaysEmptyAndUsable)
{
    QTemporaryDir dir;
    const QString unreadable = dir.filePath("locked.wav");
    QFile::copy(testsupport::media("files/tone440.wav"), unreadable);
    QFile::setPermissions(unreadable, QFileDevice::Permissions());
    const bool canLock = !QFile(unreadable).open(QIODevice::ReadOnly);  // root reads anything

    GraphUnderTest g;
    for (const QString& path : {testsupport::media("files/no-such-file.avi"), testsupport::media("damaged/empty.mp3"),
                                testsupport::media("damaged/notmedia.avi"), testsupport::media("damaged/garbage.wav"),
                                testsupport::media("damaged"), canLock ? unreadable : QString()}) {
        SCOPED_TRACE(path.toStdString());
        const HRESULT hr = g.graph->RenderFile(path);
        EXPECT_TRUE(FAILED(hr)) << com::resultText(hr);
        EXPECT_EQ(g.filterCount(), 0u);
        EXPECT_FALSE(com::query<IVideoWindow>(g.graph));
        EXPECT_EQ(g.graph->Run(), S_OK);  // an empty graph runs without doing anything
        g.graph->Stop();
    }
    EXPECT_EQ(g.graph->RenderFile(testsupport::media("files/no-such-file.avi")), HRESULT_FILE_NOT_FOUND);
    ASSERT_EQ(g.render("files/tone440.wav"), S_OK);
    EXPECT_GT(g.filterCount(), 0u);
}

TEST(BadInput, TruncatedFilePlaysWhatItHoldsToItsEnd)
{
    // The first 16 KiB of a program stream still hold whole pictures and sound frames.
    GraphUnderTest g;
    ASSERT_EQ(g.render("damaged/truncated.mpg"), S_OK);
    g.graph->Run();
    EXPECT_TRUE(g.waitForEvent(EC_COMPLETE, 10));
    EXPECT_EQ(g.count(EC_ERRORABORT), 0);
}

TEST(BadInput, FileWhoseExtensionLiesPlaysByItsContents)
{
    GraphUnderTest g;
    ASSERT_EQ(g.render("damaged/liar.mp3"), S_OK);
    EXPECT_FALSE(com::query<IVideoWindow>(g.graph));
    EXPECT_EQ(g.graph->playback()->sourceFormat(), "wav");
    g.graph->Run();
    EXPECT_TRUE(g.waitForEvent(EC_COMPLETE, 8));
}

TEST(BadInput, DamageInTheMiddleEndsInCompleteOrErrorAbortNeverAHang)
{
    GraphUnderTest g;
    ASSERT_EQ(g.render("damaged/corrupt.avi"), S_OK);
    g.graph->SetRate(4.0);
    g.graph->Run();
    EXPECT_TRUE(testsupport::waitFor(
        [&] {
            g.drain();
            return g.count(EC_COMPLETE) + g.count(EC_ERRORABORT) > 0;
        },
        std::chrono::seconds(10)));
}
