// Compiled, never run. As it stands it must compile; with XCHECK_BAD_HANDLER or
// XCHECK_BAD_COMMAND defined it registers a routine whose argument list differs from the one
// its message or command prescribes, and must not compile.
#include "ZEBWND.h"

namespace {

constexpr UINT WM_CHECKED = WM_APP + 7; // a message in the general form

#ifdef XCHECK_BAD_HANDLER
LRESULT PXHANDLER(XWND&, int, WPARAM, LPARAM) { // values instead of in/out references
    return XTRUE;
}
#else
LRESULT PXHANDLER(XWND&, int&, WPARAM&, LPARAM&) {
    return XTRUE;
}
#endif

#ifdef XCHECK_BAD_COMMAND
void pxcommand(XWND&, int) {} // the notification code is missing
#else
void pxcommand(XWND&, int, int) {}
#endif

} // namespace

bool pxregister(XWND& xWnd) {
    return XSETHANDLER<WM_CHECKED>(xWnd, PXHANDLER) && XSETCOMMAND(xWnd, 40001, pxcommand);
}
