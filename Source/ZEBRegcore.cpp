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

bool PXREGTEXTREAD(std::string_view received, int L, bool bString, std::string& sText) {
    const std::size_t nul = received.find('\0');
    if (nul != std::string_view::npos) {
        sText = XFIXED(received.substr(0, nul), L);
    } else if (!bString) {
        sText = XFIXED(std::string_view(), L);
    } else if (received.size() <= static_cast<std::size_t>(L)) {
        sText = XFIXED(received, L);
    } else {
        return false;
    }
    return true;
}
