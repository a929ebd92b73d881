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

std::vector<int> SortOrder(const std::vector<SortKey>& keys, bool textOrder, SortMethod* used,
                           const SortPoll& poll) {
    if (KeysFormStrictWeakOrder(keys, textOrder)) {
        if (used)
            *used = SortMethod::StableSort;
        std::vector<int> order = Identity(keys.size());
        // A poll now and then from inside the sort; a throw from it leaves only `order`
        // unfinished, and that is dropped.
        uint32_t compared = 0;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            if (poll && ++compared % (1u << 18) == 0)
                poll();
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
    return SimulateSortLoop(keys, textOrder, poll);
}

// ------------------------------------------------------------------ the loop itself
//
// Why a pass is a merge. While the loop works on row i, let A[1..i] be the rows as they
// stand when the pass begins. Before the comparison at j the rows at j..i-1 are A[f..b-1]
// and the row at i is A[b], for some f <= b with i - j = b - f (at j = 1: f = 1, b = i).
// The loop compares the row at j, A[f], with the row at i, A[b]:
//   - A[b] sorts before A[f]: MoveRow(i, j) puts A[b] at j for good and slides A[f..b-1]
//     one down, so the row now at i is A[b-1]: b steps back;
//   - otherwise A[f] stays at j for good: f steps forward.
// The pass ends when j reaches i, that is when f meets b; A[f] = A[b] stays at i. So the
// pass writes a merge of A read from the front with A read from i backwards. Between two
// switches of side the rows form a block: a front block is a run of A that stays in its
// order, a back block is a run of A taken in reverse order.
//
// How the blocks are found. During a front block the row at i does not change, so the block
// ends at the first row from the front that the row at i sorts before; during a back block
// the row at j does not change, so the block ends at the last row, reading from the back,
// that does not sort before it. Whether a run of rows holds such a row depends on three
// maxima only: the largest value among its numeric keys, the largest byte-order rank among
// its other keys, and the largest rank of all. The rows live in an implicit treap (a
// balanced tree ordered by position) whose nodes keep those maxima for their subtree, so
// each block end is one descent, and each block is one split; a back block is flipped by a
// lazy reversal flag and joined to the output. The order produced is thus the loop's
// order exactly, comparison for comparison; only the comparisons whose outcome is already
// known from the maxima are skipped.
//
// Cost. A pass costs (number of block switches + 1) x O(log n) expected. A consistent
// order gives at most three blocks per pass, the row's insertion (n log n in all). Keys
// where numeric and byte order disagree give a few switches per row in practice (about
// eight on a column mixing whole numbers with decimals); the worst case, keys that make
// every comparison switch side, is n switches per pass, O(n^2 log n) in all, no worse than
// the loop itself by more than the log factor.

namespace {

class PositionTreap {
  public:
    PositionTreap(const std::vector<SortKey>& keys, const std::vector<int32_t>& ranks,
                  bool textOrder)
        : TextOrder(textOrder) {
        Nodes.resize(keys.size() + 1); // node 0 is the empty tree
        uint64_t seed = 0x9E3779B97F4A7C15ULL ^ keys.size();
        for (size_t k = 0; k < keys.size(); ++k) {
            Node& node = Nodes[k + 1];
            seed ^= seed << 13;
            seed ^= seed >> 7;
            seed ^= seed << 17;
            node.Priority = static_cast<uint32_t>(seed >> 32);
            node.Value = keys[k].Value;
            node.Rank = ranks[k];
            node.Numeric = keys[k].Numeric;
            node.Size = 1;
            node.MaxNumber = node.Numeric ? node.Value : NoNumber;
            node.MaxTextRank = node.Numeric ? -1 : node.Rank;
            node.MaxRank = node.Rank;
        }
    }

    // Runs the pass that brings key `i` (0-based) into the rows placed before it.
    void Pass(size_t i) {
        int mid = Merge(Root, static_cast<int>(i) + 1);
        int out = 0;
        int back = static_cast<int>(i) + 1; // the row at position i
        for (;;) {
            int front = 0;
            int frontAt = FirstSortingAfter(mid, back, front);
            if (frontAt < 0) {
                out = Merge(out, mid);
                break;
            }
            auto [run, rest] = Split(mid, frontAt);
            out = Merge(out, run);
            mid = rest;
            int stay = 0;
            int stayAt = LastNotSortingBefore(mid, front, stay);
            auto [kept, backRun] = Split(mid, stayAt + 1);
            Nodes[static_cast<size_t>(backRun)].Reversed ^= true;
            out = Merge(out, backRun);
            mid = kept;
            if (Nodes[static_cast<size_t>(mid)].Size == 1) {
                out = Merge(out, mid);
                break;
            }
            back = stay;
        }
        Root = out;
    }

    std::vector<int> Order() {
        std::vector<int> order;
        order.reserve(Nodes.size() - 1);
        Collect(Root, order);
        return order;
    }

  private:
    static constexpr int64_t NoNumber = std::numeric_limits<int64_t>::min();

    struct Node {
        int Left = 0, Right = 0;
        int Size = 0;
        uint32_t Priority = 0;
        int32_t Value = 0;
        int32_t Rank = 0;
        int32_t MaxTextRank = -1; // over non-numeric keys
        int32_t MaxRank = -1;     // over all keys
        int64_t MaxNumber = NoNumber;
        bool Numeric = false;
        bool Reversed = false;
    };
    std::vector<Node> Nodes;
    int Root = 0;
    bool TextOrder;

    void Push(int t) {
        Node& node = Nodes[static_cast<size_t>(t)];
        if (!node.Reversed)
            return;
        std::swap(node.Left, node.Right);
        if (node.Left)
            Nodes[static_cast<size_t>(node.Left)].Reversed ^= true;
        if (node.Right)
            Nodes[static_cast<size_t>(node.Right)].Reversed ^= true;
        node.Reversed = false;
    }

    void Pull(int t) {
        Node& node = Nodes[static_cast<size_t>(t)];
        node.Size = 1;
        node.MaxNumber = node.Numeric ? node.Value : NoNumber;
        node.MaxTextRank = node.Numeric ? -1 : node.Rank;
        node.MaxRank = node.Rank;
        for (int child : {node.Left, node.Right}) {
            if (!child)
                continue;
            const Node& c = Nodes[static_cast<size_t>(child)];
            node.Size += c.Size;
            node.MaxNumber = std::max(node.MaxNumber, c.MaxNumber);
            node.MaxTextRank = std::max(node.MaxTextRank, c.MaxTextRank);
            node.MaxRank = std::max(node.MaxRank, c.MaxRank);
        }
    }

    int Merge(int a, int b) {
        if (!a)
            return b;
        if (!b)
            return a;
        if (Nodes[static_cast<size_t>(a)].Priority > Nodes[static_cast<size_t>(b)].Priority) {
            Push(a);
            Nodes[static_cast<size_t>(a)].Right = Merge(Nodes[static_cast<size_t>(a)].Right, b);
            Pull(a);
            return a;
        }
        Push(b);
        Nodes[static_cast<size_t>(b)].Left = Merge(a, Nodes[static_cast<size_t>(b)].Left);
        Pull(b);
        return b;
    }

    // The first `count` rows, and the rest.
    std::pair<int, int> Split(int t, int count) {
        if (!t)
            return {0, 0};
        Push(t);
        Node& node = Nodes[static_cast<size_t>(t)];
        int leftSize = node.Left ? Nodes[static_cast<size_t>(node.Left)].Size : 0;
        if (count <= leftSize) {
            auto [a, b] = Split(node.Left, count);
            Nodes[static_cast<size_t>(t)].Left = b;
            Pull(t);
            return {a, t};
        }
        auto [a, b] = Split(node.Right, count - leftSize - 1);
        Nodes[static_cast<size_t>(t)].Right = a;
        Pull(t);
        return {t, b};
    }

    // Whether the subtree holds a key that `moving` sorts before (the loop's comparison).
    bool HoldsLater(const Node& tree, const Node& moving) const {
        if (moving.Numeric)
            return tree.MaxNumber > moving.Value || (TextOrder && tree.MaxTextRank > moving.Rank);
        return TextOrder && tree.MaxRank > moving.Rank;
    }
    bool SortsBefore(const Node& moving, const Node& placed) const {
        if (moving.Numeric && placed.Numeric)
            return moving.Value < placed.Value;
        return TextOrder && moving.Rank < placed.Rank;
    }
    // Whether the subtree holds a key that does not sort before `placed`.
    bool HoldsNotBefore(const Node& tree, const Node& placed) const {
        if (placed.Numeric) {
            if (tree.MaxNumber >= placed.Value)
                return true;
            return tree.MaxTextRank >= 0 && (!TextOrder || tree.MaxTextRank >= placed.Rank);
        }
        return !TextOrder || tree.MaxRank >= placed.Rank;
    }

    // Position of the first row that the row `moving` sorts before, -1 when none; `found`
    // receives its node. The maxima are exact, so the descent never has to turn back.
    int FirstSortingAfter(int t, int moving, int& found) {
        const Node& key = Nodes[static_cast<size_t>(moving)];
        if (!t || !HoldsLater(Nodes[static_cast<size_t>(t)], key))
            return -1;
        int before = 0;
        for (;;) {
            Push(t);
            const Node& node = Nodes[static_cast<size_t>(t)];
            if (node.Left && HoldsLater(Nodes[static_cast<size_t>(node.Left)], key)) {
                t = node.Left;
                continue;
            }
            int leftSize = node.Left ? Nodes[static_cast<size_t>(node.Left)].Size : 0;
            if (SortsBefore(key, node)) {
                found = t;
                return before + leftSize;
            }
            before += leftSize + 1;
            t = node.Right;
        }
    }

    // Position of the last row that does not sort before the row `placed`, -1 when none.
    int LastNotSortingBefore(int t, int placed, int& found) {
        const Node& key = Nodes[static_cast<size_t>(placed)];
        if (!t || !HoldsNotBefore(Nodes[static_cast<size_t>(t)], key))
            return -1;
        int before = 0;
        for (;;) {
            Push(t);
            const Node& node = Nodes[static_cast<size_t>(t)];
            int leftSize = node.Left ? Nodes[static_cast<size_t>(node.Left)].Size : 0;
            if (node.Right && HoldsNotBefore(Nodes[static_cast<size_t>(node.Right)], key)) {
                before += leftSize + 1;
                t = node.Right;
                continue;
            }
            if (!SortsBefore(node, key)) {
                found = t;
                return before + leftSize;
            }
            t = node.Left;
        }
    }

    void Collect(int t, std::vector<int>& order) {
        // Iterative in-order walk: a treap of many rows can be deep enough to matter here.
        std::vector<int> stack;
        while (t || !stack.empty()) {
            while (t) {
                Push(t);
                stack.push_back(t);
                t = Nodes[static_cast<size_t>(t)].Left;
            }
            t = stack.back();
            stack.pop_back();
            order.push_back(t - 1);
            t = Nodes[static_cast<size_t>(t)].Right;
        }
    }
};

} // namespace

std::vector<int> SimulateSortLoop(const std::vector<SortKey>& keys, bool textOrder,
                                  const SortPoll& poll) {
    PositionTreap rows(keys, TextRanks(keys), textOrder);
    for (size_t i = 0; i < keys.size(); ++i) {
        // Only this way can take long (seconds on a mixed column of many rows).
        if (poll && i % 512 == 0)
            poll();
        rows.Pass(i);
    }
    return rows.Order();
}

} // namespace tw
