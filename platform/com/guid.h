#pragma once
// Class and interface identifiers: 128-bit GUIDs with their registry text form
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

namespace com {

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4{};

    friend constexpr bool operator==(const Guid&, const Guid&) = default;
    friend constexpr auto operator<=>(const Guid&, const Guid&) = default;

    // Upper-case registry form with braces.
    QString toString() const;
    // Accepts the form with or without braces, in either case; false when the text is no GUID.
    static bool parse(const QString& text, Guid* out);
};

namespace detail {
constexpr unsigned hexDigit(char c) {
    return c >= '0' && c <= '9' ? unsigned(c - '0')
           : c >= 'a' && c <= 'f' ? unsigned(c - 'a' + 10)
           : c >= 'A' && c <= 'F' ? unsigned(c - 'A' + 10)
                                  : throw "not a hex digit";
}
constexpr uint64_t hexField(std::string_view s, std::size_t at, std::size_t digits) {
    uint64_t v = 0;
    for (std::size_t i = 0; i < digits; ++i) v = v << 4 | hexDigit(s[at + i]);
    return v;
}
}  // namespace detail

// A GUID from its text without braces, checked at compile time: "A6FBEE51-63D4-11D1-B2DF-444553540000".
consteval Guid makeGuid(std::string_view s) {
    if (s.size() != 36 || s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-') throw "bad GUID text";
    Guid g;
    g.data1 = static_cast<uint32_t>(detail::hexField(s, 0, 8));
    g.data2 = static_cast<uint16_t>(detail::hexField(s, 9, 4));
    g.data3 = static_cast<uint16_t>(detail::hexField(s, 14, 4));
    g.data4[0] = static_cast<uint8_t>(detail::hexField(s, 19, 2));
    g.data4[1] = static_cast<uint8_t>(detail::hexField(s, 21, 2));
    for (std::size_t i = 0; i < 6; ++i) g.data4[2 + i] = static_cast<uint8_t>(detail::hexField(s, 24 + 2 * i, 2));
    return g;
}

}  // namespace com
