#include "core/compare/sortorder.h"

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>

#include "core/app/text.h"

namespace tw {

SortKey MakeSortKey(std::string_view text) {
    SortKey key;
    key.Text = text;
    if (auto value = ConvertInteger(text)) {
        key.Numeric = true;
        key.Value = *value;
    }
    return key;
}

namespace {

std::vector<int> Identity(size_t n) {
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// Rank of every key's text in byte order; equal texts share a rank.
std::vector<int32_t> TextRanks(const std::vector<SortKey>& keys) {
    std::vector<int> byText = Identity(keys.size());
    std::sort(byText.begin(), byText.end(), [&](int a, int b) {
        return keys[static_cast<size_t>(a)].Text < keys[static_cast<size_t>(b)].Text;
    });
    std::vector<int32_t> ranks(keys.size());
    int32_t rank = -1;
    for (size_t k = 0; k < byText.size(); ++k) {
        auto index = static_cast<size_t>(byText[k]);
        if (k == 0 || keys[static_cast<size_t>(byText[k - 1])].Text != keys[index].Text)
            ++rank;
        ranks[index] = rank;
    }
    return ranks;
}

// Text order off with text keys present: only two numbers are ever compared, so a row
// the loop reaches either stays last (a text key, or a number no placed number exceeds)
// or goes just before the first placed number that is greater, passing any text keys on
// the way; the slide that follows moves nothing more. The placed numbers therefore stay in
// stable value order, and the first greater one by position is the first greater one by
// value.
std::vector<int> PlaceRowsOneByOne(const std::vector<SortKey>& keys) {
    const int n = static_cast<int>(keys.size());
    const int end = n; // sentinel node
    std::vector<int> next(static_cast<size_t>(n) + 1, end), prev(static_cast<size_t>(n) + 1, end);
    auto linkBefore = [&](int node, int before) {
        int p = prev[static_cast<size_t>(before)];
        next[static_cast<size_t>(p)] = node;
        prev[static_cast<size_t>(node)] = p;
        next[static_cast<size_t>(node)] = before;
        prev[static_cast<size_t>(before)] = node;
    };
    std::multimap<int32_t, int> placedNumbers; // equal values in placing order
    for (int i = 0; i < n; ++i) {
        const SortKey& key = keys[static_cast<size_t>(i)];
        if (!key.Numeric) {
            linkBefore(i, end);
            continue;
        }
        auto greater = placedNumbers.upper_bound(key.Value);
        linkBefore(i, greater == placedNumbers.end() ? end : greater->second);
        placedNumbers.emplace(key.Value, i);
    }
    std::vector<int> order;
    order.reserve(keys.size());
    for (int node = next[static_cast<size_t>(end)]; node != end;
         node = next[static_cast<size_t>(node)])
        order.push_back(node);
    return order;
}

} // namespace

bool KeysFormStrictWeakOrder(const std::vector<SortKey>& keys, bool textOrder) {
    std::vector<const SortKey*> numbers, texts;
    for (const auto& key : keys)
        (key.Numeric ? numbers : texts).push_back(&key);
    if (numbers.empty())
        return true; // byte order, or no comparison at all
    if (!textOrder) {
        // A text key is equivalent to every number, so two different numbers break it.
        if (texts.empty())
            return true;
        return std::all_of(numbers.begin(), numbers.end(),
                           [&](const SortKey* k) { return k->Value == numbers.front()->Value; });
    }
    if (texts.empty())
        return true;
    // Every text key must split the numbers into a lower and an upper group by byte order
    // that are also a lower and an upper group by value (no value on both sides).
    auto byText = [](const SortKey* a, const SortKey* b) { return a->Text < b->Text; };
    std::sort(numbers.begin(), numbers.end(), byText);
    std::sort(texts.begin(), texts.end(), byText);
    const size_t m = numbers.size();
    std::vector<int64_t> prefixMax(m + 1, std::numeric_limits<int64_t>::min());
    std::vector<int64_t> suffixMin(m + 1, std::numeric_limits<int64_t>::max());
    for (size_t p = 0; p < m; ++p)
        prefixMax[p + 1] = std::max<int64_t>(prefixMax[p], numbers[p]->Value);
    for (size_t p = m; p-- > 0;)
        suffixMin[p] = std::min<int64_t>(suffixMin[p + 1], numbers[p]->Value);
    size_t below = 0;
    for (const SortKey* text : texts) {
        while (below < m && numbers[below]->Text < text->Text)
            ++below;
        if (below > 0 && below < m && prefixMax[below] >= suffixMin[below])
            return false;
    }
    return true;
}

std::vector<int> SortOrder(const std::vector<SortKey>& keys, bool textOrder, SortMethod* used) {
    if (KeysFormStrictWeakOrder(keys, textOrder)) {
        if (used)
            *used = SortMethod::StableSort;
        std::vector<int> order = Identity(keys.size());
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return SortsBefore(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)],
                               textOrder);
        });
        return order;
    }
    if (!textOrder) {
        if (used)
            *used = SortMethod::Placement;
        return PlaceRowsOneByOne(keys);
    }
    if (used)
        *used = SortMethod::Simulation;
    return SimulateSortLoop(keys, textOrder);
}

// ------------------------------------------------------------------ the loop itself
//
// While the loop works on row i, the rows before it (the placed rows) are compared in turn
// with the row at i; when that row sorts before the placed row at j, it is put there, the
// last placed row slides into position i, and the comparisons go on from j + 1 with it.
// Rows after i are not touched. The placed rows live in blocks that remember the largest
// key of each kind, so a scan skips every block that cannot hold a row to move in front of.

namespace {

// Small enough that an insertion is cheap, large enough that skipping blocks pays.
constexpr size_t BlockSize = 96;

struct LoopItem {
    int32_t Value;
    int32_t Rank; // byte-order rank of the text
    bool Numeric;
    int Index;
};

struct LoopBlock {
    std::vector<LoopItem> Items;
    int64_t MaxNumber = std::numeric_limits<int64_t>::min(); // over numeric items
    int32_t MaxTextRank = -1;                                // over non-numeric items
    int32_t MaxRank = -1;                                    // over all items

    void Add(const LoopItem& item) {
        if (item.Numeric)
            MaxNumber = std::max<int64_t>(MaxNumber, item.Value);
        else
            MaxTextRank = std::max(MaxTextRank, item.Rank);
        MaxRank = std::max(MaxRank, item.Rank);
    }
    void Recount() {
        MaxNumber = std::numeric_limits<int64_t>::min();
        MaxTextRank = -1;
        MaxRank = -1;
        for (const auto& item : Items)
            Add(item);
    }
};

class PlacedRows {
  public:
    explicit PlacedRows(bool textOrder) : TextOrder(textOrder) { Blocks.emplace_back(); }

    static bool Less(const LoopItem& moving, const LoopItem& placed, bool textOrder) {
        if (moving.Numeric && placed.Numeric)
            return moving.Value < placed.Value;
        return textOrder && moving.Rank < placed.Rank;
    }

    bool MayHold(const LoopBlock& block, const LoopItem& moving) const {
        if (moving.Numeric) {
            if (block.MaxNumber > moving.Value)
                return true;
            return TextOrder && block.MaxTextRank > moving.Rank;
        }
        return TextOrder && block.MaxRank > moving.Rank;
    }

    // A position as block and index within it; {Blocks.size(), 0} is the end.
    struct Location {
        size_t Block;
        size_t Index;
    };
    Location Start() const { return {0, 0}; }

    // First location at or after `from` whose item `moving` sorts before; the end when
    // there is none. A block's maxima may be stale after removals (they stay upper
    // bounds); a block scanned in vain from its start gets them recounted.
    Location FindFirst(Location from, const LoopItem& moving) {
        for (size_t b = from.Block; b < Blocks.size(); ++b) {
            LoopBlock& block = Blocks[b];
            size_t start = b == from.Block ? from.Index : 0;
            if (start >= block.Items.size() || !MayHold(block, moving))
                continue;
            for (size_t k = start; k < block.Items.size(); ++k)
                if (Less(moving, block.Items[k], TextOrder))
                    return {b, k};
            if (start == 0)
                block.Recount();
        }
        return {Blocks.size(), 0};
    }
    bool AtEnd(Location at) const { return at.Block >= Blocks.size(); }

    // Inserts before `at` and returns the location just after the new item.
    Location Insert(Location at, const LoopItem& item) {
        LoopBlock& block = Blocks[at.Block];
        block.Items.insert(block.Items.begin() + static_cast<long>(at.Index), item);
        block.Add(item);
        Location after{at.Block, at.Index + 1};
        if (block.Items.size() > 2 * Limit) {
            LoopBlock tail;
            tail.Items.assign(block.Items.begin() + static_cast<long>(Limit), block.Items.end());
            block.Items.resize(Limit);
            block.Recount();
            tail.Recount();
            Blocks.insert(Blocks.begin() + static_cast<long>(at.Block) + 1, std::move(tail));
            if (after.Index >= Limit)
                after = {at.Block + 1, after.Index - Limit};
        }
        return after;
    }

    void PushBack(const LoopItem& item) {
        if (Blocks.back().Items.size() >= Limit)
            Blocks.emplace_back();
        Blocks.back().Items.push_back(item);
        Blocks.back().Add(item);
    }

    // Removes the last item; its block's maxima are left as upper bounds.
    LoopItem PopBack() {
        auto& block = Blocks.back();
        LoopItem item = block.Items.back();
        block.Items.pop_back();
        if (block.Items.empty() && Blocks.size() > 1)
            Blocks.pop_back();
        return item;
    }

    std::vector<int> Order() const {
        std::vector<int> order;
        for (const auto& block : Blocks)
            for (const auto& item : block.Items)
                order.push_back(item.Index);
        return order;
    }

  private:
    bool TextOrder;
    const size_t Limit = BlockSize;
    std::vector<LoopBlock> Blocks;
};

} // namespace

std::vector<int> SimulateSortLoop(const std::vector<SortKey>& keys, bool textOrder) {
    std::vector<int32_t> ranks = TextRanks(keys);
    PlacedRows placed(textOrder);
    for (size_t i = 0; i < keys.size(); ++i) {
        LoopItem current{keys[i].Value, ranks[i], keys[i].Numeric, static_cast<int>(i)};
        PlacedRows::Location from = placed.Start();
        for (;;) {
            PlacedRows::Location at = placed.FindFirst(from, current);
            if (placed.AtEnd(at))
                break;
            // The row at i goes in front of the placed row at j; the last placed row slides
            // into position i and is compared from j + 1 on.
            from = placed.Insert(at, current);
            current = placed.PopBack();
        }
        placed.PushBack(current);
    }
    return placed.Order();
}

} // namespace tw
