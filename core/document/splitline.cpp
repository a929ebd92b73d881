#include "core/document/splitline.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tw {

namespace {

void SplitTab(std::string_view line, std::vector<std::string_view>& views) {
    // Cells of a large table are mostly empty or a few bytes long, so a test per byte
    // mispredicts at nearly every TAB. Sixteen bytes are compared at once instead and the
    // TABs among them are taken from the bit mask.
    const char* data = line.data();
    const size_t size = line.size();
    size_t start = 0;
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i tab = _mm_set1_epi8('\t');
    for (; i + 16 <= size; i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, tab)));
        while (mask != 0) {
            size_t at = i + static_cast<size_t>(__builtin_ctz(mask));
            views.emplace_back(data + start, at - start);
            start = at + 1;
            mask &= mask - 1;
        }
    }
#endif
    for (; i < size; ++i) {
        if (data[i] != '\t') continue;
        views.emplace_back(data + start, i - start);
        start = i + 1;
    }
    views.emplace_back(data + start, size - start);
}

} // namespace

void SplitLine(std::string_view line, DocumentKind kind, LineCells& out) {
    out.Views.clear();
    if (line.empty()) return;
    if (kind == DocumentKind::Tab) {
        SplitTab(line, out.Views);
        return;
    }

    // Brace kinds drop opening braces (all of them, or those of the first mes field), so
    // the cells are built in a buffer of their own.
    const bool mes = kind == DocumentKind::Mes;
    std::string& buffer = out.Buffer;
    buffer.clear();
    out.Ends.clear();
    size_t cellStart = 0;
    bool firstField = true; // no separator seen yet: still in the key
    for (char ch : line) {
        if (ch == '}') {
            if (mes && !firstField) buffer.push_back(ch);
            out.Ends.push_back(buffer.size());
            cellStart = buffer.size();
            firstField = false;
        } else if (ch == '{' && (!mes || firstField)) {
            // dropped
        } else {
            buffer.push_back(ch);
        }
    }
    if (!mes || buffer.size() > cellStart) out.Ends.push_back(buffer.size());

    size_t start = 0;
    for (size_t end : out.Ends) {
        out.Views.emplace_back(buffer.data() + start, end - start);
        start = end;
    }
}

} // namespace tw
