// Bitmaps, bitmap files and memory contexts on the real API.
#include "ZEBGDI.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gdiprobe.h"

namespace {

constexpr int WHITE = 0xFFFFFF, BLACK = 0, RED = 0x0000FF, GREEN = 0x00FF00, BLUE = 0xFF0000;
constexpr int RESOURCE_BMP = 10; // bitmap_test.rc: 16 x 16 quadrants, black pixel at (0, 0)

std::string tempFile(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "zebgdi_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// The pixels of a bitmap, row by row, read through a memory context.
std::vector<int> pixels(HBITMAP h, int w, int ht) {
    std::vector<int> v;
    const HDC m = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(m, h);
    for (int y = 0; y < ht; ++y)
        for (int x = 0; x < w; ++x) v.push_back(static_cast<int>(GetPixel(m, x, y)));
    SelectObject(m, old);
    DeleteDC(m);
    return v;
}

class GdiBitmaps : public testing::Test {
  protected:
    void SetUp() override {
        dc = XMEMORYDC(100, 100);
        ASSERT_NE(dc.hDC, nullptr);
        clear();
    }
    void TearDown() override {
        if (bmp.hBmp) XDELETEBITMAP(bmp);
        EXPECT_TRUE(XDELETEDC(dc));
    }
    void clear() { PatBlt(dc.hDC, 0, 0, 100, 100, WHITENESS); }
    XTESTINK ink() const { return XTEST_INK(dc.hDC, 100, 100, WHITE); }
    int at(int x, int y) const { return static_cast<int>(GetPixel(dc.hDC, x, y)); }
    // A pattern whose every pixel differs from its neighbours: colour from the coordinates.
    static int shade(int x, int y) { return XRGB(x * 9, y * 7, 50 + x + y); }
    void paintPattern() {
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                SetPixelV(dc.hDC, x, y, static_cast<COLORREF>(shade(x, y)));
    }

    XDC dc;
    XBITMAP bmp;
};

} // namespace

TEST_F(GdiBitmaps, LoadFromResources) {
    ASSERT_TRUE(PXCREATEBITMAP_RSRC(bmp, RESOURCE_BMP));
    EXPECT_EQ(bmp.iWidth, 16);
    EXPECT_EQ(bmp.iHeight, 16);
    XBITMAP big;
    ASSERT_TRUE(PXCREATEBITMAP_RSRC(big, RESOURCE_BMP, 0, 32, 24, GetModuleHandleA(nullptr)));
    EXPECT_EQ(big.iWidth, 32);
    EXPECT_EQ(big.iHeight, 24);
    XDELETEBITMAP(big);

    XBITMAP none{reinterpret_cast<HBITMAP>(1), 5, 5};
    EXPECT_FALSE(PXCREATEBITMAP_RSRC(none, 99));
    EXPECT_EQ(none.hBmp, nullptr);
    EXPECT_EQ(none.iWidth + none.iHeight, 0);
    EXPECT_FALSE(PXCREATEBITMAP_RSRC(none, 0x10000)) << "not a 16-bit resource identifier";
    EXPECT_FALSE(PXCREATEBITMAP_RSRC(none, -3));
    EXPECT_FALSE(PXCREATEBITMAP_FILE(none, tempFile("missing.bmp")));
    EXPECT_EQ(none.hBmp, nullptr);
}

TEST_F(GdiBitmaps, PlacePlainStretchedAndWithRasterOperation) {
    ASSERT_TRUE(PXCREATEBITMAP_RSRC(bmp, RESOURCE_BMP));
    XSETVIEWPORT(dc, 5, 5, 100, 100);
    EXPECT_TRUE(XPLACEBITMAP(dc, bmp, 0, 0));
    XTESTINK i = ink();
    EXPECT_EQ(i.n, 16 * 16 - 8 * 8) << "the white quadrant matches the background";
    EXPECT_EQ(i.left, 5);
    EXPECT_EQ(i.right, 20);
    EXPECT_EQ(i.bottom, 20);
    EXPECT_EQ(at(5, 5), BLACK);
    EXPECT_EQ(at(6, 5), RED);
    EXPECT_EQ(at(20, 5), GREEN);
    EXPECT_EQ(at(5, 20), BLUE);
    EXPECT_EQ(at(20, 20), WHITE);

    clear();
    EXPECT_TRUE(XPLACEBITMAP(dc, bmp, 0, 0, 32, 32));
    i = ink();
    EXPECT_EQ(i.right, 36);
    EXPECT_EQ(i.bottom, 36);
    EXPECT_EQ(at(6, 6), BLACK) << "double size";
    EXPECT_EQ(at(7, 5), RED);
    EXPECT_EQ(at(36, 5), GREEN);

    clear();
    XSETWINDOW(dc, 0, 0, 47.5f, 47.5f); // two pixels per world unit
    EXPECT_TRUE(XPLACEBITMAP_W(dc, bmp, 5.0f, 5.0f, 13.0f, 13.0f));
    i = ink();
    EXPECT_EQ(i.left, 15);
    EXPECT_EQ(i.right, 30);
    EXPECT_TRUE(XPLACEBITMAP_W(dc, bmp, 20.0f, 20.0f, 30.0f)); // one corner missing: unscaled
    EXPECT_EQ(ink().right, 60);

    clear();
    XSETVIEWPORT(dc, 0, 0, 100, 100);
    EXPECT_TRUE(XPLACEBITMAP(dc, bmp, 0, 0, std::nullopt, std::nullopt, NOTSRCCOPY));
    EXPECT_EQ(at(0, 0), WHITE);
    EXPECT_EQ(at(1, 0), 0xFFFF00);

    clear();
    EXPECT_FALSE(XPLACEBITMAP(dc, XBITMAP{}, 0, 0));
    EXPECT_EQ(ink().n, 0);
}

TEST_F(GdiBitmaps, GetBitmapWithCornersInAnyOrder) {
    paintPattern();
    ASSERT_TRUE(XGETBITMAP(dc, bmp, 10, 20, 20, 30));
    EXPECT_EQ(bmp.iWidth, 10);
    EXPECT_EQ(bmp.iHeight, 10);
    const std::vector<int> straight = pixels(bmp.hBmp, 10, 10);
    EXPECT_EQ(straight.front(), shade(10, 20));
    EXPECT_EQ(straight.back(), shade(19, 29)) << "the larger corner is excluded";
    for (auto [x1, y1, x2, y2] : {std::array<int, 4>{20, 30, 10, 20}, {20, 20, 10, 30}}) {
        XBITMAP other;
        ASSERT_TRUE(XGETBITMAP(dc, other, x1, y1, x2, y2));
        EXPECT_EQ(pixels(other.hBmp, 10, 10), straight);
        XDELETEBITMAP(other);
    }

    XBITMAP scaled;
    XSETVIEWPORT(dc, 5, 5, 100, 100);
    ASSERT_TRUE(XGETBITMAP(dc, scaled, 5, 15, 15, 25, 20, 20));
    EXPECT_EQ(scaled.iWidth, 20);
    const std::vector<int> px = pixels(scaled.hBmp, 20, 20);
    EXPECT_EQ(px[0], shade(10, 20));
    EXPECT_EQ(px[2 * 20 + 4], shade(12, 21));
    XDELETEBITMAP(scaled);

    XBITMAP world;
    XSETWINDOW(dc, 0, 0, 190, 190); // half a pixel per world unit
    ASSERT_TRUE(XGETBITMAP_W(dc, world, 10.0f, 30.0f, 30.0f, 50.0f));
    EXPECT_EQ(world.iWidth, 10);
    EXPECT_EQ(pixels(world.hBmp, 10, 10), straight);
    XDELETEBITMAP(world);
}

TEST_F(GdiBitmaps, BitCopyBetweenContexts) {
    paintPattern();
    XDC dst = XMEMORYDC(100, 100);
    PatBlt(dst.hDC, 0, 0, 100, 100, WHITENESS);
    EXPECT_TRUE(XBITCOPY(dc, 16, 26, 12, 22, dst, 0, 0));
    XTESTINK i = XTEST_INK(dst.hDC, 100, 100, WHITE);
    EXPECT_EQ(i.n, 16) << "4 x 4: the larger corner is excluded";
    EXPECT_EQ(GetPixel(dst.hDC, 3, 3), COLORREF(shade(15, 25)));

    EXPECT_TRUE(XBITCOPY(dc, 12, 22, 16, 26, dst, 48, 48, 40, 40));
    i = XTEST_INK(dst.hDC, 100, 100, WHITE);
    EXPECT_EQ(i.n, 16 + 64);
    EXPECT_EQ(i.right, 47);
    EXPECT_EQ(GetPixel(dst.hDC, 47, 47), COLORREF(shade(15, 25)));

    PatBlt(dst.hDC, 0, 0, 100, 100, WHITENESS);
    XSETWINDOW(dst, 0, 0, 50, 50);
    XSETVIEWPORT(dc, 10, 0, 100, 100);
    XSETWINDOW(dc, 0, 0, 90, 100);
    EXPECT_TRUE(XBITCOPY_W(dc, 2.0f, 22.0f, 6.0f, 26.0f, dst, 5.0f, 5.0f, 7.0f, 7.0f));
    i = XTEST_INK(dst.hDC, 100, 100, WHITE);
    EXPECT_EQ(i.left, 10);
    EXPECT_EQ(i.right, 13);
    EXPECT_EQ(GetPixel(dst.hDC, 10, 10), COLORREF(shade(12, 22)));
    XDELETEDC(dst);
}

TEST_F(GdiBitmaps, DeleteEmptiesTheRecordOnlyOnSuccess) {
    XBITMAP empty{nullptr, 5, 6};
    EXPECT_FALSE(XDELETEBITMAP(empty));
    EXPECT_EQ(empty.iWidth, 5);
    ASSERT_TRUE(PXCREATEBITMAP_RSRC(bmp, RESOURCE_BMP));
    const HBITMAP h = bmp.hBmp;
    EXPECT_TRUE(XDELETEBITMAP(bmp));
    EXPECT_EQ(bmp.hBmp, nullptr);
    EXPECT_EQ(bmp.iWidth + bmp.iHeight, 0);
    EXPECT_EQ(GetObjectType(h), 0u);
}

TEST_F(GdiBitmaps, SavedFilesHaveTheLayoutAndReadBack) {
    // 10 x 2: K W R G B K W R G B over W K B G R W K B G R.
    const int cols[] = {BLACK, WHITE, RED, GREEN, BLUE};
    const int row1[] = {WHITE, BLACK, BLUE, GREEN, RED};
    for (int x = 0; x < 10; ++x) {
        SetPixelV(dc.hDC, x, 0, COLORREF(cols[x % 5]));
        SetPixelV(dc.hDC, x, 1, COLORREF(row1[x % 5]));
    }
    ASSERT_TRUE(XGETBITMAP(dc, bmp, 0, 0, 10, 2));
    const std::string path = tempFile("save.bmp");

    for (int depth : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(depth);
        ASSERT_TRUE(XSAVEBITMAP(bmp, path + "   ", depth)) << "trailing blanks are padding";
        const std::vector<unsigned char> f = readFile(path);
        XBMPLAYOUT layout;
        ASSERT_TRUE(PXBMPLAYOUT(10, 2, depth, layout));
        ASSERT_EQ(f.size(), layout.iFileSize);
        unsigned char head[XBMP_HEADERSIZE];
        PXBMPHEADERS(layout, 10, 2, head);
        EXPECT_TRUE(std::equal(head, head + XBMP_HEADERSIZE, f.begin()));
        const unsigned char* pix = f.data() + layout.iOffBits;
        if (depth == 1) {
            const unsigned char table[8] = {0, 0, 0, 0, 255, 255, 255, 0};
            EXPECT_TRUE(std::equal(table, table + 8, f.begin() + 54));
            EXPECT_EQ(pix[0] & 0xC6, 0x84) << "bottom row first: W K . . . W K";
            EXPECT_EQ(pix[4] & 0xC6, 0x42) << "then the top row: K W . . . K W";
        }
        if (depth == 24) {
            const unsigned char bottom[] = {255, 255, 255, 0, 0, 0, 255, 0,
                                            0,   0,   255, 0, 0, 0, 255};
            EXPECT_TRUE(std::equal(bottom, bottom + 15, pix));
            EXPECT_TRUE(std::equal(bottom, bottom + 15, pix + 15));
            EXPECT_EQ(pix[30] | pix[31], 0) << "rows padded to 32 bytes";
            const unsigned char top[] = {0, 0, 0, 255, 255, 255, 0, 0, 255};
            EXPECT_TRUE(std::equal(top, top + 9, pix + 32));
        }

        // Read back by the platform and by the loader.
        const HANDLE h = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                    LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        ASSERT_NE(h, nullptr);
        BITMAP b{};
        GetObjectA(h, sizeof b, &b);
        EXPECT_EQ(b.bmWidth, 10);
        EXPECT_EQ(b.bmHeight, 2);
        EXPECT_EQ(b.bmBitsPixel, depth);
        const std::vector<int> back = pixels(static_cast<HBITMAP>(h), 10, 2);
        for (int x = 0; x < 10; ++x) {
            if (depth > 1 || cols[x % 5] == BLACK || cols[x % 5] == WHITE) {
                EXPECT_EQ(back[x], cols[x % 5]) << x;
            }
            if (depth > 1 || row1[x % 5] == BLACK || row1[x % 5] == WHITE) {
                EXPECT_EQ(back[10 + x], row1[x % 5]) << x;
            }
        }
        DeleteObject(h);
        XBITMAP loaded;
        ASSERT_TRUE(PXCREATEBITMAP_FILE(loaded, path + "  "));
        EXPECT_EQ(loaded.iWidth, 10);
        EXPECT_EQ(loaded.iHeight, 2);
        XDELETEBITMAP(loaded);
    }

    ASSERT_TRUE(XSAVEBITMAP(bmp, path, 3));
    EXPECT_EQ(readFile(path).size(), 54u + 16 * 4 + 2 * 8) << "3 bits save at 4";
    ASSERT_TRUE(XSAVEBITMAP(bmp, path, 20));
    EXPECT_EQ(readFile(path).size(), 118u) << "20 bits save at 24";
    ASSERT_TRUE(XSAVEBITMAP(bmp, path));
    EXPECT_EQ(readFile(path)[28], 32) << "the bitmap's own depth";
    DeleteFileA(path.c_str());

    EXPECT_FALSE(XSAVEBITMAP(XBITMAP{}, path));
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing written";
    EXPECT_FALSE(XSAVEBITMAP(bmp, tempFile("no such dir\\x.bmp")));
}

TEST(GdiMemoryDC, LifecycleAndMapping) {
    XDC m = XMEMORYDC(100, 50);
    ASSERT_NE(m.hDC, nullptr);
    int x1, y1, x2, y2;
    XGETVIEWPORT(m, x1, y1, x2, y2);
    EXPECT_EQ(x1 + y1, 0);
    EXPECT_EQ(x2, 100);
    EXPECT_EQ(y2, 50);
    int vx, vy;
    XWND2VIEW_1(m, 37.0f, 12.0f, vx, vy);
    EXPECT_EQ(vx, 37) << "world and view coincide";
    EXPECT_EQ(vy, 12);
    BITMAP b{};
    ASSERT_TRUE(GetObjectA(GetCurrentObject(m.hDC, OBJ_BITMAP), sizeof b, &b));
    EXPECT_EQ(b.bmWidth, 100);
    EXPECT_EQ(b.bmHeight, 50);

    XDC child = XMEMORYDC(8, 4, m.hDC);
    ASSERT_NE(child.hDC, nullptr);
    EXPECT_EQ(child.cxView, 8);
    XDC fromNull = XMEMORYDC(8, 4, nullptr);
    ASSERT_NE(fromNull.hDC, nullptr) << "a null reference stands for the screen";
    EXPECT_EQ(fromNull.cyView, 4);

    ASSERT_TRUE(XSETFONT(m, "Tahoma", 10));
    const HDC h = m.hDC;
    EXPECT_TRUE(XDELETEDC(m));
    EXPECT_EQ(m.hDC, nullptr);
    EXPECT_EQ(GetObjectType(h), 0u);
    EXPECT_EQ(GetObjectType(m.hFont), DWORD(OBJ_FONT)) << "the font is the record's";
    DeleteObject(m.hFont);
    EXPECT_TRUE(XDELETEDC(child));
    EXPECT_TRUE(XDELETEDC(fromNull));
    XDC none{};
    EXPECT_FALSE(XDELETEDC(none));
}

TEST_F(GdiBitmaps, NoObjectsLeak) {
    ASSERT_TRUE(PXCREATEBITMAP_RSRC(bmp, RESOURCE_BMP));
    const std::string path = tempFile("leak.bmp");
    const auto round = [&](int k) {
        XDC m = XMEMORYDC(30 + k % 5, 20, k % 2 ? std::optional<HDC>(dc.hDC) : std::nullopt);
        XPLACEBITMAP(m, bmp, 0, 0);
        XPLACEBITMAP(dc, bmp, 1, 1, 40, 40);
        XBITMAP got;
        XGETBITMAP(m, got, 0, 0, 10, 10, k % 3 ? std::optional<int>(20) : std::nullopt, 20);
        XBITCOPY(m, 0, 0, 10, 10, dc, 50, 50, 70, 70);
        if (k % 50 == 0) {
            XSAVEBITMAP(got, path, 1 + k % 32);
            XBITMAP loaded;
            PXCREATEBITMAP_FILE(loaded, path);
            XDELETEBITMAP(loaded);
        }
        XDELETEBITMAP(got);
        XBITMAP res;
        PXCREATEBITMAP_RSRC(res, RESOURCE_BMP);
        XDELETEBITMAP(res);
        XDELETEDC(m);
    };
    round(0);
    const int before = XTEST_GDIOBJECTS();
    for (int k = 1; k < 2001; ++k) round(k);
    EXPECT_EQ(XTEST_GDIOBJECTS(), before);
    DeleteFileA(path.c_str());
}
