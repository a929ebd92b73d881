#pragma once
// The benchmark harness: named cases, each adding rows to one printed table. A case is a
// function registered with TW_BENCH_CASE in any .cpp of bench/; `tabwright-bench NAME...`
// runs the named ones, no argument runs all.

#include <cstdint>
#include <string>
#include <vector>

namespace tw::bench {

struct Measurement {
    std::string Case;
    std::string Step;
    double Seconds = 0;
    double CpuSeconds = 0;  // this process's own processor time, which others' load hardly changes
    uint64_t Bytes = 0;     // processed, for the throughput column; 0 when it means nothing
    int64_t PeakBytes = -1; // memory the step added at its peak; -1 when not measured
    std::string Target;     // what the step should achieve, for the reader
    bool Met = true;
};

class Report {
  public:
    void Add(Measurement measurement) { Rows.push_back(std::move(measurement)); }
    void Note(const std::string& line) { Notes.push_back(line); }
    void Print() const;
    bool AllMet() const;

  private:
    std::vector<Measurement> Rows;
    std::vector<std::string> Notes;
};

using CaseFunction = void (*)(Report&);
bool RegisterCase(const char* name, CaseFunction run);

struct RegisteredCase {
    std::string Name;
    CaseFunction Run;
};
std::vector<RegisteredCase>& RegisteredCases();

// Memory: the peak resident size since the last reset, and the current one, in bytes.
// Gives memory freed by earlier steps back to the system, so the next step's peak shows
// what it needs rather than what it reused.
void ReturnFreedMemory();
void ResetPeakMemory();
int64_t PeakMemoryBytes();
int64_t CurrentMemoryBytes();

double Now();    // seconds, monotonic
double CpuNow(); // seconds of processor time used by this process

// Runs `step` and measures its time and the memory it added at its peak.
template <typename Step>
Measurement Measure(const std::string& caseName, const std::string& stepName, Step&& step) {
    Measurement m;
    m.Case = caseName;
    m.Step = stepName;
    ReturnFreedMemory();
    ResetPeakMemory();
    int64_t before = CurrentMemoryBytes();
    double start = Now();
    double cpuStart = CpuNow();
    step();
    m.Seconds = Now() - start;
    m.CpuSeconds = CpuNow() - cpuStart;
    int64_t peak = PeakMemoryBytes();
    if (peak >= 0 && before >= 0)
        m.PeakBytes = peak - before;
    return m;
}

} // namespace tw::bench

#define TW_BENCH_CASE(name)                                                                        \
    static void name##Case(::tw::bench::Report&);                                                  \
    static const bool name##Registered = ::tw::bench::RegisterCase(#name, name##Case);             \
    static void name##Case(::tw::bench::Report& report)
