#include "bench/registry.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <sstream>

namespace tw::bench {

std::vector<RegisteredCase>& RegisteredCases() {
    static std::vector<RegisteredCase> cases;
    return cases;
}

bool RegisterCase(const char* name, CaseFunction run) {
    RegisteredCases().push_back({name, run});
    return true;
}

namespace {
int64_t StatusValueBytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) != 0) continue;
        std::istringstream fields(line.substr(std::string(key).size()));
        int64_t kb = -1;
        fields >> kb;
        return kb < 0 ? -1 : kb * 1024;
    }
    return -1;
}
} // namespace

void ReturnFreedMemory() { ::malloc_trim(0); }

void ResetPeakMemory() {
    // "5" resets the peak resident size of this process (Linux 4.0 and later).
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

int64_t PeakMemoryBytes() { return StatusValueBytes("VmHWM:"); }
int64_t CurrentMemoryBytes() { return StatusValueBytes("VmRSS:"); }

double Now() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

void Report::Print() const {
    std::printf("%-12s %-22s %10s %10s %10s  %-28s %s\n", "case", "step", "time ms", "MB/s",
                "peak MB", "target", "");
    for (const auto& m : Rows) {
        char rate[32] = "-";
        if (m.Bytes > 0 && m.Seconds > 0)
            std::snprintf(rate, sizeof rate, "%.1f",
                          static_cast<double>(m.Bytes) / 1e6 / m.Seconds);
        char peak[32] = "-";
        if (m.PeakBytes >= 0)
            std::snprintf(peak, sizeof peak, "%.1f", static_cast<double>(m.PeakBytes) / 1e6);
        char time[32] = "-";
        if (m.Seconds > 0) std::snprintf(time, sizeof time, "%.1f", m.Seconds * 1000);
        std::printf("%-12s %-22s %10s %10s %10s  %-28s %s\n", m.Case.c_str(), m.Step.c_str(),
                    time, rate, peak, m.Target.c_str(),
                    m.Target.empty() ? "" : (m.Met ? "ok" : "MISSED"));
    }
    for (const auto& note : Notes) std::printf("%s\n", note.c_str());
}

bool Report::AllMet() const {
    for (const auto& m : Rows)
        if (!m.Met) return false;
    return true;
}

} // namespace tw::bench
