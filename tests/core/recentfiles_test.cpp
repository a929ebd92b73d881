// The list of recently loaded files: order, length, and its round trip through the
// settings store.

#include <gtest/gtest.h>

#include <random>

#include "core/document/recentfiles.h"
#include "support/temp_folder.h"

using namespace tw;

// Against a literal model on random load sequences: newest first, no duplicates, at
// most ten, and the settings give back what was written.
TEST(RecentFilesTest, BehavesLikeAMostRecentlyUsedListAndSurvivesTheSettings) {
    TempFolder folder;
    TRegpath settings;
    settings.FilePath = folder.Path() + "settings.reg";
    std::mt19937 random(7);
    std::vector<std::string> list;
    std::vector<std::string> history; // every load, oldest first
    for (int step = 0; step < 200; ++step) {
        const std::string path = "/data/f" + std::to_string(random() % 14) + ".tab";
        list = WithRecentFile(list, path);
        history.push_back(path);
        std::vector<std::string> expected;
        for (auto it = history.rbegin(); it != history.rend() && expected.size() < 10; ++it)
            if (std::find(expected.begin(), expected.end(), *it) == expected.end())
                expected.push_back(*it);
        ASSERT_EQ(list, expected) << "step " << step;
        if (step % 37 == 0) {
            ASSERT_TRUE(WriteRecentFiles(settings, list));
            ASSERT_EQ(ReadRecentFiles(settings), list);
        }
    }
    // A shorter list empties the values past its end.
    ASSERT_TRUE(WriteRecentFiles(settings, {"/a b/ü.mes"}));
    EXPECT_EQ(ReadRecentFiles(settings), std::vector<std::string>{"/a b/ü.mes"});
    EXPECT_EQ(WithRecentFile({"x"}, ""), std::vector<std::string>{"x"});
}
