// The .bmp file layout written by XSAVEBITMAP.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ZEBGDIcore.h"

namespace {

std::uint32_t u32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace

TEST(GdiBmp, DepthsRoundUpToSupportedOnes) {
    const std::vector<std::pair<int, int>> cases{{1, 1},   {-7, 4},  {0, 4},   {2, 4},   {3, 4},
                                                 {4, 4},   {5, 8},   {8, 8},   {9, 16},  {16, 16},
                                                 {17, 24}, {20, 24}, {24, 24}, {25, 32}, {99, 32}};
    for (auto [in, out] : cases) EXPECT_EQ(PXBMPDEPTH(in), out) << in;
}

TEST(GdiBmp, LayoutPerDepth) {
    struct Case {
        int bpp;
        std::uint32_t colours, row, offset;
    };
    // 10 x 2 pixels at every depth.
    for (const Case& c :
         {Case{1, 2, 4, 62}, Case{4, 16, 8, 118}, Case{8, 256, 12, 1078},
          Case{16, 65536, 20, 54 + 4 * 65536}, Case{24, 0, 32, 54}, Case{32, 0, 40, 54}}) {
        XBMPLAYOUT l;
        ASSERT_TRUE(PXBMPLAYOUT(10, 2, c.bpp, l));
        EXPECT_EQ(l.iBitsPerPixel, c.bpp);
        EXPECT_EQ(l.nColours, c.colours) << c.bpp;
        EXPECT_EQ(l.iRowSize, c.row) << c.bpp;
        EXPECT_EQ(l.iImageSize, 2 * c.row) << c.bpp;
        EXPECT_EQ(l.iOffBits, c.offset) << c.bpp;
        EXPECT_EQ(l.iFileSize, c.offset + 2 * c.row) << c.bpp;
    }
    XBMPLAYOUT l;
    ASSERT_TRUE(PXBMPLAYOUT(10, 2, 20, l));
    EXPECT_EQ(l.iFileSize, 118u) << "20 bits saves at 24: 14 + 40 + 64";
    ASSERT_TRUE(PXBMPLAYOUT(1, 1, 3, l));
    EXPECT_EQ(l.iBitsPerPixel, 4);
    EXPECT_EQ(l.nColours, 16u);
}

TEST(GdiBmp, RefusesEmptyAndOversizedBitmaps) {
    XBMPLAYOUT l;
    EXPECT_FALSE(PXBMPLAYOUT(0, 5, 24, l));
    EXPECT_FALSE(PXBMPLAYOUT(5, -1, 24, l));
    EXPECT_FALSE(PXBMPLAYOUT(70000, 70000, 32, l)) << "sizes must fit 32 bits";
    EXPECT_TRUE(PXBMPLAYOUT(2147483647, 1, 1, l));
    EXPECT_EQ(l.iRowSize, 268435456u);
}

TEST(GdiBmp, HeaderBytes) {
    XBMPLAYOUT l;
    ASSERT_TRUE(PXBMPLAYOUT(10, 2, 1, l));
    unsigned char h[XBMP_HEADERSIZE];
    PXBMPHEADERS(l, 10, 2, h);
    const unsigned char expected[XBMP_HEADERSIZE] = {
        'B',  'M',  70, 0, 0,    0,           // file size: 62 + 2 rows of 4
        0,    0,    0,  0,                    // reserved
        62,   0,    0,  0,                    // pixel data offset
        40,   0,    0,  0,                    // header size
        10,   0,    0,  0, 2,    0,    0, 0,  // width, height (bottom-up)
        1,    0,    1,  0,                    // planes, bits per pixel
        0,    0,    0,  0, 8,    0,    0, 0,  // compression, image size
        0xC4, 0x0E, 0,  0, 0xC4, 0x0E, 0, 0,  // 3780 pixels per metre
        2,    0,    0,  0, 0,    0,    0, 0}; // colours used, important
    for (int i = 0; i < XBMP_HEADERSIZE; ++i) EXPECT_EQ(h[i], expected[i]) << "byte " << i;

    ASSERT_TRUE(PXBMPLAYOUT(3, 4, 16, l));
    PXBMPHEADERS(l, 3, 4, h);
    EXPECT_EQ(u32(h + 2), 54u + 4 * 65536 + 4 * 8);
    EXPECT_EQ(h[28], 16);
    EXPECT_EQ(u32(h + 46), 65536u);
}
