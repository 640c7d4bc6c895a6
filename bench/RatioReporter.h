#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace dolmex::bench {

// Prints Google Benchmark's usual table, then each measured operation as a ratio to its
// baseline from the same run, so the figures do not depend on the machine.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // pairs of (benchmark name, baseline benchmark name) and the largest ratio wanted
    struct Ratio {
        std::string measured, baseline;
        double target;      // largest ratio wanted; 0 for none
        double limitMs = 0; // largest absolute time wanted; 0 for none
    };

    explicit RatioReporter(std::vector<Ratio> ratios) : m_ratios(std::move(ratios)) {}

    // A figure that is no time (memory, for example), printed in the same table.
    void addRow(const std::string& operation, const std::string& baseline, double ratio,
                double target, const std::string& value) {
        char line[256];
        std::snprintf(line, sizeof line, "%-24s %-24s %8.4fx %8.4fx %11s %11s %s",
                      operation.c_str(), baseline.c_str(), ratio, target, value.c_str(), "",
                      ratio <= target ? "ok" : "MISSED");
        m_extraRows.emplace_back(line);
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                m_seconds[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-24s %-24s %9s %9s %11s %11s\n", "operation", "baseline", "ratio", "target",
                    "time", "limit");
        for (const Ratio& r : m_ratios) {
            const auto m = m_seconds.find(r.measured);
            const auto b = m_seconds.find(r.baseline);
            if (m == m_seconds.end() || b == m_seconds.end() || b->second <= 0)
                continue;
            const double ratio = m->second / b->second;
            const double ms = m->second * 1e3;
            const bool met =
                (r.target <= 0 || ratio <= r.target) && (r.limitMs <= 0 || ms <= r.limitMs);
            std::printf("%-24s %-24s %8.4fx %8.4fx %9.3fms %9.3fms %s\n", r.measured.c_str(),
                        r.baseline.c_str(), ratio, r.target, ms, r.limitMs, met ? "ok" : "MISSED");
        }
        for (const std::string& row : m_extraRows)
            std::printf("%s\n", row.c_str());
    }

private:
    std::vector<Ratio> m_ratios;
    std::map<std::string, double> m_seconds;
    std::vector<std::string> m_extraRows;
};

// Bytes the program holds on the heap right now (glibc; 0 elsewhere).
inline std::size_t HeapInUse() {
#if defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#else
    return 0;
#endif
}

} // namespace dolmex::bench
