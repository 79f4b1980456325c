// ZEBStrings: platform-free text helpers (the Windows-only ones are in ZEBStrings_win.cpp).
#include "ZEBStrings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

const std::string_view kDefaultSeparators(" \\/:,;\r\t", 8);

// |i| without overflow for INT_MIN.
std::uint64_t PXMAGNITUDE(int i) {
    return i < 0 ? std::uint64_t(-std::int64_t(i)) : std::uint64_t(i);
}

// Base 1 would never end the digit count, so it is measured as decimal.
int PXCOUNTBASE(std::optional<int> iBase) {
    return iBase && *iBase > 1 ? *iBase : 10;
}

// The exact value of x rounded to d decimals, always with a point; a negative zero shows as 0.
std::string PXFIXED(double x, int d) {
    x += 0.0;
    int n = std::snprintf(nullptr, 0, "%#.*f", d, x);
    std::string t(std::size_t(n) + 1, '\0');
    std::snprintf(t.data(), t.size(), "%#.*f", d, x);
    t.pop_back();
    return t;
}

// Characters of floor(x) with its sign, for any finite x (no 32-bit limit).
int PXINTWIDTH(double x) {
    return int(PXFIXED(std::floor(x), 0).size()) - 1;
}

// NaN and infinities carry no digits: they are written as these words alone.
std::string_view PXNONFINITE(double x) {
    if (std::isnan(x)) return "NaN";
    return x < 0 ? "-Inf" : "Inf";
}

// 1-based position of the last (fromEnd) or first separator among positions lo..hi; 0 if none.
int PXFINDSEP(std::string_view s, int lo, int hi, std::string_view sep, bool fromEnd) {
    if (lo > hi) return 0;
    std::string_view r = s.substr(std::size_t(lo - 1), std::size_t(hi - lo + 1));
    std::size_t p = fromEnd ? r.find_last_of(sep) : r.find_first_of(sep);
    return p == std::string_view::npos ? 0 : lo + int(p);
}

char PXSHIFT(char c, int first, int last, int delta) {
    int u = static_cast<unsigned char>(c);
    return u >= first && u <= last ? char(u + delta) : c;
}

} // namespace

std::string XFIXED(std::string_view s, int n) {
    std::string r(s.substr(0, std::size_t(std::max(n, 0))));
    r.resize(std::size_t(std::max(n, 0)), ' ');
    return r;
}

std::string_view XTRIM(std::string_view s) {
    std::size_t n = s.find_last_not_of(' ');
    return s.substr(0, n == std::string_view::npos ? 0 : n + 1);
}

std::string XSZ(std::string_view s) {
    return std::string(XTRIM(s));
}

std::string XQUOTE(std::string_view s) {
    return '"' + XSZ(s) + '"';
}

int PXUNQUOTEDLEN(std::string_view s) {
    std::size_t i = s.find('"');
    std::size_t j = s.rfind('"');
    return i == j ? int(s.size()) : int(j - i - 1);
}

std::string XUNQUOTE(std::string_view s) {
    if (s.find('"') == s.rfind('"')) return std::string(s);
    return std::string(s.substr(s.find('"') + 1, std::size_t(PXUNQUOTEDLEN(s))));
}

std::string XTOUPPER(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = PXSHIFT(PXSHIFT(c, 'a', 'z', -0x20), 0xE0, 0xFE, -0x20);
    return r;
}

std::string XTOLOWER(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = PXSHIFT(PXSHIFT(c, 'A', 'Z', 0x20), 0xC0, 0xDE, 0x20);
    return r;
}

// Removes lo..hi (1-based, inclusive) in separator steps until the kept part would exceed
// nMax - 3. The best range starts as everything, so nMax < 3 leaves only the cut "...".
std::string XSHORTEN(std::string_view s, int nMax, std::optional<int> iMode,
                     std::optional<std::string_view> sSep) {
    const int n = int(XTRIM(s).size());
    if (n < nMax) return XFIXED(s, nMax);
    const std::string_view sep = sSep.value_or(kDefaultSeparators);
    const int mode = iMode.value_or(0);
    bool fromEnd = mode <= 0;
    int lo = 1, hi = n, bestLo = 1, bestHi = n;
    while ((lo - 1) + (n - hi) + 3 <= nMax) {
        bestLo = lo;
        bestHi = hi;
        int p = PXFINDSEP(s, lo, hi, sep, fromEnd);
        if (p == 0) break;
        if (fromEnd)
            hi = p - 1;
        else
            lo = p + 1;
        if (mode == 0) fromEnd = bestLo >= n - hi; // head and tail take turns
    }
    std::string r(s.substr(0, std::size_t(std::max(bestLo - 2, 0))));
    r += "...";
    r += s.substr(std::size_t(bestHi), std::size_t(n - bestHi));
    return XFIXED(r, nMax);
}

// Without a NUL the system text overran its buffer, so none of it is kept.
std::string XC2F(std::string_view s) {
    std::size_t p = s.find('\0');
    return XFIXED(p == std::string_view::npos ? std::string_view() : s.substr(0, p), int(s.size()));
}

int CLEN(std::string_view s) {
    std::size_t p = s.find('\0');
    return int(p == std::string_view::npos ? s.size() : p);
}

bool STRCMP(std::string_view s1, std::string_view s2) {
    std::size_t n = std::min(s1.size(), s2.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (s1[i] != s2[i]) return false;
        if (s1[i] == '\0') return true;
    }
    return true;
}

int PXLOG(int i, std::optional<int> iBase) {
    const std::uint64_t base = std::uint64_t(PXCOUNTBASE(iBase));
    int n = i < 0 ? 1 : 0;
    std::uint64_t m = PXMAGNITUDE(i);
    do {
        ++n;
        m /= base;
    } while (m != 0);
    return n;
}

// Bases other than 2, 8, 10 and 16 are left unwritten (blanks of the width).
std::string PXISTRING(int i, std::optional<int> iBase) {
    const int base = iBase && *iBase > 0 ? *iBase : 10;
    const int w = PXLOG(i, iBase);
    std::string r(std::size_t(w), ' ');
    if (base != 2 && base != 8 && base != 10 && base != 16) return r;
    std::uint64_t m = PXMAGNITUDE(i);
    std::size_t k = r.size();
    do {
        r[--k] = "0123456789ABCDEF"[m % unsigned(base)];
        m /= unsigned(base);
    } while (m != 0);
    if (i < 0) r[0] = '-';
    return r;
}

// Negative nDec counts as 0. NaN and infinities are as wide as their words.
int PXFLOG(double x, std::optional<int> nDec) {
    if (!std::isfinite(x)) return int(PXNONFINITE(x).size());
    const int a = PXINTWIDTH(x);
    if (nDec) return a + 1 + std::max(*nDec, 0);
    return x == std::floor(x) || a >= 10 ? a + 1 : 11;
}

// Rounded to nearest from the exact binary value (exact halves to even, as the C library does).
// When rounding adds a digit (9.9999999999 at 8 decimals) the field is filled with asterisks
// rather than overflowing its width.
std::string PXFSTRING(double x, std::optional<int> nDec) {
    if (!std::isfinite(x)) return std::string(PXNONFINITE(x));
    const int w = PXFLOG(x, nDec);
    const int d = nDec ? std::max(*nDec, 0) : w - PXINTWIDTH(x) - 1;
    std::string t = PXFIXED(x, d);
    if (int(t.size()) > w) return std::string(std::size_t(w), '*');
    return std::string(std::size_t(w) - t.size(), ' ') + t;
}
