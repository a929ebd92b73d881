// The records of a report after the run: where each lies in SG1 as it stands now, which
// cells get a marker, and the status text about duplicate keys.

#include <gtest/gtest.h>

#include <functional>

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
        PlaceCase{"CellWhereTheRunLeftIt", Record(ReportKind::CellDifference, "20", 2, 2), {},
                  ReportPlace::Cell, 2, 2},
        PlaceCase{"RowsMovedSinceFoundByKey", Record(ReportKind::Conflict, "20", 1, 3),
                  [](TTextGrid& g) { g.MoveRow(1, 3); }, ReportPlace::Cell, 1, 1},
        PlaceCase{"RowRecordNamesTheKeyCell", Record(ReportKind::OnlyInFirst, "30", -1, 3), {},
                  ReportPlace::Cell, 3, 0},
        PlaceCase{"RowOnlyInAnotherFile", Record(ReportKind::OnlyInOther, "15", -1, -1), {},
                  ReportPlace::OnlyElsewhere, -1, -1},
        PlaceCase{"RowRemovedByTheCombine", Record(ReportKind::RowRemoved, "20", -1, -1), {},
                  ReportPlace::OnlyElsewhere, -1, -1},
        PlaceCase{"RowDeletedSince", Record(ReportKind::CellChanged, "20", 1, 2),
                  [](TTextGrid& g) { g.DeleteRows(2, 1); }, ReportPlace::OnlyElsewhere, -1, -1},
        PlaceCase{"RowHidden", Record(ReportKind::CellDifference, "20", 2, 2),
                  [](TTextGrid& g) { g.HideRow(2); }, ReportPlace::HiddenRow, -1, -1},
        PlaceCase{"ColumnHidden", Record(ReportKind::CellDifference, "20", 2, 2),
                  [](TTextGrid& g) { g.HideColumn(2); }, ReportPlace::HiddenColumn, 2, 0},
        PlaceCase{"ColumnBeforeItHidden", Record(ReportKind::CellDifference, "20", 2, 2),
                  [](TTextGrid& g) { g.HideColumn(1); }, ReportPlace::Cell, 2, 1},
        PlaceCase{"DuplicateKeyOfAnotherFileFoundInSG1",
                  Record(ReportKind::DuplicateKey, "10", -1, -1, 3), {}, ReportPlace::Cell, 1,
                  0}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ReportMarkers, MarkTheNamedCellsOfSG1Only) {
    ReportRun run;
    run.Records = {Record(ReportKind::DuplicateKey, "10", -1, 1, 1),
                   Record(ReportKind::CellDifference, "20", 2, 2),
                   Record(ReportKind::Conflict, "20", 5, 2),
                   Record(ReportKind::OnlyInFirst, "30", -1, 3),
                   Record(ReportKind::OnlyInOther, "15", -1, -1),
                   Record(ReportKind::RowRemoved, "40", -1, -1)};
    ReportMarkers markers;
    markers.Build(run);
    const std::vector<std::pair<std::string, int>> marked = {{"10", 0}, {"20", 2}, {"20", 5},
                                                             {"30", 0}};
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

TEST(DuplicateKeysStatus, CountsEachKeyOnceAndNamesTheFirstFive) {
    LanguageTable language;
    language.SetFromBytes("[/program texts]\nduplicatekeys=%1|%2\n");
    ReportRun run;
    EXPECT_EQ(DuplicateKeysStatus(language, run), "");
    // Key "b" is doubled in two files: one key for the user.
    for (const auto& [slot, key] : std::vector<std::pair<int, std::string>>{
             {1, "a"}, {1, "b"}, {2, "b"}, {2, "c"}, {3, "d"}, {3, "e"}})
        run.Records.push_back(Record(ReportKind::DuplicateKey, key, -1, -1, slot));
    run.Records.push_back(Record(ReportKind::OnlyInOther, "z", -1, -1));
    EXPECT_EQ(DuplicateKeysStatus(language, run), "5|a, b, c, d, e");
    EXPECT_EQ(run.DuplicateKeyCount(), 6);
    EXPECT_EQ(run.LineCount(), 1);
    run.Records.insert(run.Records.begin(), Record(ReportKind::DuplicateKey, "f", -1, -1, 4));
    EXPECT_EQ(DuplicateKeysStatus(language, run), "6|f, a, b, c, d, ...");
}

} // namespace
} // namespace tw
