// The records of a report after the run: where each lies in SG1 as it stands now, which
// cells get a marker, and the status text about duplicate keys.

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "compare_support.h"
#include "core/compare/reportrecords.h"

namespace tw {
namespace {

using testing::FillGrid;

ReportRecord Record(ReportKind kind, const std::string& key, int column, int row, int slot = 2) {
    ReportRecord r;
    r.Kind = kind;
    r.Slot = slot;
    r.Key = key;
    r.Column = column;
    r.Row = row;
    return r;
}

struct PlaceCase {
    const char* Name;
    ReportRecord Record;
    std::function<void(TTextGrid&)> Change; // what the user did since the run
    ReportPlace::Kind Where;
    int Row;
    int Column; // display column
};

class Places : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(Places, FollowTheKeyOrSayWhyNot) {
    const PlaceCase& c = GetParam();
    TTextGrid grid;
    FillGrid(grid, {{"10", "x", "y"}, {"20", "p", "q"}, {"30", "r", "s"}}, {"#", "one", "two"});
    if (c.Change)
        c.Change(grid);
    const ReportPlace place = LocateRecord(grid, c.Record);
    EXPECT_EQ(place.Where, c.Where);
    if (c.Where == ReportPlace::Cell || c.Where == ReportPlace::HiddenColumn) {
        EXPECT_EQ(place.Row, c.Row);
        EXPECT_EQ(place.Column, c.Column);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, Places,
    ::testing::Values(
        PlaceCase{"CellWhereTheRunLeftIt",
                  Record(ReportKind::CellDifference, "20", 2, 2),
                  {},
                  ReportPlace::Cell,
                  2,
                  2},
        PlaceCase{"RowsMovedSinceFoundByKey", Record(ReportKind::Conflict, "20", 1, 3),
                  [](TTextGrid& g) { g.MoveRow(1, 3); }, ReportPlace::Cell, 1, 1},
        PlaceCase{"RowRecordNamesTheKeyCell",
                  Record(ReportKind::OnlyInFirst, "30", -1, 3),
                  {},
                  ReportPlace::Cell,
                  3,
                  0},
        PlaceCase{"RowOnlyInAnotherFile",
                  Record(ReportKind::OnlyInOther, "15", -1, -1),
                  {},
                  ReportPlace::OnlyElsewhere,
                  -1,
                  -1},
        PlaceCase{"RowRemovedByTheCombine",
                  Record(ReportKind::RowRemoved, "20", -1, -1),
                  {},
                  ReportPlace::OnlyElsewhere,
                  -1,
                  -1},
        PlaceCase{"RowDeletedSince", Record(ReportKind::CellChanged, "20", 1, 2),
                  [](TTextGrid& g) { g.DeleteRows(2, 1); }, ReportPlace::OnlyElsewhere, -1, -1},
        PlaceCase{"RowHidden", Record(ReportKind::CellDifference, "20", 2, 2),
                  [](TTextGrid& g) { g.HideRow(2); }, ReportPlace::HiddenRow, -1, -1},
        PlaceCase{"ColumnHidden", Record(ReportKind::CellDifference, "20", 2, 2),
                  [](TTextGrid& g) { g.HideColumn(2); }, ReportPlace::HiddenColumn, 2, 0},
        PlaceCase{"ColumnBeforeItHidden", Record(ReportKind::CellDifference, "20", 2, 2),
                  [](TTextGrid& g) { g.HideColumn(1); }, ReportPlace::Cell, 2, 1},
        PlaceCase{"DuplicateKeyOfAnotherFileFoundInSG1",
                  Record(ReportKind::DuplicateKey, "10", -1, -1, 3),
                  {},
                  ReportPlace::Cell,
                  1,
                  0}),
    [](const auto& testCase) { return std::string(testCase.param.Name); });

TEST(ReportMarkers, MarkTheNamedCellsOfSG1Only) {
    ReportRun run;
    for (const ReportRecord& record :
         {Record(ReportKind::DuplicateKey, "10", -1, 1, 1),
          Record(ReportKind::CellDifference, "20", 2, 2), Record(ReportKind::Conflict, "20", 5, 2),
          Record(ReportKind::OnlyInFirst, "30", -1, 3),
          Record(ReportKind::OnlyInOther, "15", -1, -1),
          Record(ReportKind::RowRemoved, "40", -1, -1)})
        run.Append(record);
    ReportMarkers markers;
    markers.Build(run);
    const std::vector<std::pair<std::string, int>> marked = {
        {"10", 0}, {"20", 2}, {"20", 5}, {"30", 0}};
    for (const std::string key : {"10", "15", "20", "30", "40"}) {
        for (int column = 0; column < 7; ++column) {
            const bool expected = std::find(marked.begin(), marked.end(),
                                            std::make_pair(key, column)) != marked.end();
            EXPECT_EQ(markers.Marked(key, column), expected) << key << "," << column;
        }
    }
    markers.Clear();
    EXPECT_TRUE(markers.Empty());
    EXPECT_FALSE(markers.Marked("20", 2));
}

TEST(ReportRun, GivesBackEveryFieldOfEveryRecord) {
    std::vector<ReportRecord> records;
    for (int k = 0; k < 50; ++k) {
        ReportRecord r =
            Record(static_cast<ReportKind>(k % 12), "key" + std::to_string(k), k, k - 3, 2 + k % 4);
        r.Header = std::string(static_cast<size_t>(k % 7), 'h');
        r.First = k % 3 ? "first " + std::to_string(k) : "";
        r.Other = std::string(static_cast<size_t>(k), 'o'); // past any small-string buffer
        r.Old = k % 5 ? "" : "old";
        r.Count = k * 2;
        for (int e = 0; e < k % 3; ++e)
            r.Earlier.push_back(EarlierValue{2 + e, "v" + std::to_string(k + e)});
        records.push_back(r);
    }
    ReportRun run;
    for (const ReportRecord& r : records)
        run.Append(r);
    ASSERT_EQ(run.Count(), records.size());
    for (size_t k = 0; k < records.size(); ++k) {
        const ReportRecord& a = records[k];
        const ReportRecord b = run.Record(k);
        EXPECT_EQ(std::tie(a.Kind, a.Slot, a.Key, a.Column, a.Header, a.First, a.Other, a.Old,
                           a.Row, a.Count),
                  std::tie(b.Kind, b.Slot, b.Key, b.Column, b.Header, b.First, b.Other, b.Old,
                           b.Row, b.Count));
        ASSERT_EQ(a.Earlier.size(), b.Earlier.size());
        for (size_t e = 0; e < a.Earlier.size(); ++e)
            EXPECT_TRUE(a.Earlier[e].Slot == b.Earlier[e].Slot &&
                        a.Earlier[e].Value == b.Earlier[e].Value);
    }
}

TEST(DuplicateKeysStatus, CountsEachKeyOnceAndNamesTheFirstFive) {
    LanguageTable language;
    language.SetFromBytes("[/program texts]\nduplicatekeys=%1|%2\n");
    auto runOf = [](const std::vector<std::pair<int, std::string>>& duplicates) {
        ReportRun run;
        for (const auto& [slot, key] : duplicates)
            run.Append(Record(ReportKind::DuplicateKey, key, -1, -1, slot));
        run.Append(Record(ReportKind::OnlyInOther, "z", -1, -1));
        return run;
    };
    EXPECT_EQ(DuplicateKeysStatus(language, ReportRun()), "");
    // Key "b" is doubled in two files: one key for the user.
    const ReportRun five = runOf({{1, "a"}, {1, "b"}, {2, "b"}, {2, "c"}, {3, "d"}, {3, "e"}});
    EXPECT_EQ(DuplicateKeysStatus(language, five), "5|a, b, c, d, e");
    EXPECT_EQ(five.DuplicateKeyCount(), 6);
    EXPECT_EQ(five.LineCount(), 1);
    const ReportRun six =
        runOf({{4, "f"}, {1, "a"}, {1, "b"}, {2, "b"}, {2, "c"}, {3, "d"}, {3, "e"}});
    EXPECT_EQ(DuplicateKeysStatus(language, six), "6|f, a, b, c, d, ...");
}

} // namespace
} // namespace tw
