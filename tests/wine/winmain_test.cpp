// The callable message pump, the loop's pre-processing (accelerators, dialog keys), and the
// process entry's start-up and exit codes, the latter watched from outside through
// exitcode_app.exe.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ZEBStrings.h"
#include "recorder.h"
#include "zebtest.h"

namespace {

constexpr unsigned D = XS_DEFAULT, WP = XS_WPARAM;
constexpr UINT WM_PROBE = WM_APP + 50;
const XWND xNone;

using XKEYDOWN = XCOUNT<WM_KEYDOWN>;

int nCmdCalls = 0, nCmdID = 0, nCmdCode = -99;
void pxcommand(XWND&, int iID, int iCode) {
    ++nCmdCalls;
    nCmdID = iID;
    nCmdCode = iCode;
}
void pxresetcommand() {
    nCmdCalls = nCmdID = 0;
    nCmdCode = -99;
}

// Expected sequences, named by what they show (listed messages only: H handler, D default
// processing, P posted; WP and LP pin a parameter).
const XMSGSEQ xSeqDrainedInOrder = {{WM_PROBE, D | WP, 1},
                                    {WM_PROBE + 1, D | WP, 2},
                                    {WM_KEYDOWN, D | WP, 'A'},
                                    {WM_PROBE, D | WP, 3},
                                    {WM_CHAR, D | WP, 'a'}};
const XMSGSEQ xSeqFirstProbe = {{WM_PROBE, D | WP, 1}};
const XMSGSEQ xSeqBothProbes = {{WM_PROBE, D | WP, 1}, {WM_PROBE + 1, D | WP, 2}};
const XMSGSEQ xSeqProbes12 = {{WM_PROBE, D | WP, 1}, {WM_PROBE, D | WP, 2}};
const XMSGSEQ xSeqProbes123 = {{WM_PROBE, D | WP, 1}, {WM_PROBE, D | WP, 2}, {WM_PROBE, D | WP, 3}};
const XMSGSEQ xSeqLaterProbe = {{WM_PROBE, D | WP, 7}};

// A recording window, with an empty queue and a fresh log.
class Pump : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(XREC_CREATE(xRec));
        XTEST_PUMP();
        XREC_START();
    }
    void TearDown() override {
        bRecording = false;
        XDESTROYWINDOW(xRec);
        XTEST_PUMP();
    }
    void post(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { PostMessageA(xRec.hWnd, msg, wp, lp); }
    static bool queued(UINT msg) {
        MSG m;
        return PeekMessageA(&m, nullptr, msg, msg, PM_NOREMOVE) != 0;
    }
    static int logged(UINT msg) {
        int n = 0;
        for (const XMSGENTRY& e : xRecLog) n += e.msg == msg;
        return n;
    }
    XWND xRec;
};

HANDLE pxevent(bool bSignalled = false) {
    return CreateEventA(nullptr, TRUE, bSignalled, nullptr);
}

} // namespace

// Start-up state seen from inside the running loop.

TEST(ProcessEntry, RegistersTheFrameworkClassAndPointsAtTheFrame) {
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "XWndClass", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS | CS_OWNDC));
    EXPECT_EQ(wc.lpfnWndProc, fxwindowproc);
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
    EXPECT_EQ(wc.hIcon, nullptr);
    EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(wc.hbrBackground, nullptr);
    EXPECT_EQ(wc.lpszMenuName, nullptr);

    EXPECT_EQ(xApp.hInstance, GetModuleHandleA(nullptr));
    EXPECT_EQ(xApp.pxFrame, &xFrame);
    EXPECT_EQ(xApp.pxMDI, nullptr);
    EXPECT_EQ(XGETMDI(), nullptr);
    EXPECT_FALSE(xApp.bInInit) << "only while XINIT runs";
    EXPECT_GE(xApp.nWindows, 1) << "the test host window";
}

// XPROCESSMESSAGES

TEST_F(Pump, EmptyQueueReturnsAtOnce) {
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_EQ(XPROCESSMESSAGES(false), 0);
    EXPECT_TRUE(xRecLog.empty());
}

// The character a key-down translates into joins the end of the queue and is drained too.
TEST_F(Pump, DrainsTranslatesAndDispatchesPostedMessages) {
    post(WM_PROBE, 1);
    post(WM_PROBE + 1, 2);
    post(WM_KEYDOWN, 'A', 0x001E0001);
    post(WM_PROBE, 3);
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_SEQ(xSeqDrainedInOrder);
    EXPECT_FALSE(queued(WM_PROBE));
}

TEST_F(Pump, ListedMessageEndsTheWaitAndReachesNoWindow) {
    post(WM_PROBE, 1);
    post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    post(WM_PROBE + 1, 2);
    EXPECT_EQ(XPROCESSMESSAGES(true, std::vector<int>{WM_LBUTTONDOWN}), WM_LBUTTONDOWN);
    EXPECT_SEQ(xSeqFirstProbe);
    EXPECT_EQ(logged(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(logged(WM_PROBE + 1), 0);
    EXPECT_FALSE(queued(WM_LBUTTONDOWN)) << "consumed";
    EXPECT_TRUE(queued(WM_PROBE + 1)) << "the call ended at the listed message";

    // Without bWait the list applies as well.
    post(WM_RBUTTONUP);
    EXPECT_EQ(XPROCESSMESSAGES(false, std::vector<int>{WM_PROBE + 5, WM_RBUTTONUP}), WM_RBUTTONUP);
    EXPECT_SEQ(xSeqBothProbes);
    EXPECT_EQ(logged(WM_RBUTTONUP), 0);
}

TEST_F(Pump, QuitIsReportedAndPostedAgainWithItsCode) {
    PostQuitMessage(3);
    EXPECT_EQ(XPROCESSMESSAGES(), WM_QUIT);
    EXPECT_EQ(XTEST_TAKEQUIT(), 3);

    // Waiting without handles: the messages before the quit are dispatched first.
    post(WM_PROBE, 1);
    PostQuitMessage(5);
    EXPECT_EQ(XPROCESSMESSAGES(true), WM_QUIT);
    EXPECT_SEQ(xSeqFirstProbe);
    EXPECT_EQ(XTEST_TAKEQUIT(), 5);

    // A listed message does not hide the quit.
    PostQuitMessage(6);
    EXPECT_EQ(XPROCESSMESSAGES(true, std::vector<int>{WM_QUIT}), WM_QUIT);
    EXPECT_EQ(XTEST_TAKEQUIT(), 6);
}

TEST_F(Pump, SignalledHandleEndsTheCallWithItsNegatedPosition) {
    HANDLE h1 = pxevent(), h2 = pxevent(true);
    EXPECT_EQ(XPROCESSMESSAGES(false, std::nullopt, std::vector<HANDLE>{h1, h2}), -2);
    SetEvent(h1);
    EXPECT_EQ(XPROCESSMESSAGES(false, std::nullopt, std::vector<HANDLE>{h1, h2}), -1);
    EXPECT_EQ(XPROCESSMESSAGES(true, std::nullopt, std::vector<HANDLE>{h2}), -1);

    // The wait comes before the queue: a signalled handle leaves the messages queued.
    post(WM_PROBE, 1);
    EXPECT_EQ(XPROCESSMESSAGES(false, std::nullopt, std::vector<HANDLE>{h2, h1}), -1);
    EXPECT_TRUE(xRecLog.empty());
    EXPECT_TRUE(queued(WM_PROBE));

    // Waiting for all means all objects and new input: both signalled, a message just posted.
    post(WM_PROBE, 2);
    EXPECT_EQ(XPROCESSMESSAGES(false, std::nullopt, std::vector<HANDLE>{h1, h2}, 1), -1);
    EXPECT_TRUE(xRecLog.empty());
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_SEQ(xSeqProbes12);
    CloseHandle(h1);
    CloseHandle(h2);
}

TEST_F(Pump, UnsignalledHandlesLetQueuedMessagesThrough) {
    HANDLE h = pxevent();
    post(WM_PROBE, 1);
    EXPECT_EQ(XPROCESSMESSAGES(false, std::nullopt, std::vector<HANDLE>{h}), 0);
    EXPECT_SEQ(xSeqFirstProbe);

    post(WM_PROBE, 2);
    EXPECT_EQ(XPROCESSMESSAGES(false, std::nullopt, std::vector<HANDLE>{}), 0) << "no handles";
    EXPECT_SEQ(xSeqProbes12);

    post(WM_PROBE, 3);
    post(WM_PROBE + 1, 4);
    EXPECT_EQ(XPROCESSMESSAGES(true, std::vector<int>{WM_PROBE + 1}, std::vector<HANDLE>{h}),
              WM_PROBE + 1);
    EXPECT_SEQ(xSeqProbes123);
    CloseHandle(h);
}

TEST_F(Pump, AWaitThatCannotBeMadeIsReportedAndLeavesTheQueueAlone) {
    HANDLE hClosed = pxevent();
    CloseHandle(hClosed);
    post(WM_PROBE, 1);
    EXPECT_EQ(XPROCESSMESSAGES(false, std::nullopt, std::vector<HANDLE>{hClosed}), XPM_WAITFAILED)
        << "not an emptied queue";
    EXPECT_EQ(XPROCESSMESSAGES(true, std::vector<int>{WM_PROBE}, std::vector<HANDLE>{hClosed}),
              XPM_WAITFAILED)
        << "no spinning until a message comes";
    EXPECT_TRUE(queued(WM_PROBE));

    std::vector<HANDLE> many;
    for (int i = 0; i < 64; ++i) many.push_back(pxevent());
    EXPECT_EQ(XPROCESSMESSAGES(false, std::nullopt, many), XPM_WAITFAILED) << "64 handles";
    many.pop_back();
    SetEvent(many.back());
    EXPECT_EQ(XPROCESSMESSAGES(false, std::nullopt, many), -63) << "63 is the most";
    for (HANDLE h : many) CloseHandle(h);
    EXPECT_TRUE(xRecLog.empty());
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
}

namespace {

// Another thread first posts a message and waits until it has been dispatched, then signals:
// the pump must go back to waiting after it drained the queue.
struct XLATER {
    HWND hWnd;
    HANDLE hDispatched, hSignal;
} xLater;

LRESULT pxacknowledge(XWND&, int&, WPARAM&, LPARAM&) {
    SetEvent(xLater.hDispatched);
    return XFALSE;
}

DWORD WINAPI pxlaterthread(LPVOID) {
    PostMessageA(xLater.hWnd, WM_PROBE, 7, 0);
    if (WaitForSingleObject(xLater.hDispatched, 10000) == WAIT_OBJECT_0) SetEvent(xLater.hSignal);
    return 0;
}

} // namespace

TEST_F(Pump, WaitingWithHandlesGoesBackToTheWaitWhenTheQueueIsEmpty) {
    xLater = {xRec.hWnd, pxevent(), pxevent()};
    XSETHANDLER(xRec, WM_PROBE, pxacknowledge);
    HANDLE hThread = CreateThread(nullptr, 0, pxlaterthread, nullptr, 0, nullptr);
    ASSERT_TRUE(hThread);
    // Should the thread fail, its own handle ends the wait with -2 instead of hanging.
    EXPECT_EQ(XPROCESSMESSAGES(true, std::nullopt, std::vector<HANDLE>{xLater.hSignal, hThread}),
              -1);
    EXPECT_SEQ(xSeqLaterProbe);
    WaitForSingleObject(hThread, 10000);
    CloseHandle(hThread);
    CloseHandle(xLater.hDispatched);
    CloseHandle(xLater.hSignal);
}

// The loop's pre-processing, through XPROCESSMESSAGES (the same steps as the main loop).

TEST(Accelerators, KeyInTheTableReachesTheFramesCommandTable) {
    ACCEL accel{FVIRTKEY, VK_F5, 40005};
    const HACCEL hAccel = CreateAcceleratorTableA(&accel, 1);
    ASSERT_TRUE(hAccel);
    const HACCEL hSaved = xApp.hAccel;
    ASSERT_TRUE(PXDEFXINIT());
    XWND child;
    ASSERT_TRUE(XCREATEWINDOW(child, xFrame, WS_CHILD | WS_VISIBLE, "", std::nullopt, 0, 0, 50, 50,
                              nullptr, std::nullopt, 9));
    XSETCOMMAND(xFrame, 40005, pxcommand);
    XSETHANDLER<WM_KEYDOWN>(xFrame, XKEYDOWN::fn);
    XSETHANDLER<WM_KEYDOWN>(child, XKEYDOWN::fn);
    XTEST_PUMP();
    pxresetcommand();
    XKEYDOWN::nCalls = 0;

    xApp.hAccel = hAccel;
    PostMessageA(xFrame.hWnd, WM_KEYDOWN, VK_F5, 0x003F0001);
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_EQ(nCmdCalls, 1);
    EXPECT_EQ(nCmdID, 40005);
    EXPECT_EQ(nCmdCode, 0) << "accelerators report like menus";
    EXPECT_EQ(XKEYDOWN::nCalls, 0);

    // Whichever window the key was meant for, the command goes to the frame.
    PostMessageA(child.hWnd, WM_KEYDOWN, VK_F5, 0x003F0001);
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_EQ(nCmdCalls, 2);
    EXPECT_EQ(XKEYDOWN::nCalls, 0);

    // Keys outside the table, or no table at all: the key-down handler.
    PostMessageA(xFrame.hWnd, WM_KEYDOWN, VK_F6, 0x00400001);
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_EQ(XKEYDOWN::nCalls, 1);
    xApp.hAccel = nullptr;
    PostMessageA(xFrame.hWnd, WM_KEYDOWN, VK_F5, 0x003F0001);
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_EQ(XKEYDOWN::nCalls, 2);
    EXPECT_EQ(nCmdCalls, 2);

    xApp.hAccel = hSaved;
    DestroyAcceleratorTable(hAccel);
    XDESTROYWINDOW(xFrame);
    EXPECT_EQ(XTEST_TAKEQUIT(), 0);
}

namespace {

// Makes hWnd the active window; false when the system would not.
bool pxactivate(HWND hWnd) {
    SetForegroundWindow(hWnd);
    SetActiveWindow(hWnd);
    XTEST_PUMP();
    return GetActiveWindow() == hWnd;
}

HWND pxtabstop(HWND hParent, int iID) {
    return CreateWindowExA(0, "BUTTON", "tab", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5 + 30 * iID,
                           60, 20, hParent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(iID)),
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST(DialogKeys, OnlyTheActiveControlParentGetsDialogKeyHandling) {
    XWND parent, plain;
    ASSERT_TRUE(XCREATEWINDOW(parent, xNone, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "cp",
                              WS_EX_CONTROLPARENT, 10, 10, 300, 200));
    ASSERT_TRUE(XCREATEWINDOW(plain, xNone, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "plain", 0, 40, 40,
                              300, 200));
    const HWND hFirst = pxtabstop(parent.hWnd, 11), hSecond = pxtabstop(parent.hWnd, 12);
    const HWND hPlainFirst = pxtabstop(plain.hWnd, 11);
    ASSERT_TRUE(pxtabstop(plain.hWnd, 12));
    for (XWND* x : {&parent, &plain}) {
        XSETHANDLER<WM_KEYDOWN>(*x, XKEYDOWN::fn);
        XSETCOMMAND(*x, IDCANCEL, pxcommand);
    }

    // Active control parent: Escape becomes its Cancel command, Tab moves the focus, and
    // neither reaches the key-down handler.
    ASSERT_TRUE(pxactivate(parent.hWnd)) << "activation is needed for this case";
    SetFocus(hFirst);
    XKEYDOWN::nCalls = 0;
    pxresetcommand();
    PostMessageA(parent.hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(parent.hWnd, WM_KEYDOWN, VK_TAB, 0x000F0001);
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_EQ(nCmdCalls, 1);
    EXPECT_EQ(nCmdID, IDCANCEL);
    EXPECT_EQ(XKEYDOWN::nCalls, 0);
    EXPECT_EQ(GetFocus(), hSecond);
    PostMessageA(hSecond, WM_KEYDOWN, VK_TAB, 0x000F0001);
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_EQ(GetFocus(), hFirst) << "from the last tab stop back to the first";

    // Another key goes through the dialog manager on to the window's handler.
    PostMessageA(parent.hWnd, WM_KEYDOWN, VK_F7, 0x00410001);
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_EQ(XKEYDOWN::nCalls, 1);

    // The same keys for an active window without the style: plain key-downs.
    ASSERT_TRUE(pxactivate(plain.hWnd));
    SetFocus(hPlainFirst);
    XKEYDOWN::nCalls = 0;
    pxresetcommand();
    PostMessageA(plain.hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(plain.hWnd, WM_KEYDOWN, VK_TAB, 0x000F0001);
    PostMessageA(hPlainFirst, WM_KEYDOWN, VK_TAB, 0x000F0001);
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_EQ(XKEYDOWN::nCalls, 2);
    EXPECT_EQ(nCmdCalls, 0);
    EXPECT_EQ(GetFocus(), hPlainFirst);

    // The control parent while another window is active: no dialog keys either.
    PostMessageA(parent.hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_EQ(XPROCESSMESSAGES(), 0);
    EXPECT_EQ(XKEYDOWN::nCalls, 3);
    EXPECT_EQ(nCmdCalls, 0);

    XDESTROYWINDOW(plain);
    XDESTROYWINDOW(parent);
    XTEST_PUMP();
}

// The process entry, from outside: exitcode_app.exe runs on it with an XINIT of its own.

namespace {

std::string pxappdir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of("\\/") + 1);
}

constexpr DWORD XHUNG = 0xDEADu;

// Runs the helper with the given arguments; its exit code, or XHUNG if it had to be stopped.
DWORD pxrunapp(const std::string& sArgs, WORD wShow = SW_SHOWNORMAL) {
    const std::string exe = pxappdir() + "exitcode_app.exe";
    std::string cmd = "\"" + exe + "\" " + sArgs;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = wShow;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        ADD_FAILURE() << "cannot start " << exe << ": error " << GetLastError();
        return XHUNG;
    }
    DWORD code = XHUNG;
    if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, XHUNG);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

std::string pxreadreport() {
    std::ifstream f(pxappdir() + "exitcode_app.out", std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

} // namespace

TEST(ProcessEntry, ExitCodes) {
    EXPECT_EQ(pxrunapp("refuse"), 0u) << "XINIT false: no loop, so the queued quit 9 is unseen";
    EXPECT_EQ(pxrunapp("refuse-frame"), 0u) << "XINIT false ends even with a frame open";
    EXPECT_EQ(pxrunapp("quit 7"), 7u);
    EXPECT_EQ(pxrunapp("quit 0"), 0u);
    EXPECT_EQ(pxrunapp("frame"), 0u) << "destroying the frame quits with 0";
    EXPECT_EQ(pxrunapp("frame-kept"), 11u) << "a WM_DESTROY handler claimed it: no quit 0";
}

TEST(ProcessEntry, CommandLineReachesXinitAs256BlankPaddedCharacters) {
    std::remove((pxappdir() + "exitcode_app.out").c_str());
    ASSERT_EQ(pxrunapp("echo  two  blanks", SW_SHOWMINNOACTIVE), 0u);
    std::string report = pxreadreport();
    ASSERT_GE(report.size(), 256u);
    EXPECT_EQ(report.substr(0, 256), XFIXED("echo  two  blanks", 256));
    EXPECT_EQ(report.substr(256), "|show=7 init=1 frame=1 windows=0 instance=1");

    std::remove((pxappdir() + "exitcode_app.out").c_str());
    const std::string sLong = "echo " + std::string(300, 'x');
    ASSERT_EQ(pxrunapp(sLong), 0u);
    report = pxreadreport();
    ASSERT_GE(report.size(), 256u);
    EXPECT_EQ(report.substr(0, 256), sLong.substr(0, 256));
    EXPECT_EQ(report.substr(256), "|show=1 init=1 frame=1 windows=0 instance=1");
}
