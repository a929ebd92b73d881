// tabwright-bench [CASE...]: runs the named cases (all without arguments) and prints one
// table. The exit code is 0 even when a target is missed: the table is the result.

#include <cstdio>
#include <string>

#include "bench/registry.h"

int main(int argc, char** argv) {
    tw::bench::Report report;
    int ran = 0;
    for (const auto& registered : tw::bench::RegisteredCases()) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i)
            wanted = wanted || registered.Name == argv[i];
        if (!wanted)
            continue;
        std::fprintf(stderr, "running %s...\n", registered.Name.c_str());
        registered.Run(report);
        ++ran;
    }
    if (ran == 0) {
        std::fprintf(stderr, "no such case; cases:");
        for (const auto& registered : tw::bench::RegisteredCases())
            std::fprintf(stderr, " %s", registered.Name.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    report.Print();
    return 0;
}
