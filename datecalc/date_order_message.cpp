#include "datecalc/date_order_message.h"

#include <array>
#include <string_view>

#include "platform/message_box.h"
#include "platform/process.h"
#include "runtime/literal.h"
#include "runtime/wide_string.h"

namespace datecalc {
namespace {

constexpr auto kFirstLine = runtime::MakeLiteral("La fecha segunda esta mal configurada ...");
constexpr auto kLineBreak = runtime::MakeLiteral("\r\n");
constexpr auto kSecondLine = runtime::MakeLiteral("Debe ser m\xE1s antigua que la primera ...");
constexpr auto kTitle = runtime::MakeLiteral("Programador");

// The two lines and the break between them, joined once at compile time.
constexpr std::size_t kMessageLength =
    sizeof kFirstLine.text + sizeof kLineBreak.text + sizeof kSecondLine.text - 3 * 2;
constexpr std::array<char, kMessageLength> JoinMessage() {
  std::array<char, kMessageLength> message{};
  std::size_t at = 0;
  const std::string_view parts[] = {{kFirstLine.text, kFirstLine.length},
                                    {kLineBreak.text, kLineBreak.length},
                                    {kSecondLine.text, kSecondLine.length}};
  for (std::string_view part : parts) {
    for (char byte : part) message[at++] = byte;
  }
  return message;
}
constexpr std::array<char, kMessageLength> kMessage = JoinMessage();
static_assert(kMessageLength == 82);

constexpr unsigned kPauseBeforeBox = 5;  // milliseconds

}  // namespace

void ShowDateOrderError() {
  const runtime::WideString text = runtime::WidenText({kMessage.data(), kMessage.size()});
  const runtime::WideString title = runtime::WidenText({kTitle.data(), kTitle.length});
  platform::Sleep(kPauseBeforeBox);
  platform::MessageBoxW(nullptr, text.Text(), title.Text(), MB_OK);
}

}  // namespace datecalc
