// Comparison of message sequences.
#include "msgseq.h"

#include <algorithm>
#include <cstdio>

namespace {

bool listed(const XMSGSEQ& expected, unsigned msg) {
    return std::any_of(expected.begin(), expected.end(),
                       [msg](const XMSGENTRY& e) { return e.msg == msg; });
}

bool matches(const XMSGENTRY& want, const XMSGENTRY& got) {
    if (want.msg != got.msg || (want.flags & XS_KINDS) != (got.flags & XS_KINDS)) return false;
    if ((want.flags & XS_WPARAM) && want.wParam != got.wParam) return false;
    if ((want.flags & XS_LPARAM) && want.lParam != got.lParam) return false;
    return true;
}

std::string listing(const char* title, const XMSGSEQ& seq, size_t mark) {
    std::string s = title;
    s += ":\n";
    for (size_t i = 0; i < seq.size(); ++i) {
        s += i == mark ? " >> " : "    ";
        s += XMSGSEQ_FORMAT(seq[i]);
        s += '\n';
    }
    if (mark == seq.size()) s += " >> (end)\n";
    return s;
}

} // namespace

std::string XMSGSEQ_FORMAT(const XMSGENTRY& e) {
    const char* kind = (e.flags & XS_HANDLER)   ? "handler"
                       : (e.flags & XS_DEFAULT) ? "default"
                       : (e.flags & XS_POSTED)  ? "posted"
                       : (e.flags & XS_SENT)    ? "sent"
                                                : "?";
    char buf[128];
    std::snprintf(buf, sizeof buf, "msg 0x%04x %-7s wp 0x%llx lp 0x%llx%s", e.msg, kind,
                  static_cast<unsigned long long>(e.wParam),
                  static_cast<unsigned long long>(e.lParam),
                  (e.flags & XS_OPTIONAL) ? " (optional)" : "");
    return buf;
}

std::string XMSGSEQ_COMPARE(const XMSGSEQ& expected, const XMSGSEQ& actual, bool bListedOnly) {
    XMSGSEQ got;
    for (const auto& e : actual)
        if (!bListedOnly || listed(expected, e.msg)) got.push_back(e);

    size_t i = 0, j = 0;
    while (i < expected.size() && j < got.size()) {
        if (matches(expected[i], got[j])) {
            ++i, ++j;
        } else if (expected[i].flags & XS_OPTIONAL) {
            ++i;
        } else {
            break;
        }
    }
    while (i < expected.size() && (expected[i].flags & XS_OPTIONAL) && j == got.size()) ++i;
    if (i == expected.size() && j == got.size()) return {};
    return "message sequences differ\n" + listing("expected", expected, i) +
           listing("actual", got, j);
}
