#pragma once
// What every fuzz target shares: a folder of its own in memory for the files the core
// reads and writes, and a stop that every sanitizer and libFuzzer report as a finding.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace tw::fuzz {

inline const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        pattern += "/tabwright-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        setenv("TABWRIGHT_SETTINGS", (pattern + "/settings.reg").c_str(), 1);
        return pattern + "/";
    }();
    return folder;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void Check(bool ok, const char* what) {
    if (ok)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace tw::fuzz
