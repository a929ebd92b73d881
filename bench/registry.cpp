#include "bench/registry.h"

#include <chrono>
#include <cstdio>
#include <ctime>
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
        if (line.rfind(key, 0) != 0)
            continue;
        std::istringstream fields(line.substr(std::string(key).size()));
        int64_t kb = -1;
        fields >> kb;
        return kb < 0 ? -1 : kb * 1024;
    }
    return -1;
}
} // namespace

void ReturnFreedMemory() {
    ::malloc_trim(0);
}

void ResetPeakMemory() {
    // "5" resets the peak resident size of this process (Linux 4.0 and later).
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

int64_t PeakMemoryBytes() {
    return StatusValueBytes("VmHWM:");
}
int64_t CurrentMemoryBytes() {
    return StatusValueBytes("VmRSS:");
}

double Now() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

double CpuNow() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void Report::Print() const {
    std::printf("%-12s %-22s %9s %9s %9s %9s  %-24s %s\n", "case", "step", "wall ms", "MB/s",
                "cpu ms", "peak MB", "target", "");
    for (const auto& m : Rows) {
        auto number = [](char(&into)[32], bool known, double value) {
            if (known)
                std::snprintf(into, sizeof into, "%.1f", value);
            else
                std::snprintf(into, sizeof into, "-");
        };
        char wall[32], rate[32], cpu[32], peak[32];
        number(wall, m.Seconds > 0, m.Seconds * 1000);
        number(rate, m.Bytes > 0 && m.Seconds > 0, static_cast<double>(m.Bytes) / 1e6 / m.Seconds);
        number(cpu, m.CpuSeconds > 0, m.CpuSeconds * 1000);
        number(peak, m.PeakBytes >= 0, static_cast<double>(m.PeakBytes) / 1e6);
        std::printf("%-12s %-22s %9s %9s %9s %9s  %-24s %s\n", m.Case.c_str(), m.Step.c_str(), wall,
                    rate, cpu, peak, m.Target.c_str(),
                    m.Target.empty() ? "" : (m.Met ? "ok" : "MISSED"));
    }
    for (const auto& note : Notes)
        std::printf("%s\n", note.c_str());
}

bool Report::AllMet() const {
    for (const auto& m : Rows)
        if (!m.Met)
            return false;
    return true;
}

} // namespace tw::bench
