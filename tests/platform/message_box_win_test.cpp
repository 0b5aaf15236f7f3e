// The real boxes, shown by the window system, found by title, read and closed.
#include <gtest/gtest.h>

#include "box_watcher_win.h"
#include "platform/message_box.h"

namespace {

TEST(MessageBoxWindows, WideBoxShowsItsTextAndOneOkButton) {
  int result = 0;
  const box_watcher::Observed seen = box_watcher::WatchWhile(L"T\u00EDtulo de prueba", [&] {
    result = platform::MessageBoxW(nullptr, u"Primera l\u00EDnea\r\nSegunda",
                                   u"T\u00EDtulo de prueba", MB_OK);
  });
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(seen.text, L"Primera l\u00EDnea\r\nSegunda");
  EXPECT_TRUE(seen.hasOkButton);
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_EQ(seen.owner, nullptr);
}

TEST(MessageBoxWindows, NarrowBoxShowsItsText) {
  int result = 0;
  const box_watcher::Observed seen = box_watcher::WatchWhile(L"Caja estrecha", [&] {
    result = platform::MessageBoxA(nullptr, "Win98 No Support", "Caja estrecha", MB_OK);
  });
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(seen.text, L"Win98 No Support");
}

int Answer(const platform::MessageBoxCall&) {
  return IDCANCEL;
}

TEST(MessageBoxWindows, HookIsHonouredOnWindowsToo) {
  const platform::MessageBoxHook previous = platform::SetMessageBoxHook(Answer);
  EXPECT_EQ(platform::MessageBoxW(nullptr, u"never shown", u"x", MB_OK), IDCANCEL);
  EXPECT_EQ(platform::MessageBoxA(nullptr, "never shown", "x", MB_OK), IDCANCEL);
  platform::SetMessageBoxHook(previous);
}

}  // namespace
