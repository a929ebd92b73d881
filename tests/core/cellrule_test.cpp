// What a cell may hold: random edits that the rule lets through must come back from a
// save and a load exactly, for every kind of file.

#include <gtest/gtest.h>

#include <random>

#include "core/document/cellrule.h"
#include "support/document_fixture.h"

namespace tw {
namespace {

// Bytes that mean something to one format or another, and a few that mean nothing.
const std::string Alphabet = std::string("\t\r\n\x1a{}/ a1") + '\0' + "\xff";
const std::vector<std::string> Pieces = {"", " ", "12", "{x}", "// c", "{t", "t}", "x", "{}"};

std::string RandomText(std::mt19937& random) {
    std::string text;
    int parts = static_cast<int>(random() % 4);
    for (int i = 0; i < parts; ++i) {
        if (random() % 2)
            text += Pieces[random() % Pieces.size()];
        else
            text += Alphabet[random() % Alphabet.size()];
    }
    return text;
}

std::string RandomFile(std::mt19937& random) {
    std::string bytes;
    int lines = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < lines; ++i) {
        bytes += RandomText(random) + RandomText(random) + RandomText(random);
        bytes += random() % 2 ? "\r\n" : "\n";
    }
    return bytes;
}

class CellRule : public DocumentTest, public ::testing::WithParamInterface<const char*> {
  protected:
    void Reload() {
        SaveResult saved = SaveDocument(State, Shown);
        ASSERT_TRUE(saved.Ok) << saved.Message;
        ASSERT_TRUE(LoadTable(State, saved.Target, 1, Shown).Ok);
    }

    // What the cell reads after a save and a load: protos.tab leaves its description
    // column and single blanks out on purpose.
    std::string Stored(int col, int row) const {
        std::string text = State.SG1().CellText(col, row);
        if (IsPrototypeTableName(State.DocumentFileName) && col > 0 && (col == 2 || text == " "))
            return {};
        return text;
    }

    std::vector<std::vector<std::string>> Snapshot() const {
        const TTextGrid& grid = State.SG1();
        std::vector<std::vector<std::string>> cells;
        for (int row = 1; row < grid.RowCount(); ++row) {
            cells.emplace_back();
            for (int col = 0; col < grid.DataColumnCount(); ++col)
                cells.back().push_back(Stored(col, row));
        }
        return cells;
    }

    // The cells as a save and a load give them back, trailing empty cells and rows cut.
    static std::vector<std::vector<std::string>>
    Trimmed(std::vector<std::vector<std::string>> rows) {
        for (auto& row : rows)
            while (!row.empty() && row.back().empty())
                row.pop_back();
        while (!rows.empty() && rows.back().empty())
            rows.pop_back();
        return rows;
    }
};

TEST_P(CellRule, AllowedEditsComeBackFromSaveAndLoad) {
    const std::string name = GetParam();
    int accepted = 0, refused = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        ASSERT_TRUE(Load(name, RandomFile(random)).Ok);
        // Lines the format cannot reproduce settle after a round or two; edits start from there.
        for (int round = 0; round < 3; ++round)
            Reload();
        auto settled = Trimmed(Snapshot());
        Reload();
        ASSERT_EQ(Trimmed(Snapshot()), settled) << "seed " << seed;

        TTextGrid& grid = State.SG1();
        for (int edit = 0; edit < 40; ++edit) {
            int row = 1 + static_cast<int>(random() % static_cast<unsigned>(grid.RowCount() - 1));
            int col = static_cast<int>(random() % static_cast<unsigned>(grid.DataColumnCount()));
            std::string text = RandomText(random);
            auto refusal = RefusedCellText(State, row, col, text);
            if (refusal) {
                ++refused;
                if (refusal->Byte != 0) {
                    EXPECT_NE(text.find(refusal->Byte), std::string::npos);
                }
                EXPECT_FALSE(RefusalMessage(State, *refusal).empty());
                continue;
            }
            ++accepted;
            for (char c : text) {
                EXPECT_FALSE(BreaksEveryKind(c)) << "seed " << seed;
            }
            grid.SetCell(col, row, text);
        }
        auto edited = Trimmed(Snapshot());
        Reload();
        ASSERT_EQ(Trimmed(Snapshot()), edited) << "seed " << seed;
    }
    // The test means something only when both happen often.
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CellRule,
                         ::testing::Values("protos.tab", "items.tab", "quests.mes",
                                           "00001innkeeper.dlg", "notes.txt"),
                         [](const auto& testCase) {
                             std::string name = testCase.param;
                             return name.substr(name.find('.') + 1) +
                                    (name == "protos.tab" ? "Protos" : "");
                         });

struct RuleCase {
    const char* Name;
    int Column;
    std::string Text;
    char Refused; // 0: allowed
};

class CellRuleByText : public DocumentTest, public ::testing::WithParamInterface<RuleCase> {};

// Without the row: only what the text itself decides.
TEST_P(CellRuleByText, RefusesTheFirstByteTheFormatCannotStore) {
    const RuleCase& c = GetParam();
    std::string name = c.Name;
    State.DocumentExt = name.substr(0, name.find('_'));
    auto refusal = RefusedCellText(State, c.Column, c.Text);
    EXPECT_EQ(refusal ? refusal->Byte : 0, c.Refused);
}

INSTANTIATE_TEST_SUITE_P(Cases, CellRuleByText,
                         ::testing::Values(RuleCase{".tab_Tab", 1, "a\tb", '\t'},
                                           RuleCase{".tab_Braces", 1, "{a}}", 0},
                                           RuleCase{".tab_Eof", 0, "a\x1a", '\x1a'},
                                           RuleCase{".mes_CrLf", 1, "{a\r\n}", '\r'},
                                           RuleCase{".mes_KeyBrace", 0, "1}", '}'},
                                           RuleCase{".mes_ClosingLast", 1, "{a}", 0},
                                           RuleCase{".mes_ClosingInside", 1, "{a}b", '}'},
                                           RuleCase{".dlg_Open", 3, "a{b", '{'},
                                           RuleCase{".txt_Close", 1, "a}", '}'},
                                           RuleCase{".dlg_Lf", 2, "a\nb", '\n'}),
                         [](const auto& testCase) {
                             std::string name = testCase.param.Name;
                             return name.substr(1, 3) + name.substr(name.find('_') + 1);
                         });

} // namespace
} // namespace tw
