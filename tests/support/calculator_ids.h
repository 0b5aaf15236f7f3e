#pragma once
// What the calculator's window is made of, as the tests name it: its control ids and the texts it
// shows. Written down once here, from the window the program must show, for the unit tests and
// for the programs that work the window from outside.

#include <array>
#include <cstddef>

namespace support {

// Ids of the calculator's controls, and the command that takes the snapshot.
enum : int {
  kBaseLabel = 200,
  kBasePicker = 201,
  kDaysLabel = 202,
  kDaysBox = 203,
  kFinalLabel = 204,
  kFinalPicker = 205,
  kHayButton = 300,
  kTotalDaysBox = 305,
  kTotalDaysLabel = 306,
  kTotalTimeButton = 311,
  kTotalTimeText = 312,
  kSnapshotCommand = 111,
};

// The same UTF-16 text in another character type: wchar_t is 16 bits on Windows, 32 natively.
template <typename Char, std::size_t N>
constexpr std::array<Char, N> TextAs(const char16_t (&text)[N]) {
  std::array<Char, N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = static_cast<Char>(text[i]);
  return out;
}

inline constexpr char16_t kCaption16[] = u"Zaduzerazur Evozazez ..  av Ivovur";
// The date-order message: its box's title and its two lines.
inline constexpr char16_t kDateOrderTitle16[] = u"Programador";
inline constexpr char16_t kDateOrderText16[] =
    u"La fecha segunda esta mal configurada ...\r\nDebe ser m\u00E1s antigua que la primera ...";

inline constexpr auto kCaptionUnits = TextAs<wchar_t>(kCaption16);
inline constexpr auto kDateOrderTitleUnits = TextAs<wchar_t>(kDateOrderTitle16);
inline constexpr auto kDateOrderTextUnits = TextAs<wchar_t>(kDateOrderText16);
inline constexpr const wchar_t* kCaption = kCaptionUnits.data();
inline constexpr const wchar_t* kDateOrderTitle = kDateOrderTitleUnits.data();
inline constexpr const wchar_t* kDateOrderText = kDateOrderTextUnits.data();

}  // namespace support
