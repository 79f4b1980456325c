// Key reports for arbitrary codes, repeat counts, scan codes, raw parameters and keyboard
// snapshots: whole CR LF lines without trailing blanks or NULs, the fixed headings, one name per
// key held down, and the system-command result as the name says.
#include "fuzzcheck.h"
#include "TapmonReport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> lines(const std::string& s) {
    FZCHECK(s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0);
    FZCHECK(s.find('\0') == std::string::npos);
    std::vector<std::string> v;
    std::size_t b = 0;
    for (std::size_t e; (e = s.find("\r\n", b)) != std::string::npos; b = e + 2) {
        const std::string l = s.substr(b, e - b);
        FZCHECK(l.find_first_of("\r\n") == std::string::npos);
        FZCHECK(l.empty() || l.back() != ' ');
        v.push_back(l);
    }
    FZCHECK(b == s.size());
    return v;
}

void keyreport(const std::string& s, const char* heading, int repeat, const XKEYSTATE& keys) {
    const std::vector<std::string> v = lines(s);
    const std::size_t n = repeat > 1 ? 7 : 6;
    FZCHECK(v.size() == n && v[0].empty() && v[1] == heading);
    FZCHECK(v[2].compare(0, 11, "key code = ") == 0 && v[2].size() <= 41);
    FZCHECK(v[3].compare(0, 14, "  scan code = ") == 0 && v[3].size() == 23);
    if (repeat > 1) FZCHECK(v[4] == "  repeat count = " + std::to_string(repeat));
    FZCHECK(v[n - 2].compare(0, 11, "  CapsLock ") == 0);
    int down = 0;
    for (unsigned char b : keys) down += b >> 7;
    const std::string& held = v[n - 1];
    FZCHECK(held.compare(0, 15, "  Keys pressed:") == 0);
    int names = 0;
    for (std::size_t p = 15; p + 1 < held.size(); ++p)
        if (held[p] == ' ' && held[p + 1] == ' ' && held[p + 2] != ' ') ++names;
    FZCHECK(names == down);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    XKEYSTATE keys{};
    const int nDown = in.ConsumeIntegralInRange(0, 8);
    for (int k = 0; k < nDown; ++k) keys[in.ConsumeIntegral<std::uint8_t>()] |= 0x80;
    for (unsigned char& b : keys) b |= in.ConsumeBool() ? 1 : 0;

    const int key =
        in.ConsumeBool() ? in.ConsumeIntegralInRange(-2, 260) : in.ConsumeIntegral<int>();
    const int repeat = in.ConsumeIntegralInRange(-2, 0xFFFF);
    const int scan = in.ConsumeIntegralInRange(-2, 0x1FF);
    keyreport(KEYDOWNREPORT(key, repeat, scan, keys), "WM_KeyDown called with", repeat, keys);

    const auto w = in.ConsumeIntegral<std::uintptr_t>();
    const auto l = in.ConsumeIntegral<std::intptr_t>();
    keyreport(SYSKEYDOWNREPORT(w, l, keys), "WM_SYSKeyDown called with", int(l & 0xFFFF), keys);

    const int c = in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, 256) : in.ConsumeIntegral<int>();
    // Codes above 255 show their low byte as it is (a NUL, a line feed): only the heading and
    // the line end are theirs then.
    const std::string cr = CHARREPORT(c);
    FZCHECK(cr.compare(0, 19, "    WM_CHAR result:") == 0 && cr.size() <= 34);
    FZCHECK(cr.compare(cr.size() - 2, 2, "\r\n") == 0);
    if (c <= 255) FZCHECK(lines(cr).size() == 1);

    const int code = in.ConsumeIntegral<int>() & 0xFFF0;
    const XSYSCOMMANDREPORT r = SYSCOMMANDREPORT(code);
    const std::vector<std::string> sc = lines(r.sText);
    const std::string prefix = "Keystroke converted to WM_SYSCOMMAND: ";
    FZCHECK(sc.size() == 2 && sc[0].empty() && sc[1].compare(0, prefix.size(), prefix) == 0);
    const std::string name = sc[1].substr(prefix.size());
    FZCHECK(r.bHandled == (name == "SC_KEYMENU" || name.compare(0, 8, "unknown ") == 0));
    return 0;
}
