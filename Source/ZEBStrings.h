// ZEBStrings: text helpers of the framework.
//
// Texts. Every text at the framework's interface is a fixed-length, blank-padded
// text: a std::string whose size() is its declared length. Trailing blanks are
// padding; NUL characters are ordinary bytes. Routines take texts as
// std::string_view (declared length = size()) and return std::string with the
// length their contract gives. XFIXED pads or cuts to a declared length,
// XTRIM drops the padding, and XSZ makes the NUL-terminated form the system takes.
//
//   XQUOTE  XUNQUOTE  PXUNQUOTEDLEN  XTOUPPER  XTOLOWER  XSHORTEN
//   XC2F  CLEN  STRCMP  PXLOG  PXISTRING  PXFLOG  PXFSTRING
//   XLOADSTRING  PXLOADSTRINGLEN  XUNICODE  XMULTIBYTE  PXMULTIBYTELEN  (Windows only)
//   XFIXED  XTRIM  XSZ
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Representation helpers.
std::string XFIXED(std::string_view s, int n); // s padded with blanks or cut to n characters
std::string_view XTRIM(std::string_view s);    // s without trailing blanks
std::string XSZ(std::string_view s);           // trimmed s; c_str() gives the system text

std::string XQUOTE(std::string_view s);
std::string XUNQUOTE(std::string_view s);
int PXUNQUOTEDLEN(std::string_view s);
std::string XTOUPPER(std::string_view s);
std::string XTOLOWER(std::string_view s);
std::string XSHORTEN(std::string_view s, int nMax, std::optional<int> iMode = std::nullopt,
                     std::optional<std::string_view> sSep = std::nullopt);
std::string XC2F(std::string_view s);
int CLEN(std::string_view s);
bool STRCMP(std::string_view s1, std::string_view s2);

int PXLOG(int i, std::optional<int> iBase = std::nullopt);
std::string PXISTRING(int i, std::optional<int> iBase = std::nullopt);
int PXFLOG(double x, std::optional<int> nDec = std::nullopt);
std::string PXFSTRING(double x, std::optional<int> nDec = std::nullopt);

#ifdef _WIN32
struct HINSTANCE__;

std::string XLOADSTRING(int ID, std::optional<HINSTANCE__*> hInstance = std::nullopt);
int PXLOADSTRINGLEN(int ID, std::optional<HINSTANCE__*> hInstance = std::nullopt);
std::wstring XUNICODE(std::string_view s, std::optional<int> iCodePage = std::nullopt);
// PXMULTIBYTELEN(w, bFull) characters converted; longer than that where a character takes
// more than one byte, never cut inside one.
std::string XMULTIBYTE(std::wstring_view w, std::optional<int> iCodePage = std::nullopt,
                       std::optional<bool> bFull = std::nullopt);
int PXMULTIBYTELEN(std::wstring_view w, std::optional<bool> bFull = std::nullopt);
#endif
