// ZEBWNDcore: the message table's run-time index; platform-free.
#include "ZEBWNDcore.h"

namespace {

constexpr std::array<unsigned char, XROWINDEXED> PXROWINDEX() {
    std::array<unsigned char, XROWINDEXED> index{};
    for (std::size_t i = 0; i < XMSGROWCOUNT; ++i)
        index[XMSGROWS[i].iMsg] = static_cast<unsigned char>(i + 1);
    return index;
}

static_assert(XMSGROWCOUNT < 255 && XMSGROWS[XMSGROWCOUNT - 1].iMsg < XROWINDEXED,
              "the table fits its index");

} // namespace

const std::array<unsigned char, XROWINDEXED> XROWINDEX = PXROWINDEX();
const XMSGROW XGENERALROW{0, XR_GENERAL, 0};
