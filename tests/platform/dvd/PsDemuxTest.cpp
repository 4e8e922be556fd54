#include "platform/dvd/PsDemux.h"

#include "support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

using dvd::DemuxPack;
using dvd::EsKind;
using dvd::EsPayload;

namespace {

// An MPEG-2 pack header followed by one PES packet carrying `payload` with a PTS.
std::vector<uint8_t> MakePack(uint8_t streamId, const std::vector<uint8_t>& payload, int64_t pts)
{
    std::vector<uint8_t> b = {0, 0, 1, 0xBA, 0x44, 0, 4, 0, 4, 1, 0x01, 0x89, 0xC3, 0xF8};
    const size_t length = 3 + 5 + payload.size();
    b.insert(b.end(), {0, 0, 1, streamId, uint8_t(length >> 8), uint8_t(length)});
    b.insert(b.end(), {0x81, 0x80, 5});
    b.push_back(uint8_t(0x21 | ((pts >> 29) & 0x0E)));
    b.push_back(uint8_t(pts >> 22));
    b.push_back(uint8_t(((pts >> 14) & 0xFE) | 1));
    b.push_back(uint8_t(pts >> 7));
    b.push_back(uint8_t((pts << 1) | 1));
    b.insert(b.end(), payload.begin(), payload.end());
    b.resize(2048, 0xFF);
    return b;
}

// The payloads point into the block: it must outlive them, so a temporary block is refused.
std::vector<EsPayload> Demux(std::vector<uint8_t>&&) = delete;
std::vector<EsPayload> Demux(const std::vector<uint8_t>& block)
{
    std::vector<EsPayload> out;
    DemuxPack(block.data(), block.size(), [&](const EsPayload& p) { out.push_back(p); });
    return out;
}

}  // namespace

TEST(PsDemux, SplitsPrivateStreamsByTheirSubstream)
{
    // AC-3 stream 1: substream 0x81, then three header bytes, then the frame.
    const auto ac3Pack = MakePack(0xBD, {0x81, 1, 0, 1, 0x0B, 0x77, 0xAA}, 900000);
    auto ac3 = Demux(ac3Pack);
    ASSERT_EQ(ac3.size(), 1u);
    EXPECT_EQ(ac3[0].kind, EsKind::Ac3);
    EXPECT_EQ(ac3[0].number, 1);
    EXPECT_EQ(ac3[0].pts, 900000);
    ASSERT_EQ(ac3[0].size, 3u);
    EXPECT_EQ(ac3[0].data[0], 0x0B);

    const auto spuPack = MakePack(0xBD, {0x22, 0x00, 0x10}, 1234);
    auto spu = Demux(spuPack);
    ASSERT_EQ(spu.size(), 1u);
    EXPECT_EQ(spu[0].kind, EsKind::Subpicture);
    EXPECT_EQ(spu[0].number, 2);
    EXPECT_EQ(spu[0].size, 2u);

    const auto lpcmPack = MakePack(0xBD, {0xA0, 1, 0, 4, 0x00, 0x01, 0x80, 0x12, 0x34}, 0);
    auto lpcm = Demux(lpcmPack);
    ASSERT_EQ(lpcm.size(), 1u);
    EXPECT_EQ(lpcm[0].kind, EsKind::Lpcm);
    EXPECT_EQ(lpcm[0].lpcmHeader[1], 0x01);
    EXPECT_EQ(lpcm[0].size, 2u);

    const auto videoPack = MakePack(0xE0, {0, 0, 1, 0xB3}, 3600);
    auto video = Demux(videoPack);
    ASSERT_EQ(video.size(), 1u);
    EXPECT_EQ(video[0].kind, EsKind::Video);
    EXPECT_EQ(video[0].pts, 3600);
}

TEST(PsDemux, RefusesWhatIsNoPackAndStopsAtDamage)
{
    std::vector<uint8_t> zeros(2048, 0);
    EXPECT_FALSE(DemuxPack(zeros.data(), zeros.size(), [](const EsPayload&) {}));
    EXPECT_FALSE(DemuxPack(nullptr, 0, [](const EsPayload&) {}));
    // A PES length that runs past the block: nothing of it comes out.
    auto block = MakePack(0xE0, {1, 2, 3}, 0);
    block[18] = 0x7F;
    EXPECT_TRUE(Demux(block).empty());
    // A short block with a valid header.
    auto shortBlock = MakePack(0xE0, {1, 2, 3}, 0);
    shortBlock.resize(20);
    EXPECT_TRUE(Demux(shortBlock).empty());
}

TEST(PsDemux, FindsTheStreamsOfTheGeneratedDisc)
{
    QFile vob(testsupport::media("dvd/VIDEO_TS/VTS_01_1.VOB"));
    ASSERT_TRUE(vob.open(QIODevice::ReadOnly));
    std::map<std::pair<int, int>, int> seen;
    int packs = 0;
    while (true) {
        const QByteArray block = vob.read(2048);
        if (block.size() < 2048)
            break;
        ++packs;
        DemuxPack(reinterpret_cast<const uint8_t*>(block.constData()), 2048,
                  [&](const EsPayload& p) { ++seen[{int(p.kind), p.number}]; });
    }
    EXPECT_GT(packs, 100);
    EXPECT_GT(seen[std::make_pair(int(EsKind::Video), 0)], 0);
    EXPECT_GT(seen[std::make_pair(int(EsKind::Ac3), 0)], 0);
    EXPECT_GT(seen[std::make_pair(int(EsKind::Ac3), 1)], 0);
    EXPECT_GT(seen[std::make_pair(int(EsKind::Subpicture), 0)], 0);
    EXPECT_GT(seen[std::make_pair(int(EsKind::Nav), 0)], 0);
}

TEST(PsDemux, SurvivesRandomDamage)
{
    QFile vob(testsupport::media("dvd/VIDEO_TS/VTS_01_1.VOB"));
    ASSERT_TRUE(vob.open(QIODevice::ReadOnly));
    const QByteArray original = vob.read(2048 * 64);
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        const int at = int(random() % 64) * 2048;
        std::vector<uint8_t> block(original.begin() + at, original.begin() + at + 2048);
        for (int flips = int(random() % 16); flips >= 0; --flips)
            block[random() % 2048] = uint8_t(random());
        size_t total = 0;
        DemuxPack(block.data(), block.size(), [&](const EsPayload& p) {
            // Every payload lies inside the block.
            ASSERT_GE(p.data, block.data());
            ASSERT_LE(p.data + p.size, block.data() + block.size());
            total += p.size;
        });
        EXPECT_LE(total, 2048u);
    }
}
