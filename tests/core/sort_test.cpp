#include <gtest/gtest.h>

#include <map>
#include <random>

#include "compare_reference.h"
#include "compare_support.h"
#include "core/compare/sortbycolumn.h"
#include "core/compare/sortorder.h"

namespace tw {
namespace {

using testing::EventRecorder;
using testing::FillGrid;
using testing::GridRows;
using testing::Rows;

// Keys that convert (decimal, signs, leading blanks and zeros, hexadecimal, the range ends)
// and keys that do not (texts, empty, a trailing blank, a decimal point, bare prefixes),
// chosen so that byte order and numeric order disagree in many ways.
const std::vector<std::string> NumericPool = {
    "0",   "1",  "2",   "5",   "7",   "9",   "10",         "11",          "20",
    "100", "-3", "+5",  " 5",  "  7", "007", "07",         "00",          "-0",
    "$1F", "$a", "x10", "X1f", "0x1", "-$2", "2147483647", "-2147483648", "31"};
const std::vector<std::string> TextPool = {
    "",  " ",   "a",   "B", "b", "1a", "10a", "9z",         "5 ",        "1.5", "-",
    "+", "abc", "Abc", "~", "$", "0x", "x",   "2147483648", "\xe9t\xe9", "07a", "3-"};

std::vector<std::string> RandomKeys(std::mt19937& rng, int count) {
    // Each table draws from a small sub-pool, so duplicates are common.
    int flavour = static_cast<int>(rng() % 4);
    std::vector<std::string> pool;
    int poolSize = 2 + static_cast<int>(rng() % 7);
    for (int k = 0; k < poolSize; ++k) {
        bool numeric = flavour == 0 || (flavour != 1 && rng() % 2 == 0);
        const auto& from = numeric ? NumericPool : TextPool;
        pool.push_back(from[rng() % from.size()]);
    }
    std::vector<std::string> keys;
    for (int k = 0; k < count; ++k)
        keys.push_back(pool[rng() % pool.size()]);
    return keys;
}

// The literal loop's order of `keys` (index of the key at each position).
std::vector<int> LiteralOrder(const std::vector<std::string>& keys, bool textOrder) {
    TTextGrid grid;
    Rows rows;
    for (size_t i = 0; i < keys.size(); ++i)
        rows.push_back({keys[i], std::to_string(i)});
    FillGrid(grid, rows);
    reference::SortRows(grid, 0, textOrder);
    std::vector<int> order;
    for (int r = 1; r <= grid.RowCount() - 2; ++r)
        order.push_back(std::stoi(grid.CellText(1, r)));
    return order;
}

std::vector<SortKey> KeysOf(const std::vector<std::string>& texts) {
    std::vector<SortKey> keys;
    for (const auto& t : texts)
        keys.push_back(MakeSortKey(t));
    return keys;
}

TEST(SortOrder, EqualsTheLiteralLoopOnRandomKeys) {
    std::mt19937 rng(20240611);
    std::map<SortMethod, int> used;
    for (int round = 0; round < 12000; ++round) {
        int count =
            round < 10000 ? static_cast<int>(rng() % 13) : 20 + static_cast<int>(rng() % 50);
        std::vector<std::string> texts = RandomKeys(rng, count);
        std::vector<SortKey> keys = KeysOf(texts);
        for (bool textOrder : {false, true}) {
            std::vector<int> expected = LiteralOrder(texts, textOrder);
            SortMethod method{};
            ASSERT_EQ(SortOrder(keys, textOrder, &method), expected)
                << "round " << round << " textOrder " << textOrder;
            ASSERT_EQ(SimulateSortLoop(keys, textOrder), expected) << "round " << round;
            ++used[method];
        }
    }
    // Every way of reaching the order must have been checked many times.
    EXPECT_GT(used[SortMethod::StableSort], 1000);
    EXPECT_GT(used[SortMethod::Placement], 1000);
    EXPECT_GT(used[SortMethod::Simulation], 400);
}

// Hundreds of rows, so the simulation's tree of placed rows is deep and its passes move many
// blocks; inputs already in (or against) an order make the loop move rows many times over.
TEST(SortOrder, LongTablesEqualTheLiteralLoop) {
    std::mt19937 rng(99);
    for (int round = 0; round < 36; ++round) {
        int count = 200 + static_cast<int>(rng() % 300);
        std::vector<std::string> texts;
        for (int k = 0; k < count; ++k)
            texts.push_back(rng() % 3 == 0 ? TextPool[rng() % TextPool.size()]
                                           : std::to_string(rng() % 300));
        bool textOrder = round % 4 != 0;
        if (round % 3 == 1) {
            std::vector<int> once = LiteralOrder(texts, textOrder);
            std::vector<std::string> sorted;
            for (int index : once)
                sorted.push_back(texts[static_cast<size_t>(index)]);
            for (size_t k = 0; k < sorted.size(); k += 7)
                sorted[k] = std::to_string(k % 13) + ".5";
            texts = sorted;
        } else if (round % 3 == 2) {
            std::sort(texts.begin(), texts.end());
            std::reverse(texts.begin(), texts.end());
        }
        std::vector<int> expected = LiteralOrder(texts, textOrder);
        ASSERT_EQ(SimulateSortLoop(KeysOf(texts), textOrder), expected) << "round " << round;
        ASSERT_EQ(SortOrder(KeysOf(texts), textOrder), expected) << "round " << round;
    }
}

// Whole columns of one shape each, some of them long enough that the tree of placed rows is
// many levels deep and the passes switch side many times.
enum class KeyShape { Numbers, Texts, Mixed, Decimals, Duplicates, BlanksAndControls };

std::string KeyOfShape(std::mt19937& rng, KeyShape shape, int row) {
    static const std::vector<std::string> odd = {"",
                                                 " ",
                                                 "  ",
                                                 "\t",
                                                 "\x01",
                                                 "\x7f",
                                                 "\xff",
                                                 " 5",
                                                 "5 ",
                                                 "\x01"
                                                 "5",
                                                 "-",
                                                 "+ 5",
                                                 "0 "};
    auto number = [&] {
        switch (rng() % 4) {
        case 0:
            return std::to_string(static_cast<int>(rng() % 2000) - 1000);
        case 1:
            return "0" + std::to_string(rng() % 50);
        case 2:
            return std::to_string(rng() % 20);
        default:
            return std::to_string(rng());
        }
    };
    switch (shape) {
    case KeyShape::Numbers:
        return number();
    case KeyShape::Texts:
        return TextPool[rng() % TextPool.size()] + std::string(rng() % 2, 'q');
    case KeyShape::Mixed:
        return rng() % 2 ? number() : TextPool[rng() % TextPool.size()];
    case KeyShape::Decimals:
        return row % 7 == 0 ? std::to_string(rng() % 13) + ".5" : std::to_string(rng() % 400);
    case KeyShape::Duplicates:
        return NumericPool[rng() % 3] + (rng() % 4 ? "" : "x");
    case KeyShape::BlanksAndControls:
        return rng() % 2 ? odd[rng() % odd.size()] : std::to_string(rng() % 9);
    }
    return {};
}

TEST(SortOrder, EveryKeyShapeEqualsTheLiteralLoop) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 1800; ++round) {
        auto shape = static_cast<KeyShape>(round % 6);
        int count = round % 60 == 0 ? 300 + static_cast<int>(rng() % 300)
                                    : 1 + static_cast<int>(rng() % 40);
        std::vector<std::string> texts;
        for (int k = 0; k < count; ++k)
            texts.push_back(KeyOfShape(rng, shape, k));
        // Some tables arrive already in the loop's order, some against it.
        if (round % 5 == 3)
            std::sort(texts.begin(), texts.end());
        else if (round % 5 == 4)
            std::sort(texts.rbegin(), texts.rend());
        for (bool textOrder : {false, true}) {
            std::vector<int> expected = LiteralOrder(texts, textOrder);
            ASSERT_EQ(SimulateSortLoop(KeysOf(texts), textOrder), expected)
                << "round " << round << " textOrder " << textOrder;
            ASSERT_EQ(SortOrder(KeysOf(texts), textOrder), expected) << "round " << round;
            // A second run starts from the first one's result, where the loop moves the most.
            std::vector<std::string> again;
            for (int index : expected)
                again.push_back(texts[static_cast<size_t>(index)]);
            ASSERT_EQ(SortOrder(KeysOf(again), textOrder), LiteralOrder(again, textOrder))
                << "second run, round " << round;
        }
    }
}

TEST(SortOrder, CyclicKeysFollowTheLoop) {
    // 9 < 10 by number, 10 < 1a and 1a < 9 by bytes.
    std::vector<std::string> texts = {"1a", "10", "9", "1a", "9", "10"};
    EXPECT_FALSE(KeysFormStrictWeakOrder(KeysOf(texts), true));
    EXPECT_EQ(SortOrder(KeysOf(texts), true), LiteralOrder(texts, true));
}

TEST(SortOrder, DetectsWhenTextsSitConsistentlyAmongNumbers) {
    // Names after every number, empty before: consistent. A decimal text between 5 and 6
    // in bytes but beside 10 in value order: not.
    EXPECT_TRUE(KeysFormStrictWeakOrder(KeysOf({"10", "", "abc", "9", "100", "Zed"}), true));
    EXPECT_FALSE(KeysFormStrictWeakOrder(KeysOf({"10", "5.5", "6"}), true));
    EXPECT_FALSE(KeysFormStrictWeakOrder(KeysOf({"07", "0a", "7"}), true)); // 07 ~ 7 around 0a
    EXPECT_FALSE(KeysFormStrictWeakOrder(KeysOf({"2", "x", "1"}), false));
    EXPECT_TRUE(KeysFormStrictWeakOrder(KeysOf({"2", "x", "02"}), false));
}

// ------------------------------------------------------------------ the grid command

struct SortCase {
    const char* Name;
    int Column;        // as asked
    int BoundedColumn; // as the loop uses it
    bool TextOrderAllowed;
};

class SortGridRandom : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortGridRandom, EqualsTheLiteralLoop) {
    const SortCase& param = GetParam();
    std::mt19937 rng(7 + static_cast<unsigned>(param.Column) * 31 +
                     (param.TextOrderAllowed ? 1 : 0));
    for (int round = 0; round < 1500; ++round) {
        int count = static_cast<int>(rng() % 12);
        Rows rows;
        std::vector<std::string> column0 = RandomKeys(rng, count), column2 = RandomKeys(rng, count);
        for (int r = 0; r < count; ++r) {
            std::vector<std::string> row = {column0[static_cast<size_t>(r)],
                                            "id" + std::to_string(r),
                                            column2[static_cast<size_t>(r)], "x"};
            row.resize(1 + rng() % 4); // short rows read as empty beyond their end
            row[0] = column0[static_cast<size_t>(r)];
            if (row.size() > 2)
                row[2] = column2[static_cast<size_t>(r)];
            rows.push_back(row);
        }
        EditorState state;
        FillGrid(state.Grid(2), rows, {"#", "h1", "h2", "h3"});
        state.Grid(2).SetColCount(4);
        for (int r = 0; r < state.Grid(2).RowCount(); ++r)
            state.Grid(2).SetRowHeight(r, 20 + r);
        state.Grid(2).SetCell(0, state.Grid(2).RowCount() - 1, ""); // spare row
        state.LoadedColCount = 4;
        state.TextOrderAllowed = param.TextOrderAllowed;
        TTextGrid expected = state.Grid(2);
        reference::SortRows(expected, param.BoundedColumn, param.TextOrderAllowed);

        EventRecorder feedback;
        ASSERT_TRUE(SortGridByColumn(state, 2, param.Column, feedback));
        ASSERT_EQ(GridRows(state.Grid(2)), GridRows(expected)) << "round " << round;
        ASSERT_EQ(testing::RowHeights(state.Grid(2)), testing::RowHeights(expected));
        EXPECT_EQ(state.CurrentGridSlot, 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Columns, SortGridRandom,
                         ::testing::Values(SortCase{"Column0TextOff", 0, 0, false},
                                           SortCase{"Column0TextOn", 0, 0, true},
                                           SortCase{"Column2TextOff", 2, 2, false},
                                           SortCase{"Column2TextOn", 2, 2, true},
                                           SortCase{"PastLastColumn", 4, 0, true},
                                           SortCase{"Negative", -3, 0, false}),
                         [](const ::testing::TestParamInfo<SortCase>& testCase) {
                             return std::string(testCase.param.Name);
                         });

struct SortExample {
    const char* Name;
    std::vector<std::string> Keys;
    bool TextOrderAllowed;
    std::vector<std::string> Sorted;
};

class SortGridExamples : public ::testing::TestWithParam<SortExample> {};

TEST_P(SortGridExamples, OrdersColumnZero) {
    const SortExample& param = GetParam();
    EditorState state;
    Rows rows;
    for (const auto& k : param.Keys)
        rows.push_back({k});
    FillGrid(state.SG1(), rows, {"header"});
    state.LoadedColCount = 1;
    state.TextOrderAllowed = param.TextOrderAllowed;
    EventRecorder feedback;
    SortGridByColumn(state, 1, 0, feedback);
    std::vector<std::string> column;
    for (int r = 0; r < state.SG1().RowCount(); ++r)
        column.push_back(state.SG1().CellText(0, r));
    std::vector<std::string> expected = {"header"};
    expected.insert(expected.end(), param.Sorted.begin(), param.Sorted.end());
    expected.push_back("");
    EXPECT_EQ(column, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SortGridExamples,
    ::testing::Values(
        SortExample{"NumbersByValue", {"10", "9", "2"}, false, {"2", "9", "10"}},
        SortExample{
            "TextsStayWithTextOrderOff", {"b", "10", "a", "2"}, false, {"b", "2", "10", "a"}},
        SortExample{"TextsByBytesWithTextOrderOn",
                    {"b", "10", "a", "B", "2"},
                    true,
                    {"2", "10", "B", "a", "b"}},
        SortExample{
            "EqualValuesKeepTheirOrder", {"07", "5", "7", "+7"}, false, {"5", "07", "7", "+7"}},
        SortExample{"EmptyKeysFirstWithTextOrder", {"3", "", "x", ""}, true, {"", "", "3", "x"}}),
    [](const ::testing::TestParamInfo<SortExample>& testCase) {
        return std::string(testCase.param.Name);
    });

TEST(SortGrid, EmptyGridStillReportsAndClearsMarks) {
    EditorState state;
    testing::UseNumberedTexts(state);
    FillGrid(state.SG1(), {}, {"header"});
    state.SelectedRows.Toggle(1);
    EventRecorder feedback;
    EXPECT_TRUE(SortGridByColumn(state, 1, 0, feedback));
    EXPECT_EQ(state.SG1().RowCount(), 2);
    EXPECT_TRUE(state.SelectedRows.Empty());
    EXPECT_FALSE(state.PaintSuspended);
    EXPECT_EQ(feedback.Statuses(), (std::vector<std::string>{"T126 1T127", "T126 1T130"}));
    EXPECT_EQ(feedback.Events.front(), "endedit");
    EXPECT_EQ(feedback.Events.back(), "idle");
}

TEST(SortGrid, RefusesAnUnknownSlot) {
    EditorState state;
    EventRecorder feedback;
    EXPECT_FALSE(SortGridByColumn(state, 0, 0, feedback));
    EXPECT_FALSE(SortGridByColumn(state, 6, 0, feedback));
    EXPECT_TRUE(feedback.Events.empty());
}

struct ProgressCase {
    int RowCount;
    int Every; // rows between two moves of the bar
};

class SortProgress : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(SortProgress, MovesEveryFewRows) {
    const ProgressCase& param = GetParam();
    std::vector<int> positions = SortProgressPositions(param.RowCount, param.RowCount - 2);
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions.front(), param.Every);
    for (size_t k = 1; k < positions.size(); ++k) {
        EXPECT_EQ(positions[k] - positions[k - 1], param.Every);
    }
    EXPECT_GT(positions.back() + param.Every, param.RowCount - 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SortProgress,
                         ::testing::Values(ProgressCase{40, 5}, ProgressCase{1000, 5},
                                           ProgressCase{1001, 9}, ProgressCase{2000, 9},
                                           ProgressCase{2001, 13}));

} // namespace
} // namespace tw
