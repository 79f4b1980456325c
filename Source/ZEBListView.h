// ZEBListView: a report-style list view showing the application's records, one per row, laid
// out by a layout text such as "(i5,a20,f10.3)" (see ZEBListViewcore.h).
//
//   Data        XLVDATA FXLV_INIT PXLV_GETDATA PXLV_CLEANUP
//   Layout      PXLV_SETLAYOUT PXLV_PARSEITEM PXDATETIME
//   Properties  PXLV_SETRECSIZE PXLV_SETDATA PXLV_SETROWCOUNT
//   Run time    XLV_ONCOLUMNCLICK FXLV_GETDISPINFO FXLV_BACKMAP FXLV_FWDMAP XLVUPDATE
//               pxlv_sortcallback PXLV_VIRTUALSORTCALLBACK
//
// Row indexes given to PXLV_PARSEITEM and XLVUPDATE count from 1; array indexes count from 1.
// A virtual list (LVS_OWNERDATA) keeps the address of the application's record array and a row
// map that puts the array in display order; an ordinary list keeps its rows' texts itself, each
// row's item parameter being its array index - 1.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ZEBListViewcore.h"
#include "ZEBWND.h"

// List-view data, attached to the control as the window property "XLVData".
struct XLVDATA {
    const unsigned char* pData = nullptr; // the application's record array (virtual lists)
    int nRecSize = 0;                     // stride of that array; 0: the layout's size
    bool bLayout = false;                 // a layout text is set
    std::string sLayout;                  // in lower case
    std::vector<XLVFIELD> aFields;        // the layout read once
    bool bMap = false;                    // a row map is kept; else rows show identity order
    std::vector<int> aMap;                // entry k: array index (1-based) shown in row k
    HIMAGELIST hMarks = nullptr;          // the sort marks; the only image list the data owns
};

// Prepares a list view once and returns its data (the same record on later calls); nullptr when
// the data could not be attached.
XLVDATA* FXLV_INIT(HWND hList);
bool PXLV_GETDATA(HWND hList, XLVDATA*& pData);
// Releases the list-view data and the header's image list of a control that goes.
void PXLV_CLEANUP(HWND hList);

// Stores a layout text (in lower case) and creates its columns; false when the list has no
// data or the text is not a layout.
bool PXLV_SETLAYOUT(HWND hList, std::string_view sLayout);

// Modes of PXLV_PARSEITEM.
constexpr int XLVM_SET = 1, XLVM_GET = 2, XLVM_COLUMNS = 3, XLVM_DISPLAY = 4;
// Converts between one application record and a row (modes above); true when the whole layout
// was processed. nColumns receives the number of columns processed; xItem is the display
// request of mode 4 (the other modes use their own item).
bool PXLV_PARSEITEM(HWND hList, int iIndex, void* pRecord, int iMode,
                    std::optional<int*> nColumns = std::nullopt);
bool PXLV_PARSEITEM(HWND hList, int iIndex, void* pRecord, int iMode, int* nColumns,
                    LVITEMA& xItem);

// The text of a date-time field under a "t" descriptor's number: at most 80 characters, blank
// padded. iStatus is 0, 9999 for a mode outside 1 to 5, or 1 for an unreadable number.
std::string PXDATETIME(const XLVDATETIME& t, std::string_view sEdit, int& iStatus);

// Integer property -37 (record size), the array of a virtual list and its row count.
bool PXLV_SETRECSIZE(HWND hList, int nRecSize);
bool PXLV_GETRECSIZE(HWND hList, int& nRecSize);
bool PXLV_SETDATA(HWND hList, const void* pArray);
bool PXLV_SETROWCOUNT(HWND hList, int nRows);

// Sorts by a 1-based column and toggles its direction mark.
void XLV_ONCOLUMNCLICK(XWND& xWnd, int ID, int iColumn);
// Fills the requested cell of a virtual list from the record array; false when unanswered.
bool FXLV_GETDISPINFO(HWND hList, LVITEMA& xItem);
// Array index (1-based) shown in a 0-based row; 0 when there is none.
bool FXLV_BACKMAP(HWND hList, int iRow, int& iIndex);
// Row (0-based) showing an array index; -1 when none.
bool FXLV_FWDMAP(HWND hList, int& iRow, int iIndex);
// Redraws all rows, or the given 1-based rows; false at the first row that fails.
bool XLVUPDATE(HWND hWnd, int ID);
bool XLVUPDATE(HWND hWnd, int ID, const std::vector<int>& aRows);

// Comparisons: the system's sort of an ordinary list (LVM_SORTITEMS, by item parameters, in the
// order read once before the sort), the merge sort of a virtual list's map.
int CALLBACK pxlv_sortcallback(LPARAM lParam1, LPARAM lParam2, LPARAM pRequest);
int PXLV_VIRTUALSORTCALLBACK(int i, int j, const void* pRequest);
