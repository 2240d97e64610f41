#pragma once

// The start of every Linux benchmark program: headless unless told otherwise,
// memory handled as the program handles it, one application object.
#include "MemoryUse.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace tavimor::bench {

// VmHWM or VmRSS from /proc, in MiB.
inline double memoryMiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::string(field).size())) / 1024.0;
    return 0;
}

// VmHWM starts again from VmRSS.
inline void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Registers the benchmarks (quick: tiny sizes, for TAVIMOR_BENCH_QUICK=1) and runs them.
template <typename Register>
int runBenchmarks(int argc, char* argv[], Register registerAll)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    returnLargeBlocksAtOnce(); // as the program does at start
    QApplication app(argc, argv);
    registerAll(qEnvironmentVariableIsSet("TAVIMOR_BENCH_QUICK"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace tavimor::bench
