#pragma once
// Where the bytes that shape a data file's line (double quotes, commas, CR, LF) stand in a
// block of 64 bytes, one bit a byte: what the fast look-up and the record indexer read lines
// by, a block at a time.

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace datafiles {

struct ByteMasks {
    std::uint64_t quote = 0, comma = 0, cr = 0, lf = 0;
};

#if defined(__x86_64__) && defined(__GNUC__)
// Which of 64 bytes, held in two halves, are `c`.
[[gnu::always_inline, gnu::target("avx2")]] inline std::uint64_t maskOf(__m256i low, __m256i high,
                                                                        char c) {
    const __m256i wanted = _mm256_set1_epi8(c);
    return std::uint64_t(
               static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, wanted)))) |
           std::uint64_t(
               static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, wanted))))
               << 32;
}
#endif

// The masks of the 64 bytes from `p`, of which only the first `available` are read: the
// bytes past them are none of the four. Without `withCr`, `cr` is left empty, a little faster.
template <bool withCr = true>
[[gnu::always_inline]] inline ByteMasks byteMasks(const char* p, std::size_t available = 64) {
    ByteMasks m;
#if defined(__SSE2__)
    if (available >= 64) {
        const __m128i quote = _mm_set1_epi8('"'), comma = _mm_set1_epi8(','),
                      cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
        for (int k = 0; k < 4; ++k) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
            auto bits = [&chunk, k](__m128i c) {
                return std::uint64_t(
                           static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, c))))
                       << (16 * k);
            };
            m.quote |= bits(quote);
            m.comma |= bits(comma);
            if constexpr (withCr)
                m.cr |= bits(cr);
            m.lf |= bits(lf);
        }
        return m;
    }
#endif
    for (std::size_t k = 0; k < 64 && k < available; ++k) {
        const std::uint64_t bit = std::uint64_t(1) << k;
        m.quote |= p[k] == '"' ? bit : 0;
        m.comma |= p[k] == ',' ? bit : 0;
        if constexpr (withCr)
            m.cr |= p[k] == '\r' ? bit : 0;
        m.lf |= p[k] == '\n' ? bit : 0;
    }
    return m;
}

#if defined(__x86_64__) && defined(__GNUC__)
#define DATAFILES_AVX2_MASKS 1
// The same, 32 bytes a comparison, for processors with AVX2 only: called from a function
// built for them (target "avx2", flattened), it is part of that function.
template <bool withCr = true>
[[gnu::target("avx2")]] inline ByteMasks byteMasksAvx2(const char* p, std::size_t available) {
    if (available < 64)
        return byteMasks<withCr>(p, available);
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    ByteMasks m;
    m.quote = maskOf(low, high, '"');
    m.comma = maskOf(low, high, ',');
    if constexpr (withCr)
        m.cr = maskOf(low, high, '\r');
    m.lf = maskOf(low, high, '\n');
    return m;
}
#endif

// Bit i: whether an odd number of the bits 0..i of `x` are set. Of a quote mask: the bytes
// inside a quoted value, its opening quote among them.
[[gnu::always_inline]] inline std::uint64_t prefixXor(std::uint64_t x) {
    x ^= x << 1;
    x ^= x << 2;
    x ^= x << 4;
    x ^= x << 8;
    x ^= x << 16;
    x ^= x << 32;
    return x;
}

} // namespace datafiles
