// ZEBMenucore: the platform-free half of ZEBMenu — position paths over a menu tree.
//
//   XMENUPATH XMENUTREE               a path of item positions and the tree it is walked over
//   FXMENUFINDID                      depth-first search of a command identifier (PXFINDMIBYID)
//   FXMENUWALK                        walks a path to the menu holding its item (PXMENUHANDLEBYPOS)
//   FXMENUINSERTWALK                  where an insertion by path goes, making pop-ups on the way
//   FXMENUTOPLEVEL FXMENUHASITEM      the redraw rule; whether a position names an item
//
// Never includes <windows.h>: menus are opaque handles here.
#pragma once

#include <vector>

// Element 1 is a position (from 1) in the menu itself, each further one a position in the
// pop-up of the item before it. Only the first XMP_LEVELS elements are read.
using XMENUPATH = std::vector<int>;
constexpr int XMP_LEVELS = 6;
constexpr int XMP_UNUSED = -1;
constexpr int XMP_APPEND = -10000; // as the last element of an insertion: after the last item

// A menu tree seen through its handles. Positions here are the system's, from 0.
class XMENUTREE {
  public:
    virtual ~XMENUTREE() = default;
    virtual int count(void* hMenu) = 0;             // items; 0 or less for no menu
    virtual unsigned id(void* hMenu, int iPos) = 0; // command identifier of an item
    virtual void* sub(void* hMenu, int iPos) = 0;   // the item's pop-up, or null
    // Turns a plain item into a pop-up with the same text; the new, empty pop-up or null.
    virtual void* makepopup(void* hMenu, int iPos) = 0;
};

// Fills element iLevel (from 1) and below with the path of the item whose identifier is ID,
// searching depth first (an item before its pop-up, earlier positions first) and at most
// XMP_LEVELS deep. ID <= 0 names top-level position -ID. Not found: element iLevel is -1.
// The path must hold XMP_LEVELS elements.
void FXMENUFINDID(XMENUTREE& t, void* hMenu, int ID, XMENUPATH& iPath, int iLevel);

// Follows the path from hMenu while the next element is 0 or more and the current item has a
// pop-up. hMenu becomes the menu reached; the result is the position (from 1) named there,
// -1 for an empty path.
int FXMENUWALK(XMENUTREE& t, void*& hMenu, const XMENUPATH& iPath);

// Walks an insertion path: an item on the way that has no pop-up is turned into one, and the
// walk ends inside it. On success hMenu is the menu to insert into and iPos0 the system
// position to insert at (the item count to append). False when the path names no place: no
// usable first element, or an item to descend through that does not exist or cannot be made
// a pop-up.
bool FXMENUINSERTWALK(XMENUTREE& t, void*& hMenu, const XMENUPATH& iPath, int& iPos0);

// The redraw rule: true when the path addresses the top level (exactly one element is 0 or
// more, the append mark counting as one).
bool FXMENUTOPLEVEL(const XMENUPATH& iPath);

// Whether position p (from 1) names an item of a menu with n items.
inline bool FXMENUHASITEM(int p, int n) {
    return p >= 1 && p <= n;
}
