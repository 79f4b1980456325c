// Typed control values on the real controls: for every class the texts, integers, logicals and
// arrays its properties give, read back from the control, and the failures the tables promise
// (false, with the value left as it was).
#include "ctrltest.h"

#include <memory>

namespace {

class CtlValues : public XCtlTest {
  protected:
    // A blank-padded text of n characters, filled with a marker a failed get leaves alone.
    static std::string fixed(int n) { return std::string(static_cast<std::size_t>(n), '#'); }
    std::string gettext(int ID, std::optional<int> prop = std::nullopt, int n = 12) {
        std::string s(static_cast<std::size_t>(n), ' ');
        EXPECT_TRUE(XCTLGETCHAR(w, ID, s, prop)) << "control " << ID;
        return s;
    }
    int getint(int ID, std::optional<int> prop = std::nullopt) {
        int v = -12345;
        EXPECT_TRUE(XCTLGETINT(w, ID, v, prop)) << "control " << ID;
        return v;
    }
    void columns(int ID, int n) { XCTLTEST_LVCOLUMNS(w, ID, n, 60); }
    void rows(int ID, int n) { XCTLTEST_LVROWS(w, ID, n); }
};

TEST_F(CtlValues, StaticsAndGroupBoxesHaveACaptionAndNoValue) {
    make(1, XCC_STATIC);
    make(2, XCC_GROUPBOX, 0, std::nullopt, 10, 40);
    for (int id : {1, 2}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(XCTLSETCHAR(w, id, "Label   "));
        EXPECT_EQ(XCTLTEST_TEXT(ctl(id)), "Label") << "sent without its padding";
        EXPECT_EQ(gettext(id), "Label       ");
        EXPECT_EQ(gettext(id, XPC_CAPTION, 3), "Lab") << "cut to the declared length";
        std::string s = fixed(4);
        EXPECT_FALSE(XCTLGETCHAR(w, id, s, XPC_VALUE));
        EXPECT_EQ(s, "####");
        int v = 7;
        EXPECT_FALSE(XCTLSETINT(w, id, 3));
        EXPECT_FALSE(XCTLGETINT(w, id, v));
        EXPECT_EQ(v, 7);
    }
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "    "));
    EXPECT_EQ(XCTLTEST_TEXT(ctl(1)), " ") << "a blank text is one blank";
    EXPECT_EQ(gettext(1, XPC_CAPTION, 2), "  ");
}

TEST_F(CtlValues, ImagesOfStaticsAndButtonsFollowTheirStyle) {
    make(1, XCC_STATIC, 0, SS_ICON, 10, 10, 32, 32);
    make(2, XCC_STATIC, 0, SS_BITMAP, 50, 10, 32, 32);
    make(3, XCC_STATIC, 0, std::nullopt, 90, 10);
    make(4, XCC_BUTTON, 0x40, std::nullopt, 10, 60, 60, 40);   // icon button
    make(5, XCC_CHECKBOX, 0x80, std::nullopt, 80, 60, 60, 40); // bitmap check box
    make(6, XCC_BUTTON, 0, std::nullopt, 150, 60);
    const HICON hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    const HBITMAP hBmp = CreateBitmap(8, 8, 1, 1, nullptr);

    EXPECT_TRUE(XCTLSETINT(w, 1, hIcon, XPC_ICON));
    EXPECT_TRUE(XCTLSETINT(w, 2, hBmp, XPC_BITMAP));
    EXPECT_TRUE(XCTLSETINT(w, 4, hIcon, XPC_ICON));
    EXPECT_TRUE(XCTLSETINT(w, 5, hBmp, XPC_BITMAP));
    HICON gotIcon = nullptr;
    HBITMAP gotBmp = nullptr;
    EXPECT_TRUE(XCTLGETINT(w, 1, gotIcon, XPC_ICON));
    EXPECT_EQ(gotIcon, hIcon);
    EXPECT_TRUE(XCTLGETINT(w, 2, gotBmp, XPC_BITMAP));
    EXPECT_EQ(gotBmp, hBmp);
    gotIcon = nullptr;
    EXPECT_TRUE(XCTLGETINT(w, 4, gotIcon, XPC_ICON));
    EXPECT_EQ(gotIcon, hIcon);
    gotBmp = nullptr;
    EXPECT_TRUE(XCTLGETINT(w, 5, gotBmp, XPC_BITMAP));
    EXPECT_EQ(gotBmp, hBmp);

    // Styles without images, and the image the style does not show.
    EXPECT_FALSE(XCTLSETINT(w, 3, hIcon, XPC_ICON));
    EXPECT_FALSE(XCTLSETINT(w, 6, hBmp, XPC_BITMAP));
    EXPECT_FALSE(XCTLGETINT(w, 1, gotBmp, XPC_BITMAP));
    EXPECT_FALSE(XCTLGETINT(w, 4, gotBmp, XPC_BITMAP));
    EXPECT_EQ(gotBmp, hBmp) << "unchanged";
    // Images are handles: an integer form with an image code does not compile, and one with
    // the code in a variable carries nothing.
    const int icon = XPC_ICON;
    EXPECT_FALSE(XCTLSETINT(w, 1, 0, icon));

    XCTLDESTROYALL(w);
    DeleteObject(hBmp);
}

TEST_F(CtlValues, ButtonsCheckOnlyWhenTheyAreCheckBoxesOrRadios) {
    make(1, XCC_BUTTON);
    make(2, XCC_CHECKBOX, 0, std::nullopt, 10, 40);
    make(3, XCC_RADIO, 0, std::nullopt, 10, 70);
    make(4, XCC_RADIOMANUAL, 0, std::nullopt, 10, 100);
    bool b = true;
    EXPECT_FALSE(XCTLSETLOG(w, 1, true));
    EXPECT_FALSE(XCTLGETLOG(w, 1, b));
    EXPECT_TRUE(b) << "unchanged";
    for (int id : {2, 3, 4}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(XCTLSETLOG(w, id, true));
        EXPECT_EQ(SendMessageA(ctl(id), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_TRUE(XCTLGETLOG(w, id, b));
        EXPECT_TRUE(b);
        EXPECT_TRUE(XCTLSETLOG(w, id, false, XPC_VALUE));
        EXPECT_TRUE(XCTLGETLOG(w, id, b));
        EXPECT_FALSE(b);
        EXPECT_TRUE(XCTLSETCHAR(w, id, "Option"));
        EXPECT_EQ(gettext(id, std::nullopt, 6), "Option");
    }
}

TEST_F(CtlValues, EditTextAppendInsertLinesCaretAndLimit) {
    make(1, XCC_EDIT, 0x4, std::nullopt, 10, 10, 300, 100); // multi-line
    make(2, XCC_EDIT, 0, std::nullopt, 10, 120);
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "first\r\nsecond"));
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "+more ", XPC_APPEND));
    EXPECT_EQ(XCTLTEST_TEXT(ctl(1)), "first\r\nsecond+more") << "appended at the end";
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "new\r\n", 2));
    EXPECT_EQ(XCTLTEST_TEXT(ctl(1)), "first\r\nnew\r\nsecond+more") << "before line 2";
    EXPECT_FALSE(XCTLSETCHAR(w, 1, "x", 9)) << "no line 9";
    EXPECT_EQ(gettext(1, 3), "second+more ");
    EXPECT_EQ(gettext(1, 2, 2), "ne");
    std::string s = fixed(5);
    EXPECT_FALSE(XCTLGETCHAR(w, 1, s, 7)) << "no line 7";
    EXPECT_EQ(s, "#####");
    EXPECT_EQ(gettext(1, XPC_VALUE, 5), "first");
    EXPECT_FALSE(XCTLSETCHAR(w, 1, "caption", XPC_CAPTION)) << "an edit's text is its value";

    EXPECT_TRUE(XCTLSETCHAR(w, 2, "single"));
    EXPECT_FALSE(XCTLGETCHAR(w, 2, s, 1)) << "lines are read from multi-line edits only";
    EXPECT_TRUE(XCTLSETINT(w, 2, 3)) << "the default is the caret";
    EXPECT_EQ(getint(2), 3);
    EXPECT_TRUE(XCTLSETINT(w, 2, 4, XPC_MAXIMUM));
    EXPECT_EQ(SendMessageA(ctl(2), EM_GETLIMITTEXT, 0, 0), 4);
    EXPECT_FALSE(XCTLSETINT(w, 2, 1, XPC_MINIMUM));
}

TEST_F(CtlValues, ListBoxItemsSelectionAndCount) {
    make(1, XCC_LISTBOX, 0, std::nullopt, 10, 10, 150, 150);
    for (const char* s : {"apple", "banana"}) EXPECT_TRUE(XCTLSETCHAR(w, 1, s));
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "cherry", 3)) << "no item 3 to delete: appended";
    EXPECT_EQ(getint(1, XPC_COUNT), 3);
    EXPECT_EQ(gettext(1, 3), "cherry      ");
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "blueberry", 2));
    EXPECT_EQ(gettext(1, 2), "blueberry   ");
    EXPECT_EQ(getint(1, XPC_COUNT), 3) << "item 2 replaced";

    std::string s = fixed(6);
    EXPECT_FALSE(XCTLGETCHAR(w, 1, s)) << "nothing selected";
    int v = 99;
    EXPECT_FALSE(XCTLGETINT(w, 1, v));
    EXPECT_EQ(v, 99);
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "cher", XPC_SELECTION)) << "by prefix";
    EXPECT_EQ(getint(1), 3);
    EXPECT_EQ(gettext(1), "cherry      ");
    EXPECT_TRUE(XCTLSETINT(w, 1, 2, XPC_VALUE));
    EXPECT_EQ(getint(1, XPC_SELECTION), 2);
    EXPECT_EQ(getint(1, 5), 2) << "an item property reads the selection here";
    EXPECT_FALSE(XCTLSETINT(w, 1, 9, XPC_SELECTION));
    EXPECT_FALSE(XCTLSETCHAR(w, 1, "zzz", XPC_SELECTION));
    EXPECT_FALSE(XCTLGETCHAR(w, 1, s, 9));
    EXPECT_EQ(s, "######");

    EXPECT_TRUE(XCTLSETINT(w, 1, 5)) << "the default is the count";
    EXPECT_EQ(getint(1, XPC_COUNT), 5);
    EXPECT_EQ(gettext(1, 5), "            ");
    EXPECT_TRUE(XCTLSETINT(w, 1, 2));
    EXPECT_EQ(getint(1, XPC_COUNT), 2);
    EXPECT_EQ(getint(1), 2) << "the selection is kept";
    EXPECT_FALSE(XCTLSETINT(w, 1, -1));
}

TEST_F(CtlValues, LongItemsAreReadWithoutOverrunningTheText) {
    make(1, XCC_LISTBOX, 0, std::nullopt, 10, 10, 150, 150);
    make(2, XCC_COMBOLIST, 0, std::nullopt, 10, 170, 150, 150);
    make(3, XCC_STATUSBAR);
    const std::string longText(300, 'L');
    XCTLSETCHAR(w, 1, longText);
    XCTLSETCHAR(w, 2, longText);
    XCTLSETARRAY(w, 3, {100, -1}, XPC_WIDTHS);
    XCTLSETCHAR(w, 3, longText, 1);
    for (int id : {1, 2, 3}) {
        std::string s(4, ' ');
        EXPECT_TRUE(XCTLGETCHAR(w, id, s, 1)) << id;
        EXPECT_EQ(s, "LLLL");
    }
}

TEST_F(CtlValues, MultipleSelectionListBox) {
    make(1, XCC_LISTBOX, 0, LBS_MULTIPLESEL, 10, 10, 150, 150);
    for (int i = 1; i <= 6; ++i) XCTLSETCHAR(w, 1, "item " + std::to_string(i));
    EXPECT_TRUE(XCTLSETINT(w, 1, 2, XPC_SELECTION));
    EXPECT_TRUE(XCTLSETINT(w, 1, 5, XPC_SELECTION)) << "adds to the selection";
    std::vector<int> a;
    ASSERT_TRUE(XCTLGETARRAY(w, 1, a));
    EXPECT_EQ(a, (std::vector<int>{2, 5}));
    EXPECT_FALSE(XCTLGETARRAY(w, 1, a)) << "the array holds values already";
    EXPECT_EQ(a, (std::vector<int>{2, 5}));
    int v = -1;
    EXPECT_TRUE(XCTLGETINT(w, 1, v, 2));
    EXPECT_EQ(v, 5) << "the second selected item";
    EXPECT_FALSE(XCTLGETINT(w, 1, v, 3));
    EXPECT_EQ(v, 0);

    EXPECT_TRUE(XCTLSETARRAY(w, 1, {1, 6}));
    a.clear();
    XCTLGETARRAY(w, 1, a);
    EXPECT_EQ(a, (std::vector<int>{1, 2, 5, 6})) << "earlier selections are kept";
    EXPECT_TRUE(XCTLSETINT(w, 1, 1, 1)) << "item 1 starts a new selection";
    EXPECT_TRUE(XCTLSETINT(w, 1, 4, 2));
    a.clear();
    XCTLGETARRAY(w, 1, a);
    EXPECT_EQ(a, (std::vector<int>{1, 4}));
    EXPECT_FALSE(XCTLSETINT(w, 1, 0, 1));

    std::string s = fixed(3);
    EXPECT_FALSE(XCTLGETCHAR(w, 1, s, XPC_SELECTION));
    EXPECT_FALSE(XCTLSETCHAR(w, 1, "item 3", XPC_SELECTION));
    EXPECT_EQ(s, "###");
}

// Item 0 would reach the system as index -1, which selects every item.
TEST_F(CtlValues, MultipleSelectionListBoxRefusesItemZero) {
    make(1, XCC_LISTBOX, 0, LBS_MULTIPLESEL, 10, 10, 150, 150);
    for (int i = 1; i <= 4; ++i) XCTLSETCHAR(w, 1, "item " + std::to_string(i));
    ASSERT_TRUE(XCTLSETINT(w, 1, 2, XPC_SELECTION));
    EXPECT_FALSE(XCTLSETINT(w, 1, 0, XPC_VALUE));
    EXPECT_FALSE(XCTLSETINT(w, 1, 0, XPC_SELECTION));
    EXPECT_FALSE(XCTLSETINT(w, 1, -3, XPC_SELECTION));
    EXPECT_FALSE(XCTLSETARRAY(w, 1, {3, 0})) << "the element 0 fails";
    std::vector<int> a;
    ASSERT_TRUE(XCTLGETARRAY(w, 1, a));
    EXPECT_EQ(a, (std::vector<int>{2, 3})) << "the element before it was applied";
}

TEST_F(CtlValues, ListBoxTabStopsOnlyWithTheStyle) {
    make(1, XCC_LISTBOX, 0, LBS_USETABSTOPS, 10, 10, 150, 100);
    make(2, XCC_LISTBOX, 0, std::nullopt, 10, 120, 150, 100);
    EXPECT_TRUE(XCTLSETARRAY(w, 1, {20, 40}, XPC_TABSTOPS));
    EXPECT_FALSE(XCTLSETARRAY(w, 2, {20, 40}, XPC_TABSTOPS));
    EXPECT_FALSE(XCTLSETARRAY(w, 2, {1})) << "a single-selection list takes no array";
}

TEST_F(CtlValues, DropDownListItemsAndSelection) {
    make(1, XCC_COMBOLIST, 0, std::nullopt, 10, 10, 150, 150);
    for (const char* s : {"north", "south", "east"}) EXPECT_TRUE(XCTLSETCHAR(w, 1, s));
    EXPECT_EQ(getint(1, XPC_COUNT), 3);
    std::string s = fixed(5);
    int v = 42;
    EXPECT_FALSE(XCTLGETCHAR(w, 1, s));
    EXPECT_FALSE(XCTLGETINT(w, 1, v));
    EXPECT_EQ(s, "#####");
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "sou", XPC_SELECTION));
    EXPECT_EQ(getint(1), 2);
    EXPECT_EQ(gettext(1, XPC_VALUE, 6), "south ");
    EXPECT_TRUE(XCTLSETINT(w, 1, 3, XPC_VALUE));
    EXPECT_EQ(getint(1, XPC_SELECTION), 3);
    EXPECT_EQ(getint(1, 1), 3);
    EXPECT_TRUE(XCTLSETINT(w, 1, 1, 2)) << "an item property sets the selection";
    EXPECT_EQ(getint(1), 1);
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "west", 3));
    EXPECT_EQ(gettext(1, 3, 4), "west");
    EXPECT_TRUE(XCTLSETINT(w, 1, 1)) << "the default is the count";
    EXPECT_EQ(getint(1, XPC_COUNT), 1);
    EXPECT_FALSE(XCTLSETINT(w, 1, 5, XPC_VALUE));
}

TEST_F(CtlValues, EditableComboTextIsItsEditField) {
    make(1, XCC_COMBOEDIT, 0, std::nullopt, 10, 10, 150, 150);
    const HWND hEdit = PXCTLGETEDIT(ctl(1));
    ASSERT_TRUE(hEdit);
    EXPECT_EQ(FXRESOLVECLASSNAME(hEdit), XCC_EDIT);
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "typed"));
    EXPECT_EQ(XCTLTEST_TEXT(hEdit), "typed");
    EXPECT_EQ(gettext(1, std::nullopt, 6), "typed ");
    EXPECT_EQ(gettext(1, XPC_SELECTION, 6), "typed ");
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "one", XPC_APPEND));
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "two", XPC_APPEND));
    EXPECT_TRUE(XCTLSETINT(w, 1, 4)) << "the default is the count";
    EXPECT_EQ(getint(1, XPC_COUNT), 4);
    EXPECT_TRUE(XCTLSETINT(w, 1, 2, XPC_SELECTION));
    EXPECT_EQ(getint(1, XPC_SELECTION), 2);
    EXPECT_EQ(XCTLTEST_TEXT(hEdit), "two");
    int v = 5;
    EXPECT_FALSE(XCTLGETINT(w, 1, v)) << "its value is a text";
    EXPECT_EQ(v, 5);
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "    "));
    std::string s = fixed(3);
    EXPECT_TRUE(XCTLGETCHAR(w, 1, s));
    EXPECT_EQ(s, "   ");
}

TEST_F(CtlValues, TabsCountTextsDataAndSelection) {
    make(1, XCC_TAB, 0, std::nullopt, 10, 10, 300, 150);
    int none = 7;
    EXPECT_FALSE(XCTLGETINT(w, 1, none)) << "no tabs, no selection";
    EXPECT_EQ(none, 0) << "the selection read is 0";
    EXPECT_TRUE(XCTLSETINT(w, 1, 3)) << "the default is the count";
    EXPECT_EQ(getint(1, XPC_COUNT), 3);
    EXPECT_TRUE(GetWindowLongA(ctl(1), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "Alpha", 1));
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "Beta", 2));
    EXPECT_FALSE(XCTLSETCHAR(w, 1, "Gamma")) << "the default item 0 names no tab";
    EXPECT_FALSE(XCTLSETCHAR(w, 1, "Delta", 7));
    EXPECT_EQ(gettext(1, 2, 6), "Beta  ");
    EXPECT_TRUE(XCTLSETINT(w, 1, 555, 3));
    EXPECT_EQ(getint(1, 3), 555);
    int v = 1;
    EXPECT_FALSE(XCTLGETINT(w, 1, v, 9));
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(XCTLSETINT(w, 1, 2, XPC_VALUE));
    EXPECT_EQ(getint(1), 2);
    EXPECT_FALSE(XCTLSETINT(w, 1, 0, XPC_VALUE)) << "no tab 0";
    EXPECT_EQ(getint(1), 2);
    EXPECT_FALSE(XCTLSETINT(w, 1, 4, XPC_SELECTION)) << "there are three tabs";
    EXPECT_EQ(getint(1, XPC_SELECTION), 2);
    EXPECT_TRUE(XCTLSETINT(w, 1, 1));
    EXPECT_EQ(getint(1, XPC_COUNT), 1);
    EXPECT_FALSE(XCTLSETINT(w, 1, -2, XPC_COUNT));
}

TEST_F(CtlValues, ScrollBarRangePageAndClampedPosition) {
    make(1, XCC_SCROLLBAR, 0, std::nullopt, 10, 10, 200, 20);
    EXPECT_TRUE(XCTLSETINT(w, 1, 0, XPC_MINIMUM));
    EXPECT_TRUE(XCTLSETINT(w, 1, 100, XPC_MAXIMUM));
    EXPECT_TRUE(XCTLSETINT(w, 1, 10, XPC_PAGE));
    EXPECT_EQ(getint(1, XPC_MINIMUM), 0);
    EXPECT_EQ(getint(1, XPC_MAXIMUM), 100);
    EXPECT_EQ(getint(1, XPC_PAGE), 10);
    EXPECT_TRUE(XCTLSETINT(w, 1, 500));
    EXPECT_EQ(getint(1), 90);
    EXPECT_TRUE(XCTLSETINT(w, 1, -7));
    EXPECT_EQ(getint(1), 0);
    EXPECT_TRUE(XCTLSETINT(w, 1, 5, XPC_MINIMUM));
    EXPECT_EQ(getint(1, XPC_MAXIMUM), 100) << "the other limit is kept";
    EXPECT_EQ(getint(1, XPC_PAGE), 10);
}

TEST_F(CtlValues, UpDownTrackBarAndProgressRanges) {
    make(1, XCC_UPDOWN, 0, UDS_SETBUDDYINT, 10, 10, 20, 40);
    make(4, XCC_EDIT, 0, std::nullopt, 10, 100, 60, 20);
    make(2, XCC_TRACKBAR, 0, std::nullopt, 40, 10, 200, 30);
    make(3, XCC_PROGRESS, 0, std::nullopt, 40, 50, 200, 20);
    EXPECT_TRUE(XCTLSETINT(w, 1, -10, XPC_MINIMUM));
    EXPECT_TRUE(XCTLSETINT(w, 1, 20, XPC_MAXIMUM));
    const auto range = static_cast<DWORD>(SendMessageA(ctl(1), UDM_GETRANGE, 0, 0));
    EXPECT_EQ(static_cast<short>(HIWORD(range)), -10);
    EXPECT_EQ(static_cast<short>(LOWORD(range)), 20);
    int v = 3;
    EXPECT_TRUE(XCTLSETINT(w, 1, -4));
    EXPECT_FALSE(XCTLGETINT(w, 1, v)) << "the position is read from a buddy";
    XCTLSENDMESSAGE(w, 1, UDM_SETBUDDY, reinterpret_cast<WPARAM>(ctl(4)), 0);
    EXPECT_TRUE(XCTLSETINT(w, 1, -4));
    EXPECT_EQ(XCTLTEST_TEXT(ctl(4)), "-4");
    EXPECT_EQ(getint(1), -4) << "negative positions read back as such";
    EXPECT_FALSE(XCTLGETINT(w, 1, v, XPC_MAXIMUM)) << "up-down ranges are not read back";

    EXPECT_TRUE(XCTLSETINT(w, 2, 2, XPC_MINIMUM));
    EXPECT_TRUE(XCTLSETINT(w, 2, 40, XPC_MAXIMUM));
    EXPECT_TRUE(XCTLSETINT(w, 2, 5, XPC_PAGE));
    EXPECT_TRUE(XCTLSETINT(w, 2, 17));
    EXPECT_EQ(getint(2, XPC_MINIMUM), 2);
    EXPECT_EQ(getint(2, XPC_MAXIMUM), 40);
    EXPECT_EQ(getint(2), 17);
    EXPECT_FALSE(XCTLGETINT(w, 2, v, XPC_PAGE));

    EXPECT_TRUE(XCTLSETINT(w, 3, 200, XPC_MAXIMUM));
    EXPECT_EQ(SendMessageA(ctl(3), PBM_GETRANGE, FALSE, 0), 200);
    EXPECT_TRUE(XCTLSETINT(w, 3, 150));
    EXPECT_EQ(SendMessageA(ctl(3), PBM_GETPOS, 0, 0), 150);
    EXPECT_TRUE(XCTLSETINT(w, 3, 25, XPC_PAGE));
    EXPECT_EQ(SendMessageA(ctl(3), PBM_SETSTEP, 10, 0), 25) << "the step set";
    EXPECT_FALSE(XCTLGETINT(w, 3, v)) << "no position read for progress bars";
    EXPECT_FALSE(XCTLSETINT(w, 3, 1, XPC_MINIMUM));
    EXPECT_EQ(v, 3);
}

TEST_F(CtlValues, StatusBarPartsTextsAndIcons) {
    make(1, XCC_STATUSBAR);
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "simple"));
    char buf[32] = {};
    SendMessageA(ctl(1), SB_SIMPLE, TRUE, 0);
    SendMessageA(ctl(1), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buf)); // simple: part 0
    EXPECT_STREQ(buf, "simple") << "one part: the simple-mode text";
    SendMessageA(ctl(1), SB_SIMPLE, FALSE, 0);

    EXPECT_TRUE(XCTLSETARRAY(w, 1, {100, 250, -1}, XPC_WIDTHS));
    std::vector<int> a;
    ASSERT_TRUE(XCTLGETARRAY(w, 1, a, XPC_WIDTHS));
    EXPECT_EQ(a, (std::vector<int>{100, 250, -1}));
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "middle", 2));
    EXPECT_EQ(gettext(1, 2, 8), "middle  ");
    EXPECT_FALSE(XCTLSETCHAR(w, 1, "nowhere")) << "item 0 names no part once there are parts";
    EXPECT_FALSE(XCTLSETCHAR(w, 1, "far", 300));

    const HICON hIcon = LoadIconA(nullptr, IDI_INFORMATION);
    EXPECT_TRUE(XCTLSETINT(w, 1, hIcon, 3));
    HICON got = nullptr;
    EXPECT_TRUE(XCTLGETINT(w, 1, got, 3));
    EXPECT_EQ(got, hIcon);
}

TEST_F(CtlValues, ListViewColumnsWidthsOrderAndColours) {
    make(1, XCC_LISTVIEW, 0, std::nullopt, 10, 10, 300, 200);
    columns(1, 3);
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "Name", 1));
    EXPECT_TRUE(XCTLSETCHAR(w, 1, "Size", 3));
    EXPECT_EQ(gettext(1, 3, 5), "Size ");
    EXPECT_FALSE(XCTLSETCHAR(w, 1, "x", XPC_APPEND));
    EXPECT_FALSE(XCTLSETCHAR(w, 1, "i4 a20", XPC_LVLAYOUT)) << "layouts need list-view data";

    EXPECT_TRUE(XCTLSETINT(w, 1, 50, XPC_WIDTHS));
    std::vector<int> a;
    ASSERT_TRUE(XCTLGETARRAY(w, 1, a, XPC_WIDTHS));
    EXPECT_EQ(a, (std::vector<int>{50, 50, 50}));
    EXPECT_TRUE(XCTLSETARRAY(w, 1, {80, -3, 70, 90}, XPC_WIDTHS));
    a.clear();
    XCTLGETARRAY(w, 1, a, XPC_WIDTHS);
    EXPECT_EQ(a, (std::vector<int>{80, 50, 70})) << "-3 leaves column 2; no column 4";

    EXPECT_TRUE(XCTLSETARRAY(w, 1, {3, 1, 2}, XPC_COLORDER));
    a.clear();
    ASSERT_TRUE(XCTLGETARRAY(w, 1, a, XPC_COLORDER));
    EXPECT_EQ(a, (std::vector<int>{3, 1, 2}));

    EXPECT_TRUE(XCTLSETINT(w, 1, 0x0000FF, XPC_TEXTCOLOUR));
    EXPECT_EQ(SendMessageA(ctl(1), LVM_GETTEXTCOLOR, 0, 0), 0x0000FF);
    EXPECT_TRUE(XCTLSETINT(w, 1, 0x00FF00, XPC_BKCOLOUR));
    EXPECT_EQ(SendMessageA(ctl(1), LVM_GETBKCOLOR, 0, 0), 0x00FF00);
    EXPECT_EQ(getint(1, XPC_BKCOLOUR), 0x00FF00);

    const HIMAGELIST hList = ImageList_Create(16, 16, ILC_COLOR, 1, 1);
    EXPECT_TRUE(XCTLSETINT(w, 1, hList, XPC_ICON));
    HIMAGELIST got = nullptr;
    EXPECT_TRUE(XCTLGETINT(w, 1, got, XPC_ICON));
    EXPECT_EQ(got, hList);
    XCTLDESTROYALL(w);
    ImageList_Destroy(hList);
}

TEST_F(CtlValues, ListViewRowsAreSelectedByApplicationIndex) {
    make(1, XCC_LISTVIEW, 0, std::nullopt, 10, 10, 300, 200);
    columns(1, 1);
    rows(1, 5);
    EXPECT_EQ(getint(1, XPC_COUNT), 5);
    EXPECT_FALSE(XCTLSETINT(w, 1, 9, XPC_COUNT)) << "an ordinary list's rows are its items";
    EXPECT_TRUE(XCTLSETINT(w, 1, 2)) << "select row 2";
    EXPECT_TRUE(XCTLSETLOG(w, 1, true, 4));
    bool b = false;
    EXPECT_TRUE(XCTLGETLOG(w, 1, b, 4));
    EXPECT_TRUE(b);
    EXPECT_TRUE(XCTLGETLOG(w, 1, b, 3));
    EXPECT_FALSE(b);

    // The selected rows, one call after the other.
    int start = 0, v = 0;
    std::vector<int> seen;
    while (XCTLGETINT(w, 1, v, XPC_SELECTION, &start)) seen.push_back(v);
    EXPECT_EQ(seen, (std::vector<int>{2, 4}));
    EXPECT_EQ(v, 0);
    std::vector<int> a;
    ASSERT_TRUE(XCTLGETARRAY(w, 1, a));
    EXPECT_EQ(a, (std::vector<int>{2, 4}));

    EXPECT_TRUE(XCTLSETARRAY(w, 1, {5}));
    EXPECT_FALSE(XCTLSETARRAY(w, 1, {1, 99})) << "row 99 does not exist";
    a.clear();
    XCTLGETARRAY(w, 1, a);
    EXPECT_EQ(a, (std::vector<int>{1, 2, 4, 5})) << "row 99 selected nothing else";
    EXPECT_TRUE(XCTLSETLOG(w, 1, false, 2));
    EXPECT_FALSE(XCTLSETLOG(w, 1, true, 0));
    EXPECT_EQ(SendMessageA(ctl(1), LVM_GETSELECTEDCOUNT, 0, 0), 3);

    int record = 0;
    EXPECT_FALSE(XCTLSETITEM(w, 1, XITEM(record), 0)) << "row transfer needs a layout";
    EXPECT_FALSE(XCTLGETITEM(w, 1, XITEM(record), 1));
    EXPECT_TRUE(XCTLSETINT(w, 1, 16, XPC_LVINTEGER)) << "the record size of its rows";
}

TEST_F(CtlValues, VirtualListRowsFollowItsCount) {
    make(1, XCC_LISTVIEW, 0x10000000, std::nullopt, 10, 10, 300, 200);
    columns(1, 1);
    EXPECT_TRUE(XCTLSETINT(w, 1, 6, XPC_COUNT));
    EXPECT_EQ(getint(1, XPC_COUNT), 6);
    EXPECT_FALSE(XCTLSETINT(w, 1, -1, XPC_COUNT));
    EXPECT_EQ(getint(1, XPC_COUNT), 6);
    EXPECT_TRUE(XCTLSETARRAY(w, 1, {2, 6}));
    std::vector<int> a;
    ASSERT_TRUE(XCTLGETARRAY(w, 1, a));
    EXPECT_EQ(a, (std::vector<int>{2, 6}));
    EXPECT_FALSE(XCTLSETLOG(w, 1, true, 0)) << "row 0 is no row";
    EXPECT_EQ(SendMessageA(ctl(1), LVM_GETSELECTEDCOUNT, 0, 0), 2);
}

TEST_F(CtlValues, SingleSelectionListViewTakesTheFirstRowOfAnArray) {
    make(1, XCC_LISTVIEW, 0, LVS_SINGLESEL, 10, 10, 300, 200);
    columns(1, 1);
    rows(1, 4);
    EXPECT_TRUE(XCTLSETARRAY(w, 1, {3, 1}));
    std::vector<int> a;
    XCTLGETARRAY(w, 1, a);
    EXPECT_EQ(a, (std::vector<int>{3}));
}

TEST_F(CtlValues, VisibilityEnablingFontsAndColoursForEveryClass) {
    for (int c = 1; c <= 17; ++c) make(c, c, 0, std::nullopt, 10 + 30 * (c % 6), 10 + 30 * (c / 6));
    for (int c = 1; c <= 17; ++c) {
        SCOPED_TRACE(c);
        bool b = true;
        EXPECT_TRUE(XCTLSETLOG(w, c, false, XPC_VISIBLE));
        EXPECT_TRUE(XCTLGETLOG(w, c, b, XPC_VISIBLE));
        EXPECT_FALSE(b);
        EXPECT_TRUE(XCTLSETLOG(w, c, true, XPC_VISIBLE));
        EXPECT_TRUE(XCTLSETLOG(w, c, false, XPC_ENABLED));
        EXPECT_FALSE(IsWindowEnabled(ctl(c)));
        EXPECT_TRUE(XCTLGETLOG(w, c, b, XPC_ENABLED));
        EXPECT_FALSE(b);
        EXPECT_TRUE(XCTLSETLOG(w, c, true, XPC_ENABLED));

        EXPECT_TRUE(XCTLSETCHAR(w, c, "t'arial' h14 e", XPC_FONT));
        const XCTLREC* rec = FXCTLBYHANDLE(ctl(c));
        ASSERT_TRUE(rec);
        ASSERT_TRUE(rec->hFont);
        LOGFONTA lf{};
        GetObjectA(rec->hFont, sizeof lf, &lf);
        EXPECT_EQ(lf.lfHeight, -14);
        EXPECT_EQ(lf.lfWeight, 700);
        EXPECT_STREQ(lf.lfFaceName, "arial");

        int v = 0;
        EXPECT_TRUE(XCTLGETINT(w, c, v, XPC_TEXTCOLOUR));
        EXPECT_EQ(v, -1) << "the system's colour";
        EXPECT_FALSE(XCTLGETINT(w, c, v, XPC_BKCOLOUR)) << "no brush yet";
        EXPECT_EQ(v, -1);
        EXPECT_TRUE(XCTLSETINT(w, c, 0x123456, XPC_TEXTCOLOUR));
        EXPECT_EQ(getint(c, XPC_TEXTCOLOUR), 0x123456);
        EXPECT_FALSE(XCTLSETINT(w, c, 0x1000000, XPC_TEXTCOLOUR));
        EXPECT_FALSE(XCTLSETINT(w, c, -2, XPC_BKCOLOUR));
        EXPECT_EQ(getint(c, XPC_TEXTCOLOUR), 0x123456) << "unchanged";
        EXPECT_TRUE(XCTLSETINT(w, c, 0x00FFFF, XPC_BKCOLOUR));
        EXPECT_EQ(getint(c, XPC_BKCOLOUR), 0x00FFFF);
    }
    // Fonts replace each other; the old one is released.
    const HFONT first = FXCTLBYHANDLE(ctl(6))->hFont;
    EXPECT_TRUE(XCTLSETCHAR(w, 6, "t\"courier new\" h-20 i u", XPC_FONT));
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(ctl(6), WM_GETFONT, 0, 0)),
              FXCTLBYHANDLE(ctl(6))->hFont);
    // A background of -1 removes the brush; only the common controls report success.
    const HBRUSH brush = FXCTLBYHANDLE(ctl(6))->hBrush;
    EXPECT_FALSE(XCTLSETINT(w, 6, -1, XPC_BKCOLOUR));
    EXPECT_EQ(FXCTLBYHANDLE(ctl(6))->hBrush, XNOBRUSH);
    EXPECT_EQ(GetObjectType(brush), 0u) << "released";
    EXPECT_TRUE(XCTLSETINT(w, 15, -1, XPC_BKCOLOUR));
    EXPECT_TRUE(XCTLSETINT(w, 16, -1, XPC_BKCOLOUR));
}

TEST_F(CtlValues, ControlsWithoutARecordHaveNoFontColourOrCallback) {
    const HWND h = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, w.hWnd,
                                   reinterpret_cast<HMENU>(5), nullptr, nullptr);
    ASSERT_TRUE(h);
    EXPECT_TRUE(XCTLSETCHAR(w, 5, "plain")) << "the class comes from the window";
    EXPECT_EQ(gettext(5, std::nullopt, 5), "plain");
    int v = 9;
    EXPECT_FALSE(XCTLSETCHAR(w, 5, "t'arial'", XPC_FONT));
    EXPECT_FALSE(XCTLSETINT(w, 5, 0xFF, XPC_TEXTCOLOUR));
    EXPECT_FALSE(XCTLGETINT(w, 5, v, XPC_TEXTCOLOUR));
    EXPECT_EQ(v, 9);
}

TEST_F(CtlValues, TheWindowItselfAnswersToItsOwnIdentifier) {
    EXPECT_EQ(w.iID, 0);
    bool b = false;
    EXPECT_TRUE(XCTLGETLOG(w, 0, b, XPC_VISIBLE));
    EXPECT_TRUE(b);
    EXPECT_FALSE(XCTLGETLOG(w, 3, b, XPC_VISIBLE)) << "no child 3, and not the window's";
    std::string s = fixed(4);
    EXPECT_FALSE(XCTLGETCHAR(w, 0, s)) << "a framework window is no control class";
    EXPECT_EQ(s, "####");
}

} // namespace
