#pragma once
// FFmpeg's decoding libraries, opened at run time rather than linked.
#include <QString>

namespace platform {

// libavutil, libswresample, libswscale and libavcodec are opened on first use rather than linked: the
// loader maps and relocates them (with libva, libdav1d and the rest they need) beside the program's
// start rather than before it. Their functions keep their names for the code that calls them; the
// first call opens the libraries (from any thread, once). Returns true when they are open; otherwise
// `why` says why in the user's words, and every call fails as FFmpeg fails (a null result, an error
// code).
bool OpenCodecLibraries(QString* why = nullptr);

}  // namespace platform
