#include "platform/system/Languages.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <array>
#include <utility>

namespace platform {
namespace {

// Languages with their primary locale identifier (the language's default sub-language).
constexpr std::array<std::pair<const char*, uint32_t>, 48> kLanguages{{
    {"ar", 0x0401}, {"bg", 0x0402}, {"ca", 0x0403}, {"zh", 0x0804}, {"cs", 0x0405}, {"da", 0x0406},
    {"de", 0x0407}, {"el", 0x0408}, {"en", 0x0409}, {"es", 0x0C0A}, {"fi", 0x040B}, {"fr", 0x040C},
    {"he", 0x040D}, {"hu", 0x040E}, {"is", 0x040F}, {"it", 0x0410}, {"ja", 0x0411}, {"ko", 0x0412},
    {"nl", 0x0413}, {"no", 0x0414}, {"pl", 0x0415}, {"pt", 0x0816}, {"rm", 0x0417}, {"ro", 0x0418},
    {"ru", 0x0419}, {"hr", 0x041A}, {"sk", 0x041B}, {"sq", 0x041C}, {"sv", 0x041D}, {"th", 0x041E},
    {"tr", 0x041F}, {"ur", 0x0420}, {"id", 0x0421}, {"uk", 0x0422}, {"be", 0x0423}, {"sl", 0x0424},
    {"et", 0x0425}, {"lv", 0x0426}, {"lt", 0x0427}, {"fa", 0x0429}, {"vi", 0x042A}, {"hy", 0x042B},
    {"eu", 0x042D}, {"mk", 0x042F}, {"hi", 0x0439}, {"ga", 0x083C}, {"ms", 0x043E}, {"la", 0x0476},
}};

}  // namespace

uint32_t LcidFromIso639(uint16_t code)
{
    if (code == 0 || code == 0xFFFF)
        return 0;
    const char letters[3] = {char(code >> 8), char(code & 0xFF), 0};
    return LcidFromIso639(QString::fromLatin1(letters));
}

uint32_t LcidFromIso639(const QString& code)
{
    const QByteArray lower = code.toLower().toLatin1();
    for (const auto& [iso, lcid] : kLanguages)
        if (lower == iso)
            return lcid;
    return 0;
}

QString Iso639FromLcid(uint32_t lcid)
{
    for (const auto& [iso, id] : kLanguages)
        if (id == lcid || (id & 0x3FF) == (lcid & 0x3FF))
            return QString::fromLatin1(iso);
    return {};
}

QString LanguageName(uint32_t lcid, const QString& displayIn)
{
    const QString iso = Iso639FromLcid(lcid);
    if (iso.isEmpty())
        return {};
    const icu::Locale language(iso.toLatin1().constData());
    const icu::Locale in(displayIn.toLatin1().constData());
    icu::UnicodeString name;
    language.getDisplayLanguage(in, name);
    std::string utf8;
    name.toUTF8String(utf8);
    const QString result = QString::fromStdString(utf8);
    // ICU answers with the code itself when it knows no name.
    return result == iso ? QString() : result;
}

}  // namespace platform
