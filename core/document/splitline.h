#pragma once
// The cells of one line of a data file, as a format's split leaves them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/documentkind.h"

namespace tw {

// The views point into the line itself when no byte had to be dropped (every tab line),
// else into the buffer held here; they stay valid until the next split with the same
// object and as long as the line does.
class LineCells {
  public:
    const std::vector<std::string_view>& Cells() const { return Views; }
    int Count() const { return static_cast<int>(Views.size()); }

    // For the formats' splits.
    void Clear() {
        Views.clear();
        Ends.clear();
        Buffer.clear();
    }
    void AddView(std::string_view cell) { Views.push_back(cell); }
    // Cells built in the buffer: append bytes, end a cell, then Seal() makes the views.
    std::string& Bytes() { return Buffer; }
    void EndCell() { Ends.push_back(Buffer.size()); }
    size_t LastEnd() const { return Ends.empty() ? 0 : Ends.back(); }
    void Seal() {
        size_t start = 0;
        for (size_t end : Ends) {
            Views.emplace_back(Buffer.data() + start, end - start);
            start = end;
        }
    }

  private:
    std::string Buffer;
    std::vector<size_t> Ends;
    std::vector<std::string_view> Views;
};

// Splits by the rules of `kind` (its format's Split).
void SplitLine(std::string_view line, DocumentKind kind, LineCells& out);

} // namespace tw
