// Recorded and expected window-message sequences.
//
// A test records what a window receives (through its handlers, through the default
// processing, or taken from the queue) and compares it with an expected table. Entries of the
// table may be optional and may pin either parameter; on a mismatch the comparison returns a
// report that lists both sequences side by side.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum : unsigned {
    XS_HANDLER = 0x1, // reached a registered handler
    XS_DEFAULT = 0x2, // reached the default processing
    XS_POSTED = 0x4,  // taken from the queue
    XS_SENT = 0x8,    // seen by a hook on its way to the window procedure
    XS_KINDS = 0xF,
    XS_WPARAM = 0x10,  // expected entry: compare the word parameter
    XS_LPARAM = 0x20,  // expected entry: compare the long parameter
    XS_OPTIONAL = 0x40 // expected entry: may be missing
};

struct XMSGENTRY {
    unsigned msg;
    unsigned flags;
    std::uint64_t wParam = 0;
    std::uint64_t lParam = 0;
};

using XMSGSEQ = std::vector<XMSGENTRY>;

// Empty when actual matches expected. With bListedOnly, actual entries whose message number
// appears nowhere in expected are passed over (windows get many messages a test does not pin).
std::string XMSGSEQ_COMPARE(const XMSGSEQ& expected, const XMSGSEQ& actual,
                            bool bListedOnly = false);

std::string XMSGSEQ_FORMAT(const XMSGENTRY& e);
