// ZEBDialogcore: the dialog-initialisation resource.
#include "ZEBDialogcore.h"

#include <cstdint>
#include <cstring>

namespace {

unsigned PXRD16(const unsigned char* p) {
    return static_cast<unsigned>(p[0]) | (static_cast<unsigned>(p[1]) << 8);
}

int PXSIGNED16(unsigned v) {
    return static_cast<int>(static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
}

constexpr std::size_t XHEADER = 8;

} // namespace

int FXDLGINITWALK(const void* pRes, std::size_t nRes,
                  const std::function<void(const XDLGINITREC&)>& fn) {
    const auto* p = static_cast<const unsigned char*>(pRes);
    if (!p) return 0;
    std::size_t off = 0;
    int n = 0;
    while (nRes - off >= XHEADER) {
        const unsigned char* r = p + off;
        const int id = PXSIGNED16(PXRD16(r));
        if (id == 0) break;
        const int len = PXSIGNED16(PXRD16(r + 4)); // low half of the 32-bit length
        if (len < 0 || static_cast<std::size_t>(len) > nRes - off - XHEADER) break;
        fn(XDLGINITREC{id, static_cast<int>(PXRD16(r + 2)), r + XHEADER, len});
        ++n;
        off += XHEADER + static_cast<std::size_t>(len);
    }
    return n;
}

std::string FXDLGINITTEXT(const XDLGINITREC& rec) {
    if (!rec.pData || rec.nData <= 0) return std::string();
    const auto* d = reinterpret_cast<const char*>(rec.pData);
    const void* nul = std::memchr(d, '\0', static_cast<std::size_t>(rec.nData));
    const std::size_t len =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - d) : rec.nData;
    return std::string(d, len);
}
