#include "datecalc/date_order_message.h"

#include "platform/message_box.h"
#include "platform/process.h"
#include "runtime/literal.h"
#include "runtime/wide_string.h"

namespace datecalc {
namespace {

// Two lines; the bytes are Windows-1252.
constexpr auto kMessage = runtime::MakeLiteral(
    "La fecha segunda esta mal configurada ...\r\n"
    "Debe ser m\xE1s antigua que la primera ...");
constexpr auto kTitle = runtime::MakeLiteral("Programador");

constexpr unsigned kPauseBeforeBox = 5;  // milliseconds

}  // namespace

void ShowDateOrderError() {
  const runtime::WideString text = runtime::WidenText({kMessage.data(), kMessage.length});
  const runtime::WideString title = runtime::WidenText({kTitle.data(), kTitle.length});
  platform::Sleep(kPauseBeforeBox);
  platform::MessageBoxW(nullptr, text.Text(), title.Text(), MB_OK);
}

}  // namespace datecalc
