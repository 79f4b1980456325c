// Registry texts and names from arbitrary bytes: a stored text reads back as the text, blank-
// padded to any declared length; arbitrary bytes received read as a text of exactly that length;
// a string value without a NUL is its own text when it fits; names reach the system trimmed.
#include "fuzzcheck.h"
#include "ZEBRegcore.h"
#include "ZEBStrings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int L = in.ConsumeIntegralInRange(0, 300);
    const std::string name = in.ConsumeRandomLengthString(64);
    const std::string received = in.ConsumeRandomLengthString(400);
    const std::string s = in.ConsumeRemainingBytesAsString();

    const std::string stored = PXREGTEXTBYTES(s);
    FZCHECK(stored.size() == s.size() + 1);
    const std::string_view t = XTRIM(s);
    FZCHECK(stored.compare(0, t.size(), t) == 0 && stored[t.size()] == '\0');
    std::string out;
    if (t.find('\0') == std::string_view::npos)
        FZCHECK(PXREGTEXTREAD(stored, L, true, out) && out == XFIXED(t, L));
    // Whatever is received (at most L + 1 bytes), a read gives exactly L characters or fails.
    const std::string_view r = std::string_view(received).substr(0, std::size_t(L) + 1);
    for (bool bString : {false, true}) {
        std::string v = "untouched";
        const bool ok = PXREGTEXTREAD(r, L, bString, v);
        FZCHECK(ok ? v.size() == std::size_t(L) : v == "untouched");
        FZCHECK(ok || (bString && r.size() == std::size_t(L) + 1 && r.find('\0') == r.npos));
    }

    const std::string sz = XSZ(name);
    FZCHECK(sz == XTRIM(name));
    return 0;
}
