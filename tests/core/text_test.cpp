#include <gtest/gtest.h>

#include "core/app/text.h"

namespace tw {
namespace {

struct IntegerCase {
    const char* Text;
    bool Converts;
    int32_t Value;
};

class ConvertIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ConvertIntegerTest, ConvertsWholeTextOrFails) {
    const auto& c = GetParam();
    auto result = ConvertInteger(c.Text);
    ASSERT_EQ(result.has_value(), c.Converts) << '"' << c.Text << '"';
    if (c.Converts) {
        EXPECT_EQ(*result, c.Value) << '"' << c.Text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ConvertIntegerTest,
    ::testing::Values(
        IntegerCase{"0", true, 0}, IntegerCase{"007", true, 7}, IntegerCase{"   12", true, 12},
        IntegerCase{"12 ", false, 0}, IntegerCase{"+5", true, 5}, IntegerCase{"-5", true, -5},
        IntegerCase{"+-5", false, 0}, IntegerCase{"- 5", false, 0}, IntegerCase{"", false, 0},
        IntegerCase{"   ", false, 0}, IntegerCase{"-", false, 0}, IntegerCase{"1.5", false, 0},
        IntegerCase{"1a", false, 0}, IntegerCase{"2147483647", true, 2147483647},
        IntegerCase{"2147483648", false, 0}, IntegerCase{"-2147483648", true, INT32_MIN},
        IntegerCase{"-2147483649", false, 0}, IntegerCase{"99999999999999999999", false, 0},
        IntegerCase{"$FF", true, 255}, IntegerCase{"$ff", true, 255}, IntegerCase{"xFF", true, 255},
        IntegerCase{"XfF", true, 255}, IntegerCase{"0x1F", true, 31},
        IntegerCase{"-$10", true, -16}, IntegerCase{"$", false, 0}, IntegerCase{"0x", false, 0},
        IntegerCase{"$FFFFFFFF", true, -1}, IntegerCase{"$100000000", false, 0},
        IntegerCase{"$000000FF", true, 255}, IntegerCase{"$G", false, 0},
        IntegerCase{"\t1", false, 0}, IntegerCase{"1\n", false, 0}));

TEST(TextOrder, BytesUnsignedCaseSensitivePrefixFirst) {
    EXPECT_LT(CompareText("", "a"), 0);
    EXPECT_LT(CompareText("Z", "a"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_LT(CompareText("a", "\xE9"), 0); // bytes above 127 sort after ASCII
    EXPECT_EQ(CompareText("10", "10"), 0);
    EXPECT_GT(CompareText("9", "10"), 0);
    EXPECT_TRUE(SortsAtOrBelowBlank(""));
    EXPECT_TRUE(SortsAtOrBelowBlank(" "));
    EXPECT_TRUE(SortsAtOrBelowBlank("\tx"));
    EXPECT_FALSE(SortsAtOrBelowBlank("  "));
    EXPECT_FALSE(SortsBelowBlank(" "));
}

TEST(LowerCasing, ChangesOnlyAToZ) {
    EXPECT_EQ(LowerAZ("ABC xyz [\\]\xC4\xD6"), "abc xyz [\\]\xC4\xD6");
    EXPECT_TRUE(EqualsIgnoringCaseAZ("OBJ_T_ARMOR", "obj_t_armor"));
    EXPECT_FALSE(EqualsIgnoringCaseAZ("\xC4", "\xE4"));
    EXPECT_TRUE(ContainsIgnoringCaseAZ("Long SWORD", "sword"));
    EXPECT_FALSE(ContainsIgnoringCaseAZ("swor", "sword"));
}

TEST(PathPieces, SplitOnSlash) {
    EXPECT_EQ(FileNamePart("/a/b/Protos.TAB"), "Protos.TAB");
    EXPECT_EQ(FolderPart("/a/b/Protos.TAB"), "/a/b/");
    EXPECT_EQ(FolderPart("protos.tab"), "");
    EXPECT_EQ(ExtensionPart("/a.b/c"), "");
    EXPECT_EQ(ExtensionPart("x/y.Mes"), ".Mes");
}

} // namespace
} // namespace tw
