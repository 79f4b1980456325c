// Drives the length contracts of the value-dependent text routines with arbitrary input.
#include "ZEBStrings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

static void check(bool ok) {
    if (!ok) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int i = in.ConsumeIntegral<int>();
    const int base = in.ConsumeIntegralInRange(-2, 17);
    const double x = in.ConsumeFloatingPoint<double>();
    const int nDec = in.ConsumeIntegralInRange(-2, 40);
    const int nMax = in.ConsumeIntegralInRange(-2, 80);
    const int iMode = in.ConsumeIntegralInRange(-2, 2);
    const std::string sep = in.ConsumeRandomLengthString(6);
    const bool customSep = in.ConsumeBool();
    const std::string s = in.ConsumeRemainingBytesAsString();

    check(int(PXISTRING(i, base).size()) == PXLOG(i, base));
    check(int(PXISTRING(i).size()) == PXLOG(i));
    check(int(PXFSTRING(x, nDec).size()) == PXFLOG(x, nDec));
    check(int(PXFSTRING(x).size()) == PXFLOG(x));
    check(int(XUNQUOTE(s).size()) == PXUNQUOTEDLEN(s));
    std::string sh = customSep ? XSHORTEN(s, nMax, iMode, sep) : XSHORTEN(s, nMax, iMode);
    check(sh.size() == std::size_t(nMax < 0 ? 0 : nMax));
    check(XTOLOWER(XTOUPPER(s)).size() == s.size());
    check(XC2F(s).size() == s.size());
    return 0;
}
