// One list-view field of every kind, converted from arbitrary bytes to its cell text and back:
// whole numbers come back exactly, reals to within the text's own precision, texts byte for
// byte; then the row map of a sort over arbitrary keys: a stable ascending permutation whose
// forward and backward maps undo each other.
#include "fuzzcheck.h"
#include "ZEBListViewcore.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

long long loadint(const XLVFIELD& f, const unsigned char* p) {
    switch (f.iSize) {
    case 1: return static_cast<signed char>(p[0]);
    case 2: {
        std::int16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    case 4: {
        std::int32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    default: {
        std::int64_t v;
        std::memcpy(&v, p, 8);
        return v;
    }
    }
}

double loadreal(const XLVFIELD& f, const unsigned char* p) {
    if (f.iSize == 4) {
        float v;
        std::memcpy(&v, p, 4);
        return v;
    }
    double v;
    std::memcpy(&v, p, 8);
    return v;
}

void field(FuzzedDataProvider& in) {
    static const char kLetters[] = "ijknfegda";
    std::string layout = "(";
    layout += kLetters[in.ConsumeIntegralInRange<std::size_t>(0, sizeof kLetters - 2)];
    layout += in.ConsumeRandomLengthString(8);
    layout += ")";
    std::vector<XLVFIELD> a;
    if (!PXLVPARSELAYOUT(layout, a) || a.size() != 1) return;
    const XLVFIELD& f = a[0];
    const int n = f.iSize;
    if (n <= 0 || n > 4096) return;
    // Exact buffers: the sanitizer catches any byte touched past the field.
    std::unique_ptr<unsigned char[]> rec(new unsigned char[n]), back(new unsigned char[n]);
    const std::string bytes = in.ConsumeBytesAsString(std::size_t(n));
    for (int k = 0; k < n; ++k) rec[k] = k < int(bytes.size()) ? bytes[k] : 0;
    std::memcpy(back.get(), rec.get(), n);

    std::string s;
    if (!PXLVFIELDTEXT(f, rec.get(), s)) return;
    FZCHECK(s.size() <= XLV_MAXTEXT);
    const bool shown = s.find('*') == std::string::npos && s.size() < XLV_MAXTEXT;
    const bool read = PXLVREADFIELD(f, s, back.get());
    if (!read) FZCHECK(std::memcmp(back.get(), rec.get(), n) == 0);
    switch (f.cLetter) {
    case 'a':
        FZCHECK(read);
        if (std::memchr(rec.get(), 0, n) == nullptr)
            FZCHECK(std::memcmp(back.get(), rec.get(), n) == 0);
        break;
    case 'i':
    case 'j':
    case 'k':
    case 'n':
        if (shown && s.find_first_not_of(' ') != std::string::npos) {
            FZCHECK(read);
            FZCHECK(loadint(f, back.get()) == loadint(f, rec.get()));
        }
        break;
    default: {
        const double x = loadreal(f, rec.get());
        if (!shown || !std::isfinite(x) || s.find_first_not_of(' ') == std::string::npos) break;
        FZCHECK(read);
        const double y = loadreal(f, back.get());
        // The text keeps at least its own digits: y differs from x by less than the text's
        // last place, or by float precision.
        const std::size_t point = s.find('.');
        const std::size_t ex = s.find_first_of("eEdD");
        if ((f.cLetter == 'f' || f.cLetter == 'g') && point != std::string::npos) {
            const int d = int(s.size() - point - 1);
            FZCHECK(std::fabs(y - x) <= std::pow(10.0, -d) + std::fabs(x) * 1e-6);
        } else if (ex != std::string::npos) {
            FZCHECK(std::fabs(y - x) <= std::fabs(x) * 0.5 + 1e-300 || x == 0);
        }
    }
    }
}

struct Keys {
    std::vector<std::uint8_t> k;
};
int cmpkeys(int i, int j, const void* p) {
    const Keys& keys = *static_cast<const Keys*>(p);
    return int(keys.k[std::size_t(i - 1)]) - int(keys.k[std::size_t(j - 1)]);
}

void rowmap(FuzzedDataProvider& in) {
    Keys keys;
    keys.k = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange(0, 300));
    const int n = int(keys.k.size());
    std::vector<int> map;
    PXLVMERGESORT(map, n, cmpkeys, &keys);
    FZCHECK(int(map.size()) == n);
    std::vector<bool> seen(std::size_t(n) + 1);
    for (int r = 0; r < n; ++r) {
        const int i = map[std::size_t(r)];
        FZCHECK(i >= 1 && i <= n && !seen[std::size_t(i)]);
        seen[std::size_t(i)] = true;
        if (r > 0) {
            const int c = cmpkeys(map[std::size_t(r - 1)], i, &keys);
            FZCHECK(c < 0 || (c == 0 && map[std::size_t(r - 1)] < i));
        }
        FZCHECK(PXLVBACKMAP(map, r) == i && PXLVFWDMAP(map, i) == r);
    }
    const int row = in.ConsumeIntegral<int>();
    if (n > 0 && (row < 0 || row >= n)) FZCHECK(PXLVBACKMAP(map, row) == 0);
    if (n > 0 && (row < 1 || row > n)) FZCHECK(PXLVFWDMAP(map, row) == -1);
    const std::vector<int> none;
    if (row >= 0 && row < INT32_MAX) FZCHECK(PXLVFWDMAP(none, PXLVBACKMAP(none, row)) == row);
    FZCHECK(PXLVIDENTITYMAP(row % 1000).size() == std::size_t(row % 1000 > 0 ? row % 1000 : 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool())
        field(in);
    else
        rowmap(in);
    return 0;
}
