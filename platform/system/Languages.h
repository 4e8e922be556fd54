#pragma once
// Language identifiers: the two-letter ISO 639 codes that discs carry, the numeric locale
// identifiers of the desktop's locale data (0x040C French, 0x0409 English) that the player's
// interfaces speak, and language names in a chosen language.
#include <QString>

#include <cstdint>

namespace platform {

// 0 when the code is unknown or empty. `code` holds the two letters as a disc stores them
// (first letter in the high byte), e.g. ('f' << 8) | 'r'.
uint32_t LcidFromIso639(uint16_t code);
uint32_t LcidFromIso639(const QString& code);
// The two letters of a locale identifier; empty when unknown.
QString Iso639FromLcid(uint32_t lcid);
// The language's name in the language `displayIn` (an ISO 639 code such as "en" or "fr"), from
// the ICU locale data; empty when there is none.
QString LanguageName(uint32_t lcid, const QString& displayIn);

}  // namespace platform
