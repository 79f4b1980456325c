// ZEBListView: list-view data, rows from records, sorting and display requests.
#include "ZEBListView.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "ZEBCtrlpriv.h"
#include "ZEBStrings.h"

namespace {

constexpr const char* XLVPROP = "XLVData";
constexpr int XHDF_MARK = HDF_IMAGE | HDF_BITMAP_ON_RIGHT;

XLVDATA* PXDATA(HWND hList) {
    return hList ? static_cast<XLVDATA*>(GetPropA(hList, XLVPROP)) : nullptr;
}

bool PXISVIRTUAL(HWND hList) {
    return (GetWindowLongA(hList, GWL_STYLE) & LVS_OWNERDATA) != 0;
}

int PXROWCOUNT(HWND hList) {
    return static_cast<int>(FXSEND(hList, LVM_GETITEMCOUNT));
}

// Stride of the record array: the record size, or the layout's own size when none is set. A
// record size below the layout's size would let fields run into the next record and past the
// array's end: none then.
std::size_t PXSTRIDE(const XLVDATA& d) {
    const int n = PXLVLAYOUTSIZE(d.aFields);
    if (d.nRecSize <= 0) return static_cast<std::size_t>(n);
    return d.nRecSize >= n ? static_cast<std::size_t>(d.nRecSize) : 0;
}

// Width in pixels of a new column: its field's text width in digits, plus room for the mark.
int PXCOLUMNWIDTH(HWND hList, const XLVFIELD& f) {
    int n = 10;
    if (f.cLetter == 'a') {
        n = f.iSize;
    } else if (f.cLetter == 't') {
        n = 20;
    } else {
        const int w = std::atoi(f.sEdit.c_str());
        if (w > 0) n = w;
    }
    n = std::clamp(n, 4, 40);
    const std::string digits(static_cast<std::size_t>(n), '0');
    const int px = static_cast<int>(FXSEND(hList, LVM_GETSTRINGWIDTHA, 0, FXADDR(digits.c_str())));
    return (px > 0 ? px : 7 * n) + 24;
}

// The text of one field of a record; false when it cannot be converted.
bool PXFIELDTEXT(const XLVFIELD& f, const unsigned char* pRec, std::string& s) {
    if (f.cLetter != 't') return PXLVFIELDTEXT(f, pRec + f.iOffset, s);
    XLVDATETIME t;
    std::memcpy(&t, pRec + f.iOffset, sizeof t);
    int status = 0;
    s = std::string(XTRIM(PXDATETIME(t, f.sEdit, status)));
    return status == 0 || status == 9999; // a mode outside 1 to 5 leaves the cell blank
}

LPARAM PXITEMPARAM(HWND hList, int iRow) {
    LVITEMA it{};
    it.mask = LVIF_PARAM;
    it.iItem = iRow;
    return FXSEND(hList, LVM_GETITEMA, 0, FXADDR(&it)) ? it.lParam : -1;
}

// A row's text in one column and, when asked, its item parameter (read from the item itself
// for a sub-item).
std::string PXGETCELL(HWND hList, int iRow, int iColumn, LPARAM* param = nullptr) {
    char buf[XLV_MAXTEXT + 1] = {};
    LVITEMA it{};
    it.mask = LVIF_TEXT | (param && iColumn == 0 ? LVIF_PARAM : 0);
    it.iItem = iRow;
    it.iSubItem = iColumn;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    const bool ok = FXSEND(hList, LVM_GETITEMA, 0, FXADDR(&it)) != 0;
    buf[XLV_MAXTEXT] = 0;
    if (param) *param = !ok ? -1 : iColumn == 0 ? it.lParam : PXITEMPARAM(hList, iRow);
    // The control may hand back another buffer (a display answer's) instead of filling ours:
    // it holds no more than the size that comes with it.
    const char* p = buf;
    std::size_t cap = XLV_MAXTEXT;
    if (it.pszText && it.pszText != buf) {
        p = it.pszText;
        cap = static_cast<std::size_t>(std::clamp(it.cchTextMax, 0, XLV_MAXTEXT));
    }
    std::size_t n = 0;
    while (n < cap && p[n]) ++n;
    return std::string(p, n);
}

bool PXPARSE(HWND hList, int iIndex, void* pRecord, int iMode, int* nColumns, LVITEMA& it) {
    XLVDATA* d = PXDATA(hList);
    if (!d || !d->bLayout) return false;
    auto* rec = static_cast<unsigned char*>(pRecord);
    if (!rec && iMode != XLVM_COLUMNS) return false;
    UINT rowmsg = LVM_SETITEMA;
    int row = 0;
    if (iMode != XLVM_DISPLAY) {
        const int count = PXROWCOUNT(hList);
        it = LVITEMA{};
        if (iIndex >= 1 && iIndex <= count) {
            it.mask = LVIF_TEXT;
            row = iIndex - 1;
        } else {
            rowmsg = LVM_INSERTITEMA;
            it.mask = LVIF_TEXT | LVIF_PARAM;
            it.lParam = count;
            row = count;
        }
    }
    const HIMAGELIST hSmall =
        reinterpret_cast<HIMAGELIST>(FXSEND(hList, LVM_GETIMAGELIST, LVSIL_SMALL));
    bool hasimage = false;
    int image = 0;
    int done = 0;
    bool ok = true;
    std::string s;
    for (const XLVFIELD& f : d->aFields) {
        if (f.cLetter == 'x') continue;
        if (f.cLetter == '+') {
            std::int32_t v = 0;
            if (iMode == XLVM_SET || iMode == XLVM_DISPLAY) {
                std::memcpy(&v, rec + f.iOffset, sizeof v);
                hasimage = true;
                image = v - 1;
                if (iMode == XLVM_DISPLAY) {
                    it.mask |= LVIF_IMAGE;
                    it.iImage = image;
                }
            } else if (iMode == XLVM_GET) {
                LVITEMA g{};
                g.mask = LVIF_IMAGE;
                g.iItem = iIndex - 1;
                if (FXSEND(hList, LVM_GETITEMA, 0, FXADDR(&g))) {
                    v = g.iImage + 1;
                    std::memcpy(rec + f.iOffset, &v, sizeof v);
                }
            }
            continue;
        }
        switch (iMode) {
        case XLVM_SET: {
            if (!PXFIELDTEXT(f, rec, s)) {
                ok = false;
                break;
            }
            s = XSZ(s);
            it.iItem = row;
            it.iSubItem = f.iColumn;
            it.pszText = s.data();
            if (f.iColumn == 0) {
                if (hasimage) {
                    it.mask |= LVIF_IMAGE;
                    it.iImage = image;
                } else if (hSmall) {
                    it.mask |= LVIF_IMAGE;
                    it.iImage = ImageList_GetImageCount(hSmall);
                }
            }
            const LRESULT r = FXSEND(hList, rowmsg, 0, FXADDR(&it));
            if (rowmsg == LVM_INSERTITEMA) {
                if (r < 0) return false;
                row = static_cast<int>(r);
            }
            rowmsg = LVM_SETITEMA;
            it.mask = LVIF_TEXT;
            break;
        }
        case XLVM_GET:
            if (iIndex < 1 || iIndex > PXROWCOUNT(hList) ||
                (f.cLetter != 't' &&
                 !PXLVREADFIELD(f, PXGETCELL(hList, iIndex - 1, f.iColumn), rec + f.iOffset)))
                ok = false;
            break;
        case XLVM_COLUMNS: {
            LVCOLUMNA col{};
            col.mask = LVCF_FMT | LVCF_WIDTH;
            col.fmt = f.bRight ? LVCFMT_RIGHT : LVCFMT_LEFT;
            col.cx = PXCOLUMNWIDTH(hList, f);
            if (FXSEND(hList, LVM_INSERTCOLUMNA, static_cast<WPARAM>(f.iColumn), FXADDR(&col)) <
                0) {
                ok = false;
                break;
            }
            HDITEMA hd{};
            hd.mask = HDI_LPARAM;
            hd.lParam = PXLVHEADERPARAM(f.iOffset, f.iType);
            FXSEND(FXLVHEADER(hList), HDM_SETITEMA, static_cast<WPARAM>(f.iColumn), FXADDR(&hd));
            break;
        }
        case XLVM_DISPLAY:
            if (f.iColumn != it.iSubItem || !(it.mask & LVIF_TEXT)) break;
            if (!PXFIELDTEXT(f, rec, s)) {
                ok = false;
                break;
            }
            if (it.pszText && it.cchTextMax > 0) {
                const std::string_view t = XTRIM(s);
                const std::size_t n =
                    std::min(t.size(), static_cast<std::size_t>(it.cchTextMax - 1));
                std::memcpy(it.pszText, t.data(), n);
                it.pszText[n] = 0;
            }
            break;
        default: return false;
        }
        if (!ok) break;
        ++done;
    }
    if (nColumns) *nColumns = done;
    return ok;
}

// Sort request of an ordinary list: the place of each row in the new order, by item parameter.
// The framework's rows carry 0..n-1; other parameters are looked up.
struct XLVTEXTSORT {
    std::vector<int> aRank;                 // by parameter 0..n-1
    std::unordered_map<LPARAM, int> aOther; // any other parameter
    int rank(LPARAM p) const {
        if (p >= 0 && p < static_cast<LPARAM>(aRank.size()) && aRank[p] >= 0) return aRank[p];
        const auto i = aOther.find(p);
        return i == aOther.end() ? -1 : i->second;
    }
};

// The system's own comparison hands it row indexes that do not match what LVM_GETITEMA reads
// while it sorts: each row's key is read once, the order decided here, and the system only
// puts the rows into it by their item parameters.
void PXSORTORDINARY(HWND hList, int iType, int iColumn, int iDir) {
    if (iType == XLVT_NONE || iType < XLVT_DATETIME) return; // a column that does not sort
    const int n = std::max(PXROWCOUNT(hList), 0);
    std::vector<std::string> texts(static_cast<std::size_t>(n));
    std::vector<LPARAM> params(texts.size());
    for (int r = 0; r < n; ++r) texts[r] = PXGETCELL(hList, r, iColumn, &params[r]);
    XLVTEXTSORT req;
    req.aRank.assign(texts.size(), -1);
    const std::vector<int> order = PXLVSORTTEXTS(iType, texts, iDir);
    for (int k = 0; k < n; ++k) {
        const LPARAM p = params[order[k]];
        if (p >= 0 && p < n && req.aRank[p] < 0)
            req.aRank[p] = k;
        else
            req.aOther.emplace(p, k);
    }
    FXSEND(hList, LVM_SORTITEMS, FXADDR(&req), reinterpret_cast<LPARAM>(&pxlv_sortcallback));
}

// A virtual list keeps only the selection and the focus of its rows: the rows that have them
// and the array indexes they show, so that they follow their records through a sort.
struct XLVMARKS {
    std::vector<int> aRows, aSelected; // rows, and the array indexes they show
    int iFocusRow = -1, iFocused = 0;
};

XLVMARKS PXREADMARKS(HWND hList, const std::vector<int>& aMap) {
    XLVMARKS m;
    const int n = static_cast<int>(aMap.size());
    const auto next = [&](int r, UINT flag) {
        return static_cast<int>(
            FXSEND(hList, LVM_GETNEXTITEM, static_cast<WPARAM>(r), MAKELPARAM(flag, 0)));
    };
    for (int r = next(-1, LVNI_SELECTED); r >= 0 && r < n; r = next(r, LVNI_SELECTED)) {
        m.aRows.push_back(r);
        m.aSelected.push_back(aMap[r]);
    }
    const int f = next(-1, LVNI_FOCUSED);
    if (f >= 0 && f < n) m.iFocusRow = f, m.iFocused = aMap[f];
    return m;
}

void PXSETSTATE(HWND hList, int iRow, UINT iMask, UINT iState) {
    LVITEMA it{};
    it.stateMask = iMask;
    it.state = iState;
    FXSEND(hList, LVM_SETITEMSTATE, static_cast<WPARAM>(iRow), FXADDR(&it));
}

// Only the marked rows change: clearing every row would notify the parent once per row.
void PXPUTMARKS(HWND hList, const std::vector<int>& aMap, const XLVMARKS& m) {
    std::vector<int> rowof(aMap.size() + 1, -1);
    for (std::size_t r = 0; r < aMap.size(); ++r) rowof[aMap[r]] = static_cast<int>(r);
    for (int r : m.aRows) PXSETSTATE(hList, r, LVIS_SELECTED, 0);
    if (m.iFocusRow >= 0) PXSETSTATE(hList, m.iFocusRow, LVIS_FOCUSED, 0);
    for (int k : m.aSelected) PXSETSTATE(hList, rowof[k], LVIS_SELECTED, LVIS_SELECTED);
    if (m.iFocused) PXSETSTATE(hList, rowof[m.iFocused], LVIS_FOCUSED, LVIS_FOCUSED);
}

// Redraws the rows in view; the others are drawn when they come into view.
void PXREDRAWSHOWN(HWND hList, int n) {
    const int top = static_cast<int>(FXSEND(hList, LVM_GETTOPINDEX));
    const int shown = static_cast<int>(FXSEND(hList, LVM_GETCOUNTPERPAGE)) + 1;
    const int first = std::clamp(top, 0, n - 1);
    FXSEND(hList, LVM_REDRAWITEMS, static_cast<WPARAM>(first), std::min(first + shown, n - 1));
}

void PXSORTVIRTUAL(HWND hList, XLVDATA& d, int iOffset, int iType, int iDir) {
    const int n = PXROWCOUNT(hList);
    const std::size_t stride = PXSTRIDE(d);
    if (!d.pData || n <= 0 || !stride) return;
    if (!d.bMap || static_cast<int>(d.aMap.size()) != n) {
        d.aMap = PXLVIDENTITYMAP(n);
        d.bMap = true;
    }
    const XLVMARKS marks = PXREADMARKS(hList, d.aMap);
    PXLVSORTMAP(d.aMap, n, XLVSORTKEY{d.pData, stride, iOffset, iType, iDir});
    PXPUTMARKS(hList, d.aMap, marks);
    PXREDRAWSHOWN(hList, n);
}

} // namespace

XLVDATA* FXLV_INIT(HWND hList) {
    if (XLVDATA* d = PXDATA(hList)) return d;
    if (!hList) return nullptr;
    const HMODULE hShell = LoadLibraryA("shell32.dll");
    const HIMAGELIST hMarks = ImageList_Create(14, 14, 0, 2, 10);
    if (hShell && hMarks)
        for (int id : {133, 134}) {
            const HANDLE b =
                LoadImageA(hShell, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 14, 14, LR_LOADMAP3DCOLORS);
            if (!b) continue;
            ImageList_Add(hMarks, static_cast<HBITMAP>(b), nullptr);
            DeleteObject(b);
        }
    FXSEND(hList, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP,
           LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    FXSEND(hList, LVM_DELETEALLITEMS);
    if (hShell) FreeLibrary(hShell);
    // The header's earlier list, if any, is the application's (the small images): not ours.
    const HWND hHeader = FXLVHEADER(hList);
    auto* d = new XLVDATA{};
    if (hMarks && hHeader) {
        FXSEND(hHeader, HDM_SETIMAGELIST, 0, FXADDR(hMarks));
        d->hMarks = hMarks;
    } else if (hMarks) {
        ImageList_Destroy(hMarks);
    }
    if (!SetPropA(hList, XLVPROP, d)) {
        if (d->hMarks) { // the header keeps no dead list
            FXSEND(hHeader, HDM_SETIMAGELIST, 0, 0);
            ImageList_Destroy(d->hMarks);
        }
        delete d;
        return nullptr;
    }
    return d;
}

bool PXLV_GETDATA(HWND hList, XLVDATA*& pData) {
    pData = PXDATA(hList);
    return pData != nullptr;
}

void PXLV_CLEANUP(HWND hList) {
    XLVDATA* d = PXDATA(hList);
    if (!d) return;
    RemovePropA(hList, XLVPROP);
    if (d->hMarks) {
        const HWND hHeader = FXLVHEADER(hList);
        if (hHeader && reinterpret_cast<HIMAGELIST>(FXSEND(hHeader, HDM_GETIMAGELIST)) == d->hMarks)
            FXSEND(hHeader, HDM_SETIMAGELIST, 0, 0);
        ImageList_Destroy(d->hMarks);
    }
    delete d;
}

bool PXLV_SETLAYOUT(HWND hList, std::string_view sLayout) {
    XLVDATA* d = PXDATA(hList);
    if (!d) return false;
    d->bLayout = false;
    d->sLayout = XTOLOWER(XTRIM(sLayout));
    if (!PXLVPARSELAYOUT(d->sLayout, d->aFields)) {
        d->sLayout.clear();
        return false;
    }
    d->bLayout = true;
    // The columns of an earlier layout go with it.
    while (FXSEND(hList, LVM_DELETECOLUMN, 0)) {
    }
    return PXLV_PARSEITEM(hList, 0, nullptr, XLVM_COLUMNS);
}

bool PXLV_PARSEITEM(HWND hList, int iIndex, void* pRecord, int iMode,
                    std::optional<int*> nColumns) {
    LVITEMA it{};
    if (iMode == XLVM_DISPLAY) return false; // a display request brings its own item
    return PXPARSE(hList, iIndex, pRecord, iMode, nColumns.value_or(nullptr), it);
}

bool PXLV_PARSEITEM(HWND hList, int iIndex, void* pRecord, int iMode, int* nColumns,
                    LVITEMA& xItem) {
    if (iMode != XLVM_DISPLAY) {
        LVITEMA it{};
        return PXPARSE(hList, iIndex, pRecord, iMode, nColumns, it);
    }
    return PXPARSE(hList, iIndex, pRecord, iMode, nColumns, xItem);
}

std::string PXDATETIME(const XLVDATETIME& t, std::string_view sEdit, int& iStatus) {
    int m = 0;
    bool seconds = false;
    if (!PXLVDATEMODE(sEdit, m, seconds)) {
        iStatus = 1;
        return std::string(80, ' ');
    }
    if (m < 1 || m > 5) {
        iStatus = 9999;
        return std::string(80, ' ');
    }
    iStatus = 0;
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.wYear);
    st.wMonth = static_cast<WORD>(t.wMonth);
    st.wDayOfWeek = static_cast<WORD>(t.wDayOfWeek);
    st.wDay = static_cast<WORD>(t.wDay);
    st.wHour = static_cast<WORD>(t.wHour);
    st.wMinute = static_cast<WORD>(t.wMinute);
    st.wSecond = static_cast<WORD>(t.wSecond);
    st.wMilliseconds = static_cast<WORD>(t.wMilliseconds);
    char date[81] = {}, time[81] = {};
    std::string s;
    if (m != 3) {
        const DWORD fl = (m == 2 || m == 5) ? DATE_LONGDATE : DATE_SHORTDATE;
        if (GetDateFormatA(LOCALE_USER_DEFAULT, fl, &st, nullptr, date, sizeof date) > 0)
            s = date;
        else
            s = std::string(10, ' '); // the date part stays blank
    }
    if (m >= 3) {
        const DWORD fl = seconds ? 0 : TIME_NOSECONDS;
        if (m > 3) s += ' ';
        if (GetTimeFormatA(LOCALE_USER_DEFAULT, fl, &st, nullptr, time, sizeof time) > 0) s += time;
    }
    return XFIXED(s, 80);
}

bool PXLV_SETRECSIZE(HWND hList, int nRecSize) {
    XLVDATA* d = PXDATA(hList);
    if (!d || nRecSize < 0) return false;
    d->nRecSize = nRecSize;
    return true;
}

bool PXLV_GETRECSIZE(HWND hList, int& nRecSize) {
    const XLVDATA* d = PXDATA(hList);
    if (!d) return false;
    nRecSize = d->nRecSize;
    return true;
}

bool PXLV_SETDATA(HWND hList, const void* pArray) {
    XLVDATA* d = PXDATA(hList);
    if (!d) return false;
    d->pData = static_cast<const unsigned char*>(pArray);
    return true;
}

bool PXLV_SETROWCOUNT(HWND hList, int nRows) {
    XLVDATA* d = PXDATA(hList);
    if (!d || nRows < 0) return false;
    d->aMap = PXLVIDENTITYMAP(nRows);
    d->bMap = true;
    return true;
}

void XLV_ONCOLUMNCLICK(XWND& xWnd, int ID, int iColumn) {
    const HWND hList = GetDlgItem(xWnd.hWnd, ID);
    const HWND hHeader = hList ? FXLVHEADER(hList) : nullptr;
    if (!hHeader) return;
    const int n = static_cast<int>(FXSEND(hHeader, HDM_GETITEMCOUNT));
    int offset = 0, type = XLVT_NONE, dir = 0;
    for (int i = 0; i < n; ++i) {
        HDITEMA hd{};
        hd.mask = HDI_FORMAT | HDI_LPARAM | HDI_IMAGE;
        if (!FXSEND(hHeader, HDM_GETITEMA, static_cast<WPARAM>(i), FXADDR(&hd))) continue;
        const int old = ((hd.iImage % 2) + 2) % 2;
        hd.mask = HDI_FORMAT | HDI_IMAGE;
        if (i + 1 == iColumn) {
            hd.fmt |= XHDF_MARK | HDF_STRING;
            hd.iImage = 1 - old;
            PXLVHEADERKEY(static_cast<std::int32_t>(hd.lParam), offset, type);
            dir = old == 1 ? 1 : -1;
        } else {
            hd.fmt &= ~XHDF_MARK;
            hd.iImage = old;
        }
        FXSEND(hHeader, HDM_SETITEMA, static_cast<WPARAM>(i), FXADDR(&hd));
    }
    if (!dir) return;
    if (!PXISVIRTUAL(hList)) {
        PXSORTORDINARY(hList, type, iColumn - 1, dir);
        return;
    }
    if (XLVDATA* d = PXDATA(hList)) PXSORTVIRTUAL(hList, *d, offset, type, dir);
}

int CALLBACK pxlv_sortcallback(LPARAM lParam1, LPARAM lParam2, LPARAM pRequest) {
    const auto& r = *reinterpret_cast<const XLVTEXTSORT*>(pRequest);
    const int a = r.rank(lParam1), b = r.rank(lParam2);
    return (a > b) - (a < b);
}

int PXLV_VIRTUALSORTCALLBACK(int i, int j, const void* pRequest) {
    return PXLVCOMPAREINDEXES(i, j, *static_cast<const XLVSORTKEY*>(pRequest));
}

bool FXLV_GETDISPINFO(HWND hList, LVITEMA& xItem) {
    XLVDATA* d = PXDATA(hList);
    if (!d || !d->pData || xItem.iItem < 0) return false;
    const std::size_t stride = PXSTRIDE(*d);
    if (!stride) return false;
    int index = xItem.iItem;
    if (d->bMap && !d->aMap.empty() && d->aMap[0] > 0) {
        if (xItem.iItem >= static_cast<int>(d->aMap.size())) return false;
        index = d->aMap[xItem.iItem] - 1;
    }
    if (index < 0) return false;
    void* rec = const_cast<unsigned char*>(d->pData + static_cast<std::size_t>(index) * stride);
    return PXLV_PARSEITEM(hList, xItem.iItem + 1, rec, XLVM_DISPLAY, nullptr, xItem);
}

bool FXLV_BACKMAP(HWND hList, int iRow, int& iIndex) {
    if (PXISVIRTUAL(hList)) {
        const XLVDATA* d = PXDATA(hList);
        static const std::vector<int> none;
        iIndex = PXLVBACKMAP(d && d->bMap ? d->aMap : none, iRow);
        if (iIndex && iRow >= PXROWCOUNT(hList)) iIndex = 0;
        return iIndex != 0;
    }
    LVITEMA it{};
    it.mask = LVIF_PARAM;
    it.iItem = iRow;
    iIndex = FXSEND(hList, LVM_GETITEMA, 0, FXADDR(&it)) ? static_cast<int>(it.lParam) + 1 : 0;
    return iIndex != 0;
}

bool FXLV_FWDMAP(HWND hList, int& iRow, int iIndex) {
    if (PXISVIRTUAL(hList)) {
        const XLVDATA* d = PXDATA(hList);
        static const std::vector<int> none;
        iRow = PXLVFWDMAP(d && d->bMap ? d->aMap : none, iIndex);
        if (iRow >= PXROWCOUNT(hList)) iRow = -1;
        return iRow >= 0;
    }
    LVFINDINFOA fi{};
    fi.flags = LVFI_PARAM;
    fi.lParam = iIndex - 1;
    iRow = static_cast<int>(FXSEND(hList, LVM_FINDITEMA, static_cast<WPARAM>(-1), FXADDR(&fi)));
    return iRow >= 0;
}

bool XLVUPDATE(HWND hWnd, int ID) {
    const HWND hList = GetDlgItem(hWnd, ID);
    if (!hList) return false;
    const int n = PXROWCOUNT(hList);
    for (int r = 0; r < n; ++r)
        if (!FXSEND(hList, LVM_REDRAWITEMS, static_cast<WPARAM>(r), r)) return false;
    return true;
}

bool XLVUPDATE(HWND hWnd, int ID, const std::vector<int>& aRows) {
    const HWND hList = GetDlgItem(hWnd, ID);
    if (!hList) return false;
    const int n = PXROWCOUNT(hList);
    for (int r : aRows)
        if (r < 1 || r > n || !FXSEND(hList, LVM_REDRAWITEMS, static_cast<WPARAM>(r - 1), r - 1))
            return false;
    return true;
}
