// The message-sequence comparison that the window-procedure tests rely on.
#include <gtest/gtest.h>

#include "msgseq.h"

namespace {

constexpr unsigned H = XS_HANDLER, D = XS_DEFAULT, P = XS_POSTED;

TEST(MsgSeq, EqualSequencesMatchAndKindsMatter) {
    const XMSGSEQ want{{0x100, H}, {0x100, D}, {0x102, P}};
    EXPECT_EQ(XMSGSEQ_COMPARE(want, {{0x100, H}, {0x100, D}, {0x102, P}}), "");
    EXPECT_NE(XMSGSEQ_COMPARE(want, {{0x100, H}, {0x100, H}, {0x102, P}}), "");
    EXPECT_NE(XMSGSEQ_COMPARE(want, {{0x100, H}, {0x100, D}}), "") << "missing tail";
    EXPECT_NE(XMSGSEQ_COMPARE(want, {{0x100, H}, {0x100, D}, {0x102, P}, {5, H}}), "")
        << "extra tail";
    EXPECT_EQ(XMSGSEQ_COMPARE({}, {}), "");
}

TEST(MsgSeq, OptionalEntriesMayBeMissingAnywhere) {
    const XMSGSEQ want{{1, H | XS_OPTIONAL}, {2, H}, {3, D | XS_OPTIONAL}};
    EXPECT_EQ(XMSGSEQ_COMPARE(want, {{2, H}}), "");
    EXPECT_EQ(XMSGSEQ_COMPARE(want, {{1, H}, {2, H}, {3, D}}), "");
    EXPECT_NE(XMSGSEQ_COMPARE(want, {{1, H}}), "");
}

TEST(MsgSeq, PinnedParametersAreCompared) {
    const XMSGSEQ want{{0x111, H | XS_WPARAM, 40002, 0}, {0x8001, P | XS_LPARAM, 0, 0x1234}};
    EXPECT_EQ(XMSGSEQ_COMPARE(want, {{0x111, H, 40002, 9}, {0x8001, P, 7, 0x1234}}), "");
    EXPECT_NE(XMSGSEQ_COMPARE(want, {{0x111, H, 40001, 0}, {0x8001, P, 0, 0x1234}}), "");
    EXPECT_NE(XMSGSEQ_COMPARE(want, {{0x111, H, 40002, 0}, {0x8001, P, 0, 0x1235}}), "");
}

TEST(MsgSeq, ListedOnlyPassesOverUnlistedMessages) {
    const XMSGSEQ want{{0x81, D}, {0x1, D}};
    const XMSGSEQ got{{0x24, D}, {0x81, D}, {0x83, D}, {0x1, D}, {0x5, D}};
    EXPECT_EQ(XMSGSEQ_COMPARE(want, got, true), "");
    EXPECT_NE(XMSGSEQ_COMPARE(want, got, false), "");
    EXPECT_NE(XMSGSEQ_COMPARE(want, {{0x1, D}, {0x81, D}}, true), "") << "order still counts";
}

TEST(MsgSeq, ReportShowsBothSequencesAndWhereTheyPart) {
    const std::string r = XMSGSEQ_COMPARE({{0x10, H}, {0x2, D}}, {{0x10, H}, {0x82, D}});
    EXPECT_NE(r.find("expected:"), std::string::npos);
    EXPECT_NE(r.find("actual:"), std::string::npos);
    EXPECT_NE(r.find(" >> msg 0x0002 default"), std::string::npos) << r;
    EXPECT_NE(r.find(" >> msg 0x0082 default"), std::string::npos) << r;
}

} // namespace
