#include "bench/generator.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <vector>

namespace tw::bench {

namespace {

const char* const ObjectTypes[] = {"armor",      "pc",      "npc",     "weapon", "ammo",  "bag",
                                   "container",  "food",    "generic", "key",    "money", "portal",
                                   "projectile", "scenery", "scroll",  "written"};
const char* const Names[] = {"Sword",  "Leather Armor", "Healing Potion",  "Bandit",
                             "Chest",  "Apple",         "Iron Key",        "Gold Coins",
                             "Door",   "Arrow",         "Scroll of Light", "Note",
                             "Barrel", "Torch",         "Dagger",          "Boots"};
const char* const Flags[] = {
    "OF_INVISIBLE", "OF_FLAT OF_NO_BLOCK", "OIF_IDENTIFIED", "OCF_LOCKED OCF_MAGICALLY_HELD",
    "ONF_KOS",      "OWF_TWO_HANDED",      "OF_DONTDRAW",    "OPF_STICKY"};

template <size_t N> const char* Pick(std::mt19937& random, const char* const (&from)[N]) {
    return from[random() % N];
}

} // namespace

std::string GenerateProtosTab(const ProtosShape& shape) {
    std::mt19937 random(shape.Seed);
    std::string out;
    out.reserve(static_cast<size_t>(shape.Rows) * static_cast<size_t>(shape.Columns) * 3);
    for (int row = 0; row < shape.Rows; ++row) {
        out += std::to_string(1000 + row);
        for (int col = 1; col < shape.Columns; ++col) {
            out.push_back('\t');
            if (col == 1) {
                out += "obj_t_";
                out += ObjectTypes[(row / 37 + random() % 3) % 16];
            } else if (col == 2) {
                // where the editor shows descriptions; always saved empty
            } else if (col == 23) {
                out += std::to_string(30000 + row);
            } else {
                uint32_t roll = random() % 100;
                if (roll < 70)
                    continue; // most cells are empty
                if (roll < 88)
                    out += std::to_string(random() % (roll < 80 ? 10 : 10000));
                else if (roll < 95)
                    out += Pick(random, Names);
                else
                    out += Pick(random, Flags);
            }
        }
        out += "\r\n";
    }
    return out;
}

LoadOptions BenchLoadOptions() {
    LoadOptions options;
    options.MakeBackup = false;
    options.WriteSettings = false;
    options.ReadDescriptions = false;
    return options;
}

std::string OutputFolder() {
    std::string folder = TABWRIGHT_BENCH_OUT;
    std::filesystem::create_directories(folder);
    return folder + "/";
}

std::string ProtosTabFile(const ProtosShape& shape) {
    std::string path = OutputFolder() + "protos-" + std::to_string(shape.Rows) + "x" +
                       std::to_string(shape.Columns) + "-" + std::to_string(shape.Seed) + ".tab";
    std::string bytes = GenerateProtosTab(shape);
    std::ifstream in(path, std::ios::binary);
    if (in) {
        std::string existing((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
        if (existing == bytes)
            return path;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

void ShuffleRows(TTextGrid& grid, uint32_t seed) {
    std::vector<int> order;
    for (int row = 1; row <= grid.RowCount() - 2; ++row)
        order.push_back(row);
    std::mt19937 random(seed);
    std::shuffle(order.begin(), order.end(), random);
    grid.PermuteRows(1, order);
}

void MakeModdedCopy(TTextGrid& grid, uint32_t seed) {
    std::mt19937 random(seed);
    const int rows = grid.RowCount() - 2;
    const int columns = grid.ColCount();
    const std::string mark = "v" + std::to_string(seed);
    for (long n = 0; n < static_cast<long>(rows) * columns / 100; ++n)
        grid.SetCell(3 + static_cast<int>(random() % static_cast<unsigned>(columns - 3)),
                     1 + static_cast<int>(random() % static_cast<unsigned>(rows)), mark);
    for (int n = 0; n < rows / 100; ++n)
        grid.DeleteRows(1 + static_cast<int>(random() % static_cast<unsigned>(grid.RowCount() - 2)),
                        1);
    for (int n = 0; n < rows / 100; ++n) {
        int at = 1 + static_cast<int>(random() % static_cast<unsigned>(grid.RowCount() - 2));
        grid.InsertRows(at, 1);
        grid.SetCell(0, at, std::to_string(100000 + random() % 900000));
        grid.SetCell(1, at, "obj_t_generic");
        grid.SetCell(5, at, mark);
    }
    ShuffleRows(grid, seed + 1);
}

} // namespace tw::bench
