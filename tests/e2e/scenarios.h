#pragma once
// The groups of end-to-end checks, each run on a started calculator.

#include <string>

#include "support/calculator.h"
#include "support/calculator_ids.h"
#include "support/civil_model.h"

namespace e2e {

// The helpers in tests/support/ are the driver's own tools.
using namespace support;
// Expected day totals and moved dates come from the tests' own calendar, never the system's.
using civil_model::AddDaysTo;
using civil_model::DaysBetween;

void CheckCommonControls6(const Calculator& calculator);
void CheckWindowAndLayout(const Calculator& calculator);
void CheckInitialState(const Calculator& calculator);
void CheckWorkedIntervals(const Calculator& calculator);
void CheckDateOrderMessage(const Calculator& calculator);
void CheckDayTotals(const Calculator& calculator);
void CheckResultsStayUntilPressed(const Calculator& calculator);
void CheckNumberOfDaysBox(const Calculator& calculator);
void CheckDropDownCalendar(const Calculator& calculator);
void CheckEnterAndEscKeepWindow(const Calculator& calculator);
// `folder` is the calculator's working folder, where the snapshot lands.
void CheckSnapshotBeforeAnyResult(const Calculator& calculator, const std::wstring& folder);
void CheckSnapshot(const Calculator& calculator, const std::wstring& folder);
// Starts a calculator of its own for each batch of characters typed or set into the
// number-of-days box, since a batch may end it.
void CheckEveryCharacterInDaysBox(const std::wstring& exe, const std::wstring& folder);
// Start calculators of their own, in a folder each makes under `folder`: one ended again and
// again while it writes the snapshot, several writing one snapshot while it is read, one whose
// picture another program keeps open again and again, and one started beside the temporaries
// earlier calculators left.
void CheckCalculatorEndedWhileWriting(const std::wstring& exe, const std::wstring& folder);
void CheckWritersSharingOneName(const std::wstring& exe, const std::wstring& folder);
void CheckSnapshotOfHeldPicture(const std::wstring& exe, const std::wstring& folder);
void CheckLeftoversOfEarlierCalculators(const std::wstring& exe, const std::wstring& folder);
// Starts a copy of the calculator in a folder of its own with a DLL named as the system DLL its
// snapshot loads beside it: snapshots must never load that one.
void CheckDllPlantedBesideTheProgram(const std::wstring& exe, const std::wstring& folder);
// Prints percentiles of button click to result text over `clicks` clicks.
void MeasureClickToResult(const Calculator& calculator, int clicks);

}  // namespace e2e
