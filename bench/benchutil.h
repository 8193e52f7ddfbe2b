#pragma once
// What the benchmarks share: a prompt that never waits, and medians of wall time with the
// thread's CPU time beside them (on a machine shared with other work the CPU time shows what
// the program itself spends).

#include "common/prompt.h"

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <time.h>
#include <vector>

namespace payvo::bench
{

// Answers Yes to every question and prints every message on stderr.
class QuietPrompt final : public UserPrompt
{
public:
    void message(const QString& text, Icon) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    bool question(const QString&, Icon) override { return true; }
};

struct Figures {
    double median = 0, min = 0, max = 0, cpuMedian = 0;
};

inline double threadCpuMs()
{
    timespec ts {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

inline Figures measure(int runs, const std::function<void()>& work)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        const double cpu0 = threadCpuMs();
        QElapsedTimer t;
        t.start();
        work();
        wall.push_back(double(t.nsecsElapsed()) / 1e6);
        cpu.push_back(threadCpuMs() - cpu0);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return { wall[wall.size() / 2], wall.front(), wall.back(), cpu[cpu.size() / 2] };
}

inline void report(const char* what, const Figures& f)
{
    std::printf("%-56s %7.1f ms  (min %6.1f, max %6.1f; cpu %6.1f)\n", what, f.median, f.min, f.max, f.cpuMedian);
}

} // namespace payvo::bench
