// Reads arbitrary bytes as a font description: the face stays within its 40 characters and
// keeps no padding, the weight is one of the two, sizes are magnitudes, and case does not count.
#include "fuzzcheck.h"
#include "ZEBCtrlcore.h"
#include "ZEBStrings.h"

#include <cstdlib>
#include <string>

static bool same(const XFONTDESC& a, const XFONTDESC& b) {
    return a.iHeight == b.iHeight && a.iWidth == b.iWidth && a.iWeight == b.iWeight &&
           a.bItalic == b.bItalic && a.bUnderline == b.bUnderline && a.sFace == b.sFace;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string s(reinterpret_cast<const char*>(data), size);
    const XFONTDESC d = PXREADFONT(s);
    FZCHECK(d.sFace.size() <= 40);
    FZCHECK(d.sFace.empty() || d.sFace.back() != ' ');
    FZCHECK(d.iWeight == 400 || d.iWeight == 700);
    FZCHECK(d.iHeight >= 0 && d.iWidth >= 0);
    FZCHECK(same(d, PXREADFONT(XTOUPPER(s))));
    FZCHECK(same(d, PXREADFONT(s + "   ")));
    return 0;
}
