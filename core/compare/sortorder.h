#pragma once
// The order the sort-by-column loop puts rows into, computed without running the loop.
//
// The loop compares every row with every earlier row and moves a row in front of an earlier
// one whenever it is "less": both keys numeric and smaller by value, or (when text order
// applies) smaller in byte order. Where that comparison is a consistent order, the loop is a
// stable insertion sort; where it is not (numeric and byte order disagree, or text order is
// off and only numbers may move), its result is the loop's own, and the functions here
// reproduce exactly that.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace tw {

struct SortKey {
    std::string_view Text;
    int32_t Value = 0;
    bool Numeric = false;
};

SortKey MakeSortKey(std::string_view text);

// How SortOrder reached its result; the tests use it to make sure every way is exercised.
enum class SortMethod { StableSort, Placement, Simulation };

// The loop's comparison: may the row with key `moving` be put in front of the row with key
// `placed`? With `textOrder` off, only two numeric keys are ever compared.
inline bool SortsBefore(const SortKey& moving, const SortKey& placed, bool textOrder) {
    if (moving.Numeric && placed.Numeric)
        return moving.Value < placed.Value;
    return textOrder && moving.Text < placed.Text;
}

// Called now and then while a long order is being worked out, so the caller can keep its
// window alive or stop the work by throwing.
using SortPoll = std::function<void()>;

// Result[k] is the index of the key that ends at position k.
std::vector<int> SortOrder(const std::vector<SortKey>& keys, bool textOrder,
                           SortMethod* used = nullptr, const SortPoll& poll = nullptr);

// Whether SortsBefore, restricted to these keys, is a strict weak order (so that a stable
// sort gives the loop's result).
bool KeysFormStrictWeakOrder(const std::vector<SortKey>& keys, bool textOrder);

// Runs the loop itself on the keys, a pass at a time, each pass as a few block moves of a
// balanced tree (see sortorder.cpp). Exact for every input; SortOrder uses it only where
// neither shortcut applies.
std::vector<int> SimulateSortLoop(const std::vector<SortKey>& keys, bool textOrder,
                                  const SortPoll& poll = nullptr);

} // namespace tw
