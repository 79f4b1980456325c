// What the benchmarks share: a clock, the best of several timed runs, a sink the optimiser
// cannot drop, and the start-up that runs a benchmark inside the framework's own entry
// (benchharness.cpp defines XINIT and main; a benchmark defines XBENCH).
#pragma once

#include <algorithm>

namespace xbench {

extern volatile long long sink;

// Seconds on the performance counter.
double now();

// Best of `rounds` runs of f(r), in seconds; prepare(r), not timed, comes before each run.
template <class P, class F> double best(int rounds, P prepare, F f) {
    double b = 1e30;
    for (int r = 0; r < rounds; ++r) {
        prepare(r);
        const double t0 = now();
        f(r);
        b = std::min(b, now() - t0);
    }
    return b;
}
template <class F> double best(int rounds, F f) {
    return best(
        rounds, [](int) {}, [&](int) { f(); });
}

// The count a benchmark was given on its command line, or fallback; at least nMin.
long count(int argc, char** argv, long fallback, long nMin);

} // namespace xbench

// The benchmark itself, run from the framework's initialisation; its result is the exit code.
int XBENCH(int argc, char** argv);
