#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "core/app/colors.h"

namespace tw {
namespace {

struct TextCase {
    const char* Text;
    std::optional<TColor> Value;
};

class TextToColorTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextToColorTest, NameOrNumberOrNothing) {
    EXPECT_EQ(TextToColor(GetParam().Text), GetParam().Value) << '"' << GetParam().Text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToColorTest,
    ::testing::Values(TextCase{"CLRED", 0x000000FF}, TextCase{"clred", 0x000000FF},
                      TextCase{"$000000FF", 0x000000FF}, TextCase{"255", 0x000000FF},
                      TextCase{"red", std::nullopt}, TextCase{"", std::nullopt},
                      TextCase{" clRed", std::nullopt}, TextCase{"clRed ", std::nullopt},
                      TextCase{"clSkyBlue", 0x00F0CAA6}, TextCase{"clBlack", 0x00000000},
                      TextCase{"clWindowText", 0x80000008}, TextCase{"clmenubar", 0x8000001E},
                      TextCase{"clNone", 0x1FFFFFFF}, TextCase{"clDefault", 0x20000000},
                      TextCase{"$80000008", 0x80000008}, TextCase{"$FFFFFFFF", 0xFFFFFFFF},
                      TextCase{"-1", 0xFFFFFFFF}, TextCase{"$100000000", std::nullopt},
                      TextCase{"$00563412", 0x00563412}, TextCase{"cl", std::nullopt},
                      TextCase{"clGrey", std::nullopt}));

struct ColorCase {
    TColor Value;
    const char* Text;
};

class ColorToTextTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorToTextTest, NameOrEightHexDigits) {
    EXPECT_EQ(ColorToText(GetParam().Value), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ColorToTextTest,
    ::testing::Values(ColorCase{0x00F0CAA6, "clSkyBlue"}, ColorCase{0x00000000, "clBlack"},
                      ColorCase{0x000000FF, "clRed"}, ColorCase{0x80000008, "clWindowText"},
                      ColorCase{0x80000005, "clWindow"}, ColorCase{0x1FFFFFFF, "clNone"},
                      ColorCase{0x20000000, "clDefault"}, ColorCase{0x0080FF00, "$0080FF00"},
                      ColorCase{0x00000001, "$00000001"}, ColorCase{0x80000019, "$80000019"},
                      ColorCase{0xFFFFFFFF, "$FFFFFFFF"}, ColorCase{0x00abcdef, "$00ABCDEF"}));

TEST(ColorNotation, ColourFromTheDialogIsStoredAsHex) {
    EXPECT_EQ(ColorToText(RgbToColor(0x12, 0x34, 0x56)), "$00563412");
    EXPECT_EQ(ColorToRgb(0x00563412), (Rgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(ColorToRgb(0x80000008), std::nullopt);
    EXPECT_EQ(ColorToRgb(clNone), std::nullopt);
}

TEST(ColorNotation, EveryNameRoundTripsAndIsUnique) {
    std::set<TColor> values;
    std::set<std::string> lowerNames;
    for (const auto& named : ColorNames()) {
        EXPECT_EQ(ColorToText(named.Value), named.Name);
        EXPECT_EQ(TextToColor(named.Name), named.Value) << named.Name;
        EXPECT_TRUE(values.insert(named.Value).second) << named.Name;
        std::string lower(named.Name);
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(lowerNames.insert(lower).second) << named.Name;
    }
    EXPECT_EQ(ColorNames().size(), 52u); // 20 fixed, 30 system, none, default
}

TEST(ColorNotation, SystemColours) {
    int systemCount = 0;
    for (const auto& named : ColorNames()) {
        if (!IsSystemColor(named.Value))
            continue;
        ++systemCount;
        EXPECT_NE(SystemColorIndex(named.Value), 25) << "index 25 has no name";
        EXPECT_LE(SystemColorIndex(named.Value), 30);
    }
    EXPECT_EQ(systemCount, 30);
    EXPECT_EQ(SystemColorIndex(*TextToColor("clBtnFace")), 15);
    EXPECT_FALSE(IsSystemColor(0x00FFFFFF));
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_FALSE(IsSystemColor(0xFF000000));
}

TEST(ColorNotation, PickerListsStandardExtraSystemThenNone) {
    auto picker = PickerColors();
    ASSERT_EQ(picker.size(), 51u);
    EXPECT_EQ(picker[0].Name, "clBlack");
    EXPECT_EQ(picker[15].Name, "clWhite");
    EXPECT_EQ(picker[16].Name, "clMoneyGreen");
    EXPECT_EQ(picker[17].Name, "clSkyBlue");
    EXPECT_EQ(picker[18].Name, "clCream");
    EXPECT_EQ(picker[19].Name, "clMedGray");
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_TRUE(IsPlainColor(picker[i].Value)) << picker[i].Name;
    }
    for (size_t i = 20; i < 50; ++i) {
        EXPECT_TRUE(IsSystemColor(picker[i].Value)) << picker[i].Name;
    }
    EXPECT_EQ(picker[50].Value, clNone);
}

} // namespace
} // namespace tw
