// libFuzzer entry for the bookmark file: the compound file, the class id at the start of its
// stream and the navigator state after it. Nothing may crash, and a state that loads must be one
// that saves back to the same bytes.
//
// With VISTREL_FUZZ_SEED=FOLDER set, the target writes there a valid bookmark (bookmark.bmk) and
// its stream alone (stream.bin), and ends: the seeds of its corpus, made by the code that writes
// real bookmarks.
#include "platform/dvd/NavigatorState.h"
#include "platform/com/StructuredStorage.h"
#include "platform/system/AtomicFile.h"

#include <cstdlib>

using namespace com;
using namespace dvd;

namespace {

void CheckRoundTrip(const QByteArray& bytes)
{
    if (const auto state = ParseState(bytes)) {
        if (!ParseState(SerializeState(*state)) || *ParseState(SerializeState(*state)) != *state)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    DvdState::registerClass();
    if (const char* seed = std::getenv("VISTREL_FUZZ_SEED")) {
        NavigatorState state;
        state.domain = DVD_DOMAIN_Title;
        state.title = 1;
        state.chapter = 2;
        state.timeMs = 5000;
        state.discId.fill(0x5A);
        DvdState object(state);
        MemoryStream stream;
        const QString folder = QString::fromLocal8Bit(seed);
        const bool written =
            SUCCEEDED(OleSaveToStream(object, stream))
            && SUCCEEDED(WriteCompoundFile(folder + "/bookmark.bmk", "BookMark", stream.bytes()))
            && platform::WriteFileAtomically(folder + "/stream.bin", stream.bytes());
        std::exit(written ? 0 : 1);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    // The input as the whole file, and as the stream alone.
    QByteArray stream;
    if (SUCCEEDED(ReadCompoundBytes(input, "BookMark", stream))) {
        MemoryStream in(stream);
        Ref<IUnknown> loaded;
        OleLoadFromStream(in, IDvdState::IID, loaded);
    }
    MemoryStream in(input);
    Ref<IUnknown> loaded;
    OleLoadFromStream(in, IDvdState::IID, loaded);
    CheckRoundTrip(input.size() > 16 ? input.mid(16) : input);
    return 0;
}
