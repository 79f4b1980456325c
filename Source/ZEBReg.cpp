// ZEBReg: typed access to the registry.
#include "ZEBReg.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ZEBRegcore.h"
#include "ZEBStrings.h"

namespace {

bool PXISSTRING(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Queries at most n bytes of a value into p and sets got to the count received and bString to
// whether the stored type is a string; p is not touched on failure.
LONG PXQUERY(HKEY hKey, std::string_view sValue, void* p, std::size_t n, std::size_t& got,
             bool& bString) {
    std::vector<BYTE> buf(std::max<std::size_t>(n, 1));
    DWORD type = 0, cb = static_cast<DWORD>(n);
    const LONG rc = RegQueryValueExA(hKey, XSZ(sValue).c_str(), nullptr, &type, buf.data(), &cb);
    if (rc != ERROR_SUCCESS) return rc;
    got = std::min<std::size_t>(cb, n);
    bString = PXISSTRING(type);
    if (got) std::memcpy(p, buf.data(), got);
    return rc;
}

LONG PXQUERY(HKEY hKey, std::string_view sValue, void* p, std::size_t n) {
    std::size_t got = 0;
    bool bString = false;
    return PXQUERY(hKey, sValue, p, n, got, bString);
}

// Reads at most 4 bytes over the variable's own bytes: a shorter value changes only its
// leading bytes, and a failed read changes none.
LONG PXREAD4(HKEY hKey, std::string_view sValue, void* p4) {
    return PXQUERY(hKey, sValue, p4, 4);
}

LONG PXWRITE(HKEY hKey, std::string_view sValue, DWORD type, const void* p, std::size_t n) {
    return RegSetValueExA(hKey, XSZ(sValue).c_str(), 0, type, static_cast<const BYTE*>(p),
                          static_cast<DWORD>(n));
}

// A string value of exactly n bytes. The system adds a terminator of its own to a string whose
// last byte is not NUL when the byte after it in memory is: a non-NUL guard byte after the data
// keeps the stored size what was asked for.
LONG PXWRITESTRING(HKEY hKey, std::string_view sValue, const void* p, std::size_t n) {
    std::vector<BYTE> buf(n + 1, 0xFF);
    if (n) std::memcpy(buf.data(), p, n);
    return PXWRITE(hKey, sValue, REG_SZ, buf.data(), n);
}

} // namespace

HKEY XREGOPEN(HKEY hParent, std::string_view sKey, std::optional<REGSAM> iAccess,
              std::optional<int> iMode, LONG& iErr) {
    const REGSAM access = iAccess.value_or(KEY_ALL_ACCESS);
    const int mode = iMode.value_or(XREG_OPENORCREATE);
    const std::string name = XSZ(sKey);
    HKEY h = nullptr;
    if (mode == XREG_OPENEXISTING) {
        iErr = RegOpenKeyExA(hParent, name.c_str(), 0, access, &h);
    } else {
        DWORD disposition = 0;
        char noClass[] = "";
        iErr = RegCreateKeyExA(hParent, name.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE, access,
                               nullptr, &h, &disposition);
        if (iErr == ERROR_SUCCESS && mode == XREG_CREATENEW &&
            disposition == REG_OPENED_EXISTING_KEY) {
            RegCloseKey(h);
            iErr = ERROR_FILE_EXISTS;
        }
    }
    return iErr == ERROR_SUCCESS ? h : nullptr;
}

HKEY XREGOPEN(HKEY hParent, std::string_view sKey, std::optional<REGSAM> iAccess,
              std::optional<int> iMode) {
    LONG ignored = 0;
    return XREGOPEN(hParent, sKey, iAccess, iMode, ignored);
}

void XREGCLOSE(HKEY& hKey) {
    if (hKey) RegCloseKey(hKey);
    hKey = nullptr;
}

LONG XREGDELETEKEY(HKEY hKey, std::string_view sSubKey) {
    return static_cast<LONG>(SHDeleteKeyA(hKey, XSZ(sSubKey).c_str()));
}

LONG XREGDELETEVALUE(HKEY hKey, std::string_view sValue) {
    return RegDeleteValueA(hKey, XSZ(sValue).c_str());
}

LONG PXREGREADCHAR(HKEY hKey, std::string_view sValue, std::string& sText) {
    const std::size_t L = sText.size();
    std::string buf(L + 1, '\0');
    std::size_t got = 0;
    bool bString = false;
    const LONG rc = PXQUERY(hKey, sValue, buf.data(), buf.size(), got, bString);
    if (rc != ERROR_SUCCESS) return rc;
    if (!PXREGTEXTREAD(std::string_view(buf.data(), got), static_cast<int>(L), bString, sText))
        return ERROR_MORE_DATA;
    return rc;
}

LONG PXREGREADINT(HKEY hKey, std::string_view sValue, int& iValue) {
    return PXREAD4(hKey, sValue, &iValue);
}

LONG PXREGREADLOG(HKEY hKey, std::string_view sValue, bool& bValue) {
    std::int32_t v = bValue ? -1 : 0;
    const LONG rc = PXREAD4(hKey, sValue, &v);
    if (rc == ERROR_SUCCESS) bValue = (v & 1) != 0;
    return rc;
}

LONG PXREGREADREAL(HKEY hKey, std::string_view sValue, float& rValue) {
    static_assert(sizeof(float) == 4, "a real is stored as 4 bytes");
    return PXREAD4(hKey, sValue, &rValue);
}

LONG PXREGREADTYPE(HKEY hKey, std::string_view sValue, void* pData, std::size_t nBytes) {
    return PXQUERY(hKey, sValue, pData, nBytes);
}

LONG PXREGWRITECHAR(HKEY hKey, std::string_view sValue, std::string_view sText) {
    const std::string buf = PXREGTEXTBYTES(sText);
    return PXWRITESTRING(hKey, sValue, buf.data(), buf.size());
}

LONG PXREGWRITEINT(HKEY hKey, std::string_view sValue, int iValue) {
    const std::int32_t v = iValue;
    return PXWRITE(hKey, sValue, REG_DWORD, &v, 4);
}

LONG PXREGWRITELOG(HKEY hKey, std::string_view sValue, bool bValue) {
    return PXREGWRITEINT(hKey, sValue, bValue ? -1 : 0);
}

LONG PXREGWRITEREAL(HKEY hKey, std::string_view sValue, float rValue) {
    return PXWRITE(hKey, sValue, REG_DWORD, &rValue, 4);
}

LONG PXREGWRITETYPE(HKEY hKey, std::string_view sValue, const void* pData, std::size_t nBytes) {
    return PXWRITESTRING(hKey, sValue, pData, nBytes);
}
