// ZEBCtrlpriv: what ZEBCtrl and ZEBListView share inside the controls subsystem; not for
// applications.
//
//   Messages    FXSEND FXADDR FXLVHEADER
#pragma once

#include <windows.h>

inline LRESULT FXSEND(HWND h, UINT iMsg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(h, iMsg, wParam, lParam);
}

template <class T> LPARAM FXADDR(T* p) {
    return reinterpret_cast<LPARAM>(p);
}

// The header of a list view: its child with identifier 0.
inline HWND FXLVHEADER(HWND hList) {
    return GetDlgItem(hList, 0);
}
