#include <gtest/gtest.h>
#include <windows.h>

#include <thread>
#include <vector>

#include "demo_dialog.h"
#include "dialogs/dialog_proc.h"
#include "dialogs/modal.h"
#include "dialogs/record_release.h"
#include "dialogs/window_record.h"
#include "sent_messages.h"

namespace dialogs {
namespace {

using testing::DemoDialog;
using testing::SentMessages;

constexpr UINT kProbe = WM_APP + 1;       // sent during the introductory calls
constexpr UINT kStarted = WM_APP + 2;     // posted then, arrives once the loop runs
constexpr UINT kAnswerFive = WM_APP + 3;  // the callback answers 5
constexpr UINT kNest = WM_APP + 5;
constexpr UINT kPing = WM_APP + 6;           // sent from another thread
constexpr UINT kThreadMessage = WM_APP + 7;  // posted to the loop's thread, with no window
constexpr UINT kWatchdogMs = 15000;

// What the callbacks saw; one test at a time.
struct Seen {
  std::vector<CallbackContext> calls;
  std::vector<bool> visibleAtCall;
  bool timedOut = false;
  int depth = 0;
  int deepest = 0;
  CallbackContext outerAfterNesting{};
  void (*onStarted)(HWND dialog) = nullptr;
} seen;

HWND watched = nullptr;
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
  seen.timedOut = true;
  if (IsWindow(watched)) DestroyWindow(watched);
}

bool Saw(UINT message) {
  for (const auto& call : seen.calls) {
    if (call.message == message) return true;
  }
  return false;
}

int Count(UINT message, WPARAM wParam) {
  int count = 0;
  for (const auto& call : seen.calls) count += call.message == message && call.wParam == wParam;
  return count;
}

void Close(HWND dialog) {
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

INT_PTR Recorder(CallbackContext context) {
  seen.calls.push_back(context);
  seen.visibleAtCall.push_back(IsWindowVisible(context.window) != 0);
  if (context.message == WM_INITDIALOG && context.window != nullptr) {
    SendMessageW(context.window, kProbe, 0, 0);
    PostMessageW(context.window, kStarted, 0, 0);
  }
  if (context.message == kStarted && seen.onStarted != nullptr) seen.onStarted(context.window);
  if (context.message == kAnswerFive) return 5;
  if (context.message == WM_TIMER) Close(context.window);
  if (context.message == kNest || context.message == WM_COMMAND) {
    ++seen.depth;
    seen.deepest = std::max(seen.deepest, seen.depth);
    if (context.message == kNest) {
      SendMessageW(ControlHandle(context.window, testing::kButtonId), BM_CLICK, 0, 0);
      seen.outerAfterNesting = context;
    }
    --seen.depth;
  }
  return 0;
}

bool TimerDue(UINT_PTR timer) {
  MSG due{};
  while (PeekMessageW(&due, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    if (due.wParam == timer) return true;
  }
  return false;
}

// Runs the dialog modally with the recorder and a watchdog that ends a stuck loop.
void RunModal(HWND dialog, void (*onStarted)(HWND), std::int32_t* result = nullptr,
              DialogCallback callback = Recorder) {
  seen = Seen{};
  seen.onStarted = onStarted;
  watched = dialog;
  const UINT_PTR timer = SetTimer(nullptr, 0, kWatchdogMs, Watchdog);
  DialogShowModal(dialog, callback, result);
  const bool expired = TimerDue(timer);  // due but never run: it woke a loop that then ended
  KillTimer(nullptr, timer);
  EXPECT_FALSE(seen.timedOut || expired) << "the dialog did not end by itself";
  EXPECT_FALSE(IsWindow(dialog));
}

TEST(DialogShowModal, FirstTwoCallsIntroduceTheHiddenDialog) {
  const HWND dialog = DemoDialog();
  RECT client{};
  GetClientRect(dialog, &client);
  RunModal(dialog, Close);
  ASSERT_GE(seen.calls.size(), 3u);
  EXPECT_EQ(seen.calls[0].message, static_cast<UINT>(WM_INITDIALOG));
  EXPECT_EQ(seen.calls[0].window, dialog);
  EXPECT_EQ(seen.calls[0].wParam, reinterpret_cast<WPARAM>(dialog));
  EXPECT_EQ(seen.calls[0].lParam, 0);
  EXPECT_EQ(seen.calls[1].message, static_cast<UINT>(WM_SIZE));
  EXPECT_EQ(seen.calls[1].wParam, static_cast<WPARAM>(SIZE_RESTORED));
  EXPECT_EQ(seen.calls[1].lParam, MAKELPARAM(client.right, client.bottom));
  EXPECT_FALSE(seen.visibleAtCall[0]);
  EXPECT_FALSE(seen.visibleAtCall[1]);
  EXPECT_FALSE(Saw(kProbe)) << "sent before the callback was registered";
  EXPECT_TRUE(Saw(kStarted));
  EXPECT_FALSE(Saw(WM_ACTIVATE));
  EXPECT_EQ(Count(WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog)), 1);
  EXPECT_TRUE(Saw(WM_CLOSE));
  EXPECT_TRUE(Saw(WM_DESTROY));
  EXPECT_TRUE(Saw(WM_NCDESTROY));
}

TEST(DialogShowModal, ShownWithTheRecordsShowCommandAndNoActivationReachesTheCallback) {
  RunModal(DemoDialog(), [](HWND dialog) {
    EXPECT_TRUE(IsWindowVisible(dialog));
    SendMessageW(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
    Close(dialog);
  });
  EXPECT_FALSE(Saw(WM_ACTIVATE));
}

TEST(DialogShowModal, NonZeroAnswerBecomesTheMessageResult) {
  RunModal(DemoDialog(), [](HWND dialog) {
    EXPECT_EQ(SendMessageW(dialog, kAnswerFive, 0, 0), 5);
    EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_MSGRESULT), 5);
    // A result already set stays; the answer is still the callback's.
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 9);
    EXPECT_EQ(DialogProc(dialog, kAnswerFive, 0, 0), 5);
    EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_MSGRESULT), 9);
    Close(dialog);
  });
}

TEST(DialogShowModal, QuitMessageDoesNotEndTheLoop) {
  // WM_QUIT is taken before any timer message, so the close comes after the loop saw it.
  RunModal(DemoDialog(), [](HWND dialog) {
    PostQuitMessage(3);
    SetTimer(dialog, 1, 20, nullptr);
  });
  EXPECT_TRUE(Saw(WM_TIMER));
  MSG left{};
  EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "taken by the loop";
}

std::thread helper;  // acts on the dialog from another thread; joined once the loop has ended

// The send returns once the loop's thread has handled it at its queue: the post that follows
// comes as the loop is about to wait or waiting, which is as close as a test can bring it.
void PingThenPostToThread(HWND dialog, DWORD loopThread) {
  SendMessageW(dialog, kPing, 0, 0);
  PostThreadMessageW(loopThread, kThreadMessage, 0, 0);
}

// A message without a window reaches no callback: only the taking of it can be seen.
LRESULT CALLBACK CloseOnThreadMessage(int code, WPARAM removal, LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && removal == PM_REMOVE && message->hwnd == nullptr &&
      message->message == kThreadMessage) {
    Close(watched);
  }
  return CallNextHookEx(nullptr, code, removal, lParam);
}

TEST(DialogShowModal, AMessagePostedToTheThreadFromElsewhereReachesTheLoop) {
  const HHOOK hook =
      SetWindowsHookExW(WH_GETMESSAGE, CloseOnThreadMessage, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  RunModal(DemoDialog(), [](HWND dialog) {
    SetFocus(ControlHandle(dialog, testing::kButtonId));  // no blinking caret to wake the loop
    helper = std::thread(PingThenPostToThread, dialog, GetCurrentThreadId());
  });
  if (helper.joinable()) helper.join();
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(Saw(kPing));
}

// Sent from another thread, the close request is handled inside the loop's look at its queue,
// which then finds nothing to take: the loop must see the dialog gone instead of waiting for a
// message that no longer comes.
TEST(DialogShowModal, ADialogClosedByAMessageFromAnotherThreadEndsTheLoop) {
  RunModal(DemoDialog(), [](HWND dialog) {
    // Queued, not yet handled, when the callback returns to the loop.
    std::thread([dialog] { SendNotifyMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }).join();
  });
  EXPECT_TRUE(Saw(WM_NCDESTROY));
}

void PressKey(HWND window, UINT message, WPARAM key, LPARAM flags) {
  PostMessageW(window, message, key, flags | 1);
}

TEST(DialogShowModal, EscapeAndEnterReachTheCallbackButDoNotClose) {
  RunModal(DemoDialog(), [](HWND dialog) {
    const HWND button = ControlHandle(dialog, testing::kButtonId);
    SetFocus(button);
    PressKey(button, WM_KEYDOWN, VK_ESCAPE, 0);
    // Enter in the edit box, where no push button has the focus: IDOK.
    PressKey(ControlHandle(dialog, testing::kEditId), WM_KEYDOWN, VK_RETURN, 0);
    PressKey(dialog, WM_SYSKEYDOWN, VK_F4, 1 << 29);  // Alt+F4
  });
  EXPECT_EQ(Count(WM_COMMAND, IDCANCEL), 1);
  EXPECT_EQ(Count(WM_COMMAND, IDOK), 1);
  EXPECT_TRUE(Saw(WM_SYSCOMMAND));
}

TEST(DialogShowModal, ReentryFromASynchronousNotificationSeesItsOwnContext) {
  RunModal(DemoDialog(), [](HWND dialog) {
    SendMessageW(dialog, kNest, 7, 8);
    Close(dialog);
  });
  EXPECT_EQ(seen.deepest, 2);
  EXPECT_EQ(seen.outerAfterNesting.message, kNest);
  EXPECT_EQ(seen.outerAfterNesting.wParam, 7u);
  EXPECT_EQ(seen.outerAfterNesting.lParam, 8);
  EXPECT_EQ(Count(WM_COMMAND, MAKEWPARAM(testing::kButtonId, BN_CLICKED)), 1);
}

TEST(DialogShowModal, RecordsGoAtTheEndAndNothingLeaks) {
  const std::size_t records = RecordCount();
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  const HWND dialog = DemoDialog();
  DialogSetIcon(dialog, testing::Text("#200"));
  ControlSetColor(dialog, testing::kBandId, 0xFFFFFF, 0);
  RunModal(dialog, Close);
  EXPECT_EQ(RecordCount(), records);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
}

TEST(DialogShowModal, ResultVariableGetsTheEndResult) {
  std::int32_t result = -1;
  const auto endWithSeven = [](HWND dialog) { DialogEnd(dialog, 7); };
  RunModal(DemoDialog(), endWithSeven, &result);
  EXPECT_EQ(result, 7);
  result = -1;
  RunModal(DemoDialog(), Close, &result);
  EXPECT_EQ(result, 0) << "a close request ends with 0";
}

TEST(DialogShowModal, ParentIsDisabledWhileTheDialogRuns) {
  const HWND parent = DemoDialog();
  static HWND parentSeen;
  parentSeen = parent;
  RunModal(DemoDialog(parent), [](HWND dialog) {
    EXPECT_FALSE(IsWindowEnabled(parentSeen));
    Close(dialog);
  });
  EXPECT_TRUE(IsWindowEnabled(parent));
  DestroyWindow(parent);
}

// DestroyWindow instead of DialogEnd: the loop still ends with the window, and the parent it
// disabled is usable again.
TEST(DialogShowModal, ADialogDestroyedWithoutDialogEndLeavesTheLoopAndFreesItsParent) {
  const HWND parent = DemoDialog();
  RunModal(DemoDialog(parent), [](HWND dialog) { DestroyWindow(dialog); });
  EXPECT_TRUE(Saw(WM_NCDESTROY));
  EXPECT_FALSE(Saw(WM_CLOSE)) << "DialogEnd was not involved";
  EXPECT_TRUE(IsWindowEnabled(parent));
  DestroyWindow(parent);
}

// The parent is told to cancel any mode before it is disabled. EnableWindow sends a
// WM_CANCELMODE of its own to a window it disables, so the toolkit's makes it two.
TEST(DialogShowModal, TheParentIsToldToCancelAnyModeBeforeItIsDisabled) {
  const HWND parent = DemoDialog();
  SentMessages sent;
  ASSERT_TRUE(sent.Hooked());
  RunModal(DemoDialog(parent), Close);
  int cancels = 0;
  bool disabled = false;
  for (const testing::SentMessage& message : sent.All()) {
    if (message.window != parent) continue;
    if (message.message == WM_ENABLE && message.wParam == FALSE) disabled = true;
    if (message.message == WM_CANCELMODE && !disabled) ++cancels;
  }
  EXPECT_TRUE(disabled);
  EXPECT_EQ(cancels, 2);
  DestroyWindow(parent);
}

INT_PTR KeepsItsRecords(CallbackContext context) {
  Recorder(context);
  return context.message == WM_NCDESTROY ? 1 : 0;
}

// A callback that answers WM_NCDESTROY itself takes over the release: the toolkit keeps the
// records of the destroyed dialog and its controls.
TEST(DialogProc, ACallbackAnsweringNcDestroyKeepsTheRecords) {
  const std::size_t records = RecordCount();
  const HWND dialog = DemoDialog();
  const std::size_t withDialog = RecordCount();
  RunModal(dialog, Close, nullptr, KeepsItsRecords);
  EXPECT_TRUE(Saw(WM_NCDESTROY));
  EXPECT_TRUE(FindRecord(dialog, nullptr));
  EXPECT_EQ(RecordCount(), withDialog);
  ReleaseDialogRecords(dialog, WindowSystemRelease());
  EXPECT_EQ(RecordCount(), records);
}

TEST(DialogShowModal, NullDialogStillGetsTheTwoCallsAndReturns) {
  seen = Seen{};
  DialogShowModal(nullptr, Recorder, nullptr);
  ASSERT_EQ(seen.calls.size(), 2u);
  EXPECT_EQ(seen.calls[0].window, nullptr);
  EXPECT_EQ(seen.calls[0].message, static_cast<UINT>(WM_INITDIALOG));
  EXPECT_EQ(seen.calls[1].message, static_cast<UINT>(WM_SIZE));
  EXPECT_EQ(seen.calls[1].lParam, 0);
}

INT_PTR ButtonClaimsItsClicks(CallbackContext context) {
  return context.message == WM_COMMAND ? 11 : 0;
}

TEST(DialogProc, ControlCallbackAnswersItsCommandsFirst) {
  RunModal(DemoDialog(), [](HWND dialog) {
    testing::Add(dialog, ControlKind::kPushButton, 600, "own", 1, 1, 20, 10, 0,
                 ButtonClaimsItsClicks);
    SendMessageW(ControlHandle(dialog, 600), BM_CLICK, 0, 0);
    SendMessageW(ControlHandle(dialog, testing::kButtonId), BM_CLICK, 0, 0);
    Close(dialog);
  });
  EXPECT_EQ(Count(WM_COMMAND, MAKEWPARAM(600, BN_CLICKED)), 0) << "the control's callback took it";
  EXPECT_EQ(Count(WM_COMMAND, MAKEWPARAM(testing::kButtonId, BN_CLICKED)), 1);
}

TEST(DialogProc, CloseRequestForAWindowWithoutRecordIsLeftAlone) {
  EXPECT_EQ(DialogProc(GetDesktopWindow(), WM_SYSCOMMAND, SC_CLOSE, 0), FALSE);
  DialogEnd(nullptr, 1);  // nothing to end
}

}  // namespace
}  // namespace dialogs
