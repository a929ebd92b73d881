#pragma once
// Marked rows or columns: an ordered list without duplicates (marking order matters to
// the commands that act on the marks) with a set beside it, so painting a cell asks
// "is this marked?" in constant time.

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace tw {

class MarkList {
  public:
    // Removes the number when present (later entries move up), else appends it.
    void Toggle(int number) {
        if (Members.erase(number)) {
            Order.erase(std::find(Order.begin(), Order.end(), number));
        } else {
            Members.insert(number);
            Order.push_back(number);
        }
    }
    bool Contains(int number) const { return Members.count(number) != 0; }
    void Clear() {
        Order.clear();
        Members.clear();
    }
    bool Empty() const { return Order.empty(); }
    int Count() const { return static_cast<int>(Order.size()); }
    const std::vector<int>& Items() const { return Order; }

  private:
    std::vector<int> Order;
    std::unordered_set<int> Members;
};

} // namespace tw
