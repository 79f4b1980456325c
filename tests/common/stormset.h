// Which message numbers a message storm may send with random parameters: everything from 0 to
// 0xBFFF except messages whose parameters are addresses (random ones would be read or written,
// here or, across processes, by the system while it copies them), messages that end the program
// by design, and messages whose default processing opens a modal loop waiting for the mouse or
// a menu. Also which system commands are safe and the extreme parameter values of the key
// storm. Message numbers only: no <windows.h>.
#pragma once

#include <cstdint>
#include <vector>

namespace storm {

constexpr unsigned kLast = 0xBFFF;             // registered messages start at 0xC000
constexpr unsigned kAppCreateControl = 0x8002; // the framework's creation block address

inline bool inrange(unsigned m, unsigned lo, unsigned hi) {
    return m >= lo && m <= hi;
}

// Address parameters.
inline bool haspointer(unsigned m) {
    static const unsigned kPointer[] = {
        0x0001, 0x000C, 0x000D, 0x001A, 0x001B, 0x0024, 0x002B, 0x002C, 0x002D, 0x0039, 0x0046,
        0x0047, 0x004A, 0x004E, 0x0053, 0x007C, 0x007D, 0x0081, 0x0083, 0x0087, 0x0113, 0x0118,
        0x0124, 0x0213, 0x0214, 0x0216, 0x0219, 0x0233, 0x0283, 0x0288, 0x02E0, 0x0309, 0x030B,
        0x030C, 0x033F, kAppCreateControl,
        // edit: EM_GETSEL, GETRECT, SETRECT, SETRECTNP, SETHANDLE, GETHANDLE, REPLACESEL,
        // GETLINE, SETTABSTOPS, SETWORDBREAKPROC, GETWORDBREAKPROC
        0x00B0, 0x00B2, 0x00B3, 0x00B4, 0x00BC, 0x00BD, 0x00C2, 0x00C4, 0x00CB, 0x00D0, 0x00D1,
        // scroll bar: SBM_GETRANGE, SETSCROLLINFO, GETSCROLLINFO, GETSCROLLBARINFO
        0x00E3, 0x00E9, 0x00EA, 0x00EB};
    for (unsigned p : kPointer)
        if (m == p) return true;
    return inrange(m, 0x0140, 0x016F) || // combo box (strings, rectangles, info)
           inrange(m, 0x0180, 0x01AF) || // list box (strings, item arrays, rectangles)
           inrange(m, 0x0220, 0x022F) || // MDI (creation records, out flags)
           inrange(m, 0x03E0, 0x03EF) || // DDE (packed memory handles)
           inrange(m, 0x0400, 0x7FFF) || // class messages of the common controls
           inrange(m, 0x1500, 0x15FF);   // edit cue banners and the like
}

// Messages that end the program or its windows by design.
inline bool ends(unsigned m) {
    return m == 0x0002 || m == 0x0010 || m == 0x0011 || m == 0x0012 || m == 0x0016 || m == 0x0082;
}

// Default processing that opens a modal loop: non-client clicks (caption, borders, buttons),
// the context menu, WM_POPUPSYSTEMMENU, the menu loop, right-button release (the edit's menu).
inline bool modal(unsigned m) {
    return inrange(m, 0x00A0, 0x00AD) || m == 0x007B || m == 0x0313 || m == 0x0211 || m == 0x0205 ||
           m == 0x0112 || m == 0x0106 || m == 0x0104 || m == 0x0105;
}

inline bool randomok(unsigned m) {
    // WM_SETFONT: a font handle of another process names nothing here, or some other font.
    return m <= kLast && m != 0x0030 && !haspointer(m) && !ends(m) && !modal(m);
}

// System commands that neither end the program nor wait for the mouse or keyboard: everything
// but SC_SIZE, SC_MOVE, SC_CLOSE, SC_VSCROLL, SC_HSCROLL, SC_MOUSEMENU, SC_KEYMENU,
// SC_TASKLIST, SC_SCREENSAVE, SC_DEFAULT, SC_MONITORPOWER and SC_CONTEXTHELP (compared with the low
// four bits cleared, as the system does).
inline bool syscommandok(std::uint64_t w) {
    static const unsigned kBad[] = {0xF000, 0xF010, 0xF060, 0xF070, 0xF080, 0xF090,
                                    0xF100, 0xF130, 0xF140, 0xF160, 0xF170, 0xF180};
    const unsigned c = static_cast<unsigned>(w) & 0xFFF0;
    for (unsigned b : kBad)
        if (c == b) return false;
    return true;
}

// Parameter values at the edges of the word and long parameters, both builds.
// Key and system-command messages of the key storm; WM_SYSKEYDOWN of F4 (with Alt, the
// default processing closes the window) is left out.
inline bool keyok(unsigned m, std::uint64_t w) {
    if (m == 0x0104) return (w & 0xFFFF) != 0x73;
    if (m == 0x0112) return syscommandok(w);
    return true;
}

inline std::vector<std::uint64_t> extremes() {
    return {0,
            1,
            0x7F,
            0x80,
            0xFF,
            0x100,
            0x7FFF,
            0x8000,
            0xFFFF,
            0x10000,
            0x7FFFFFFF,
            0x80000000,
            0xFFFFFFFF,
            0x100000000,
            0x7FFFFFFFFFFFFFFF,
            0x8000000000000000,
            ~0ULL};
}

// The storms' random numbers (xorshift), seeded, and their parameters: small, random, or at an
// edge, as wide as the build's word.
class random {
  public:
    explicit random(std::uint64_t seed)
        : s_(0x2545F4914F6CDD1DULL ^ (seed * 0x9E3779B97F4A7C15ULL)) {}
    std::uint64_t next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 7;
        s_ ^= s_ << 17;
        return s_;
    }
    std::uintptr_t param() {
        static const std::vector<std::uint64_t> edge = extremes();
        switch (next() % 3) {
        case 0: return static_cast<std::uintptr_t>(next() % 0x200);
        case 1: return static_cast<std::uintptr_t>(next());
        default: return static_cast<std::uintptr_t>(edge[next() % edge.size()]);
        }
    }

  private:
    std::uint64_t s_;
};

} // namespace storm
