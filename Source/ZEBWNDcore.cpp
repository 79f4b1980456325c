// ZEBWNDcore: the message table's run-time lookup; platform-free.
#include "ZEBWNDcore.h"

#include <array>

namespace {

// Every decoded message lies below WM_USER, so a message number indexes a table directly: the
// window procedure looks a row up on every message.
constexpr unsigned XINDEXED = 0x400;
constexpr XMSGROW XGENERALROW{0, XR_GENERAL, 0};

constexpr std::array<unsigned char, XINDEXED> pxrowindex() {
    std::array<unsigned char, XINDEXED> index{};
    for (std::size_t i = 0; i < XMSGROWCOUNT; ++i)
        index[XMSGROWS[i].iMsg] = static_cast<unsigned char>(i + 1);
    return index;
}
constexpr std::array<unsigned char, XINDEXED> XROWINDEX = pxrowindex();

static_assert(XMSGROWCOUNT < 255 && XMSGROWS[XMSGROWCOUNT - 1].iMsg < XINDEXED,
              "the table fits its index");

} // namespace

const XMSGROW& FXMSGROW(unsigned iMsg) {
    if (iMsg >= XINDEXED || XROWINDEX[iMsg] == 0) return XGENERALROW;
    return XMSGROWS[XROWINDEX[iMsg] - 1];
}
