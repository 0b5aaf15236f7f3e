// Every character a user can type or paste into the number-of-days box: the 256 of
// Windows-1252, then characters beyond it that need a fallback font or a shaping step (marks,
// other scripts, surrogate pairs, invisible format characters). Shaping such a character as the
// first glyph of a run is where a text shaper meets its corner cases, so each one starts the
// box's text. After each batch the calculator must still run, answer and have started no crash
// debugger, and the box must still tell the window about typed digits.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "days_box.h"
#include "scenarios.h"
#include "support/health.h"
#include "support/remote.h"
#include "support/tally.h"

namespace e2e {

namespace {

const SYSTEMTIME kBase = MakeDate(2021, 3, 1);
const SYSTEMTIME kNoTextGives = MakeDate(1999, 9, 9);  // no text here reads as 7,844 days back

// Each starts the box's text, alone or with what follows it in the same run.
const wchar_t* const kBeyondWindows1252[] = {
    L"\u0301",              // combining acute accent with nothing to sit on
    L"\u0308",              // combining diaeresis with nothing to sit on
    L"e\u0301",             // ... and each after a letter
    L"u\u0308",             //
    L"\u02DC5",             // small tilde, a spacing modifier, before a digit
    L"\u65E5\u6570",        // CJK ideographs
    L"\U0001F600",          // an emoji: a surrogate pair, two WM_CHAR messages
    L"\u05D0\u05D1",        // Hebrew letters
    L"\u0639\u062F\u062F",  // Arabic letters that join
    L"\u200F12",            // right-to-left mark before digits
    L"\uFEFF12",            // byte order mark (zero-width no-break space)
    L"1\u00AD2",            // soft hyphen (also in Windows-1252) between digits
    L"1\u20282",            // line separator
    L"\u0EB8",              // Lao vowel sign U, a mark with nothing to sit on
    L"\u0EB8\u0EA5",        // ... before a Lao consonant
    L"\u0E38",              // Thai vowel sign U
};

// The 256 bytes of Windows-1252 as the system converts them, one text each. Byte 0 stays in
// the set: as a WM_CHAR it is a key like any other.
std::vector<std::wstring> EachWindows1252Character() {
  std::vector<std::wstring> texts;
  for (int byte = 0; byte < 256; ++byte) {
    const char narrow = static_cast<char>(byte);
    wchar_t wide = 0;
    MultiByteToWideChar(1252, 0, &narrow, 1, &wide, 1);
    texts.push_back(std::wstring(1, wide));
  }
  return texts;
}

// All of them in one text, without byte 0, which would end it.
std::vector<std::wstring> AllWindows1252AsOneText() {
  std::wstring all;
  for (const std::wstring& one : EachWindows1252Character()) {
    if (one[0] != 0) all += one;
  }
  return {all};
}

std::vector<std::wstring> BeyondWindows1252() {
  return {std::begin(kBeyondWindows1252), std::end(kBeyondWindows1252)};
}

enum class Delivery {
  kTyped,    // one posted WM_CHAR per UTF-16 unit, each text into the emptied box
  kSetText,  // each text as the box's whole text, sent from this process
};

struct Batch {
  const char* name;
  Delivery delivery;
  std::vector<std::wstring> (*texts)();
};

const Batch kBatches[] = {
    {"Windows-1252 characters typed one at a time", Delivery::kTyped, EachWindows1252Character},
    {"Windows-1252 characters set as one text", Delivery::kSetText, AllWindows1252AsOneText},
    {"characters beyond Windows-1252 typed", Delivery::kTyped, BeyondWindows1252},
    {"characters beyond Windows-1252 set as texts", Delivery::kSetText, BeyondWindows1252},
};

void SetPicker(const Calculator& c, int id, const SYSTEMTIME& date) {
  SetPickerDate(c.Handle(), c.Item(id), date.wYear, date.wMonth, date.wDay);
}

// "U+02DC U+0035", for messages; long texts by their length.
std::string UnitNames(const std::wstring& text) {
  if (text.size() > 6) return std::to_string(text.size()) + " characters";
  std::string names;
  for (wchar_t unit : text) {
    char name[12];
    std::snprintf(name, sizeof name, "%sU+%04X", names.empty() ? "" : " ", unsigned{unit});
    names += name;
  }
  return names;
}

// C0 controls and DEL are edit commands to the box (backspace, ^C copy, ^V paste, ^X cut, ^Z
// undo; Enter, Esc and Tab do nothing in a one-line box), not text.
bool IsEditCommand(wchar_t unit) {
  return unit < 0x20 || unit == 0x7F;
}

bool IsText(const std::wstring& text) {
  for (wchar_t unit : text) {
    if (IsEditCommand(unit)) return false;
  }
  return true;
}

// An empty clipboard, so that ^V pastes nothing and no other program decides the box's text.
void EmptyTheClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

struct Delivered {
  bool handled = false;   // the calculator took the text in
  std::wstring expected;  // what the box must show; empty where edit commands decide it
};

// Types the text into the emptied box, where the commands among it act on nothing, then a digit
// it does not contain: the digit's arrival shows that the text's keys were handled.
Delivered Type(const Calculator& c, const std::wstring& text) {
  const std::wstring echo = text.find(L'7') == std::wstring::npos ? L"7" : L"5";
  if (!TypeKeys(c, text + echo, echo)) return {};
  return {true, IsText(text) ? text + echo : L""};
}

Delivered SetText(const Calculator& c, const std::wstring& text) {
  TypeIntoDaysBox(c, text.c_str());
  return {true, text};
}

// Each text must reach the box whole and make the box tell the window, which then moves the
// final date away from a date no text gives. Returns why not.
std::string WhyNotTakenIn(const Calculator& c, Delivery delivery, const std::wstring& text) {
  const bool typed = delivery == Delivery::kTyped;
  const std::string what = (typed ? "typing " : "setting ") + UnitNames(text);
  if (typed) TypeIntoDaysBox(c, L"");
  SetPicker(c, kFinalDatePicker, kNoTextGives);
  const Delivered delivered = typed ? Type(c, text) : SetText(c, text);
  if (std::string why = WhyUnwell(c); !why.empty()) return what + ": " + why;
  if (!delivered.handled) return what + ": the digit typed after it did not arrive";
  const std::wstring shown = WindowText(c.Item(kDayCountEdit));
  if (!delivered.expected.empty() && shown != delivered.expected) {
    return what + " left " + UnitNames(shown) + " in the box";
  }
  if (SameDate(PickerDate(c.Handle(), c.Item(kFinalDatePicker)), kNoTextGives)) {
    return what + ": the box did not tell the window (the final date stayed at " +
           DateName(kNoTextGives) + ")";
  }
  return {};
}

// Stops at the first text that fails: a fault may leave the box unable to take the rest.
std::string WhyNotAllTakenIn(const Calculator& c, const Batch& batch) {
  if (batch.delivery == Delivery::kTyped) EmptyTheClipboard();
  SetPicker(c, kBaseDatePicker, kBase);
  for (const std::wstring& text : batch.texts()) {
    if (std::string why = WhyNotTakenIn(c, batch.delivery, text); !why.empty()) return why;
  }
  return {};
}

// The box still tells the window of each change: from the emptied box, each digit typed moves
// the final date to the base date plus the number typed so far. Returns why not.
std::string WhyDigitsDoNotMoveTheDate(const Calculator& c) {
  SetPicker(c, kBaseDatePicker, kBase);
  TypeIntoDaysBox(c, L"");
  std::wstring typed;
  for (wchar_t digit : std::wstring(L"365")) {
    typed += digit;
    const int days = std::stoi(typed);
    SetPicker(c, kFinalDatePicker, kNoTextGives);
    if (!TypeKeys(c, {digit}, typed)) {
      return "typing " + std::to_string(days) + " did not arrive in the box";
    }
    const SYSTEMTIME expected = AddDaysTo(kBase, days);
    SYSTEMTIME final{};
    const bool moved = WaitFor(
        [&] {
          final = PickerDate(c.Handle(), c.Item(kFinalDatePicker));
          return SameDate(final, expected);
        },
        2000);
    if (!moved) {
      return "after typing " + std::to_string(days) + " the final date is " + DateName(final) +
             ", not " + DateName(expected);
    }
  }
  return {};
}

// Ends the calculator, and waits for a crash debugger it started to finish with it.
void Finish(Calculator& c, bool well) {
  if (!well || CloseAndWait(c) < 0) Kill(c);
  WaitFor([] { return !CrashDebuggerRunning(); }, 30000);
}

void RunBatch(const Batch& batch, const std::wstring& exe, const std::wstring& folder) {
  const std::string name = batch.name;
  Calculator c;
  if (!Check(Launch(exe, folder, kCaption, c), (name + ": the calculator starts").c_str())) {
    Kill(c);
    return;
  }
  const std::string arrival = WhyNotAllTakenIn(c, batch);
  Check(arrival.empty(), (name + ": each reaches the box and moves the final date").c_str(), "%s",
        arrival.c_str());
  const std::string unwell = WhyUnwell(c);
  Check(unwell.empty(),
        (name + ": the calculator runs, answers and started no crash debugger").c_str(), "%s",
        unwell.c_str());
  const std::string digits = "typed digits still move the final date";
  if (unwell.empty()) {
    const std::string why = WhyDigitsDoNotMoveTheDate(c);
    Check(why.empty(), (name + ": " + digits).c_str(), "%s", why.c_str());
  } else {
    Skip((name + ": " + digits).c_str(), "the calculator is not well");
  }
  Finish(c, unwell.empty());
}

}  // namespace

void CheckEveryCharacterInDaysBox(const std::wstring& exe, const std::wstring& folder) {
  for (const Batch& batch : kBatches) RunBatch(batch, exe, folder);
}

}  // namespace e2e
