// The hook sees every box, in both builds, with exactly the arguments given.
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Seen {
  int calls = 0;
  HWND owner = nullptr;
  std::u16string text, caption;
  std::string narrowText, narrowCaption;
  bool wide = false;
  UINT type = 0;
};
Seen seen;

int Record(const platform::MessageBoxCall& call) {
  ++seen.calls;
  seen.owner = call.owner;
  seen.wide = call.text != nullptr;
  seen.text = call.text != nullptr ? call.text : u"";
  seen.caption = call.caption != nullptr ? call.caption : u"";
  seen.narrowText = call.narrowText != nullptr ? call.narrowText : "";
  seen.narrowCaption = call.narrowCaption != nullptr ? call.narrowCaption : "";
  seen.type = call.type;
  return 42;
}

class MessageBoxHookTest : public testing::Test {
 protected:
  void SetUp() override {
    seen = {};
    previous_ = platform::SetMessageBoxHook(Record);
  }
  void TearDown() override { platform::SetMessageBoxHook(previous_); }

 private:
  platform::MessageBoxHook previous_ = nullptr;
};

TEST_F(MessageBoxHookTest, WideBoxReachesTheHookUnchanged) {
  EXPECT_EQ(platform::MessageBoxW(nullptr, u"l\u00EDnea\r\nm\u00E1s", u"T\u00EDtulo", MB_OK), 42);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_TRUE(seen.wide);
  EXPECT_EQ(seen.owner, nullptr);
  EXPECT_EQ(seen.text, u"l\u00EDnea\r\nm\u00E1s");
  EXPECT_EQ(seen.caption, u"T\u00EDtulo");
  EXPECT_EQ(seen.type, MB_OK);
}

TEST_F(MessageBoxHookTest, NarrowBoxReachesTheHookUnchanged) {
  EXPECT_EQ(platform::MessageBoxA(nullptr, "Win98 No Support", "a\xF1o", MB_ICONERROR), 42);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_FALSE(seen.wide);
  EXPECT_EQ(seen.narrowText, "Win98 No Support");
  EXPECT_EQ(seen.narrowCaption, "a\xF1o");
  EXPECT_EQ(seen.type, MB_ICONERROR);
}

TEST_F(MessageBoxHookTest, RemovingTheHookStopsTheRouting) {
  EXPECT_EQ(platform::SetMessageBoxHook(nullptr), &Record);
  EXPECT_EQ(platform::SetMessageBoxHook(Record), nullptr);
}

#ifndef _WIN32
TEST(MessageBoxNative, WithoutAHookNoBoxIsShown) {
  const platform::MessageBoxHook previous = platform::SetMessageBoxHook(nullptr);
  EXPECT_EQ(platform::MessageBoxW(nullptr, u"x", u"y", MB_OK), 0);
  EXPECT_EQ(platform::MessageBoxA(nullptr, "x", "y", MB_OK), 0);
  platform::SetMessageBoxHook(previous);
}
#endif

}  // namespace
