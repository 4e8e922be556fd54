// FFmpeg's decoding libraries: not mapped before their first use, then reached under their own
// functions' names.
#include "platform/system/CodecLibrary.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/error.h>
}

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

bool Loaded(const char* soname)
{
    void* handle = dlopen(soname, RTLD_LAZY | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

}  // namespace

TEST(CodecLibrary, TheLibrariesOpenOnTheFirstCallAndAnswerForThemselves)
{
    // This program calls FFmpeg only here.
    EXPECT_FALSE(Loaded(VISTREL_AVCODEC_SONAME));
    EXPECT_FALSE(Loaded(VISTREL_AVUTIL_SONAME));

    // A first call opens them all; the answer is the library's own.
    EXPECT_EQ(avcodec_version(), unsigned(LIBAVCODEC_VERSION_INT));
    EXPECT_TRUE(Loaded(VISTREL_AVCODEC_SONAME));
    EXPECT_TRUE(Loaded(VISTREL_AVUTIL_SONAME));
    QString why;
    EXPECT_TRUE(platform::OpenCodecLibraries(&why)) << why.toStdString();
    EXPECT_TRUE(why.isEmpty());

    char message[AV_ERROR_MAX_STRING_SIZE] = {};
    EXPECT_EQ(av_strerror(AVERROR(EINVAL), message, sizeof message), 0);
    EXPECT_STREQ(message, "Invalid argument");
    // Objects made by one library and freed by another, as decoding does.
    AVPacket* packet = av_packet_alloc();
    ASSERT_NE(packet, nullptr);
    EXPECT_EQ(av_new_packet(packet, 64), 0);
    EXPECT_EQ(packet->size, 64);
    av_packet_free(&packet);
    EXPECT_EQ(packet, nullptr);
    EXPECT_NE(avcodec_find_decoder(AV_CODEC_ID_MPEG2VIDEO), nullptr);
}
