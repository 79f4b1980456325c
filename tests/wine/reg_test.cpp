// Registry access on the real API, in a scratch key under HKEY_CURRENT_USER that each case
// creates and deletes: round trips of every program type with the stored bytes checked
// through the system, the open modes, the system's error codes and deletion of a key tree.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ZEBReg.h"

namespace {

const std::string kScratch = "Software\\ZEBTest\\Reg" + std::to_string(GetCurrentProcessId());

// What the system holds for a value: its type and bytes.
struct Stored {
    DWORD type = 0;
    std::vector<unsigned char> bytes;
};
Stored pxstored(HKEY h, const char* name) {
    Stored s;
    DWORD n = 0;
    if (RegQueryValueExA(h, name, nullptr, &s.type, nullptr, &n) != ERROR_SUCCESS) return s;
    s.bytes.resize(n);
    RegQueryValueExA(h, name, nullptr, &s.type, s.bytes.data(), &n);
    s.bytes.resize(n);
    return s;
}
std::vector<unsigned char> pxbytes(const void* p, std::size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    return {b, b + n};
}

class Reg : public ::testing::Test {
  protected:
    void SetUp() override {
        LONG err = -1;
        hKey = XREGOPEN(HKEY_CURRENT_USER, kScratch, std::nullopt, std::nullopt, err);
        ASSERT_NE(hKey, nullptr);
        ASSERT_EQ(err, ERROR_SUCCESS);
    }
    void TearDown() override {
        XREGCLOSE(hKey);
        XREGDELETEKEY(HKEY_CURRENT_USER, kScratch);
    }
    HKEY hKey = nullptr;
};

TEST_F(Reg, TextIsStoredWithItsDeclaredLengthAndReadBackPadded) {
    ASSERT_EQ(PXREGWRITECHAR(hKey, "Name      ", std::string("abc       ")), ERROR_SUCCESS);
    const Stored s = pxstored(hKey, "Name");
    EXPECT_EQ(s.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(s.bytes, pxbytes("abc\0       ", 11));

    std::string t(10, 'x');
    EXPECT_EQ(PXREGREADCHAR(hKey, "Name", t), ERROR_SUCCESS);
    EXPECT_EQ(t, "abc       ");
    std::string longer(20, 'x');
    EXPECT_EQ(PXREGREADCHAR(hKey, "Name", longer), ERROR_SUCCESS);
    EXPECT_EQ(longer, "abc" + std::string(17, ' '));
    std::string shorter = "zzzzz";
    EXPECT_EQ(PXREGREADCHAR(hKey, "Name", shorter), ERROR_MORE_DATA);
    EXPECT_EQ(shorter, "zzzzz");

    // A text stored without any NUL within the received bytes reads as blanks.
    ASSERT_EQ(RegSetValueExA(hKey, "Raw", 0, REG_BINARY, reinterpret_cast<const BYTE*>("abc"), 3),
              ERROR_SUCCESS);
    std::string raw(6, 'x');
    EXPECT_EQ(PXREGREADCHAR(hKey, "Raw", raw), ERROR_SUCCESS);
    EXPECT_EQ(raw, "      ");
}

TEST_F(Reg, TextsOneCharacterTooLongOrWithoutTerminator) {
    // A full variable stores its L characters and the NUL, nothing more.
    ASSERT_EQ(PXREGWRITECHAR(hKey, "Full", std::string("abcd")), ERROR_SUCCESS);
    EXPECT_EQ(pxstored(hKey, "Full").bytes, pxbytes("abcd", 5));
    std::string three = "xyz";
    EXPECT_EQ(PXREGREADCHAR(hKey, "Full", three), ERROR_MORE_DATA);
    EXPECT_EQ(three, "xyz");
    std::string four = "wxyz";
    EXPECT_EQ(PXREGREADCHAR(hKey, "Full", four), ERROR_SUCCESS);
    EXPECT_EQ(four, "abcd");

    // A string value stored without its terminator is still its text where it fits.
    const char bare[] = "abcX";
    ASSERT_EQ(RegSetValueExA(hKey, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(bare), 3),
              ERROR_SUCCESS);
    std::string six(6, 'x');
    EXPECT_EQ(PXREGREADCHAR(hKey, "Bare", six), ERROR_SUCCESS);
    EXPECT_EQ(six, "abc   ");
    std::string two = "qq";
    EXPECT_EQ(PXREGREADCHAR(hKey, "Bare", two), ERROR_MORE_DATA);
    EXPECT_EQ(two, "qq");
}

TEST_F(Reg, NumbersAndLogicalsAreDoubleWordsOfTheirBits) {
    ASSERT_EQ(PXREGWRITEINT(hKey, "Int", -123456), ERROR_SUCCESS);
    ASSERT_EQ(PXREGWRITELOG(hKey, "True", true), ERROR_SUCCESS);
    ASSERT_EQ(PXREGWRITELOG(hKey, "False", false), ERROR_SUCCESS);
    ASSERT_EQ(PXREGWRITEREAL(hKey, "Real", 2.5f), ERROR_SUCCESS);
    const std::int32_t minus = -123456, allBits = -1, zero = 0;
    const float real = 2.5f;
    for (const auto& [name, bits] :
         {std::pair{"Int", pxbytes(&minus, 4)}, std::pair{"True", pxbytes(&allBits, 4)},
          std::pair{"False", pxbytes(&zero, 4)}, std::pair{"Real", pxbytes(&real, 4)}}) {
        const Stored s = pxstored(hKey, name);
        EXPECT_EQ(s.type, static_cast<DWORD>(REG_DWORD)) << name;
        EXPECT_EQ(s.bytes, bits) << name;
    }

    int i = 0;
    EXPECT_EQ(PXREGREADINT(hKey, "Int", i), ERROR_SUCCESS);
    EXPECT_EQ(i, -123456);
    EXPECT_EQ(PXREGREADINT(hKey, "True", i), ERROR_SUCCESS);
    EXPECT_EQ(i, -1);
    EXPECT_EQ(PXREGREADINT(hKey, "Real", i), ERROR_SUCCESS);
    std::int32_t realBits;
    std::memcpy(&realBits, &real, 4);
    EXPECT_EQ(i, realBits);

    bool b = false;
    EXPECT_EQ(PXREGREADLOG(hKey, "True", b), ERROR_SUCCESS);
    EXPECT_TRUE(b);
    EXPECT_EQ(PXREGREADLOG(hKey, "False", b), ERROR_SUCCESS);
    EXPECT_FALSE(b);
    float r = 0;
    EXPECT_EQ(PXREGREADREAL(hKey, "Real", r), ERROR_SUCCESS);
    EXPECT_EQ(r, 2.5f);
}

TEST_F(Reg, ShortAndLongValuesInNumericReads) {
    // Fewer than 4 bytes stored: only the leading bytes change.
    const unsigned char two[] = {0x34, 0x12};
    ASSERT_EQ(RegSetValueExA(hKey, "Two", 0, REG_BINARY, two, 2), ERROR_SUCCESS);
    int i = static_cast<int>(0xAABBCCDD);
    EXPECT_EQ(PXREGREADINT(hKey, "Two", i), ERROR_SUCCESS);
    EXPECT_EQ(static_cast<unsigned>(i), 0xAABB1234u);

    // More than 4 bytes: 234 and nothing changes.
    ASSERT_EQ(PXREGWRITECHAR(hKey, "Text", std::string("long text")), ERROR_SUCCESS);
    i = 77;
    EXPECT_EQ(PXREGREADINT(hKey, "Text", i), ERROR_MORE_DATA);
    EXPECT_EQ(i, 77);
    float r = 1.5f;
    EXPECT_EQ(PXREGREADREAL(hKey, "Text", r), ERROR_MORE_DATA);
    EXPECT_EQ(r, 1.5f);
    bool b = true;
    EXPECT_EQ(PXREGREADLOG(hKey, "Text", b), ERROR_MORE_DATA);
    EXPECT_TRUE(b);
}

TEST_F(Reg, MemoryBlocksRoundTripAsStrings) {
    struct Rec {
        std::int32_t a;
        char name[6];
        std::int16_t b;
    } in{0x01020304, "hello", -2}, out{};
    ASSERT_EQ(PXREGWRITETYPE(hKey, "Block", &in, sizeof in), ERROR_SUCCESS);
    const Stored s = pxstored(hKey, "Block");
    EXPECT_EQ(s.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(s.bytes, pxbytes(&in, sizeof in));
    EXPECT_EQ(PXREGREADTYPE(hKey, "Block", &out, sizeof out), ERROR_SUCCESS);
    EXPECT_EQ(std::memcmp(&in, &out, sizeof in), 0);

    char small[4] = {'k', 'e', 'e', 'p'};
    EXPECT_EQ(PXREGREADTYPE(hKey, "Block", small, sizeof small), ERROR_MORE_DATA);
    EXPECT_EQ(std::string(small, 4), "keep");
}

TEST_F(Reg, MissingValuesAndKeysGiveTheSystemCodesAndChangeNothing) {
    int i = 42;
    EXPECT_EQ(PXREGREADINT(hKey, "Missing", i), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(i, 42);
    std::string t = "keep";
    EXPECT_EQ(PXREGREADCHAR(hKey, "Missing", t), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(t, "keep");
    EXPECT_EQ(XREGDELETEVALUE(hKey, "Missing"), ERROR_FILE_NOT_FOUND);

    LONG err = 0;
    EXPECT_EQ(XREGOPEN(hKey, "NoSuchKey", std::nullopt, XREG_OPENEXISTING, err), nullptr);
    EXPECT_EQ(err, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(XREGDELETEKEY(hKey, "NoSuchKey"), ERROR_FILE_NOT_FOUND);

    ASSERT_EQ(PXREGWRITEINT(hKey, "Gone", 1), ERROR_SUCCESS);
    EXPECT_EQ(XREGDELETEVALUE(hKey, "Gone  "), ERROR_SUCCESS);
    EXPECT_EQ(PXREGREADINT(hKey, "Gone", i), ERROR_FILE_NOT_FOUND);
}

TEST_F(Reg, BlankNameAddressesTheDefaultValue) {
    ASSERT_EQ(PXREGWRITECHAR(hKey, "    ", std::string("dflt")), ERROR_SUCCESS);
    char buf[16] = {};
    LONG n = sizeof buf;
    ASSERT_EQ(RegQueryValueA(hKey, nullptr, buf, &n), ERROR_SUCCESS);
    EXPECT_STREQ(buf, "dflt");
    std::string t(4, ' ');
    EXPECT_EQ(PXREGREADCHAR(hKey, "", t), ERROR_SUCCESS);
    EXPECT_EQ(t, "dflt");
}

TEST_F(Reg, OpenModesAndAccess) {
    LONG err = -1;
    // Mode 0 creates, mode 1 then finds it, mode 2 refuses it and keeps nothing open.
    HKEY sub = XREGOPEN(hKey, "Sub   ", std::nullopt, XREG_OPENORCREATE, err);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(err, ERROR_SUCCESS);
    EXPECT_EQ(PXREGWRITEINT(sub, "v", 5), ERROR_SUCCESS);
    XREGCLOSE(sub);
    EXPECT_EQ(sub, nullptr);

    sub = XREGOPEN(hKey, "Sub", std::nullopt, XREG_OPENEXISTING, err);
    ASSERT_NE(sub, nullptr);
    int v = 0;
    EXPECT_EQ(PXREGREADINT(sub, "v", v), ERROR_SUCCESS);
    EXPECT_EQ(v, 5);
    XREGCLOSE(sub);

    err = 0;
    EXPECT_EQ(XREGOPEN(hKey, "Sub", std::nullopt, XREG_CREATENEW, err), nullptr);
    EXPECT_EQ(err, ERROR_FILE_EXISTS);
    sub = XREGOPEN(hKey, "Fresh", std::nullopt, XREG_CREATENEW, err);
    EXPECT_NE(sub, nullptr);
    EXPECT_EQ(err, ERROR_SUCCESS);
    XREGCLOSE(sub);

    // A key opened for reading only refuses writes with the system's code.
    sub = XREGOPEN(hKey, "Sub", KEY_QUERY_VALUE, XREG_OPENEXISTING);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(PXREGWRITEINT(sub, "v", 6), ERROR_ACCESS_DENIED);
    EXPECT_EQ(PXREGREADINT(sub, "v", v), ERROR_SUCCESS);
    EXPECT_EQ(v, 5);
    XREGCLOSE(sub);
    XREGCLOSE(sub); // a cleared handle closes nothing
}

TEST_F(Reg, DeletingAKeyRemovesItsWholeTree) {
    HKEY deep = XREGOPEN(hKey, "Tree\\A\\B");
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(PXREGWRITEINT(deep, "x", 1), ERROR_SUCCESS);
    XREGCLOSE(deep);
    HKEY tree = XREGOPEN(hKey, "Tree", std::nullopt, XREG_OPENEXISTING);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(PXREGWRITEINT(tree, "y", 2), ERROR_SUCCESS);
    XREGCLOSE(tree);

    EXPECT_EQ(XREGDELETEKEY(hKey, "Tree  "), ERROR_SUCCESS);
    LONG err = 0;
    EXPECT_EQ(XREGOPEN(hKey, "Tree", std::nullopt, XREG_OPENEXISTING, err), nullptr);
    EXPECT_EQ(err, ERROR_FILE_NOT_FOUND);
}

} // namespace
