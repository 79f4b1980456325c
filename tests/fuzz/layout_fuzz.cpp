// Reads arbitrary bytes as a layout text, then converts a record of arbitrary bytes through
// every field and back: offsets must stay inside the layout's record, texts inside a cell.
#include "ZEBListViewcore.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

static void check(bool ok) {
    if (!ok) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    std::unique_ptr<char[]> text(new char[size ? size : 1]);
    if (size) std::memcpy(text.get(), data, size);
    std::vector<XLVFIELD> a;
    if (!PXLVPARSELAYOUT(std::string_view(text.get(), size), a)) {
        check(a.empty());
        return 0;
    }
    const int n = PXLVLAYOUTSIZE(a);
    check(n >= 0 && n <= XLV_MAXOFFSET + 1);
    // An exact record: the sanitizer catches a field read or written past its end.
    std::unique_ptr<unsigned char[]> rec(new unsigned char[n ? n : 1]);
    for (int k = 0; k < n; ++k) rec[k] = data[k % (size ? size : 1)];
    int col = 0, off = 0;
    std::string s;
    for (const XLVFIELD& f : a) {
        check(f.iOffset == off && f.iSize >= 0 && f.iOffset + f.iSize <= n);
        off += f.iSize;
        if (f.iColumn >= 0) check(f.iColumn == col++);
        int o = -1, t = 0;
        PXLVHEADERKEY(PXLVHEADERPARAM(f.iOffset, f.iType), o, t);
        check(f.iColumn < 0 || (o == f.iOffset && t == f.iType));
        if (PXLVFIELDTEXT(f, rec.get() + f.iOffset, s)) {
            check(s.size() <= XLV_MAXTEXT);
            PXLVREADFIELD(f, s, rec.get() + f.iOffset);
        }
        if (f.iType != XLVT_NONE && f.iOffset + 2 * f.iSize <= n)
            PXLVCOMPAREFIELDS(f.iType, rec.get() + f.iOffset, rec.get() + f.iOffset + f.iSize);
    }
    return 0;
}
