// Number texts read back: every base's digits give the value again, fixed-point texts give the
// real to within half their last decimal, and widths are what the length routines say.
#include "fuzzcheck.h"
#include "ZEBStrings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>
#include <string>

static void integer(int i, int base) {
    const std::string s = PXISTRING(i, base);
    FZCHECK(int(s.size()) == PXLOG(i, base));
    FZCHECK(s.find(' ') == std::string::npos);
    const bool neg = i < 0;
    FZCHECK(!neg || s[0] == '-');
    const std::string digits = s.substr(neg ? 1 : 0);
    FZCHECK(!digits.empty() && (digits.size() == 1 || digits[0] != '0'));
    char* end = nullptr;
    const unsigned long long m = std::strtoull(digits.c_str(), &end, base);
    FZCHECK(*end == '\0');
    const long long v = i;
    FZCHECK(m == static_cast<unsigned long long>(neg ? -v : v));
}

static void fixed(double x, int nDec) {
    const std::string s = PXFSTRING(x, nDec);
    FZCHECK(int(s.size()) == PXFLOG(x, nDec));
    if (!std::isfinite(x) || s.find('*') != std::string::npos) return;
    const std::size_t point = s.find('.');
    FZCHECK(point != std::string::npos && s.size() - point - 1 == std::size_t(nDec < 0 ? 0 : nDec));
    char* end = nullptr;
    const double y = std::strtod(s.c_str(), &end);
    FZCHECK(*end == '\0');
    const double half = 0.5 * std::pow(10.0, -(nDec < 0 ? 0 : nDec));
    FZCHECK(std::fabs(y - x) <= half + std::fabs(x) * 1e-15 + 1e-300);
}

static void plain(double x) {
    const std::string s = PXFSTRING(x);
    FZCHECK(int(s.size()) == PXFLOG(x));
    if (!std::isfinite(x) || s.find('*') != std::string::npos) return;
    FZCHECK(s.find('.') != std::string::npos);
    if (x == std::floor(x)) FZCHECK(s.back() == '.');
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int i = in.ConsumeIntegral<int>();
    for (int base : {2, 8, 10, 16}) integer(i, base);
    FZCHECK(PXLOG(i) == PXLOG(i, 10) && PXISTRING(i) == PXISTRING(i, 10));
    const int odd = in.ConsumeIntegralInRange(-3, 40);
    FZCHECK(int(PXISTRING(i, odd).size()) == PXLOG(i, odd));
    const double x = in.ConsumeBool() ? in.ConsumeFloatingPoint<double>()
                                      : in.ConsumeFloatingPointInRange(-1e12, 1e12);
    fixed(x, in.ConsumeIntegralInRange(-2, 30));
    plain(x);
    return 0;
}
