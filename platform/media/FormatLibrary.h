#pragma once
// libavformat, opened on the first media file rather than linked: a disc or a CD never maps it (nor,
// with the system's FFmpeg, the thirty-odd network, encryption, game-music and Blu-ray libraries
// Debian's build of it needs). The functions the player uses are reached through this table.
extern "C" {
#include <libavformat/avformat.h>
}

#include <QString>

namespace media {

struct FormatLibrary {
    decltype(&::avformat_open_input) avformat_open_input = nullptr;
    decltype(&::avformat_find_stream_info) avformat_find_stream_info = nullptr;
    decltype(&::avformat_close_input) avformat_close_input = nullptr;
    decltype(&::avformat_seek_file) avformat_seek_file = nullptr;
    decltype(&::av_find_best_stream) av_find_best_stream = nullptr;
    decltype(&::av_read_frame) av_read_frame = nullptr;
    decltype(&::avio_feof) avio_feof = nullptr;
    decltype(&::av_guess_frame_rate) av_guess_frame_rate = nullptr;
    decltype(&::av_guess_sample_aspect_ratio) av_guess_sample_aspect_ratio = nullptr;
};

// The table, the library being opened on the first call (from any thread); nullptr when it cannot
// be opened or lacks a function, `why` then saying so in the user's words.
const FormatLibrary* formatLibrary(QString* why = nullptr);

}  // namespace media
