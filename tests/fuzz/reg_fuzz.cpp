// Registry texts and names from arbitrary bytes: a stored text reads back as the text, blank-
// padded to any declared length; arbitrary bytes received read as a text of exactly that length;
// a value fits its variable only as the string rule allows; names reach the system trimmed.
#include "fuzzcheck.h"
#include "ZEBRegcore.h"
#include "ZEBStrings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <memory>
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
    if (t.find('\0') == std::string_view::npos) FZCHECK(PXREGTEXTREAD(stored, L) == XFIXED(t, L));
    FZCHECK(PXREGTEXTREAD(received, L).size() == std::size_t(L));

    // An exact buffer of n + 1 bytes, as the reader gives the system.
    const std::size_t n = received.empty() ? 0 : received.size() - 1;
    std::unique_ptr<unsigned char[]> buf(new unsigned char[n + 1]);
    for (std::size_t k = 0; k <= n; ++k) buf[k] = k < received.size() ? received[k] : 0;
    for (bool bString : {false, true}) {
        for (std::size_t got0 : {std::size_t(0), n, n + 1}) {
            std::size_t got = got0;
            const bool fits = PXREGFITS(bString, buf.get(), n, got);
            FZCHECK(got <= (fits ? n : n + 1));
            FZCHECK(fits == (got0 <= n || (bString && buf[n] == 0)));
        }
    }

    const std::string sz = XSZ(name);
    FZCHECK(sz == XTRIM(name));
    return 0;
}
