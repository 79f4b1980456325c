// ZEBReg: typed access to the registry.
//
//   XREGOPEN XREGCLOSE           open or create a key; close it and clear the caller's handle
//   XREGDELETEKEY XREGDELETEVALUE  a key with its whole tree; one value
//   PXREGREADCHAR PXREGREADINT PXREGREADLOG PXREGREADREAL PXREGREADTYPE
//   PXREGWRITECHAR PXREGWRITEINT PXREGWRITELOG PXREGWRITEREAL PXREGWRITETYPE
//
// Names are blank-padded texts; trailing blanks are dropped before each call, so a blank name
// addresses the key's default value. Results are the system's error codes, unchanged (0 for
// success). A failed read leaves the receiving variable as it was.
//
// Stored forms: a text of declared length L as REG_SZ of L + 1 bytes (trimmed text, NUL,
// blanks); integers, logicals (true as -1) and reals as REG_DWORD of their 4 bytes; a memory
// block as REG_SZ of its bytes. Reads accept any stored type and copy the bytes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

constexpr int XREG_OPENORCREATE = 0, XREG_OPENEXISTING = 1, XREG_CREATENEW = 2;

// The new key, 0 on failure. iAccess defaults to KEY_ALL_ACCESS, iMode to XREG_OPENORCREATE.
// XREG_CREATENEW on an existing key fails with ERROR_FILE_EXISTS (80) and keeps nothing open.
// The overload with iErr receives the system's code of the open or create call.
HKEY XREGOPEN(HKEY hParent, std::string_view sKey, std::optional<REGSAM> iAccess = std::nullopt,
              std::optional<int> iMode = std::nullopt);
HKEY XREGOPEN(HKEY hParent, std::string_view sKey, std::optional<REGSAM> iAccess,
              std::optional<int> iMode, LONG& iErr);
void XREGCLOSE(HKEY& hKey);

LONG XREGDELETEKEY(HKEY hKey, std::string_view sSubKey); // subkeys and values included
LONG XREGDELETEVALUE(HKEY hKey, std::string_view sValue);

// Reads: sText's size() is its declared length; a stored text longer than it gives 234.
LONG PXREGREADCHAR(HKEY hKey, std::string_view sValue, std::string& sText);
LONG PXREGREADINT(HKEY hKey, std::string_view sValue, int& iValue);
LONG PXREGREADLOG(HKEY hKey, std::string_view sValue, bool& bValue);
LONG PXREGREADREAL(HKEY hKey, std::string_view sValue, float& rValue);
LONG PXREGREADTYPE(HKEY hKey, std::string_view sValue, void* pData, std::size_t nBytes);

LONG PXREGWRITECHAR(HKEY hKey, std::string_view sValue, std::string_view sText);
LONG PXREGWRITEINT(HKEY hKey, std::string_view sValue, int iValue);
LONG PXREGWRITELOG(HKEY hKey, std::string_view sValue, bool bValue);
LONG PXREGWRITEREAL(HKEY hKey, std::string_view sValue, float rValue);
LONG PXREGWRITETYPE(HKEY hKey, std::string_view sValue, const void* pData, std::size_t nBytes);
