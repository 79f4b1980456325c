// The dialog-initialisation walker on crafted resources: records in order, the stops, and
// lengths that lie. Each resource is copied into a buffer of exactly its size, so that the
// sanitizers catch a single byte read past its end.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ZEBDialogcore.h"

namespace {

using Bytes = std::vector<unsigned char>;

void put16(Bytes& b, int v) {
    b.push_back(static_cast<unsigned char>(v & 0xFF));
    b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
void put32(Bytes& b, std::uint32_t v) {
    put16(b, static_cast<int>(v & 0xFFFF));
    put16(b, static_cast<int>(v >> 16));
}
// A record whose length field is given separately from its data.
void record(Bytes& b, int id, int msg, std::uint32_t len, const std::string& data) {
    put16(b, id);
    put16(b, msg);
    put32(b, len);
    b.insert(b.end(), data.begin(), data.end());
}
void record(Bytes& b, int id, const std::string& text) {
    const std::string data = text + '\0';
    record(b, id, XDLGINIT_ADDSTRING, static_cast<std::uint32_t>(data.size()), data);
}

struct Seen {
    int id, msg;
    std::string text;
    bool operator==(const Seen& o) const { return id == o.id && msg == o.msg && text == o.text; }
};
std::ostream& operator<<(std::ostream& os, const Seen& s) {
    return os << "{" << s.id << ", " << s.msg << ", \"" << s.text << "\"}";
}

std::vector<Seen> walk(const Bytes& b, int* pVisited = nullptr) {
    std::unique_ptr<unsigned char[]> exact(new unsigned char[b.size() ? b.size() : 1]);
    std::copy(b.begin(), b.end(), exact.get());
    std::vector<Seen> seen;
    const int n = FXDLGINITWALK(exact.get(), b.size(), [&](const XDLGINITREC& r) {
        seen.push_back({r.iCtlID, r.iMsg, FXDLGINITTEXT(r)});
    });
    if (pVisited) *pVisited = n;
    return seen;
}

TEST(DlgInit, RecordsInResourceOrderUntilTheZeroIdentifier) {
    Bytes b;
    record(b, 101, "alpha");
    record(b, 102, 0x0401, 4, std::string("xy\0\0", 4)); // other message code: still walked
    record(b, 101, "beta");
    record(b, -5, "neg");
    put16(b, 0);
    record(b, 103, "after the end");
    int n = 0;
    EXPECT_EQ(
        walk(b, &n),
        (std::vector<Seen>{
            {101, 0x403, "alpha"}, {102, 0x401, "xy"}, {101, 0x403, "beta"}, {-5, 0x403, "neg"}}));
    EXPECT_EQ(n, 4);
}

TEST(DlgInit, EndsWithoutTerminatorWhenFewerThanEightBytesRemain) {
    Bytes b;
    record(b, 7, "x");
    put16(b, 9);
    put16(b, 0x403); // a header cut short
    EXPECT_EQ(walk(b), (std::vector<Seen>{{7, 0x403, "x"}}));
    EXPECT_TRUE(walk(Bytes{}).empty());
    EXPECT_EQ(FXDLGINITWALK(nullptr, 100, [](const XDLGINITREC&) { FAIL(); }), 0);
}

TEST(DlgInit, OnlyTheLowSixteenBitsOfTheLengthCount) {
    Bytes b;
    record(b, 7, XDLGINIT_ADDSTRING, 0x00050003u, std::string("ab\0", 3));
    record(b, 8, "next");
    EXPECT_EQ(walk(b), (std::vector<Seen>{{7, 0x403, "ab"}, {8, 0x403, "next"}}));
}

TEST(DlgInit, ZeroLengthRecordsMoveOn) {
    Bytes b;
    record(b, 7, XDLGINIT_ADDSTRING, 0, "");
    record(b, 8, "x");
    EXPECT_EQ(walk(b), (std::vector<Seen>{{7, 0x403, ""}, {8, 0x403, "x"}}));
}

TEST(DlgInit, LyingLengthsEndTheWalk) {
    // Data running one byte past the end: that record is not given, nothing is read.
    Bytes b;
    record(b, 7, "ok");
    record(b, 8, XDLGINIT_ADDSTRING, 6, std::string("abcde", 5));
    EXPECT_EQ(walk(b), (std::vector<Seen>{{7, 0x403, "ok"}}));

    // A huge length: no wrap-around of the offset.
    Bytes h;
    record(h, 8, XDLGINIT_ADDSTRING, 0x7FFF, "abc");
    EXPECT_TRUE(walk(h).empty());

    // Negative lengths would step backwards, -8 onto the same record for ever.
    for (std::uint32_t len : {0xFFF8u, 0xFFFFu, 0x8000u, 0x0001FFF8u}) {
        Bytes n;
        record(n, 7, "ok");
        record(n, 8, XDLGINIT_ADDSTRING, len, std::string("zzzzzzzz", 8));
        record(n, 9, "never");
        EXPECT_EQ(walk(n), (std::vector<Seen>{{7, 0x403, "ok"}})) << std::hex << len;
    }
}

TEST(DlgInit, TextStopsAtTheRecordsEndWhenItHasNoNul) {
    Bytes b;
    record(b, 7, XDLGINIT_ADDSTRING, 3, "abc");
    record(b, 8, XDLGINIT_ADDSTRING, 4, "defg"); // the last bytes of the resource
    EXPECT_EQ(walk(b), (std::vector<Seen>{{7, 0x403, "abc"}, {8, 0x403, "defg"}}));
}

} // namespace
