// ZEBListViewcore: the platform-free half of ZEBListView — the layout text of a record, the
// conversion of one record field to its row text and back, the date-time modes, the comparison
// rules of sorting and the row map of a virtual list.
//
//   Layout      XLVFIELD  PXLVPARSELAYOUT  PXLVHEADERPARAM  PXLVHEADERKEY
//   Fields      PXLVFIELDTEXT  PXLVREADFIELD  PXLVDATEMODE  XLVDATETIME
//   Sorting     PXLVCOMPARETEXTS  PXLVSORTTEXTS  PXLVCOMPAREFIELDS  PXLVMERGESORT(BY)
//               PXLVSORTMAP
//   Row maps    PXLVIDENTITYMAP  PXLVBACKMAP  PXLVFWDMAP
//
// Never includes <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Sort type codes of a column; a positive code is a text field of that many bytes.
constexpr int XLVT_NONE = 0, XLVT_INT8 = -1, XLVT_INT16 = -2, XLVT_INT32 = -3, XLVT_INT64 = -4,
              XLVT_REAL4 = -5, XLVT_REAL8 = -6, XLVT_DATETIME = -7;

constexpr int XLV_MAXTEXT = 256;      // longest text of one cell
constexpr int XLV_MAXOFFSET = 0xFFFF; // a column's offset must fit the header parameter's low word

// One descriptor of a layout text.
struct XLVFIELD {
    char cLetter = 0;  // + i j k n f e g d a t x
    std::string sEdit; // the characters after the letter, as written
    int iOffset = 0;   // byte offset in the record
    int iSize = 0;     // bytes
    int iColumn = -1;  // 0-based column, -1 for "+" and "x"
    int iType = XLVT_NONE;
    bool bRight = false; // column aligned right
};

// Reads a layout text such as "(i5,a20,f10.3)" (lower case; a NUL also ends it). False, with
// aFields empty, when the text does not start with "(", names an unknown letter, gives "a", "x"
// or "t" no readable number, or puts a field beyond the reach of a header parameter.
bool PXLVPARSELAYOUT(std::string_view sLayout, std::vector<XLVFIELD>& aFields);
// Bytes of one record as the layout describes it.
int PXLVLAYOUTSIZE(const std::vector<XLVFIELD>& aFields);

// A column header's parameter: offset in the low 16 bits, type code in the high 16 bits.
std::int32_t PXLVHEADERPARAM(int iOffset, int iType);
void PXLVHEADERKEY(std::int32_t lParam, int& iOffset, int& iType);

// The date and time of a "t" field: eight 16-bit integers.
struct XLVDATETIME {
    std::int16_t wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};
// Mode (1 to 5) and seconds flag of a "t" descriptor's number; false when it is unreadable.
bool PXLVDATEMODE(std::string_view sEdit, int& iMode, bool& bSeconds);

// The text of a field whose iSize bytes start at pField ("+", "x" and "t" have none here: false).
// Numbers follow their edit descriptor: "iw" or "iw.m" right-justified in w (at least m digits),
// "fw.d" fixed point, "ew.d" 0.ddd with an exponent; a number that does not fit shows w
// asterisks; no width writes the number as it needs. Never longer than XLV_MAXTEXT.
bool PXLVFIELDTEXT(const XLVFIELD& f, const unsigned char* pField, std::string& sText);
// Reads a cell text back into the field; false (field unchanged) when it is not a number of the
// field's type or is out of its range. Texts are blank-padded or cut to the field's size.
bool PXLVREADFIELD(const XLVFIELD& f, std::string_view sText, unsigned char* pField);

// Ordinary lists: two cell texts under a column's type code; negative, 0 or positive.
int PXLVCOMPARETEXTS(int iType, std::string_view a, std::string_view b);
// Ordinary lists: the order of rows whose cells in the sorted column hold aTexts (row k's at
// k), as PXLVCOMPARETEXTS in direction iDir orders them, each text read once. Returns the
// 0-based rows in their new order; equal keys keep their present order.
std::vector<int> PXLVSORTTEXTS(int iType, const std::vector<std::string>& aTexts, int iDir);
// Virtual lists: two fields (each iType's size) of the record array; negative, 0 or positive.
int PXLVCOMPAREFIELDS(int iType, const unsigned char* pA, const unsigned char* pB);

// Sort request of a virtual list: the record array, its stride and the key.
struct XLVSORTKEY {
    const unsigned char* pData = nullptr;
    std::size_t nRecSize = 0;
    int iOffset = 0;
    int iType = XLVT_NONE;
    int iDir = 1; // +1 or -1
};
// Compares array indexes i and j (1-based) of the request's array, in its direction.
int PXLVCOMPAREINDEXES(int i, int j, const XLVSORTKEY& key);

// Rebuilds aMap (n entries) as the array indexes 1..n in the order cmp(i, j) gives; bottom-up
// merge sort, stable for equal keys.
template <class Cmp> void PXLVMERGESORTBY(std::vector<int>& aMap, int n, Cmp cmp) {
    if (n < 0) n = 0;
    aMap.assign(static_cast<std::size_t>(n), 0);
    for (int k = 0; k + 1 < n; k += 2) {
        const bool keep = cmp(k + 1, k + 2) <= 0;
        aMap[k] = keep ? k + 1 : k + 2;
        aMap[k + 1] = keep ? k + 2 : k + 1;
    }
    if (n % 2) aMap[n - 1] = n;
    std::vector<int> w(static_cast<std::size_t>(n));
    for (int width = 2; width < n; width *= 2) {
        for (int lo = 0; lo < n; lo += 2 * width) {
            const int mid = lo + width < n ? lo + width : n;
            const int hi = lo + 2 * width < n ? lo + 2 * width : n;
            if (mid >= hi || cmp(aMap[mid - 1], aMap[mid]) <= 0) continue;
            int l = lo, r = mid, o = lo;
            while (l < mid && r < hi) w[o++] = cmp(aMap[l], aMap[r]) > 0 ? aMap[r++] : aMap[l++];
            while (l < mid) w[o++] = aMap[l++];
            while (r < hi) w[o++] = aMap[r++];
            for (int k = lo; k < hi; ++k) aMap[k] = w[k];
        }
    }
}
using XLVCOMPARE = int (*)(int i, int j, const void* pRequest);
void PXLVMERGESORT(std::vector<int>& aMap, int n, XLVCOMPARE cmp, const void* pRequest);
// The same order as PXLVMERGESORT with PXLVCOMPAREINDEXES gives, for n records of the
// request's array, with each numeric key loaded once.
void PXLVSORTMAP(std::vector<int>& aMap, int n, const XLVSORTKEY& key);

// Row maps: entry k (0-based vector) is the 1-based array index shown in row k.
std::vector<int> PXLVIDENTITYMAP(int n);
// Array index shown in a 0-based row: map entry, or row + 1 with no map; 0 outside the map.
int PXLVBACKMAP(const std::vector<int>& aMap, int iRow);
// Row that shows a 1-based array index: first match, or index - 1 with no map; -1 if none.
int PXLVFWDMAP(const std::vector<int>& aMap, int iIndex);
