// Controls from creation to destruction: the record and list of every class, growth past 32
// controls, identifiers, placement in single moves and batches, destruction of one or all, and
// the fonts and brushes that go with them, and callbacks that take their window away.
#include "ctrltest.h"

#include <tuple>

#include "gdiprobe.h"

namespace {

class CtlLife : public XCtlTest {
  protected:
    int children() const {
        int n = 0;
        for (HWND h = GetWindow(w.hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) ++n;
        return n;
    }
    // Gives a control a click callback, a colour and a font, as an application would.
    void dress(int ID, int iColour) {
        ASSERT_TRUE(XCTLSETSUB(w, ID, XCTLTEST_RECORD, XEC_CLICK));
        ASSERT_TRUE(XCTLSETINT(w, ID, iColour, XPC_BKCOLOUR));
        ASSERT_TRUE(XCTLSETCHAR(w, ID, "t'arial' h" + std::to_string(8 + ID % 20), XPC_FONT));
    }
    // The control still has what dress gave it, and its record is found from its window.
    void expectDressed(int ID, int iColour) {
        SCOPED_TRACE(ID);
        const XCTLREC* rec = FXCTLBYHANDLE(ctl(ID));
        ASSERT_TRUE(rec);
        EXPECT_EQ(rec->hCtl, ctl(ID));
        int v = 0;
        EXPECT_TRUE(XCTLGETINT(w, ID, v, XPC_BKCOLOUR));
        EXPECT_EQ(v, iColour);
        EXPECT_EQ(GetObjectType(rec->hFont), static_cast<DWORD>(OBJ_FONT));
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(ctl(ID), WM_GETFONT, 0, 0)), rec->hFont);
        xCtlCalls().clear();
        SendMessageA(ctl(ID), BM_CLICK, 0, 0);
        EXPECT_EQ(xCtlCalls(), (std::vector<XCTLCALL>{{ID, XEC_CLICK}}));
    }
};

TEST_F(CtlLife, EveryClassGetsARecordAndClassifiesBack) {
    for (int c = 1; c <= 17; ++c)
        make(100 + c, c, 0, std::nullopt, 10 + 35 * (c % 6), 10 + 40 * (c / 6));
    ASSERT_EQ(w.nControls, 17);
    EXPECT_EQ(w.xCtl.capacity(), 33) << "entry 0 and room for 32";
    EXPECT_EQ(w.xCtl[0].hCtl, nullptr) << "entry 0 is kept for a dialog";
    const HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
    for (int c = 1; c <= 17; ++c) {
        SCOPED_TRACE(c);
        const XCTLREC& rec = w.xCtl[c];
        const HWND h = ctl(100 + c);
        EXPECT_EQ(rec.hCtl, h);
        EXPECT_EQ(rec.iClass, c);
        EXPECT_EQ(rec.iStyle, PXCTLSTYLE(c, 0, 0));
        EXPECT_EQ(rec.hParent, w.hWnd);
        for (const XPROCREF& s : rec.pfnCallback) EXPECT_EQ(s.pfn, nullptr);
        EXPECT_EQ(rec.hBrush, XNOBRUSH);
        EXPECT_EQ(rec.crText, -1);
        EXPECT_EQ(rec.hFont, nullptr);
        EXPECT_EQ(GetPropA(h, "XCTL"), &rec);
        EXPECT_EQ(FXCTLBYHANDLE(h), &rec);
        EXPECT_EQ(FXRESOLVECLASSNAME(h), c);
        if (c != XCC_SCROLLBAR && c != XCC_UPDOWN && c != XCC_TRACKBAR) { // these keep no font
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(h, WM_GETFONT, 0, 0)), guiFont);
        }
        const LONG style = GetWindowLongA(h, GWL_STYLE);
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS),
                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    }
    EXPECT_EQ(FXRESOLVECLASSNAME(w.hWnd), 0) << "a framework window is of no control class";
    EXPECT_EQ(FXCTLBYHANDLE(w.hWnd), nullptr);
}

TEST_F(CtlLife, OptionWordsReachTheWindowStyles) {
    make(1, XCC_EDIT, 0x0804, std::nullopt, 10, 10, 200, 100);
    const LONG edit = GetWindowLongA(ctl(1), GWL_STYLE);
    EXPECT_EQ(edit & (ES_READONLY | ES_MULTILINE | WS_VSCROLL | WS_HSCROLL),
              ES_READONLY | ES_MULTILINE | WS_VSCROLL | WS_HSCROLL);
    EXPECT_EQ(SendMessageA(ctl(1), EM_GETLINECOUNT, 0, 0), 1);
    make(2, XCC_BUTTON, 0x10000000, std::nullopt, 10, 120);
    EXPECT_EQ(GetWindowLongA(ctl(2), GWL_STYLE) & 0xF, BS_OWNERDRAW);
    EXPECT_EQ(FXRESOLVECLASSNAME(ctl(2)), XCC_BUTTON) << "an owner-drawn push button";
    make(3, XCC_COMBOLIST, 0x2, std::nullopt, 10, 160, 100, 100);
    EXPECT_TRUE(GetWindowLongA(ctl(3), GWL_STYLE) & CBS_SORT);
    make(4, XCC_BUTTON, 0x08000000 | 0x00020000, WS_BORDER, 10, 200);
    EXPECT_FALSE(IsWindowEnabled(ctl(4)));
    EXPECT_TRUE(GetWindowLongA(ctl(4), GWL_STYLE) & (WS_GROUP | WS_BORDER));
    make(5, XCC_STATIC, 0, std::nullopt, 10, 240);
    EXPECT_EQ(XCTLCREATE(w, 6, XCC_STATIC, 0, 10, 270, 50, 20, WS_EX_CLIENTEDGE), 6);
    EXPECT_TRUE(GetWindowLongA(ctl(6), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(CtlLife, NothingIsCreatedForAnUnknownClassOrARefusingParent) {
    make(1, XCC_EDIT);
    for (int c : {0, 18, 20, -3}) EXPECT_EQ(XCTLCREATE(w, 2, c, 0), 0) << c;
    EXPECT_EQ(w.nControls, 1);
    EXPECT_EQ(children(), 1);
    // A window whose procedure does not create controls answers 0.
    const HWND plain = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       nullptr, nullptr);
    XWND other;
    other.hWnd = plain;
    EXPECT_EQ(XCTLCREATE(other, 3, XCC_EDIT, 0), 0);
    EXPECT_FALSE(other.xCtl.allocated());
    DestroyWindow(plain);
    XWND none;
    EXPECT_EQ(XCTLCREATE(none, 3, XCC_EDIT, 0), 0);
}

// The creation block the window procedure receives, as it hands it to the system.
XCREATEBLOCK xSeen{};
LRESULT CALLBACK pxseeblock(int nCode, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && m->message == XM_CREATECONTROL && m->wParam)
        xSeen = *reinterpret_cast<const XCREATEBLOCK*>(m->wParam);
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

TEST_F(CtlLife, AbsentPlaceAndSizeReachTheSystemAsDefaults) {
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, pxseeblock, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    EXPECT_EQ(XCTLCREATE(w, 1, XCC_BUTTON, 0, std::nullopt, 50), 1);
    EXPECT_EQ(xSeen.x, 0) << "y without x places at 0, 0";
    EXPECT_EQ(xSeen.y, 0);
    EXPECT_EQ(xSeen.nWidth, CW_USEDEFAULT);
    EXPECT_EQ(xSeen.nHeight, CW_USEDEFAULT);
    EXPECT_EQ(xSeen.iClass, XCC_BUTTON);
    EXPECT_EQ(XCTLCREATE(w, 2, XCC_BUTTON, 0, 30, 40, 70, 25, WS_EX_CLIENTEDGE), 2);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(xSeen.x, 30);
    EXPECT_EQ(xSeen.y, 40);
    EXPECT_EQ(xSeen.nWidth, 70);
    EXPECT_EQ(xSeen.nHeight, 25);
    EXPECT_EQ(xSeen.iExStyle, WS_EX_CLIENTEDGE);
    EXPECT_EQ(xSeen.iStyle, PXCTLSTYLE(XCC_BUTTON, 0, 0));
    int x = -1, y = -1;
    ASSERT_TRUE(XCTLGETPOS(w, 1, &x, &y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST_F(CtlLife, AnIdentifierInUseIsNotGivenTwice) {
    make(100, XCC_EDIT);
    make(101, XCC_EDIT, 0, std::nullopt, 10, 40);
    const int id = XCTLCREATE(w, 100, XCC_BUTTON, 0, 10, 70, 80, 20);
    EXPECT_EQ(id, 102) << "the first free identifier above";
    EXPECT_EQ(FXRESOLVECLASSNAME(ctl(100)), XCC_EDIT) << "the first keeps its identifier";
    EXPECT_EQ(FXRESOLVECLASSNAME(ctl(102)), XCC_BUTTON);
    EXPECT_EQ(w.nControls, 3);
    make(32767, XCC_EDIT, 0, std::nullopt, 10, 100);
    EXPECT_EQ(XCTLCREATE(w, 32767, XCC_EDIT, 0), 0) << "no free identifier above";
    EXPECT_EQ(w.nControls, 4);
}

TEST_F(CtlLife, ThirtyThreeControlsGrowTheListAndKeepEverything) {
    for (int i = 1; i <= 33; ++i) {
        make(i, XCC_BUTTON, 0, std::nullopt, 10 + 60 * ((i - 1) % 10), 10 + 30 * ((i - 1) / 10), 55,
             25);
        dress(i, 0x010101 * i);
    }
    ASSERT_EQ(w.nControls, 33);
    EXPECT_EQ(w.xCtl.capacity(), 65) << "grown by 32 entries";
    for (int i = 1; i <= 33; ++i) {
        EXPECT_EQ(GetPropA(ctl(i), "XCTL"), &w.xCtl[i]) << i;
        EXPECT_EQ(w.xCtl[i].iClass, XCC_BUTTON);
        expectDressed(i, 0x010101 * i);
    }
}

TEST_F(CtlLife, DestroyingTheFirstOfThreeLeavesTheOthersIntact) {
    for (int i = 1; i <= 3; ++i) {
        make(i, XCC_BUTTON, 0, std::nullopt, 10, 10 + 30 * i, 80, 25);
        dress(i, 0x102030 * i);
    }
    const HWND first = ctl(1);
    const HFONT font = w.xCtl[1].hFont;
    const HBRUSH brush = w.xCtl[1].hBrush;
    EXPECT_TRUE(XCTLDESTROY(w, 1));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(GetObjectType(font), 0u) << "the font went with its control";
    EXPECT_EQ(GetObjectType(brush), 0u) << "and so did the brush";
    ASSERT_EQ(w.nControls, 2);
    EXPECT_EQ(w.xCtl[1].hCtl, ctl(2)) << "later records moved down";
    EXPECT_EQ(w.xCtl[2].hCtl, ctl(3));
    EXPECT_EQ(w.xCtl[3].hCtl, nullptr);
    expectDressed(2, 0x102030 * 2);
    expectDressed(3, 0x102030 * 3);
    EXPECT_FALSE(XCTLDESTROY(w, 1)) << "gone already";
}

TEST_F(CtlLife, DestroyingTheLastControlReleasesTheList) {
    make(1, XCC_EDIT);
    make(2, XCC_EDIT, 0, std::nullopt, 10, 40);
    EXPECT_TRUE(XCTLDESTROY(w, 2));
    EXPECT_TRUE(w.xCtl.allocated());
    EXPECT_TRUE(XCTLDESTROY(w, 1));
    EXPECT_EQ(w.nControls, 0);
    EXPECT_FALSE(w.xCtl.allocated());
    make(3, XCC_EDIT);
    EXPECT_EQ(w.nControls, 1);
    EXPECT_EQ(w.xCtl.capacity(), 33) << "a new list";
    EXPECT_EQ(FXCTLBYHANDLE(ctl(3)), &w.xCtl[1]);
}

TEST_F(CtlLife, OnlyControlsWithARecordInThisWindowAreDestroyed) {
    const HWND bare = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, w.hWnd,
                                      reinterpret_cast<HMENU>(7), nullptr, nullptr);
    EXPECT_FALSE(XCTLDESTROY(w, 7)) << "no record";
    EXPECT_TRUE(IsWindow(bare));
    EXPECT_FALSE(XCTLDESTROY(w, 8)) << "no such control";
    EXPECT_FALSE(XCTLDESTROY(w, w.iID)) << "the window is no control of its own";
    EXPECT_TRUE(IsWindow(w.hWnd));
}

TEST_F(CtlLife, DestroyAllWithoutDestructionLeavesBareWindows) {
    for (int i = 1; i <= 3; ++i) {
        make(i, XCC_BUTTON, 0, std::nullopt, 10, 10 + 30 * i, 80, 25);
        dress(i, 0x445566);
    }
    std::vector<HFONT> fonts;
    for (int i = 1; i <= 3; ++i) fonts.push_back(w.xCtl[i].hFont);
    XCTLDESTROYALL(w, false);
    EXPECT_EQ(w.nControls, 0);
    EXPECT_FALSE(w.xCtl.allocated());
    for (int i = 1; i <= 3; ++i) {
        const HFONT font = fonts[static_cast<std::size_t>(i - 1)];
        EXPECT_TRUE(IsWindow(ctl(i)));
        EXPECT_EQ(GetPropA(ctl(i), "XCTL"), nullptr);
        EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT))
            << "the control still shows it";
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(ctl(i), WM_GETFONT, 0, 0)), font);
    }
    xCtlCalls().clear();
    SendMessageA(ctl(1), BM_CLICK, 0, 0);
    EXPECT_TRUE(xCtlCalls().empty()) << "no record, no callback";

    make(10, XCC_EDIT, 0, std::nullopt, 200, 10);
    XCTLDESTROYALL(w);
    EXPECT_EQ(children(), 0) << "by default the controls go too";
}

TEST_F(CtlLife, FontsAndBrushesDoNotAccumulateOverCreateDestroyCycles) {
    const auto cycle = [&] {
        for (int i = 1; i <= 12; ++i) {
            make(i, 1 + (i - 1) % 17, 0, std::nullopt, 10 + 40 * (i % 8), 10 + 40 * (i / 8));
            XCTLSETCHAR(w, i, "t'arial' h12", XPC_FONT);
            XCTLSETCHAR(w, i, "t'arial' h13 e", XPC_FONT); // replaces the first
            XCTLSETINT(w, i, 0x00FF00, XPC_BKCOLOUR);
            XCTLSETINT(w, i, 0x0000FF, XPC_BKCOLOUR);
            XCTLSETINT(w, i, -1, XPC_BKCOLOUR);
            XCTLSETINT(w, i, 0xFF0000, XPC_BKCOLOUR);
        }
        for (int i = 1; i <= 6; ++i) XCTLDESTROY(w, i);
        XCTLDESTROYALL(w);
        XTEST_PUMP();
    };
    cycle(); // the controls' own first-time objects
    const int before = XTEST_GDIOBJECTS();
    ASSERT_GT(before, 0);
    for (int k = 0; k < 5; ++k) cycle();
    EXPECT_LE(XTEST_GDIOBJECTS(), before);
}

TEST_F(CtlLife, MovingOneControlAndABatch) {
    make(1, XCC_BUTTON, 0, std::nullopt, 10, 10, 80, 25);
    make(2, XCC_BUTTON, 0, std::nullopt, 10, 50, 80, 25);
    make(3, XCC_BUTTON, 0, std::nullopt, 10, 90, 80, 25);
    int x, y, cx, cy;
    EXPECT_TRUE(XCTLMOVE(w, 1, 120, 15));
    ASSERT_TRUE(XCTLGETPOS(w, 1, &x, &y, &cx, &cy));
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 15);
    EXPECT_EQ(cx, 80) << "the size stays";
    EXPECT_EQ(cy, 25);
    EXPECT_EQ(GetWindow(w.hWnd, GW_CHILD), ctl(1)) << "so does the Z-order";
    EXPECT_TRUE(XCTLMOVE(w, 1, std::nullopt, std::nullopt, 60, 30));
    ASSERT_TRUE(XCTLGETPOS(w, 1, &x, &y, &cx, &cy));
    EXPECT_EQ(x, 120);
    EXPECT_EQ(cx, 60);
    EXPECT_EQ(cy, 30);
    EXPECT_TRUE(XCTLMOVE(w, 3, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0));
    EXPECT_EQ(GetWindow(w.hWnd, GW_CHILD), ctl(3)) << "IDAfter 0: to the top";
    EXPECT_TRUE(XCTLMOVE(w, 3, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 2));
    EXPECT_EQ(GetWindow(ctl(2), GW_HWNDNEXT), ctl(3)) << "after control 2";
    EXPECT_FALSE(XCTLMOVE(w, 9, 0, 0));
    EXPECT_FALSE(XCTLGETPOS(w, 9, &x));

    EXPECT_FALSE(XENDCTLMOVE()) << "no batch open";
    ASSERT_TRUE(XBEGINCTLMOVE(w));
    EXPECT_FALSE(XBEGINCTLMOVE(w)) << "one batch at a time";
    EXPECT_TRUE(XCTLMOVE(w, 2, 200, 60));
    EXPECT_TRUE(XCTLMOVE(w, 3, 200, 100, 40, 20));
    ASSERT_TRUE(XCTLGETPOS(w, 2, &x, &y));
    EXPECT_EQ(x, 10) << "nothing moves before the batch is applied";
    EXPECT_TRUE(XENDCTLMOVE());
    ASSERT_TRUE(XCTLGETPOS(w, 2, &x, &y));
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 60);
    ASSERT_TRUE(XCTLGETPOS(w, 3, &x, &y, &cx, &cy));
    EXPECT_EQ(x, 200);
    EXPECT_EQ(cx, 40);
    EXPECT_FALSE(XENDCTLMOVE());
}

TEST_F(CtlLife, MessagesAndTheEditOfAnEditableCombo) {
    make(1, XCC_LISTBOX, 0, std::nullopt, 10, 10, 100, 100);
    make(2, XCC_COMBOEDIT, 0, std::nullopt, 10, 120, 100, 100);
    XCTLSETCHAR(w, 1, "x");
    EXPECT_EQ(XCTLSENDMESSAGE(w, 1, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(XCTLSENDMESSAGE(w, 9, LB_GETCOUNT, 0, 0), 0) << "no such control";
    const HWND hEdit = PXCTLGETEDIT(ctl(2));
    ASSERT_TRUE(hEdit);
    EXPECT_EQ(GetParent(hEdit), ctl(2));
    EXPECT_EQ(PXCTLGETEDIT(nullptr), nullptr);
    EXPECT_EQ(PXCTLGETEDIT(ctl(1)), nullptr);
}

// Only links this process made count: an "XCTL" property set by anyone else (another framework
// process's address, say) designates no record here, and the colour message takes the default.
TEST_F(CtlLife, AForeignControlPropertyIsNoRecord) {
    const HWND raw = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 10, 10, 80, 20, w.hWnd,
                                     reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_TRUE(raw);
    static XCTLREC foreign{};
    foreign.hCtl = raw;
    foreign.iClass = XCC_EDIT;
    foreign.hBrush = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(0x1234));
    foreign.crText = 0xFF;
    SetPropA(raw, "XCTL", &foreign);
    EXPECT_EQ(FXCTLBYHANDLE(raw), nullptr);
    const HDC hDC = GetDC(raw);
    EXPECT_NE(SendMessageA(w.hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hDC),
                           reinterpret_cast<LPARAM>(raw)),
              0x1234);
    ReleaseDC(raw, hDC);
    RemovePropA(raw, "XCTL");
}

// Labels address nothing: they repeat their identifier and never become IDOK or IDCANCEL.
TEST_F(CtlLife, IdentifiersBelowOneAreNeverRenumbered) {
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(XCTLCREATE(w, -1, XCC_STATIC, 0, 10, 10 + 30 * k, 80, 20), -1);
    EXPECT_EQ(XCTLCREATE(w, -7, XCC_STATIC, 0, 100, 10, 80, 20), -7);
    EXPECT_EQ(XCTLCREATE(w, -7, XCC_STATIC, 0, 100, 40, 80, 20), -7);
    EXPECT_EQ(children(), 5);
    EXPECT_EQ(ctl(IDOK), nullptr);
    EXPECT_EQ(ctl(IDCANCEL), nullptr);
    FXBINDWINDOWCONTROLS(w);
    EXPECT_EQ(w.nControls, 0);
}

// A re-bound control keeps showing its font, now owned by its new record; the old records'
// brushes go with them.
TEST_F(CtlLife, BindingAgainReleasesWhatTheOldRecordsOwned) {
    for (int i = 1; i <= 2; ++i) {
        make(i, XCC_BUTTON, 0, std::nullopt, 10, 10 + 30 * i, 80, 25);
        dress(i, 0x112233 * i);
    }
    const HFONT font = w.xCtl[1].hFont;
    const int before = XTEST_GDIOBJECTS();
    FXBINDWINDOWCONTROLS(w);
    EXPECT_EQ(XTEST_GDIOBJECTS(), before - 2) << "the two brushes";
    EXPECT_EQ(FXCTLBYHANDLE(ctl(1))->hFont, font);
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    XCTLDESTROYALL(w);
    EXPECT_EQ(XTEST_GDIOBJECTS(), before - 4) << "and the fonts with their controls";
}

TEST_F(CtlLife, BindingAgainLeavesNoLinkIntoTheOldList) {
    EXPECT_EQ(XCTLCREATE(w, -5, XCC_BUTTON, 0, 10, 10, 50, 20), -5);
    make(6, XCC_EDIT, 0, std::nullopt, 10, 40);
    const HWND labelled = ctl(-5);
    ASSERT_TRUE(labelled);
    FXBINDWINDOWCONTROLS(w);
    EXPECT_EQ(w.nControls, 1) << "only identifiers above 0 are bound";
    EXPECT_EQ(GetPropA(labelled, "XCTL"), nullptr);
    EXPECT_EQ(FXCTLBYHANDLE(ctl(6)), &w.xCtl[1]);
    EXPECT_EQ(w.xCtl[1].iClass, XCC_EDIT);
}

// ---- Callbacks that take their window away ---------------------------------------------------

// What the first callback of a report does to the window that holds the control: destroys the
// window and frees its object, unbinds it (the framework frees the object), or destroys another
// control and creates enough new ones to move the list.
enum class XTAKE { DESTROY, UNBIND, GROW };
// How the report reaches the window procedure, and what runs after the callback there.
enum class XVIA { CLICK, DRAW, COLUMNCLICK, COMBOSELECT, SCROLLBAR, TRACKBAR, TABPAGE };

constexpr int XIDREPORTING = 1, XIDOTHER = 2, XIDPAGE = 201, XIDNEW = 100, XNEWCONTROLS = 40;
constexpr char XTAKECLASS[] = "ZebTakeClass";

XTAKE xTake = XTAKE::DESTROY;
XWND* pxTakeParent = nullptr; // XBINDWINDOW's pointer for UNBIND, heap objects otherwise
bool bTaken = false;
int nAfterTaken = 0;     // callback calls once the window was taken
int nClassDrawItems = 0; // the report's own, not the button's later paints
HDC hReportDC = nullptr;

LRESULT CALLBACK pxtakeclassproc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    if (iMsg == WM_DRAWITEM && reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hDC == hReportDC)
        ++nClassDrawItems;
    return DefWindowProcA(hWnd, iMsg, wParam, lParam);
}

void PXTAKEAWAY() {
    if (bTaken) {
        ++nAfterTaken;
        return;
    }
    bTaken = true;
    XWND& x = *pxTakeParent;
    switch (xTake) {
    case XTAKE::DESTROY:
        XDESTROYWINDOW(x);
        delete &x;
        pxTakeParent = nullptr;
        break;
    case XTAKE::UNBIND: XUNBINDWINDOW(pxTakeParent); break;
    case XTAKE::GROW:
        XCTLDESTROY(x, XIDOTHER);
        for (int i = 0; i < XNEWCONTROLS; ++i)
            XCTLCREATE(x, XIDNEW + i, XCC_BUTTON, 0, 15 * i, 400, 14, 14);
        break;
    }
}
void pxtakecommand(XWND&, int, int) {
    PXTAKEAWAY();
}
void pxtakedraw(XWND&, int, XDC&) {
    PXTAKEAWAY();
}
// A tab page whose size handler takes the window away while the tab shows it, before the tab's
// own callback is called.
template <class F> struct XTakeHandler;
template <class... A> struct XTakeHandler<LRESULT(XWND&, A...)> {
    static LRESULT fn(XWND&, A...) {
        PXTAKEAWAY();
        return XFALSE;
    }
};

class CtlTakeAway : public ::testing::TestWithParam<std::tuple<XVIA, XTAKE>> {
  protected:
    void SetUp() override {
        xTake = std::get<1>(GetParam());
        bTaken = false;
        nAfterTaken = nClassDrawItems = 0;
        if (xTake == XTAKE::UNBIND) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = pxtakeclassproc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = XTAKECLASS;
            RegisterClassA(&wc);
            hParent = CreateWindowExA(0, XTAKECLASS, "take", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                                      40, 640, 480, nullptr, nullptr, wc.hInstance, nullptr);
            pxTakeParent = nullptr;
            ASSERT_TRUE(XBINDWINDOW(hParent, pxTakeParent));
        } else {
            pxTakeParent = new XWND;
            const XWND none;
            ASSERT_TRUE(XCREATEWINDOW(*pxTakeParent, none, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "take",
                                      std::nullopt, 40, 40, 640, 480));
            hParent = pxTakeParent->hWnd;
        }
        SetForegroundWindow(hParent);
        XTEST_PUMP();
        ASSERT_EQ(XCTLCREATE(*pxTakeParent, XIDOTHER, XCC_EDIT, 0, 10, 300, 80, 20), XIDOTHER);
    }
    void TearDown() override {
        if (pxTakeParent && xTake != XTAKE::UNBIND) {
            XDESTROYWINDOW(*pxTakeParent);
            delete pxTakeParent;
        } else if (pxTakeParent) {
            XUNBINDWINDOW(pxTakeParent);
        }
        pxTakeParent = nullptr;
        if (IsWindow(hParent)) DestroyWindow(hParent);
        XTEST_PUMP();
    }
    HWND reporting() const { return GetDlgItem(hParent, XIDREPORTING); }

    // Creates the reporting control with the callback its route calls.
    void build(XVIA v) {
        XWND& x = *pxTakeParent;
        const int id = XIDREPORTING;
        switch (v) {
        case XVIA::CLICK:
            ASSERT_EQ(XCTLCREATE(x, id, XCC_BUTTON, 0, 10, 10, 80, 25), id);
            ASSERT_TRUE(XCTLSETSUB(x, id, pxtakecommand, XEC_CLICK));
            break;
        case XVIA::DRAW:
            ASSERT_EQ(XCTLCREATE(x, id, XCC_BUTTON, 0x10000000, 10, 10, 80, 25), id);
            ASSERT_TRUE(XCTLSETSUB(x, id, pxtakedraw, XEC_OWNERDRAW));
            break;
        case XVIA::COLUMNCLICK:
            ASSERT_EQ(XCTLCREATE(x, id, XCC_LISTVIEW, 0, 10, 10, 200, 100), id);
            XCTLTEST_LVCOLUMNS(x, id, 2, 80);
            XCTLTEST_LVROWS(x, id, 3);
            ASSERT_TRUE(XCTLSETSUB(x, id, pxtakecommand, XEC_COLCLICK));
            break;
        case XVIA::COMBOSELECT:
            ASSERT_EQ(XCTLCREATE(x, id, XCC_COMBOEDIT, 0, 10, 10, 150, 100), id);
            ASSERT_TRUE(XCTLSETCHAR(x, id, "alpha"));
            ASSERT_TRUE(XCTLSETCHAR(x, id, "beta"));
            for (int ev : {XEC_SELCHANGED, XEC_CHANGED, XEC_UPDATED})
                ASSERT_TRUE(XCTLSETSUB(x, id, pxtakecommand, ev));
            break;
        case XVIA::SCROLLBAR:
            ASSERT_EQ(XCTLCREATE(x, id, XCC_SCROLLBAR, 0, 10, 10, 200, 20), id);
            ASSERT_TRUE(XCTLSETINT(x, id, 100, XPC_MAXIMUM));
            ASSERT_TRUE(XCTLSETSUB(x, id, pxtakecommand));
            break;
        case XVIA::TRACKBAR:
            ASSERT_EQ(XCTLCREATE(x, id, XCC_TRACKBAR, 0, 10, 10, 200, 30), id);
            ASSERT_TRUE(XCTLSETSUB(x, id, pxtakecommand));
            break;
        case XVIA::TABPAGE: {
            ASSERT_EQ(XCTLCREATE(x, id, XCC_TAB, 0, 10, 10, 300, 200), id);
            ASSERT_TRUE(XCTLSETINT(x, id, 2));
            ASSERT_TRUE(XCREATEWINDOW(xPage, x, WS_CHILD, "page", std::nullopt, 400, 300, 10, 10,
                                      nullptr, std::nullopt, XIDPAGE));
            using Size = XTakeHandler<XHANDLER_T<WM_SIZE>::type>;
            ASSERT_TRUE(XSETHANDLER<WM_SIZE>(xPage, &Size::fn));
            ASSERT_TRUE(XCTLSETINT(x, id, XIDPAGE, 2));
            ASSERT_TRUE(XCTLSETSUB(x, id, pxtakecommand));
            break;
        }
        }
    }

    // Reports as the control would.
    void report(XVIA v) {
        const HWND c = reporting();
        switch (v) {
        case XVIA::CLICK: SendMessageA(c, BM_CLICK, 0, 0); break;
        case XVIA::DRAW: {
            const HDC dc = hReportDC = CreateCompatibleDC(nullptr);
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_BUTTON;
            dis.CtlID = XIDREPORTING;
            dis.itemAction = ODA_DRAWENTIRE;
            dis.hwndItem = c;
            dis.hDC = dc;
            dis.rcItem = {0, 0, 80, 25};
            SendMessageA(hParent, WM_DRAWITEM, XIDREPORTING, reinterpret_cast<LPARAM>(&dis));
            DeleteDC(dc);
            break;
        }
        case XVIA::COLUMNCLICK: {
            NMLISTVIEW nm{};
            nm.hdr = {c, XIDREPORTING, static_cast<UINT>(LVN_COLUMNCLICK)};
            nm.iItem = -1;
            SendMessageA(hParent, WM_NOTIFY, XIDREPORTING, reinterpret_cast<LPARAM>(&nm));
            break;
        }
        case XVIA::COMBOSELECT:
            SetFocus(c);
            SendMessageA(c, CB_SETCURSEL, 1, 0);
            SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(XIDREPORTING, CBN_SELENDOK),
                         reinterpret_cast<LPARAM>(c));
            break;
        case XVIA::SCROLLBAR:
            SendMessageA(hParent, WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(c));
            break;
        case XVIA::TRACKBAR:
            SendMessageA(hParent, WM_HSCROLL, TB_LINEDOWN, reinterpret_cast<LPARAM>(c));
            break;
        case XVIA::TABPAGE: {
            SendMessageA(c, TCM_SETCURSEL, 1, 0);
            NMHDR nm{c, XIDREPORTING, static_cast<UINT>(TCN_SELCHANGE)};
            SendMessageA(hParent, WM_NOTIFY, XIDREPORTING, reinterpret_cast<LPARAM>(&nm));
            break;
        }
        }
        XTEST_PUMP();
    }

    HWND hParent = nullptr;
    XWND xPage;
};

// The report ends where the window went: no later step reads the freed object or the released
// list, no callback is called for a window that is gone, and what stays is whole.
TEST_P(CtlTakeAway, TheReportEndsWithTheWindowAndLeavesWhatStaysWhole) {
    const XVIA via = std::get<0>(GetParam());
    build(via);
    if (HasFatalFailure()) return;
    const HWND hReporting = reporting();
    report(via);
    ASSERT_TRUE(bTaken) << "the report reached its callback";
    switch (xTake) {
    case XTAKE::DESTROY:
        EXPECT_FALSE(IsWindow(hParent));
        EXPECT_EQ(nAfterTaken, 0) << "a callback ran for a destroyed window";
        break;
    case XTAKE::UNBIND:
        EXPECT_EQ(pxTakeParent, nullptr);
        EXPECT_EQ(FXWNDBYHANDLE(hParent), nullptr);
        EXPECT_EQ(FXCTLBYHANDLE(hReporting), nullptr);
        EXPECT_EQ(GetWindowLongPtrA(hParent, GWLP_WNDPROC),
                  reinterpret_cast<LONG_PTR>(pxtakeclassproc));
        EXPECT_EQ(nAfterTaken, 0) << "a callback ran for an unbound window";
        if (via == XVIA::DRAW) {
            EXPECT_EQ(nClassDrawItems, 1) << "default processing: the class's";
        }
        break;
    case XTAKE::GROW: {
        XWND& x = *pxTakeParent;
        EXPECT_EQ(GetDlgItem(hParent, XIDOTHER), nullptr);
        ASSERT_EQ(x.nControls, 1 + XNEWCONTROLS);
        EXPECT_GT(x.xCtl.capacity(), XCTL_FIRSTROOM + 1) << "the list was moved";
        for (int i = 1; i <= x.nControls; ++i) {
            EXPECT_TRUE(IsWindow(x.xCtl[i].hCtl)) << i;
            EXPECT_EQ(FXCTLBYHANDLE(x.xCtl[i].hCtl), &x.xCtl[i]) << i;
        }
        const XCTLREC* rec = FXCTLBYHANDLE(hReporting);
        ASSERT_TRUE(rec);
        EXPECT_EQ(rec->hCtl, hReporting);
        break;
    }
    }
}

std::string pxtakename(const ::testing::TestParamInfo<std::tuple<XVIA, XTAKE>>& info) {
    static const char* const via[] = {"Click",     "Draw",     "ColumnClick", "ComboSelect",
                                      "ScrollBar", "TrackBar", "TabPage"};
    static const char* const take[] = {"Destroyed", "Unbound", "Grown"};
    return std::string(via[static_cast<int>(std::get<0>(info.param))]) +
           take[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(
    EveryRoute, CtlTakeAway,
    ::testing::Combine(::testing::Values(XVIA::CLICK, XVIA::DRAW, XVIA::COLUMNCLICK,
                                         XVIA::COMBOSELECT, XVIA::SCROLLBAR, XVIA::TRACKBAR,
                                         XVIA::TABPAGE),
                       ::testing::Values(XTAKE::DESTROY, XTAKE::UNBIND, XTAKE::GROW)),
    pxtakename);

} // namespace
