// libFuzzer entry for interface.dat: any bytes give a skin record or are refused as too short,
// and a record that reads saves back to bytes that read as the same record.
//
// With VISTREL_FUZZ_SEED=FOLDER set, the target writes there the default record and one with
// accented paths, moved places and chosen colours, and ends: the seeds of its corpus.
#include "panel/SkinRecord.h"
#include "platform/system/AtomicFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* seed = std::getenv("VISTREL_FUZZ_SEED");
    if (!seed)
        return 0;
    const QString folder = QString::fromLocal8Bit(seed);
    SkinRecord dressed = SkinRecord::Defaults(QStringLiteral("/home/été/skins/"));
    dressed.ButtonAt[SkinRecord::Play] = QPoint(-4, 300);
    dressed.FullScreenAt = QPoint(12, 14);
    dressed.FontSize = 14;
    dressed.TransparencyColour = 0x00FF00FF;
    dressed.FontColour = SkinRecord::kSystemColour | 13u;
    dressed.FontName = QStringLiteral("DejaVu Sans");
    const bool written =
        platform::WriteFileAtomically(folder + "/default", *SkinRecord::Defaults(QStringLiteral("/usr/share/vistrel/")).ToBytes())
        && platform::WriteFileAtomically(folder + "/dressed", *dressed.ToBytes());
    std::exit(written ? 0 : 1);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<SkinRecord> record = SkinRecord::FromBytes(bytes);
    if (!record) {
        if (size >= size_t(SkinRecord::kSize))
            std::abort();
        return 0;
    }
    // A text with a byte the code page leaves undefined cannot be saved; the editor says so.
    const std::optional<QByteArray> saved = record->ToBytes();
    if (!saved) {
        if (record->Unrepresentable().isEmpty())
            std::abort();
        return 0;
    }
    if (saved->size() != SkinRecord::kSize)
        std::abort();
    // The full-screen button's older place is saved as its place.
    SkinRecord expected = *record;
    expected.FullScreenFirstAt = expected.FullScreenAt;
    const std::optional<SkinRecord> again = SkinRecord::FromBytes(*saved);
    if (!again || !(*again == expected))
        std::abort();
    return 0;
}
