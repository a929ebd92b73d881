#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/app/language.h"
#include "core/app/text.h"
#include "core/document/loader.h"
#include "core/headers/documentsections.h"
#include "core/headers/headersets.h"
#include "core/headers/variablelists.h"
#include "headers_test_support.h"

namespace tw {
namespace {

using testing::PrepareState;

// The shipped samples and sections live in the source tree; the build names its root
// (a compiler cache may make __FILE__ relative).
const std::string SourceRoot = TABWRIGHT_SOURCE_ROOT "/";

std::string ReadSource(const std::string& relative) {
    std::string bytes;
    std::string error;
    EXPECT_TRUE(ReadWholeFile(SourceRoot + relative, bytes, error)) << relative << ": " << error;
    return bytes;
}

// The sample table split on TAB into SG1, with the spare last row.
void LoadSampleTable(TTextGrid& grid) {
    auto lines = SplitTextLines(ReadSource("samples/data/rules/protos.tab"));
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    grid.SetRowCount(static_cast<int>(lines.size()) + 2);
    grid.SetColCount(40);
    for (size_t r = 0; r < lines.size(); ++r) {
        size_t start = 0;
        int column = 0;
        for (;;) {
            size_t tab = lines[r].find('\t', start);
            grid.SetCell(column++, static_cast<int>(r) + 1, lines[r].substr(start, tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
    }
}

class SampleSectionsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleSectionsTest, EverySetHasItsColumnsAndShowsOnlyItsType) {
    TempFolder folder;
    EditorState state;
    // The shipped language file, sections included.
    std::string language = GetParam();
    PrepareState(state, folder, "protos.tab", ReadSource("data/" + language + ".lng"));
    LoadSampleTable(state.SG1());
    RecordingFeedback shown;
    LoadDocumentSections(state, shown);
    ASSERT_TRUE(shown.Messages.empty());
    EXPECT_EQ(state.HeaderSetNames[0], state.Text(46));
    ASSERT_EQ(state.HeaderSetCount, 17);
    EXPECT_GE(state.VariableListNames.size(), 4u);
    for (int c = 0; c < 40; ++c) {
        EXPECT_FALSE(state.SG1().CellText(c, 0).empty()) << c;
    }

    for (int set = 1; set <= 16; ++set) {
        auto columns = ParseColumnList(state.HeaderSetColumns[static_cast<size_t>(set)]);
        ASSERT_FALSE(columns.empty()) << state.HeaderSetNames[static_cast<size_t>(set)];
        for (int c : columns) {
            EXPECT_TRUE(c >= 2 && c < 40) << c;
        }
        ASSERT_TRUE(ApplyHeaderSet(state, set, shown));
        const TTextGrid& grid = state.SG1();
        EXPECT_EQ(grid.ColCount(),
                  static_cast<int>(std::set<int>(columns.begin(), columns.end()).size()) + 2);
        std::string wanted =
            LowerAZ(std::string("obj_t_") + ObjectTypeNames[static_cast<size_t>(set - 1)]);
        EXPECT_GT(grid.RowCount(), 2) << wanted;
        for (int r = 1; r < grid.RowCount() - 1; ++r) {
            EXPECT_EQ(LowerAZ(grid.CellText(1, r)), wanted);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, SampleSectionsTest, ::testing::Values("english", "deutsch"));

// The samples loaded as the editor loads them, from a copy so no backup lands in the tree.
class SampleLoadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(SourceRoot + "samples/data", Folder.Path() + "data",
                              std::filesystem::copy_options::recursive);
        Folder.Write("english.lng", ReadSource("data/english.lng"));
        State.ExeFolder = Folder.Path();
        State.LanguageFile = "english.lng";
        std::string error;
        ASSERT_TRUE(State.Language.Load(State.ExeFolder + State.LanguageFile, error)) << error;
    }
    void Load(const std::string& relative) {
        LoadOptions options;
        options.MakeBackup = false;
        options.WriteSettings = false;
        ASSERT_TRUE(LoadTable(State, Folder.Path() + relative, 1, Shown, options).Ok);
        ASSERT_TRUE(Shown.Messages.empty());
    }

    TempFolder Folder;
    EditorState State;
    RecordingFeedback Shown;
};

TEST_F(SampleLoadTest, PrototypeTableGetsNamesDescriptionsAndTheWeaponView) {
    Load("data/rules/protos.tab");
    const TTextGrid& grid = State.SG1();
    EXPECT_EQ(grid.CellText(23, 0), "Description Number");
    EXPECT_EQ(grid.CellText(1, 1), "obj_t_armor");
    EXPECT_EQ(grid.CellText(2, 1), "Padded Vest"); // from description.mes
    ASSERT_EQ(State.HeaderSetNames.size(), 17u);
    ASSERT_EQ(State.HeaderSetNames[4], "Weapon");
    ASSERT_TRUE(ApplyHeaderSet(State, 4, Shown));
    EXPECT_EQ(grid.RowCount(), 36 + 2);
    for (int r = 1; r < grid.RowCount() - 1; ++r) {
        EXPECT_EQ(LowerAZ(grid.CellText(1, r)), "obj_t_weapon");
    }
    EXPECT_EQ(grid.ColCount(), 14);
    EXPECT_EQ(State.VariableListNames[1], "Object types");
}

TEST_F(SampleLoadTest, DialogFileGetsSevenCaptionsAndItsListsAfterItsOwn) {
    Load("data/dlg/00001innkeeper.dlg");
    const TTextGrid& grid = State.SG1();
    EXPECT_EQ(grid.ColCount(), 7);
    EXPECT_EQ(grid.CellText(0, 0), "#");
    for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(grid.CellText(c, 0), State.Text(67 + c));
    }
    EXPECT_EQ(State.VariableListNames,
              (std::vector<std::string>{State.Text(47), "Innkeeper line numbers", State.Text(74),
                                        State.Text(70), State.Text(71), State.Text(73)}));
    auto lines = VariableListDisplayLines(State, 1);
    EXPECT_EQ(lines.size(), 5u + 3u);
    EXPECT_EQ(lines[0], "Innkeeper line numbers: 1-7 greeting and choices");
}

TEST_F(SampleLoadTest, MessageFileKeepsItsRowsUnderAnySet) {
    Load("data/mes/quests.mes");
    EXPECT_EQ(State.SG1().CellText(0, 0), "Number");
    EXPECT_EQ(State.SG1().CellText(0, 1), "// Quest log of the sample village.");
    EXPECT_EQ(State.VariableListNames.size(), 3u);
    EXPECT_EQ(State.HeaderSetNames.size(), 1u);
}

} // namespace
} // namespace tw
