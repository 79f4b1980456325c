// ZEBRegcore: stored forms of registry values, without the platform.
#include "ZEBRegcore.h"

#include "ZEBStrings.h"

std::string PXREGTEXTBYTES(std::string_view sText) {
    std::string buf(sText.size() + 1, ' ');
    const std::string_view t = XTRIM(sText);
    buf.replace(0, t.size(), t);
    buf[t.size()] = '\0';
    return buf;
}

std::string PXREGTEXTREAD(std::string_view received, int L) {
    const std::size_t nul = received.find('\0');
    return XFIXED(nul == std::string_view::npos ? std::string_view() : received.substr(0, nul), L);
}

bool PXREGFITS(bool bString, const unsigned char* buf, std::size_t n, std::size_t& got) {
    if (got <= n) return true;
    if (!bString || got != n + 1 || buf[n] != 0) return false;
    got = n;
    return true;
}
