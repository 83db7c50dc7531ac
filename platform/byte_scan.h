// Word-at-a-time search for the single-byte separators of the text files (TAB, CR, LF). Lines
// and fields are short, so eight bytes per step without a call per search beat memchr here.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace byte_scan {

static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");

inline constexpr std::uint64_t lowBits = 0x0101010101010101u;
inline constexpr std::uint64_t highBits = 0x8080808080808080u;

// The high bit of each byte of `word` that equals `byte`. Bits above the lowest match can be
// false, the lowest set bit is always exact, and only it is used.
inline std::uint64_t matches(std::uint64_t word, unsigned char byte) {
    const std::uint64_t x = word ^ (lowBits * byte);
    return (x - lowBits) & ~x & highBits;
}

// The first byte in [from, end) that is `a` or `b`, or `end`.
inline const char* findEither(const char* from, const char* end, char a, char b) {
    const auto ua = static_cast<unsigned char>(a);
    const auto ub = static_cast<unsigned char>(b);
    while (end - from >= 8) {
        std::uint64_t word;
        std::memcpy(&word, from, 8);
        if (const std::uint64_t hit = matches(word, ua) | matches(word, ub)) {
            return from + std::countr_zero(hit) / 8;
        }
        from += 8;
    }
    while (from != end && *from != a && *from != b) ++from;
    return from;
}

inline const char* find(const char* from, const char* end, char byte) {
    return findEither(from, end, byte, byte);
}

}  // namespace byte_scan
