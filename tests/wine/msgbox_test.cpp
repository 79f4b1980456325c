// The message box on the real API: the dialog built from its template read back control by
// control (texts, identifiers, order, styles, sizes), answered by real keystrokes, and the
// check box whose cleared answer is kept under HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ZEBDialog.h"
#include "ZEBReg.h"

#include "zebtest.h"

using namespace std::string_literals;

namespace {

const std::string kKey = "Software\\ZEBTest\\MsgBox" + std::to_string(GetCurrentProcessId());

struct Ctl {
    std::string cls, text;
    int id;
    LONG style;
    RECT rc;            // in the box's client coordinates
    bool bIcon = false; // a static showing an icon
};
struct Box {
    HWND h = nullptr;
    std::string title;
    RECT client{};
    std::vector<Ctl> ctls;
    HWND owner = nullptr;
    int focus = -1;           // identifier of the control with the focus
    int baseX = 0, baseY = 0; // the box's own dialog base units
    std::vector<int> buttonIds() const {
        std::vector<int> v;
        for (const Ctl& c : ctls)
            if (c.cls == "Button" && c.id != 1001) v.push_back(c.id);
        return v;
    }
    const Ctl* byId(int id) const {
        for (const Ctl& c : ctls)
            if (c.id == id) return &c;
        return nullptr;
    }
};

// Dialog units to the pixels of a box that was read.
RECT pxdu(const Box& b, int x, int y, int cx, int cy) {
    auto px = [&](int v) { return MulDiv(v, b.baseX, 4); };
    auto py = [&](int v) { return MulDiv(v, b.baseY, 8); };
    return RECT{px(x), py(y), px(x + cx), py(y + cy)};
}

Box pxread(HWND h) {
    Box b;
    b.h = h;
    char buf[512];
    GetWindowTextA(h, buf, sizeof buf);
    b.title = buf;
    GetClientRect(h, &b.client);
    b.owner = GetWindow(h, GW_OWNER);
    b.focus = GetFocus() ? GetDlgCtrlID(GetFocus()) : -1;
    RECT units{0, 0, 4, 8};
    MapDialogRect(h, &units);
    b.baseX = units.right;
    b.baseY = units.bottom;
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        Ctl x;
        GetClassNameA(c, buf, sizeof buf);
        x.cls = buf;
        GetWindowTextA(c, buf, sizeof buf);
        x.text = buf;
        x.id = GetDlgCtrlID(c);
        x.style = GetWindowLongA(c, GWL_STYLE);
        GetWindowRect(c, &x.rc);
        MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&x.rc), 2);
        x.bIcon = (x.style & SS_TYPEMASK) == SS_ICON && x.cls == "Static" &&
                  SendMessageA(c, STM_GETICON, 0, 0) != 0;
        b.ctls.push_back(x);
    }
    return b;
}

// What happens once the box is up: read, then answer.
std::function<void(HWND)> onBox;
Box seen;
int nShown = 0;

void CALLBACK pxboxtimer(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND h = GetActiveWindow();
    char cls[16] = {};
    if (!h || !GetClassNameA(h, cls, sizeof cls) || std::string(cls) != "#32770") return;
    KillTimer(nullptr, id);
    ++nShown;
    seen = pxread(h);
    if (onBox) onBox(h);
}

void pxkey(BYTE vk) {
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
}
void pxalt(BYTE vk) {
    keybd_event(VK_MENU, 0, 0, 0);
    pxkey(vk);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
}
auto pressing(BYTE vk) {
    return [vk](HWND) { pxkey(vk); };
}
auto alt(BYTE vk) {
    return [vk](HWND) { pxalt(vk); };
}

using XLPCWSTRFN = LPCWSTR(WINAPI*)(UINT);
// The caption the box shows for a standard button.
std::string pxcaption(int id) {
    static const char* fallback[] = {"",        "OK     ", "Cancel ", "&Abort ",
                                     "&Retry ", "&Ignore", "&Yes   ", "&No    "};
    const auto pfn = reinterpret_cast<XLPCWSTRFN>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32"), "MB_GetString")));
    if (pfn)
        if (const LPCWSTR w = pfn(static_cast<UINT>(id - 1)); w && *w) {
            char buf[256] = {};
            WideCharToMultiByte(CP_ACP, 0, w, -1, buf, sizeof buf, nullptr, nullptr);
            return buf;
        }
    return fallback[id];
}

class MsgBox : public ::testing::Test {
  protected:
    void SetUp() override {
        const XWND none;
        ASSERT_TRUE(XCREATEWINDOW(xOwner, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "owner"));
        SetActiveWindow(xOwner.hWnd);
        onBox = nullptr;
        seen = Box{};
        nShown = 0;
        timer = SetTimer(nullptr, 0, 30, pxboxtimer);
        HKEY h = XREGOPEN(HKEY_CURRENT_USER, kKey);
        ASSERT_NE(h, nullptr);
        XREGCLOSE(h);
    }
    void TearDown() override {
        KillTimer(nullptr, timer);
        XREGDELETEKEY(HKEY_CURRENT_USER, kKey);
        XDESTROYWINDOW(xOwner);
        XTEST_PUMP();
    }
    // Shows a box (re-arming the watcher), answers it with onBox.
    int show(std::string_view text, std::optional<std::string_view> caption, int flags,
             std::optional<std::vector<std::string>> buttons = std::nullopt,
             std::optional<std::string_view> regValue = std::nullopt) {
        KillTimer(nullptr, timer);
        timer = SetTimer(nullptr, 0, 30, pxboxtimer);
        return XMESSAGEBOX(text, caption, flags, xOwner.hWnd, std::nullopt,
                           regValue ? std::optional<std::string_view>(kKey) : std::nullopt,
                           regValue, std::nullopt, std::move(buttons));
    }
    XWND xOwner;
    UINT_PTR timer = 0;
};

TEST_F(MsgBox, EveryButtonSetInOrderWithTheFirstAsDefault) {
    const std::vector<std::vector<int>> sets = {{1}, {1, 2}, {3, 4, 5}, {6, 7, 2}, {6, 7}, {4, 2}};
    for (int f = 0; f <= 5; ++f) {
        onBox = pressing(VK_RETURN);
        EXPECT_EQ(show("Question?", "Title", f), sets[f][0]) << f;
        EXPECT_EQ(seen.buttonIds(), sets[f]) << f;
        std::vector<int> lefts;
        for (int id : sets[f]) {
            const Ctl* c = seen.byId(id);
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->text, pxcaption(id)) << f << " " << id;
            EXPECT_EQ(c->style & 0xF, id == sets[f][0] ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            lefts.push_back(c->rc.left);
        }
        // 50 units wide, 20 apart, centred on the box's middle.
        const RECT du = pxdu(seen, 0, 0, 70, 0);
        for (std::size_t k = 1; k < lefts.size(); ++k)
            EXPECT_NEAR(lefts[k] - lefts[k - 1], du.right, 1) << f;
        const Ctl* first = seen.byId(sets[f][0]);
        const Ctl* last = seen.byId(sets[f].back());
        EXPECT_NEAR(first->rc.left + last->rc.right, seen.client.right, 3) << f;
        EXPECT_EQ(seen.focus, sets[f][0]) << f;
    }
}

TEST_F(MsgBox, LayoutOfAPlainBox) {
    onBox = pressing(VK_RETURN);
    EXPECT_EQ(show("Hello", std::nullopt, MB_OK), IDOK);
    EXPECT_EQ(seen.title, "Error");
    ASSERT_EQ(seen.ctls.size(), 2u); // text, then the button
    EXPECT_EQ(seen.ctls[0].cls, "Static");
    EXPECT_EQ(seen.ctls[0].text, "Hello");
    EXPECT_EQ(seen.ctls[0].id, 0);
    EXPECT_EQ(seen.ctls[0].style & SS_TYPEMASK, SS_LEFT);
    const RECT box = pxdu(seen, 0, 0, 200, 0);
    EXPECT_EQ(seen.client.right, box.right); // the minimum width
    const RECT text = pxdu(seen, 20, 10, 0, 0);
    EXPECT_EQ(seen.ctls[0].rc.left, text.left);
    EXPECT_EQ(seen.ctls[0].rc.top, text.top);
    const RECT ok = pxdu(seen, 75, 0, 50, 14);
    EXPECT_EQ(seen.ctls[1].rc.left, ok.left);
    EXPECT_EQ(seen.ctls[1].rc.right - seen.ctls[1].rc.left, ok.right - ok.left);
}

TEST_F(MsgBox, TheBoxGrowsWithItsTextAndAlignsItRight) {
    onBox = pressing(VK_RETURN);
    show("Short", "T", MB_OK);
    const Box small = seen;
    const std::string longText(400, 'w');
    show(longText + " and more words to wrap", "T", MB_OK | MB_RIGHT);
    const Box large = seen;
    EXPECT_GT(large.client.right, small.client.right);
    EXPECT_GT(large.client.bottom, small.client.bottom);
    EXPECT_GT(large.ctls[0].rc.right - large.ctls[0].rc.left,
              small.ctls[0].rc.right - small.ctls[0].rc.left);
    EXPECT_GT(large.ctls[0].rc.bottom - large.ctls[0].rc.top,
              small.ctls[0].rc.bottom - small.ctls[0].rc.top);
    EXPECT_EQ(large.ctls[0].style & SS_TYPEMASK, SS_RIGHT);
    // The caption at its full declared length.
    show("x", "Padded   ", MB_OK);
    EXPECT_EQ(seen.title, "Padded   ");
}

TEST_F(MsgBox, StandardIconsMoveTheTextAndWidenTheBox) {
    onBox = pressing(VK_RETURN);
    const std::string text(150, 'W');
    show(text, "T", MB_OK);
    const Box plain = seen;
    for (int icon : {MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK}) {
        EXPECT_EQ(show(text, "T", MB_OK | icon), IDOK) << icon;
        ASSERT_EQ(seen.ctls.size(), 3u) << icon;
        EXPECT_EQ(seen.ctls[1].cls, "Static");
        EXPECT_EQ(seen.ctls[1].style & SS_TYPEMASK, SS_ICON);
        EXPECT_TRUE(seen.ctls[1].bIcon) << icon;
        EXPECT_EQ(seen.ctls[0].rc.left, pxdu(seen, 40, 0, 0, 0).left);
        EXPECT_EQ(seen.ctls[1].rc.left, pxdu(seen, 10, 0, 0, 0).left);
        // The layout's own base units: those of the box's font.
        const RECT wider = pxdu(seen, 0, 0, 128 / seen.baseX + 10, 0);
        EXPECT_NEAR(seen.client.right - plain.client.right, wider.right, 1) << icon;
    }
}

TEST_F(MsgBox, AnIconWithoutAStandardOrdinalKeepsItsRoomOnly) {
    onBox = pressing(VK_RETURN);
    EXPECT_EQ(show("User icon", "T", MB_OK | MB_USERICON), IDOK);
    ASSERT_EQ(seen.ctls.size(), 2u); // text and button: no icon control
    EXPECT_EQ(seen.ctls[0].rc.left, pxdu(seen, 40, 0, 0, 0).left);

    // The caller's ordinal: one beyond 16 bits is none, not its low word's icon.
    const HINSTANCE user = GetModuleHandleA("user32");
    for (const int ordinal : {32513, 0x10000 + 32513}) {
        KillTimer(nullptr, timer);
        timer = SetTimer(nullptr, 0, 30, pxboxtimer);
        EXPECT_EQ(XMESSAGEBOX("Own icon", "T", MB_OK, xOwner.hWnd, ordinal, std::nullopt,
                              std::nullopt, user),
                  IDOK);
        EXPECT_EQ(seen.ctls.size(), ordinal == 32513 ? 3u : 2u) << ordinal;
        EXPECT_EQ(seen.ctls[0].rc.left, pxdu(seen, 40, 0, 0, 0).left) << ordinal;
    }
}

TEST_F(MsgBox, WithoutAnOwnerTheBoxIsOwnedByNoWindow) {
    onBox = pressing(VK_RETURN);
    EXPECT_EQ(XMESSAGEBOX("Alone"), IDOK);
    EXPECT_EQ(seen.title, "Error");
    EXPECT_EQ(seen.owner, nullptr);
    EXPECT_TRUE(IsWindowEnabled(GetDesktopWindow()));
    EXPECT_TRUE(IsWindowEnabled(xOwner.hWnd));
}

TEST_F(MsgBox, KeysAnswerTheBox) {
    onBox = pressing(VK_ESCAPE);
    EXPECT_EQ(show("Escape", "T", MB_OK), IDCANCEL);
    onBox = pressing(VK_RETURN);
    EXPECT_EQ(show("Second", "T", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(seen.focus, IDNO);
    EXPECT_EQ(seen.byId(IDNO)->style & 0xF, BS_DEFPUSHBUTTON);
    EXPECT_EQ(seen.byId(IDYES)->style & 0xF, BS_PUSHBUTTON);
    onBox = alt('R');
    EXPECT_EQ(show("Alt", "T", MB_ABORTRETRYIGNORE), IDRETRY);
    onBox = alt('I');
    EXPECT_EQ(show("Alt", "T", MB_ABORTRETRYIGNORE), IDIGNORE);
    onBox = alt('N');
    EXPECT_EQ(show("Alt", "T", MB_YESNO), IDNO);
    // A default beyond the last button marks none.
    onBox = pressing(VK_ESCAPE);
    EXPECT_EQ(show("None", "T", MB_YESNO | MB_DEFBUTTON4), IDCANCEL);
    for (const Ctl& c : seen.ctls) EXPECT_NE(c.style & 0xF, BS_DEFPUSHBUTTON) << c.text;
}

TEST_F(MsgBox, CustomCaptionsNumberTheButtons) {
    onBox = alt('B');
    EXPECT_EQ(show("Pick", "T", MB_YESNOCANCEL, std::vector<std::string>{"&Alpha   ", "&Beta"}), 2);
    EXPECT_EQ(seen.buttonIds(), (std::vector<int>{1, 2}));
    EXPECT_EQ(seen.byId(1)->text, "&Alpha");
    EXPECT_EQ(seen.byId(2)->text, "&Beta");
    onBox = pressing(VK_RETURN);
    EXPECT_EQ(show("Many", "T", 0, std::vector<std::string>{"a", "b", "c", "d", "e", "f"}), 1);
    EXPECT_EQ(seen.buttonIds(), (std::vector<int>{1, 2, 3, 4}));
    // Long captions make a bigger template: nothing is cut or overrun.
    const std::string big(300, 'q');
    show("Big", "T", 0, std::vector<std::string>{big, big, big, big});
    EXPECT_EQ(seen.byId(4)->text, big);
}

// As C buffers hand them over: the text, then NULs and whatever follows.
TEST_F(MsgBox, EveryTitleEndsAtItsFirstNul) {
    using namespace std::string_view_literals;
    onBox = pressing(VK_RETURN);
    EXPECT_EQ(show("Hello\0\0\0"sv, "Cap\0tion"sv, MB_OK), IDOK);
    EXPECT_EQ(nShown, 1);
    EXPECT_EQ(seen.title, "Cap");
    ASSERT_FALSE(seen.ctls.empty());
    EXPECT_EQ(seen.ctls[0].text, "Hello");
    EXPECT_EQ(show("Pick"sv, "T"sv, 0, std::vector<std::string>{"&Keep\0junk"s, "&Delete\0"s}), 1);
    EXPECT_EQ(seen.byId(1)->text, "&Keep");
    EXPECT_EQ(seen.byId(2)->text, "&Delete");
    // Measured without what follows the NUL: the same box as the plain text.
    show("Hello", "Cap", MB_OK);
    const Box plain = seen;
    show("Hello\0"s + std::string(300, 'x'), "Cap", MB_OK);
    EXPECT_EQ(seen.client.right, plain.client.right);
    EXPECT_EQ(seen.client.bottom, plain.client.bottom);
}

// With custom captions IDCANCEL is the second caption's index: Escape and the close box must
// not report it, nor store it.
TEST_F(MsgBox, EscapeAndTheCloseBoxChooseNoCustomCaption) {
    const std::vector<std::string> captions{"&Keep", "&Delete"};
    onBox = [](HWND) {
        pxalt('S'); // check box cleared: an answer would be stored
        pxkey(VK_ESCAPE);
    };
    EXPECT_EQ(show("Escape", "T", 0, captions, "Choice"), 0);
    onBox = [](HWND h) {
        SendDlgItemMessageA(h, 1001, BM_SETCHECK, BST_UNCHECKED, 0);
        PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    };
    EXPECT_EQ(show("Close", "T", 0, captions, "Choice"), 0);
    EXPECT_EQ(nShown, 2);
    HKEY h = XREGOPEN(HKEY_CURRENT_USER, kKey);
    int stored = 0;
    EXPECT_EQ(PXREGREADINT(h, "Choice", stored), ERROR_FILE_NOT_FOUND);
    XREGCLOSE(h);

    // The second caption itself still answers 2; standard boxes keep Escape as IDCANCEL.
    onBox = alt('D');
    EXPECT_EQ(show("Press", "T", 0, captions), 2);
    onBox = pressing(VK_ESCAPE);
    EXPECT_EQ(show("Standard", "T", MB_OKCANCEL), IDCANCEL);
    onBox = [](HWND h) { PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0); };
    EXPECT_EQ(show("Standard", "T", MB_OKCANCEL), IDCANCEL);
}

TEST_F(MsgBox, ClearingTheCheckBoxStoresTheAnswerAndSuppressesLaterBoxes) {
    onBox = [](HWND h) {
        EXPECT_EQ(SendDlgItemMessageA(h, 1001, BM_GETCHECK, 0, 0), BST_CHECKED);
        pxalt('S'); // clears it
        pxalt('N');
    };
    EXPECT_EQ(show("Again?", "T", MB_YESNO, std::nullopt, "Answer"), IDNO);
    EXPECT_EQ(nShown, 1);
    const Ctl* check = seen.byId(1001);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text, "&Show this message in the future");
    EXPECT_EQ(check->style & 0xF, BS_AUTOCHECKBOX);
    EXPECT_EQ(seen.ctls[1].id, 1001); // text, check box, buttons
    HKEY h = XREGOPEN(HKEY_CURRENT_USER, kKey);
    int stored = 0;
    EXPECT_EQ(PXREGREADINT(h, "Answer", stored), ERROR_SUCCESS);
    EXPECT_EQ(stored, IDNO);
    XREGCLOSE(h);

    onBox = pressing(VK_RETURN);
    EXPECT_EQ(show("Again?", "T", MB_YESNO, std::nullopt, "Answer"), IDNO);
    EXPECT_EQ(nShown, 1); // not shown
}

TEST_F(MsgBox, LeavingTheCheckBoxCheckedStoresNothing) {
    onBox = pressing(VK_RETURN);
    EXPECT_EQ(show("Keep", "T", MB_OKCANCEL, std::nullopt, "Kept"), IDOK);
    HKEY h = XREGOPEN(HKEY_CURRENT_USER, kKey);
    int stored = 0;
    EXPECT_EQ(PXREGREADINT(h, "Kept", stored), ERROR_FILE_NOT_FOUND);
    // A stored answer of 0 or less still shows the box.
    PXREGWRITEINT(h, "Kept", 0);
    XREGCLOSE(h);
    EXPECT_EQ(show("Keep", "T", MB_OKCANCEL, std::nullopt, "Kept"), IDOK);
    EXPECT_EQ(nShown, 2);
    // Without the value there is no check box.
    show("Plain", "T", MB_OK);
    EXPECT_EQ(seen.byId(1001), nullptr);
}

TEST_F(MsgBox, AMissingKeyShowsNothing) {
    onBox = pressing(VK_RETURN);
    EXPECT_EQ(XMESSAGEBOX("No key", "T", MB_OK, xOwner.hWnd, std::nullopt,
                          std::string_view("Software\\ZEBTest\\NoSuchKeyAtAll"),
                          std::string_view("v")),
              0);
    EXPECT_EQ(nShown, 0);
    HKEY h = XREGOPEN(HKEY_CURRENT_USER, "Software\\ZEBTest\\NoSuchKeyAtAll", std::nullopt,
                      XREG_OPENEXISTING);
    EXPECT_EQ(h, nullptr); // never created
}

TEST_F(MsgBox, OwnerIsDisabledWhileShownAndTaskModalDisablesTheThreadsWindows) {
    XWND other;
    const XWND none;
    ASSERT_TRUE(XCREATEWINDOW(other, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "other"));
    bool ownerEnabled = true, otherEnabled = true;
    onBox = [&](HWND) {
        ownerEnabled = IsWindowEnabled(xOwner.hWnd) != 0;
        otherEnabled = IsWindowEnabled(other.hWnd) != 0;
        pxkey(VK_RETURN);
    };
    EXPECT_EQ(show("Modal", "T", MB_OK), IDOK);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(otherEnabled);
    EXPECT_EQ(show("Task", "T", MB_OK | MB_TASKMODAL), IDOK);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(other.hWnd));
    EXPECT_TRUE(IsWindowEnabled(xOwner.hWnd));
    XDESTROYWINDOW(other);
}

} // namespace
