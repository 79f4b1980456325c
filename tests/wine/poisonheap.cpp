// A debug heap for the test programs that link it: a freed block is filled with 0xDD and kept
// out of use for a while, so that reading a freed window object or control list gives a bad
// handle, address or count (and mostly a crash) instead of the old contents, which the
// process heap would otherwise keep or hand straight to the next allocation.
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t XQUARANTINE = 4096; // blocks held back before they are really freed
void* pxHeld[XQUARANTINE];
std::size_t nNext = 0;
std::atomic_flag bBusy = ATOMIC_FLAG_INIT;

void PXPOISONFREE(void* p) noexcept {
    if (!p) return;
    std::memset(p, 0xDD, _msize(p));
    while (bBusy.test_and_set(std::memory_order_acquire)) {
    }
    void* old = pxHeld[nNext];
    pxHeld[nNext] = p;
    nNext = (nNext + 1) % XQUARANTINE;
    bBusy.clear(std::memory_order_release);
    std::free(old);
}

void* PXALLOC(std::size_t n) {
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t n) {
    return PXALLOC(n);
}
void* operator new[](std::size_t n) {
    return PXALLOC(n);
}
void operator delete(void* p) noexcept {
    PXPOISONFREE(p);
}
void operator delete[](void* p) noexcept {
    PXPOISONFREE(p);
}
void operator delete(void* p, std::size_t) noexcept {
    PXPOISONFREE(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    PXPOISONFREE(p);
}
