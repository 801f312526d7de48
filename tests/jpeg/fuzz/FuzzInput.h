// The layout of a fuzz input: two bytes of decoding options, then the bytes
// of the file to decode.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kyt::fuzz {

inline constexpr std::size_t OptionBytes = 2;

struct Choice {
    int numOfColors; // 0 _16, 1 _256, 2 TrueColor
    int dctMethod; // 0 Integ, 1 FastInteg, 2 FloatingPoint
    int dither; // 0 None, 1 FS, 2 Ordered
    bool fast, grey, noSmooth, onePass;
    int progressStep; // 1 to 100
};

inline Choice ReadChoice(const std::uint8_t* bytes)
{
    const unsigned a = bytes[0], b = bytes[1];
    return Choice {int(a & 3) % 3, int((a >> 2) & 3) % 3, int((a >> 4) & 3) % 3, (a & 0x40) != 0,
        (a & 0x80) != 0, (b & 1) != 0, (b & 2) != 0, int(b >> 2) % 100 + 1};
}

inline void WriteChoice(const Choice& c, std::uint8_t* bytes)
{
    bytes[0] = std::uint8_t(c.numOfColors | c.dctMethod << 2 | c.dither << 4 | (c.fast ? 0x40 : 0)
        | (c.grey ? 0x80 : 0));
    bytes[1] = std::uint8_t((c.noSmooth ? 1 : 0) | (c.onePass ? 2 : 0) | (c.progressStep - 1) << 2);
}

} // namespace kyt::fuzz
