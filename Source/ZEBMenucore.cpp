// ZEBMenucore: position paths over a menu tree.
#include "ZEBMenucore.h"

#include <algorithm>

namespace {

int PXLEN(const XMENUPATH& iPath) {
    return std::min(static_cast<int>(iPath.size()), XMP_LEVELS);
}

// An element that names a place for an insertion.
bool PXUSABLE(int e) {
    return e >= 1 || e == XMP_APPEND;
}

} // namespace

void FXMENUFINDID(XMENUTREE& t, void* hMenu, int ID, XMENUPATH& iPath, int iLevel) {
    if (iLevel < 1 || iLevel > XMP_LEVELS || static_cast<int>(iPath.size()) < iLevel) return;
    int& e = iPath[iLevel - 1];
    const int n = t.count(hMenu);
    if (ID <= 0) {
        // -ID <= n without negating ID: INT_MIN has no positive counterpart.
        if (ID >= -n) e = -ID;
        return;
    }
    e = XMP_UNUSED;
    for (int p = 0; p < n; ++p) {
        if (t.id(hMenu, p) == static_cast<unsigned>(ID)) {
            e = p + 1;
            return;
        }
        if (iLevel >= XMP_LEVELS || static_cast<int>(iPath.size()) <= iLevel) continue;
        if (void* s = t.sub(hMenu, p)) {
            FXMENUFINDID(t, s, ID, iPath, iLevel + 1);
            if (iPath[iLevel] != XMP_UNUSED) {
                e = p + 1;
                return;
            }
        }
    }
}

int FXMENUWALK(XMENUTREE& t, void*& hMenu, const XMENUPATH& iPath) {
    const int len = PXLEN(iPath);
    if (len == 0) return XMP_UNUSED;
    int k = 0;
    while (k + 1 < len && iPath[k] >= 1 && iPath[k + 1] >= 0) {
        void* s = t.sub(hMenu, iPath[k] - 1);
        if (!s) break;
        hMenu = s;
        ++k;
    }
    return iPath[k];
}

bool FXMENUINSERTWALK(XMENUTREE& t, void*& hMenu, const XMENUPATH& iPath, int& iPos0) {
    const int len = PXLEN(iPath);
    if (len == 0) return false;
    int k = 0;
    while (PXUSABLE(iPath[k]) && k + 1 < len && PXUSABLE(iPath[k + 1])) {
        // The item at this element must lead down. One that does not exist cannot: making a
        // pop-up for it would leave a menu attached nowhere.
        const int p = iPath[k];
        if (!FXMENUHASITEM(p, t.count(hMenu))) return false;
        if (void* s = t.sub(hMenu, p - 1)) {
            hMenu = s;
            ++k;
            continue;
        }
        void* s = t.makepopup(hMenu, p - 1);
        if (!s) return false;
        hMenu = s;
        ++k;
        break; // a new pop-up is empty: nothing further down to walk
    }
    const int q = iPath[k];
    if (!PXUSABLE(q)) return false;
    const int n = std::max(t.count(hMenu), 0);
    iPos0 = (q == XMP_APPEND || q > n) ? n : q - 1;
    return true;
}

bool FXMENUTOPLEVEL(const XMENUPATH& iPath) {
    const int len = PXLEN(iPath);
    int levels = 0;
    for (int k = 0; k < len; ++k)
        if (iPath[k] >= 0 || iPath[k] == XMP_APPEND) ++levels;
    return levels == 1;
}
