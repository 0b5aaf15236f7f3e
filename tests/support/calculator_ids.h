#pragma once
// What the calculator's window is made of, as the tests name it: its control ids, the texts it
// shows, the result band's colours and the snapshot's file name. Written down once here, from
// the window the program must show, for the unit tests, the programs that work the window from
// outside and (the file name) the shell scripts, which read it from this file (snapshot.sh).

#include <array>
#include <cstddef>
#include <cstdint>

namespace support {

// Ids of the calculator's controls, and the command that takes the snapshot.
enum : int {
  kBaseDateLabel = 200,
  kBaseDatePicker = 201,
  kDayCountLabel = 202,
  kDayCountEdit = 203,
  kFinalDateLabel = 204,
  kFinalDatePicker = 205,
  kTotalDaysButton = 300,
  kTotalDaysEdit = 305,
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

// The snapshot's file name, in the calculator's working folder. snapshot.sh reads this line.
inline constexpr char16_t kSnapshotFile16[] = u"RoredAvuv.bmp";

// The result band: white text on black.
struct Rgb {
  std::uint8_t red, green, blue;
};
inline constexpr Rgb kBandText{0xFF, 0xFF, 0xFF};
inline constexpr Rgb kBandBack{0x00, 0x00, 0x00};

inline constexpr auto kCaptionUnits = TextAs<wchar_t>(kCaption16);
inline constexpr auto kDateOrderTitleUnits = TextAs<wchar_t>(kDateOrderTitle16);
inline constexpr auto kDateOrderTextUnits = TextAs<wchar_t>(kDateOrderText16);
inline constexpr auto kSnapshotFileUnits = TextAs<wchar_t>(kSnapshotFile16);
inline constexpr auto kSnapshotFileChars = TextAs<char>(kSnapshotFile16);  // ASCII
inline constexpr const wchar_t* kCaption = kCaptionUnits.data();
inline constexpr const wchar_t* kDateOrderTitle = kDateOrderTitleUnits.data();
inline constexpr const wchar_t* kDateOrderText = kDateOrderTextUnits.data();
inline constexpr const wchar_t* kSnapshotFile = kSnapshotFileUnits.data();
inline constexpr const char* kSnapshotFileNarrow = kSnapshotFileChars.data();

}  // namespace support
