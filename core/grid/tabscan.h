#pragma once
// Finding the TABs of a line or a row quickly: cells of a large table are mostly empty or
// a few bytes long, so a search call or a test per byte costs more than the cell.

#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tw {

// Calls `onTab(position)` for the TABs of `bytes` in order until it returns false.
// Sixteen bytes are compared at once and the TABs taken from the bit mask.
template <typename OnTab> inline void ForEachTab(std::string_view bytes, OnTab onTab) {
    const char* data = bytes.data();
    const size_t size = bytes.size();
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i tab = _mm_set1_epi8('\t');
    for (; i + 16 <= size; i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, tab)));
        while (mask != 0) {
            if (!onTab(i + static_cast<size_t>(__builtin_ctz(mask))))
                return;
            mask &= mask - 1;
        }
    }
#endif
    for (; i < size; ++i)
        if (data[i] == '\t' && !onTab(i))
            return;
}

} // namespace tw
