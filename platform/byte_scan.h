// Block-at-a-time search for the single-byte separators of the text files (TAB, CR, LF). Lines
// and fields are short, so sixteen bytes per step (SSE2, which every x86-64 processor has) and
// then eight, without a call per search, beat memchr here.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
#if defined(__SSE2__)
    const __m128i allA = _mm_set1_epi8(a);
    const __m128i allB = _mm_set1_epi8(b);
    while (end - from >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(block, allA), _mm_cmpeq_epi8(block, allB));
        if (const auto hit = static_cast<unsigned>(_mm_movemask_epi8(hits))) {
            return from + std::countr_zero(hit);
        }
        from += 16;
    }
#endif
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
