// Recording windows for message-sequence tests.
//
// "ZebRecClass" is a plain window class whose procedure logs every message it gets and then
// runs DefWindowProcA. A framework object created with that class is subclassed, so what the
// window procedure hands to the default processing shows up in the log as XS_DEFAULT entries.
// XREC_HANDLER is a general-form handler that logs XS_HANDLER entries and answers what the
// test asked for.
#pragma once

#include <windows.h>

#include <map>

#include "ZEBApp.h"
#include "msgseq.h"

extern XMSGSEQ xRecLog;
extern std::map<unsigned, LRESULT> xRecAnswer; // handler results by message (else XFALSE)
extern bool bRecording;                        // the class procedure logs only while true

constexpr char XREC_CLASS[] = "ZebRecClass";

void XREC_REGISTER();
LRESULT XREC_HANDLER(XWND& xWnd, int& iMsg, WPARAM& wParam, LPARAM& lParam);
LRESULT XREC_TYPED(UINT iMsg); // logs a typed handler's call (parameters 0) and answers

// A recording handler with the argument list message M prescribes.
template <UINT M, class F = typename XHANDLER_T<M>::type> struct XRecHandler;
template <UINT M, class... A> struct XRecHandler<M, LRESULT(XWND&, A...)> {
    static LRESULT fn(XWND&, A...) { return XREC_TYPED(M); }
};
template <UINT M> struct XRecHandler<M, XGENERALHANDLER> {
    static LRESULT fn(XWND& x, int& m, WPARAM& w, LPARAM& l) { return XREC_HANDLER(x, m, w, l); }
};

// Registers recording handlers for the messages M.
template <UINT... M> void XREC_HANDLE(XWND& xWnd) {
    (XSETHANDLER<M>(xWnd, &XRecHandler<M>::fn), ...);
}

// Creates a framework object over a recording window (top-level unless hParent is given).
bool XREC_CREATE(XWND& xWnd, HWND hParent = nullptr, int iStyle = WS_OVERLAPPEDWINDOW);

// Starts a fresh log.
void XREC_START();

// Dispatches the queue, logging messages posted to windows as XS_POSTED.
void XREC_PUMP();

// Compares the log with an expected table (listed messages only) in a gtest assertion.
#define EXPECT_SEQ(expected)                                                                       \
    do {                                                                                           \
        const std::string xseqreport = XMSGSEQ_COMPARE(expected, xRecLog, true);                   \
        EXPECT_TRUE(xseqreport.empty()) << xseqreport;                                             \
    } while (0)
