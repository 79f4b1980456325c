// Message boxes from arbitrary measurements and contents: the layout keeps every part inside a
// box the template can hold, and the template reads back, item by item, as the dialog manager
// reads it, ending exactly where the writers stopped.
#include "fuzzcheck.h"
#include "ZEBMsgBoxcore.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

namespace {

struct Reader {
    const XWORDS& w;
    std::size_t p = 0;
    std::uint16_t word() {
        FZCHECK(p < w.size());
        return w[p++];
    }
    std::uint32_t dword() {
        const std::uint32_t lo = word();
        return lo | std::uint32_t(word()) << 16;
    }
    std::u16string sz() {
        std::u16string s;
        while (std::uint16_t c = word()) s += char16_t(c);
        return s;
    }
    void align() {
        if (p % 2) FZCHECK(word() == 0);
    }
};

std::u16string wide(FuzzedDataProvider& in, std::size_t n) {
    std::u16string s;
    const std::size_t len = in.ConsumeIntegralInRange<std::size_t>(0, n);
    for (std::size_t k = 0; k < len; ++k) {
        const auto c = in.ConsumeIntegral<std::uint16_t>();
        s += char16_t(c == 0 || c == 0xFFFF ? 1 : c); // as from an 8-bit text
    }
    return s;
}

XMBTITLE title(FuzzedDataProvider& in) {
    XMBTITLE t;
    if (in.ConsumeBool())
        t.iOrdinal = in.ConsumeIntegral<std::uint16_t>();
    else
        t.sText = wide(in, 40);
    return t;
}

void readitem(Reader& r, const XMBTITLE* want, int* x, int* y, int* cx, int* cy) {
    r.dword();
    r.dword();
    *x = std::int16_t(r.word());
    *y = std::int16_t(r.word());
    *cx = std::int16_t(r.word());
    *cy = std::int16_t(r.word());
    r.word();
    FZCHECK(r.word() == 0xFFFF);
    r.word();
    if (want && want->iOrdinal) {
        FZCHECK(r.word() == 0xFFFF && r.word() == *want->iOrdinal);
    } else if (r.w[r.p] == 0xFFFF) {
        r.word();
        r.word();
    } else {
        const std::u16string s = r.sz();
        FZCHECK(!want || s == want->sText);
    }
    FZCHECK(r.word() == 0);
    r.align();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    XMBMEASURE m;
    m.w = in.ConsumeIntegralInRange(0, 1 << 24);
    m.h = in.ConsumeIntegralInRange(0, 1 << 24);
    m.bx = in.ConsumeIntegralInRange(-2, 64);
    m.by = in.ConsumeIntegralInRange(-2, 64);
    m.cyFrame = in.ConsumeIntegralInRange(0, 4096);
    m.bIcon = in.ConsumeBool();
    m.bCheck = in.ConsumeBool();

    XMBSPEC c;
    c.iFlags = in.ConsumeIntegral<int>();
    c.sCaption = wide(in, 80);
    c.sText = wide(in, 400);
    c.iPointSize = in.ConsumeIntegral<std::uint16_t>();
    c.sFace = wide(in, 32);
    if (in.ConsumeBool()) c.iIcon = in.ConsumeIntegral<std::uint16_t>();
    c.bCheck = m.bCheck;
    const int n = in.ConsumeIntegralInRange(0, XMB_MAXBUTTONS);
    for (int k = 0; k < n; ++k) c.buttons.push_back({in.ConsumeIntegral<int>(), title(in)});
    m.nButtons = n;

    const XMBLAYOUT l = FXMBLAYOUT(m);
    FZCHECK(l.cx >= 200 && l.cx <= 0x7FFF && l.cy > 0 && l.cy <= 0x7FFF);
    FZCHECK(l.xText >= 0 && l.cxText >= 0 && l.cyText >= 0);
    FZCHECK(l.yButtons >= 0 && l.yButtons + 14 <= l.cy);
    FZCHECK(l.xButtons.size() == std::size_t(n));

    const XWORDS w = FXMBTEMPLATE(c, l);
    Reader r{w};
    r.dword();
    r.dword();
    const int nItems = r.word();
    FZCHECK(nItems == 1 + (c.iIcon ? 1 : 0) + n + (c.bCheck ? 1 : 0));
    r.word();
    r.word();
    FZCHECK(r.word() == l.cx && r.word() == l.cy);
    FZCHECK(r.word() == 0 && r.word() == 0);
    FZCHECK(r.sz() == c.sCaption);
    FZCHECK(r.word() == c.iPointSize);
    FZCHECK(r.sz() == c.sFace);
    r.align();
    int x, y, cx, cy;
    const XMBTITLE text{c.sText, std::nullopt};
    readitem(r, &text, &x, &y, &cx, &cy);
    FZCHECK(cx == l.cxText && cy == l.cyText);
    if (c.iIcon) {
        const XMBTITLE icon{u"", c.iIcon};
        readitem(r, &icon, &x, &y, &cx, &cy);
    }
    if (c.bCheck) readitem(r, nullptr, &x, &y, &cx, &cy);
    for (int k = 0; k < n; ++k) {
        readitem(r, &c.buttons[std::size_t(k)].title, &x, &y, &cx, &cy);
        FZCHECK(x == l.xButtons[std::size_t(k)] && y == l.yButtons);
        FZCHECK(x >= 0 && x + 50 <= l.cx);
    }
    FZCHECK(r.p == w.size());
    return 0;
}
