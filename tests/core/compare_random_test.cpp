// The fast compare and combine against the literal walks, on many small random sets of two
// to five tables that differ the ways real copies do: changed cells (also only in letter
// case or by a trailing blank), missing and extra rows, keys that are not numbers, equal
// numbers spelled differently, duplicate keys, narrower and wider tables. The records of
// each run are checked against the lines and the grids as well.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

#include "compare_reference.h"
#include "compare_support.h"
#include "core/app/text.h"
#include "core/compare/combinefiles.h"
#include "core/compare/comparefiles.h"
#include "core/compare/reportrecords.h"

namespace tw {
namespace {

using testing::EventRecorder;
using testing::FillGrid;
using testing::GridRows;
using testing::Rows;

const std::vector<std::string> Keys = {"1",   "2",  "3",  "5",  "7",   "07", "8",
                                       "10",  "12", "15", "20", "100", "-1", " 4",
                                       "$1F", "a",  "B",  "b",  "1a",  "",   "9z"};
const std::vector<std::string> Values = {"a",     "A",     "b",      "",  "x ", "x",
                                         "Hello", "hello", "HELLO!", "0", "0x1"};

template <typename T> const T& Pick(std::mt19937& rng, const std::vector<T>& from) {
    return from[rng() % from.size()];
}

Rows RandomBase(std::mt19937& rng, int width) {
    Rows rows;
    int count = static_cast<int>(rng() % 9);
    bool textKeys = rng() % 3 == 0;
    for (int r = 0; r < count; ++r) {
        std::vector<std::string> row;
        row.push_back(textKeys ? Pick(rng, Keys) : Keys[rng() % 13]);
        for (int c = 1; c < width; ++c)
            row.push_back(Pick(rng, Values));
        rows.push_back(row);
    }
    return rows;
}

Rows Variant(std::mt19937& rng, const Rows& base, int width) {
    Rows rows;
    for (const auto& row : base) {
        if (rng() % 5 == 0)
            continue; // row missing here
        std::vector<std::string> copy = row;
        copy.resize(static_cast<size_t>(width));
        for (size_t c = 1; c < copy.size(); ++c)
            if (rng() % 4 == 0)
                copy[c] = Pick(rng, Values);
        rows.push_back(copy);
    }
    int extra = static_cast<int>(rng() % 3);
    for (int k = 0; k < extra; ++k) {
        std::vector<std::string> row{Pick(rng, Keys)};
        for (int c = 1; c < width; ++c)
            row.push_back(Pick(rng, Values));
        rows.insert(rows.begin() + static_cast<long>(rng() % (rows.size() + 1)), row);
    }
    std::shuffle(rows.begin(), rows.end(), rng);
    return rows;
}

EditorState RandomState(std::mt19937& rng, int& hiddenRowsUsed) {
    EditorState state;
    testing::UseNumberedTexts(state);
    int width = 1 + static_cast<int>(rng() % 4);
    Rows base = RandomBase(rng, width);
    int files = 1 + static_cast<int>(rng() % 5);
    std::vector<std::string> header = {"key", "one", "two", "three", "four", "five"};
    for (int slot = 1; slot <= files; ++slot) {
        int w = rng() % 4 == 0 ? 1 + static_cast<int>(rng() % 5) : width;
        Rows rows = slot == 1 && rng() % 2 ? base : Variant(rng, base, w);
        FillGrid(state.Grid(slot), rows,
                 std::vector<std::string>(header.begin(), header.begin() + w));
        state.Grid(slot).SetColCount(std::max(w, 1));
        state.SelectedFiles[static_cast<size_t>(slot - 1)] =
            "/data/file" + std::to_string(slot) + ".tab";
    }
    if (files > 2 && rng() % 10 == 0)
        state.SelectedFiles[static_cast<size_t>(files - 1)] = " ";
    TTextGrid& sg1 = state.SG1();
    for (int r = 0; r < sg1.RowCount(); ++r)
        sg1.SetRowHeight(r, 18 + static_cast<int>(rng() % 5));
    sg1.SetRow(static_cast<int>(rng() % static_cast<unsigned>(sg1.RowCount())));
    if (rng() % 25 == 0)
        sg1.SetCell(0, sg1.RowCount() - 1, Pick(rng, Keys)); // typed into the spare row
    if (sg1.RowCount() > 3 && rng() % 8 == 0) {
        sg1.HideRow(1 + static_cast<int>(rng() % static_cast<unsigned>(sg1.RowCount() - 2)));
        ++hiddenRowsUsed;
    }
    state.LoadedColCount = sg1.ColCount();
    state.RemoveRows = rng() % 2 == 0;
    state.ShowCombineMessages = rng() % 2 == 0;
    return state;
}

void ExpectSameGrids(const EditorState& fast, const EditorState& literal, int round) {
    for (int slot = 1; slot <= 5; ++slot) {
        ASSERT_EQ(GridRows(fast.Grid(slot)), GridRows(literal.Grid(slot)))
            << "round " << round << " SG" << slot;
        ASSERT_EQ(testing::RowHeights(fast.Grid(slot)), testing::RowHeights(literal.Grid(slot)))
            << "round " << round;
        ASSERT_EQ(fast.Grid(slot).Row(), literal.Grid(slot).Row()) << "round " << round;
    }
    const auto& hiddenFast = fast.SG1().HiddenRows();
    const auto& hiddenLiteral = literal.SG1().HiddenRows();
    ASSERT_EQ(hiddenFast.size(), hiddenLiteral.size());
    for (size_t k = 0; k < hiddenFast.size(); ++k) {
        ASSERT_EQ(hiddenFast[k].DataRow, hiddenLiteral[k].DataRow);
    }
}

// What the records of a run hold whatever the input: one per report line, a row that
// holds the record's key in SG1 as the run leaves it (after every insertion, removal and
// move of a combine), and a duplicate-key record for exactly the keys that stand on more
// than one row of a file.
void ExpectRecordsFitTheRun(const EditorState& before, const EditorState& after, size_t lines,
                            int round) {
    const ReportRun& run = after.LastReport;
    using Duplicate = std::tuple<int, std::string, int>;
    std::vector<Duplicate> duplicates, expected;
    size_t lineRecords = 0;
    for (size_t k = 0; k < run.Count(); ++k) {
        const ReportRecord r = run.Record(k);
        if (r.Kind == ReportKind::DuplicateKey)
            duplicates.emplace_back(r.Slot, r.Key, r.Count);
        else
            ++lineRecords;
        if (r.Row >= 1) {
            ASSERT_EQ(after.SG1().Cell(0, r.Row), r.Key) << "round " << round;
        }
        if (r.Kind == ReportKind::CellDifference) {
            ASSERT_EQ(after.SG1().Cell(r.Column, r.Row), r.First) << "round " << round;
        }
    }
    ASSERT_EQ(lineRecords, lines) << "round " << round;
    int last = 0;
    for (int slot = 1; slot <= 5; ++slot)
        if (CompareText(before.SelectedFiles[static_cast<size_t>(slot - 1)], " ") > 0)
            last = slot;
    for (int slot = 1; slot <= last; ++slot) {
        if (CompareText(before.SelectedFiles[static_cast<size_t>(slot - 1)], " ") <= 0)
            continue;
        const TTextGrid& grid = before.Grid(slot);
        std::map<std::string, int> counts;
        for (int row = 1; row <= grid.RowCount() - 2; ++row)
            if (!grid.Cell(0, row).empty())
                ++counts[grid.CellText(0, row)];
        for (const auto& [key, count] : counts)
            if (count > 1)
                expected.emplace_back(slot, key, count);
    }
    std::sort(duplicates.begin(), duplicates.end());
    ASSERT_EQ(duplicates, expected) << "round " << round;
}

TEST(CompareRandom, EqualsTheLiteralWalk) {
    std::mt19937 rng(515);
    int lines = 0, hidden = 0, duplicateKeys = 0;
    for (int round = 0; round < 4000; ++round) {
        EditorState fast = RandomState(rng, hidden);
        EditorState literal = fast;
        std::vector<std::string> expected = reference::CompareFiles(literal);
        EventRecorder feedback;
        const EditorState before = fast;
        CompareFiles(fast, feedback);
        ASSERT_EQ(feedback.Report, expected) << "round " << round;
        ExpectRecordsFitTheRun(before, fast, expected.size(), round);
        duplicateKeys += fast.LastReport.DuplicateKeyCount();
        ExpectSameGrids(fast, literal, round);
        EXPECT_FALSE(fast.TextOrderAllowed);
        EXPECT_FALSE(fast.BatchActive);
        lines += static_cast<int>(expected.size());
    }
    EXPECT_GT(lines, 10000); // the cases must actually differ
    EXPECT_GT(duplicateKeys, 300);
}

using EntryTuple =
    std::tuple<std::string, std::string, std::array<std::string, 4>, std::array<bool, 4>>;

std::vector<EntryTuple> Entries(const reference::ChangeLogLists& log) {
    std::vector<EntryTuple> out;
    for (int e = 0; e < log.ChangeCount(); ++e) {
        auto k = static_cast<size_t>(e);
        std::array<std::string, 4> values;
        std::array<bool, 4> marks{};
        for (size_t h = 0; h < 4; ++h) {
            values[h] = log.Value[h][k];
            marks[h] = log.Mark[h][k] == "y";
        }
        out.emplace_back(log.Identifier[k], log.OldValue[k], values, marks);
    }
    return out;
}

std::vector<EntryTuple> Entries(const ChangeLog& log) {
    std::vector<EntryTuple> out;
    for (int e = 0; e < log.ChangeCount(); ++e) {
        std::array<std::string, 4> values;
        std::array<bool, 4> marks{};
        for (size_t h = 0; h < 4; ++h) {
            values[h] = log.Value(e, h);
            marks[h] = log.Marked(e, h);
        }
        out.emplace_back(log.Identifier(e), std::string(log.OldValue(e)), values, marks);
    }
    return out;
}

TEST(CombineRandom, EqualsTheLiteralWalk) {
    std::mt19937 rng(616);
    int conflicts = 0, removedAdded = 0, hidden = 0;
    for (int round = 0; round < 4000; ++round) {
        EditorState fast = RandomState(rng, hidden);
        EditorState literal = fast;
        reference::ChangeLogLists log;
        std::vector<std::string> expected = reference::CombineFiles(literal, log);
        EventRecorder feedback;
        feedback.Visible = rng() % 2 == 0;
        bool wasVisible = feedback.Visible;
        const EditorState before = fast;
        CombineFiles(fast, feedback);
        ASSERT_EQ(feedback.Report, expected) << "round " << round;
        ExpectRecordsFitTheRun(before, fast, expected.size(), round);
        ExpectSameGrids(fast, literal, round);
        ASSERT_EQ(Entries(fast.Changes), Entries(log)) << "round " << round;
        EXPECT_EQ(feedback.PanelShown, wasVisible ? 0 : 1);
        for (const auto& line : expected) {
            conflicts += line.rfind("T141 ", 0) == 0;
            removedAdded += line.rfind("T143 ", 0) == 0;
        }
    }
    EXPECT_GT(conflicts, 300);
    EXPECT_GT(removedAdded, 100);
    EXPECT_GT(hidden, 200);
}

} // namespace
} // namespace tw
