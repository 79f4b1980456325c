// storm: a message storm against a running Tapmon from another process of the same desktop.
//
//   storm SEED COUNT     COUNT messages with random numbers (tests/common/stormset.h) and random
//                        parameters to the frame and to the pane, half of them posted (in
//                        batches, each followed by a bounded WM_NULL so the queue drains) and
//                        half sent; then every key, character and system-command message with
//                        every extreme word parameter and six extreme long parameters, posted
//                        and sent, to both
//
// Every send is bounded by SendMessageTimeoutA (1 s for the storm's own messages, 30 s for the
// waits that let the queue drain). Prints one line:
//   messages N posted P sent S timeouts T seconds X
// Exit code: 0 done and Tapmon's frame still there, 1 the frame went away, 2 no Tapmon window.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "paneio.h"
#include "stormset.h"

namespace {

struct Counts {
    long long posted = 0, sent = 0, timeouts = 0;
};

void pxsend(HWND h, UINT m, WPARAM w, LPARAM l, Counts& c) {
    DWORD_PTR r = 0;
    ++c.sent;
    if (!SendMessageTimeoutA(h, m, w, l, SMTO_NORMAL, 1000, &r)) ++c.timeouts;
}

// Every 200 posts the queue is let drain; every 4000 the pane is emptied, so that the storm
// does not turn into a test of how fast a long text grows.
void pxpost(HWND h, UINT m, WPARAM w, LPARAM l, Counts& c, HWND hFrame, HWND hPane) {
    if (!PostMessageA(h, m, w, l)) return;
    if (++c.posted % 200 == 0)
        SendMessageTimeoutA(hFrame, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
    if (c.posted % 4000 == 0)
        SendMessageTimeoutA(hPane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""), SMTO_NORMAL, 30000,
                            nullptr);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: storm SEED COUNT\n");
        return 3;
    }
    storm::random rnd(std::strtoull(argv[1], nullptr, 0));
    const long long n = std::strtoll(argv[2], nullptr, 0);
    const HWND hFrame = pxframe();
    const HWND hPane = hFrame ? FindWindowExA(hFrame, nullptr, "Edit", nullptr) : nullptr;
    if (!hPane) {
        std::fprintf(stderr, "storm: no Tapmon window\n");
        return 2;
    }
    const DWORD t0 = GetTickCount();
    Counts c;
    for (long long i = 0; i < n && IsWindow(hFrame); ++i) {
        UINT m;
        do m = static_cast<UINT>(rnd.next() % (storm::kLast + 1));
        while (!storm::randomok(m));
        const HWND h = rnd.next() % 2 ? hFrame : hPane;
        const WPARAM w = rnd.param();
        const LPARAM l = static_cast<LPARAM>(rnd.param());
        if (rnd.next() % 2)
            pxpost(h, m, w, l, c, hFrame, hPane);
        else
            pxsend(h, m, w, l, c);
    }
    static const UINT kKeys[] = {WM_KEYDOWN,  WM_KEYUP,       WM_CHAR,
                                 WM_DEADCHAR, WM_SYSKEYDOWN,  WM_SYSKEYUP,
                                 WM_SYSCHAR,  WM_SYSDEADCHAR, WM_SYSCOMMAND};
    const std::vector<std::uint64_t> edge = storm::extremes();
    for (UINT m : kKeys)
        for (std::uint64_t w : edge)
            for (std::uint64_t l :
                 {0ULL, 1ULL, 0x7FFFFFFFULL, 0x80000000ULL, 0xFFFFFFFFULL, ~0ULL}) {
                const auto wp = static_cast<WPARAM>(w);
                if (!storm::keyok(m, wp) || !IsWindow(hFrame)) continue;
                const auto lp = static_cast<LPARAM>(static_cast<std::uintptr_t>(l));
                for (HWND h : {hFrame, hPane}) {
                    pxpost(h, m, wp, lp, c, hFrame, hPane);
                    pxsend(h, m, wp, lp, c);
                }
            }
    SendMessageTimeoutA(hFrame, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
    std::printf("messages %lld posted %lld sent %lld timeouts %lld seconds %.1f\n",
                c.posted + c.sent, c.posted, c.sent, c.timeouts, (GetTickCount() - t0) / 1000.0);
    return IsWindow(hFrame) ? 0 : 1;
}
