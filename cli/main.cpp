#include <cstdio>

namespace {
const char* const Usage =
    "usage:\n"
    "  tabwright-cli normalize FILE [-o OUT]\n"
    "  tabwright-cli sort [--column N] FILE [-o OUT]\n"
    "  tabwright-cli compare FILE1 FILE2 [FILE3 [FILE4 [FILE5]]]\n"
    "  tabwright-cli combine [--no-remove-rows] [--show-messages] -o OUT FILE1 FILE2 [FILE3 [FILE4 [FILE5]]]\n"
    "common: [--language LNG] [--show-col-numbers]\n";
}

int main(int argc, char** /*argv*/) {
    std::fputs(Usage, stderr);
    return argc > 1 ? 2 : 2;
}
