#include "platform/com/Guid.h"

namespace com {

std::string Guid::toString() const
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "{";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += '-';
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    text += '}';
    return text;
}

}  // namespace com
