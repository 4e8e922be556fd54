// Opening libavformat on first use and filling the table of its functions.
#include "platform/media/FormatLibrary.h"

#include "platform/system/CodecLibrary.h"
#include "platform/system/SharedLibrary.h"

namespace media {
namespace {

struct Loaded {
    // libavformat needs the decoding libraries: opened first, the loader finds them loaded.
    QString codecsWhy;
    bool codecs = platform::OpenCodecLibraries(&codecsWhy);
    platform::SharedLibrary library{VISTREL_AVFORMAT_SONAME};
    FormatLibrary table;
    bool complete = false;

    Loaded()
    {
        FormatLibrary& t = table;
        complete = codecs && library.isOpen() && library.resolve(t.avformat_open_input, "avformat_open_input") &&
                   library.resolve(t.avformat_find_stream_info, "avformat_find_stream_info") &&
                   library.resolve(t.avformat_close_input, "avformat_close_input") &&
                   library.resolve(t.avformat_seek_file, "avformat_seek_file") &&
                   library.resolve(t.av_find_best_stream, "av_find_best_stream") &&
                   library.resolve(t.av_read_frame, "av_read_frame") && library.resolve(t.avio_feof, "avio_feof") &&
                   library.resolve(t.av_guess_frame_rate, "av_guess_frame_rate") &&
                   library.resolve(t.av_guess_sample_aspect_ratio, "av_guess_sample_aspect_ratio");
    }
};

}  // namespace

const FormatLibrary* formatLibrary(QString* why)
{
    static const Loaded loaded;  // thread-safe on first use, never reopened
    if (!loaded.codecs && why)
        *why = loaded.codecsWhy;
    else if (!loaded.complete && why)
        *why = QStringLiteral("La bibliothèque de lecture des fichiers multimédias (%1) est inutilisable : %2")
                   .arg(loaded.library.soname(), loaded.library.error());
    return loaded.complete ? &loaded.table : nullptr;
}

}  // namespace media
