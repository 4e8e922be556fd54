#include "platform/com/Result.h"

#include <cstdio>

namespace com {

std::string resultText(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", unsigned(hr));
    return text;
}

void check(HRESULT hr)
{
    if (FAILED(hr))
        throw ComError(hr, "Erreur " + resultText(hr));
}

}  // namespace com
