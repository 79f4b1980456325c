// Walks arbitrary bytes as a dialog-initialisation resource: every record handed out must lie
// inside the input, records must move forward, and the walk must end.
#include "ZEBDialogcore.h"

#include <cstdlib>
#include <cstring>
#include <memory>

static void check(bool ok) {
    if (!ok) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    // An exact copy: the sanitizer catches any byte read past the end.
    std::unique_ptr<unsigned char[]> res(new unsigned char[size ? size : 1]);
    if (size) std::memcpy(res.get(), data, size);
    const unsigned char* begin = res.get();
    const unsigned char* end = begin + size;
    const unsigned char* last = nullptr;
    int seen = 0;
    const int n = FXDLGINITWALK(begin, size, [&](const XDLGINITREC& r) {
        check(r.iCtlID != 0);
        check(r.nData >= 0);
        check(r.pData >= begin + 8 && r.pData + r.nData <= end);
        check(!last || r.pData > last);
        last = r.pData;
        check(FXDLGINITTEXT(r).size() <= static_cast<std::size_t>(r.nData));
        ++seen;
    });
    check(n == seen);
    check(static_cast<std::size_t>(n) <= size / 8);
    return 0;
}
