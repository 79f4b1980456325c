// ZEBStrings: the text helpers that need the system (string resources, code pages).
#include "ZEBStrings.h"

#include <windows.h>

namespace {

// Shared by PXLOADSTRINGLEN and XLOADSTRING: the length call loads, the text call copies.
char xLoadBuffer[1024];

} // namespace

int PXLOADSTRINGLEN(int ID, std::optional<HINSTANCE__*> hInstance) {
    HINSTANCE h = hInstance.value_or(nullptr);
    if (!h) h = GetModuleHandleA(nullptr);
    return LoadStringA(h, UINT(ID), xLoadBuffer, int(sizeof xLoadBuffer));
}

std::string XLOADSTRING(int ID, std::optional<HINSTANCE__*> hInstance) {
    int n = PXLOADSTRINGLEN(ID, hInstance);
    return std::string(xLoadBuffer, std::size_t(n));
}

std::wstring XUNICODE(std::string_view s, std::optional<int> iCodePage) {
    std::wstring w(s.size() + 1, L'\0');
    if (!s.empty())
        MultiByteToWideChar(UINT(iCodePage.value_or(CP_ACP)), 0, s.data(), int(s.size()), w.data(),
                            int(s.size()));
    return w;
}

int PXMULTIBYTELEN(std::wstring_view w, std::optional<bool> bFull) {
    std::size_t p = bFull.value_or(false) ? std::wstring_view::npos : w.find(L'\0');
    return int(p == std::wstring_view::npos ? w.size() : p);
}

// Every character converted: where one takes more than a byte the text is longer than the
// element count rather than cut inside a character. A failed conversion gives blanks.
std::string XMULTIBYTE(std::wstring_view w, std::optional<int> iCodePage,
                       std::optional<bool> bFull) {
    const int n = PXMULTIBYTELEN(w, bFull);
    if (n == 0) return std::string();
    const UINT cp = UINT(iCodePage.value_or(CP_ACP));
    const int m = WideCharToMultiByte(cp, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
    std::string r(std::size_t(m > 0 ? m : 0), '\0');
    if (m > 0) WideCharToMultiByte(cp, 0, w.data(), n, r.data(), m, nullptr, nullptr);
    return r.size() < std::size_t(n) ? XFIXED(r, n) : r;
}
