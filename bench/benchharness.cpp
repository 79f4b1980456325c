// The benchmarks' start-up: the framework's entry runs XINIT, which runs the benchmark and
// ends the process without a message loop.
#include "benchharness.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "ZEBApp.h"

namespace xbench {

volatile long long sink = 0;

double now() {
    static const double perSecond = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / perSecond;
}

long count(int argc, char** argv, long fallback, long nMin) {
    return argc > 1 ? std::max(std::atol(argv[1]), nMin) : fallback;
}

} // namespace xbench

namespace {

int nArgs = 0;
char** pArgs = nullptr;
int nResult = 0;

} // namespace

bool XINIT(std::string_view, int&) {
    nResult = XBENCH(nArgs, pArgs);
    return false; // no message loop: the process ends here
}

int main(int argc, char** argv) {
    nArgs = argc;
    pArgs = argv;
    XWINMAIN(GetModuleHandleA(nullptr), GetCommandLineA(), SW_SHOWNORMAL);
    std::fflush(stdout);
    return nResult;
}
