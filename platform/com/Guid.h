#pragma once
// 128-bit class and interface identifiers, written and read as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace com {

struct Guid {
    std::array<uint8_t, 16> bytes{};  // in text order

    constexpr Guid() = default;
    // Parses the braced text form at compile time; an ill-formed text gives the null identifier.
    constexpr explicit Guid(std::string_view text)
    {
        if (text.size() != 38 || text.front() != '{' || text.back() != '}')
            return;
        std::array<uint8_t, 16> parsed{};
        size_t n = 0;
        for (size_t i = 1; i + 1 < text.size(); ++i) {
            if (text[i] == '-')
                continue;
            if (i + 2 >= text.size() || n >= 16)
                return;
            const int hi = hex(text[i]);
            const int lo = hex(text[i + 1]);
            if (hi < 0 || lo < 0)
                return;
            parsed[n++] = uint8_t(hi * 16 + lo);
            ++i;
        }
        if (n == 16)
            bytes = parsed;
    }

    constexpr bool isNull() const
    {
        for (uint8_t b : bytes)
            if (b)
                return false;
        return true;
    }
    friend constexpr bool operator==(const Guid&, const Guid&) = default;
    friend constexpr auto operator<=>(const Guid&, const Guid&) = default;

    // Upper-case braced text.
    std::string toString() const;

private:
    static constexpr int hex(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }
};

}  // namespace com
