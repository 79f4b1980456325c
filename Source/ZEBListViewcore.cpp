// ZEBListViewcore: layout texts, field texts, comparison rules and row maps of list views.
#include "ZEBListViewcore.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// Reads the whole of s (blanks around allowed) as a non-negative integer below iMax.
bool readcount(std::string_view s, int iMax, int& n) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    std::size_t j = s.size();
    while (j > i && s[j - 1] == ' ') --j;
    if (i == j) return false;
    long v = 0;
    for (std::size_t k = i; k < j; ++k) {
        if (s[k] < '0' || s[k] > '9') return false;
        v = v * 10 + (s[k] - '0');
        if (v > iMax) return false;
    }
    n = static_cast<int>(v);
    return true;
}

// Width and optional minimum digits or decimals of an edit descriptor "w", "w.d" or "".
struct EDIT {
    int w = 0; // 0: as wide as needed
    int d = -1;
};
bool readedit(std::string_view s, EDIT& e) {
    const std::size_t dot = s.find('.');
    const std::string_view sw = s.substr(0, dot);
    if (sw.find_first_not_of(' ') != std::string_view::npos && !readcount(sw, XLV_MAXTEXT, e.w))
        return false;
    if (dot != std::string_view::npos && !readcount(s.substr(dot + 1), XLV_MAXTEXT, e.d))
        return false;
    return true;
}

std::string fit(std::string s, int w) {
    if (w <= 0) return s.size() > XLV_MAXTEXT ? std::string(XLV_MAXTEXT, '*') : s;
    if (static_cast<int>(s.size()) > w) return std::string(w, '*');
    return std::string(w - s.size(), ' ') + s;
}

std::string inttext(long long v, const EDIT& e) {
    const unsigned long long m =
        v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    std::string digits = std::to_string(m);
    if (e.d >= 0 && static_cast<int>(digits.size()) < e.d)
        digits.insert(0, e.d - digits.size(), '0');
    if (e.d == 0 && v == 0) digits.clear(); // "iw.0" leaves a zero blank
    return fit(v < 0 ? "-" + digits : digits, e.w);
}

std::string fixedtext(double x, const EDIT& e) {
    if (!std::isfinite(x)) return fit(std::isnan(x) ? "NaN" : (x < 0 ? "-Inf" : "Inf"), e.w);
    const int d = e.d >= 0 ? e.d : 2;
    char buf[XLV_MAXTEXT + 400]; // 309 integer digits at most, then the decimals
    std::snprintf(buf, sizeof buf, "%.*f", d, x);
    return fit(buf, e.w);
}

std::string exptext(double x, const EDIT& e) {
    if (!std::isfinite(x)) return fit(std::isnan(x) ? "NaN" : (x < 0 ? "-Inf" : "Inf"), e.w);
    const int d = e.d > 0 ? e.d : (e.d == 0 ? 1 : 6);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*e", d - 1, x); // -m.mmme+xx, |m| in 1..9
    std::string s(buf);
    const std::size_t epos = s.find('e');
    int ex = std::atoi(s.c_str() + epos + 1) + 1;
    std::string mant = s.substr(0, epos);
    const bool neg = !mant.empty() && mant[0] == '-';
    if (neg) mant.erase(0, 1);
    std::string digits;
    for (char c : mant)
        if (c != '.') digits += c;
    if (x == 0) ex = 0;
    char eb[16];
    std::snprintf(eb, sizeof eb, "E%c%02d", ex < 0 ? '-' : '+', ex < 0 ? -ex : ex);
    return fit((neg ? "-0." : "0.") + digits + eb, e.w);
}

// The text without the blanks around it; false when it is blank throughout.
bool unblank(std::string_view s, std::string& t) {
    const std::size_t i = s.find_first_not_of(' ');
    if (i == std::string_view::npos) return false;
    t = std::string(s.substr(i, s.find_last_not_of(' ') - i + 1));
    return true;
}

// The text as a number: blanks around allowed, an all-blank text reads as zero.
bool readint(std::string_view s, long long& v) {
    std::string t;
    if (!unblank(s, t)) {
        v = 0;
        return true;
    }
    errno = 0;
    char* end = nullptr;
    v = std::strtoll(t.c_str(), &end, 10);
    return errno == 0 && end == t.c_str() + t.size();
}

bool readreal(std::string_view s, double& v) {
    std::string t;
    if (!unblank(s, t)) {
        v = 0;
        return true;
    }
    for (char& c : t)
        if (c == 'd' || c == 'D') c = 'e';
    char* end = nullptr;
    v = std::strtod(t.c_str(), &end);
    return end == t.c_str() + t.size() && std::isfinite(v);
}

template <class T> T load(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <class T> void store(unsigned char* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

// An integer field takes a text whose value fits its width.
template <class T> bool storeint(unsigned char* p, std::string_view s) {
    long long v = 0;
    if (!readint(s, v) || v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
        return false;
    store(p, static_cast<T>(v));
    return true;
}

int sign(long long d) {
    return d < 0 ? -1 : (d > 0 ? 1 : 0);
}
int sign(double a, double b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// n bytes of each text, blank-padded, byte by byte.
int comparepadded(std::string_view a, std::string_view b, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) {
        const unsigned char ca = k < a.size() ? static_cast<unsigned char>(a[k]) : ' ';
        const unsigned char cb = k < b.size() ? static_cast<unsigned char>(b[k]) : ' ';
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return 0;
}

std::string_view beforenul(std::string_view s, std::size_t nMax) {
    s = s.substr(0, std::min(s.size(), nMax));
    const std::size_t z = s.find('\0');
    return z == std::string_view::npos ? s : s.substr(0, z);
}

} // namespace

bool PXLVPARSELAYOUT(std::string_view sLayout, std::vector<XLVFIELD>& aFields) {
    aFields.clear();
    sLayout = beforenul(sLayout, sLayout.size());
    if (sLayout.empty() || sLayout[0] != '(') return false;
    std::size_t p = 1;
    int iOffset = 0, iColumn = 0;
    while (p < sLayout.size() && sLayout[p] != ')') {
        std::size_t q = p + 1;
        while (q < sLayout.size() && sLayout[q] != ',' && sLayout[q] != ')') ++q;
        XLVFIELD f;
        f.cLetter = sLayout[p];
        f.sEdit = std::string(sLayout.substr(p + 1, q - p - 1));
        f.iOffset = iOffset;
        f.bRight = true;
        EDIT e;
        switch (f.cLetter) {
        case '+': f.iSize = 4; break;
        case 'i': f.iSize = 4, f.iType = XLVT_INT32; break;
        case 'j': f.iSize = 2, f.iType = XLVT_INT16; break;
        case 'k': f.iSize = 1, f.iType = XLVT_INT8; break;
        case 'n': f.iSize = 8, f.iType = XLVT_INT64; break;
        case 'f':
        case 'e': f.iSize = 4, f.iType = XLVT_REAL4; break;
        case 'g':
        case 'd': f.iSize = 8, f.iType = XLVT_REAL8; break;
        case 'a':
            if (!readcount(f.sEdit, 0x7FFF, f.iSize) || f.iSize == 0) return aFields.clear(), false;
            f.iType = f.iSize;
            f.bRight = false;
            break;
        case 't': {
            int m = 0;
            bool b = false;
            if (!PXLVDATEMODE(f.sEdit, m, b)) return aFields.clear(), false;
            f.iSize = 16, f.iType = XLVT_DATETIME;
            break;
        }
        case 'x':
            if (!readcount(f.sEdit, XLV_MAXOFFSET + 1, f.iSize)) return aFields.clear(), false;
            break;
        default: return aFields.clear(), false;
        }
        if (f.cLetter != 'a' && f.cLetter != 'x' && f.cLetter != 't' && f.cLetter != '+' &&
            !readedit(f.sEdit, e))
            return aFields.clear(), false;
        if (f.cLetter == '+' || f.cLetter == 'x') {
            f.bRight = false;
        } else {
            if (iOffset > XLV_MAXOFFSET) return aFields.clear(), false;
            f.iColumn = iColumn++;
        }
        iOffset += f.iSize;
        if (iOffset > XLV_MAXOFFSET + 1) return aFields.clear(), false;
        aFields.push_back(std::move(f));
        p = q < sLayout.size() && sLayout[q] == ',' ? q + 1 : q;
    }
    return true;
}

int PXLVLAYOUTSIZE(const std::vector<XLVFIELD>& aFields) {
    return aFields.empty() ? 0 : aFields.back().iOffset + aFields.back().iSize;
}

std::int32_t PXLVHEADERPARAM(int iOffset, int iType) {
    const std::uint32_t u =
        (static_cast<std::uint32_t>(iType) << 16) | (static_cast<std::uint32_t>(iOffset) & 0xFFFFu);
    return static_cast<std::int32_t>(u);
}

void PXLVHEADERKEY(std::int32_t lParam, int& iOffset, int& iType) {
    const std::uint32_t u = static_cast<std::uint32_t>(lParam);
    iOffset = static_cast<int>(u & 0xFFFFu);
    iType = static_cast<std::int16_t>(static_cast<std::uint16_t>(u >> 16));
}

bool PXLVDATEMODE(std::string_view sEdit, int& iMode, bool& bSeconds) {
    double v = 0;
    if (sEdit.find_first_not_of(' ') == std::string_view::npos || !readreal(sEdit, v) ||
        std::fabs(v) > 1e6)
        return false;
    iMode = static_cast<int>(v); // toward zero
    bSeconds = v - iMode >= 0.01 - 1e-9;
    return true;
}

bool PXLVFIELDTEXT(const XLVFIELD& f, const unsigned char* pField, std::string& sText) {
    EDIT e;
    switch (f.cLetter) {
    case 'a': sText.assign(reinterpret_cast<const char*>(pField), f.iSize); break;
    case 'i':
    case 'j':
    case 'k':
    case 'n': {
        if (!readedit(f.sEdit, e)) return false;
        long long v = f.cLetter == 'i'   ? load<std::int32_t>(pField)
                      : f.cLetter == 'j' ? load<std::int16_t>(pField)
                      : f.cLetter == 'k' ? load<std::int8_t>(pField)
                                         : load<std::int64_t>(pField);
        sText = inttext(v, e);
        break;
    }
    case 'f':
    case 'e':
    case 'g':
    case 'd': {
        if (!readedit(f.sEdit, e)) return false;
        const double x = f.iSize == 4 ? load<float>(pField) : load<double>(pField);
        sText = f.cLetter == 'f' || f.cLetter == 'g' ? fixedtext(x, e) : exptext(x, e);
        break;
    }
    default: return false;
    }
    if (sText.size() > XLV_MAXTEXT) sText.resize(XLV_MAXTEXT);
    return true;
}

bool PXLVREADFIELD(const XLVFIELD& f, std::string_view sText, unsigned char* pField) {
    sText = beforenul(sText, XLV_MAXTEXT);
    double x = 0;
    switch (f.cLetter) {
    case 'a': {
        for (int k = 0; k < f.iSize; ++k)
            pField[k] = k < static_cast<int>(sText.size()) ? sText[k] : ' ';
        return true;
    }
    case 'i': return storeint<std::int32_t>(pField, sText);
    case 'j': return storeint<std::int16_t>(pField, sText);
    case 'k': return storeint<std::int8_t>(pField, sText);
    case 'n': return storeint<std::int64_t>(pField, sText);
    case 'f':
    case 'e':
        if (!readreal(sText, x) || std::fabs(x) > std::numeric_limits<float>::max()) return false;
        store(pField, static_cast<float>(x));
        return true;
    case 'g':
    case 'd':
        if (!readreal(sText, x)) return false;
        store(pField, x);
        return true;
    default: return false;
    }
}

int PXLVCOMPARETEXTS(int iType, std::string_view a, std::string_view b) {
    if (iType > 0) return comparepadded(a, b, static_cast<std::size_t>(iType));
    if (iType == XLVT_DATETIME) return comparepadded(a, b, 80);
    if (iType >= XLVT_INT64 && iType <= XLVT_INT8) {
        long long x = 0, y = 0;
        const bool okx = readint(beforenul(a, 32), x), oky = readint(beforenul(b, 32), y);
        if (!okx || !oky) return okx == oky ? 0 : (okx ? 1 : -1); // unreadable texts last
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (iType == XLVT_REAL4 || iType == XLVT_REAL8) {
        double x = 0, y = 0;
        const bool okx = readreal(beforenul(a, 64), x), oky = readreal(beforenul(b, 64), y);
        if (!okx || !oky) return okx == oky ? 0 : (okx ? 1 : -1);
        return sign(x, y);
    }
    return 0;
}

namespace {

// One cell's sort key, read once: its number where the type is numeric, else its text.
struct XTEXTKEY {
    std::string_view sText;
    bool bRead = false;
    long long i = 0;
    double x = 0;
};

struct XTEXTSORT {
    int iType;
    int iDir;
    std::vector<XTEXTKEY> aKeys;
};

bool isinttype(int iType) {
    return iType >= XLVT_INT64 && iType <= XLVT_INT8;
}

bool isrealtype(int iType) {
    return iType == XLVT_REAL4 || iType == XLVT_REAL8;
}

// As PXLVCOMPARETEXTS on the texts the keys were read from.
int comparekeys(int i, int j, const void* pRequest) {
    const auto& r = *static_cast<const XTEXTSORT*>(pRequest);
    const XTEXTKEY &a = r.aKeys[i - 1], &b = r.aKeys[j - 1];
    int c = 0;
    if (r.iType > 0)
        c = comparepadded(a.sText, b.sText, static_cast<std::size_t>(r.iType));
    else if (r.iType == XLVT_DATETIME)
        c = comparepadded(a.sText, b.sText, 80);
    else if (!a.bRead || !b.bRead)
        c = a.bRead == b.bRead ? 0 : (a.bRead ? 1 : -1);
    else
        c = isinttype(r.iType) ? (a.i > b.i) - (a.i < b.i) : sign(a.x, b.x);
    return c * r.iDir;
}

} // namespace

std::vector<int> PXLVSORTTEXTS(int iType, const std::vector<std::string>& aTexts, int iDir) {
    XTEXTSORT r{iType, iDir, std::vector<XTEXTKEY>(aTexts.size())};
    for (std::size_t k = 0; k < aTexts.size(); ++k) {
        XTEXTKEY& key = r.aKeys[k];
        key.sText = aTexts[k];
        if (isinttype(iType)) key.bRead = readint(beforenul(key.sText, 32), key.i);
        if (isrealtype(iType)) key.bRead = readreal(beforenul(key.sText, 64), key.x);
    }
    std::vector<int> order;
    PXLVMERGESORT(order, static_cast<int>(aTexts.size()), comparekeys, &r);
    for (int& k : order) --k;
    return order;
}

int PXLVCOMPAREFIELDS(int iType, const unsigned char* pA, const unsigned char* pB) {
    switch (iType) {
    case XLVT_INT8: return sign(load<std::int8_t>(pA) - load<std::int8_t>(pB));
    case XLVT_INT16: return sign(load<std::int16_t>(pA) - load<std::int16_t>(pB));
    case XLVT_INT32:
        return sign(static_cast<long long>(load<std::int32_t>(pA)) - load<std::int32_t>(pB));
    case XLVT_INT64: {
        const auto x = load<std::int64_t>(pA), y = load<std::int64_t>(pB);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case XLVT_REAL4: return sign(double(load<float>(pA)), double(load<float>(pB)));
    case XLVT_REAL8: return sign(load<double>(pA), load<double>(pB));
    case XLVT_DATETIME: {
        const auto a = load<XLVDATETIME>(pA), b = load<XLVDATETIME>(pB);
        const long long ka[3] = {a.wYear * 10000LL + a.wMonth * 100 + a.wDay,
                                 a.wHour * 10000LL + a.wMinute * 100 + a.wSecond, a.wMilliseconds};
        const long long kb[3] = {b.wYear * 10000LL + b.wMonth * 100 + b.wDay,
                                 b.wHour * 10000LL + b.wMinute * 100 + b.wSecond, b.wMilliseconds};
        for (int k = 0; k < 3; ++k)
            if (ka[k] != kb[k]) return ka[k] < kb[k] ? -1 : 1;
        return 0;
    }
    default:
        if (iType <= 0) return 0;
        return comparepadded(std::string_view(reinterpret_cast<const char*>(pA), iType),
                             std::string_view(reinterpret_cast<const char*>(pB), iType),
                             static_cast<std::size_t>(iType));
    }
}

int PXLVCOMPAREINDEXES(int i, int j, const XLVSORTKEY& key) {
    const unsigned char* a = key.pData + (i - 1) * key.nRecSize + key.iOffset;
    const unsigned char* b = key.pData + (j - 1) * key.nRecSize + key.iOffset;
    return PXLVCOMPAREFIELDS(key.iType, a, b) * key.iDir;
}

void PXLVMERGESORT(std::vector<int>& aMap, int n, XLVCOMPARE cmp, const void* pRequest) {
    PXLVMERGESORTBY(aMap, n, [&](int i, int j) { return cmp(i, j, pRequest); });
}

namespace {

// Loads field k (1-based) of every record as the comparison of its type reads it.
template <class T, class V> std::vector<V> loadkeys(int n, const XLVSORTKEY& key) {
    std::vector<V> v(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        v[k] = static_cast<V>(load<T>(key.pData + k * key.nRecSize + key.iOffset));
    return v;
}

// Keys of one type form a strict order (NaN aside), under which every stable sort gives the
// merge sort's result; the library's is the faster.
template <class V> void sortbykeys(std::vector<int>& aMap, const std::vector<V>& v, int iDir) {
    const int n = static_cast<int>(v.size());
    if (std::any_of(v.begin(), v.end(), [](V x) { return x != x; })) { // NaN: equal to all
        PXLVMERGESORTBY(aMap, n, [&](int i, int j) {
            const V a = v[i - 1], b = v[j - 1];
            return ((a > b) - (a < b)) * iDir;
        });
        return;
    }
    aMap = PXLVIDENTITYMAP(n);
    if (iDir > 0)
        std::stable_sort(aMap.begin(), aMap.end(),
                         [&](int i, int j) { return v[i - 1] < v[j - 1]; });
    else if (iDir < 0)
        std::stable_sort(aMap.begin(), aMap.end(),
                         [&](int i, int j) { return v[i - 1] > v[j - 1]; });
}

} // namespace

void PXLVSORTMAP(std::vector<int>& aMap, int n, const XLVSORTKEY& key) {
    if (n < 0) n = 0;
    switch (key.iType) {
    case XLVT_INT8: return sortbykeys(aMap, loadkeys<std::int8_t, long long>(n, key), key.iDir);
    case XLVT_INT16: return sortbykeys(aMap, loadkeys<std::int16_t, long long>(n, key), key.iDir);
    case XLVT_INT32: return sortbykeys(aMap, loadkeys<std::int32_t, long long>(n, key), key.iDir);
    case XLVT_INT64: return sortbykeys(aMap, loadkeys<std::int64_t, long long>(n, key), key.iDir);
    case XLVT_REAL4: return sortbykeys(aMap, loadkeys<float, double>(n, key), key.iDir);
    case XLVT_REAL8: return sortbykeys(aMap, loadkeys<double, double>(n, key), key.iDir);
    default: PXLVMERGESORTBY(aMap, n, [&](int i, int j) { return PXLVCOMPAREINDEXES(i, j, key); });
    }
}

std::vector<int> PXLVIDENTITYMAP(int n) {
    std::vector<int> a(n > 0 ? n : 0);
    for (int k = 0; k < static_cast<int>(a.size()); ++k) a[k] = k + 1;
    return a;
}

int PXLVBACKMAP(const std::vector<int>& aMap, int iRow) {
    if (aMap.empty()) return iRow >= 0 ? iRow + 1 : 0;
    return iRow >= 0 && iRow < static_cast<int>(aMap.size()) ? aMap[iRow] : 0;
}

int PXLVFWDMAP(const std::vector<int>& aMap, int iIndex) {
    if (aMap.empty()) return iIndex >= 1 ? iIndex - 1 : -1;
    for (std::size_t k = 0; k < aMap.size(); ++k)
        if (aMap[k] == iIndex) return static_cast<int>(k);
    return -1;
}
