// ZEBReg: typed access to the registry.
#include "ZEBReg.h"

#include <shlwapi.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "ZEBRegcore.h"
#include "ZEBStrings.h"

namespace {

bool pxisstring(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Queries at most n bytes of a value into p and sets got to the count received; p is not
// touched on failure. The system may keep a string value with a terminating NUL of its own
// after the bytes that were written: that byte does not make the value too large for n.
LONG pxquery(HKEY hKey, std::string_view sValue, void* p, std::size_t n, std::size_t& got) {
    std::vector<BYTE> buf(n + 1);
    DWORD type = 0, cb = static_cast<DWORD>(buf.size());
    const LONG rc = RegQueryValueExA(hKey, XSZ(sValue).c_str(), nullptr, &type, buf.data(), &cb);
    if (rc != ERROR_SUCCESS) return rc;
    got = cb;
    if (!PXREGFITS(pxisstring(type), buf.data(), n, got)) return ERROR_MORE_DATA;
    if (got) std::memcpy(p, buf.data(), got);
    return rc;
}

// Reads at most 4 bytes over the variable's own bytes: a shorter value changes only its
// leading bytes, and a failed read changes none.
LONG pxread4(HKEY hKey, std::string_view sValue, void* p4) {
    std::size_t got = 0;
    return pxquery(hKey, sValue, p4, 4, got);
}

LONG pxwrite(HKEY hKey, std::string_view sValue, DWORD type, const void* p, std::size_t n) {
    return RegSetValueExA(hKey, XSZ(sValue).c_str(), 0, type, static_cast<const BYTE*>(p),
                          static_cast<DWORD>(n));
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
    const LONG rc = pxquery(hKey, sValue, buf.data(), buf.size(), got);
    if (rc != ERROR_SUCCESS) return rc;
    sText = PXREGTEXTREAD(std::string_view(buf.data(), got), static_cast<int>(L));
    return rc;
}

LONG PXREGREADINT(HKEY hKey, std::string_view sValue, int& iValue) {
    return pxread4(hKey, sValue, &iValue);
}

LONG PXREGREADLOG(HKEY hKey, std::string_view sValue, bool& bValue) {
    std::int32_t v = bValue ? -1 : 0;
    const LONG rc = pxread4(hKey, sValue, &v);
    if (rc == ERROR_SUCCESS) bValue = (v & 1) != 0;
    return rc;
}

LONG PXREGREADREAL(HKEY hKey, std::string_view sValue, float& rValue) {
    static_assert(sizeof(float) == 4, "a real is stored as 4 bytes");
    return pxread4(hKey, sValue, &rValue);
}

LONG PXREGREADTYPE(HKEY hKey, std::string_view sValue, void* pData, std::size_t nBytes) {
    std::size_t got = 0;
    return pxquery(hKey, sValue, pData, nBytes, got);
}

LONG PXREGWRITECHAR(HKEY hKey, std::string_view sValue, std::string_view sText) {
    const std::string buf = PXREGTEXTBYTES(sText);
    return pxwrite(hKey, sValue, REG_SZ, buf.data(), buf.size());
}

LONG PXREGWRITEINT(HKEY hKey, std::string_view sValue, int iValue) {
    const std::int32_t v = iValue;
    return pxwrite(hKey, sValue, REG_DWORD, &v, 4);
}

LONG PXREGWRITELOG(HKEY hKey, std::string_view sValue, bool bValue) {
    return PXREGWRITEINT(hKey, sValue, bValue ? -1 : 0);
}

LONG PXREGWRITEREAL(HKEY hKey, std::string_view sValue, float rValue) {
    return pxwrite(hKey, sValue, REG_DWORD, &rValue, 4);
}

LONG PXREGWRITETYPE(HKEY hKey, std::string_view sValue, const void* pData, std::size_t nBytes) {
    return pxwrite(hKey, sValue, REG_SZ, pData, nBytes);
}
