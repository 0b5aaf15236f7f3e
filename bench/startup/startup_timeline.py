#!/usr/bin/env python3
"""The start-up steps of two programs, read from one Wine trace of the end-to-end driver's
alternating starts (WINEDEBUG=+timestamp,+pid,+loaddll,+process,+relay with the relay limited
to the start-up calls). Prints a Markdown table: for each step, the median time after the
driver's CreateProcess and, in brackets, the median time since the step before.

Usage: startup_timeline.py TRACE PROGRAM.exe FLOOR.exe
       startup_timeline.py --relay-include     (the value the relay filter needs)
The first start of each program is left out: it pays for Wine's own warm-up."""
import collections
import re
import statistics
import sys

LINE = re.compile(r"^(\d+\.\d+):([0-9a-f]+):[0-9a-f]+:(.*)$")
LOADED = re.compile(r'Loaded L"(?:[^"]*\\)?([^"\\]+)" at ([0-9A-F]+): native')
RETURN_ADDRESS = re.compile(r"ret=([0-9a-f]+)$")


def from_image(text, base):
    """Whether a relayed call was made by the program's own code (its return address)."""
    found = RETURN_ADDRESS.search(text)
    return found is not None and 0 <= int(found.group(1), 16) - base < 0x1000000


def called(function):
    return lambda text, base: f"Call {function}(" in text and from_image(text, base)


def returned(function):
    return lambda text, base: f"Ret  {function}()" in text and from_image(text, base)


def message(name):
    return lambda text, base: "Call window proc" in text and f"msg={name}," in text


# (step, test on a line of the program's process given its image base, whether the last such
# line counts rather than the first); in start-up order.
STEPS = [
    ("image and imports mapped", None, False),
    ("system DLLs initialised: process entry", lambda t, b: "Starting thread proc" in t, False),
    ("thread record (TlsAlloc)", called("KERNEL32.TlsAlloc"), False),
    ("COM (CoInitialize)", called("ole32.CoInitialize"), False),
    ("common controls (InitCommonControlsEx)", called("comctl32.InitCommonControlsEx"), False),
    ("fonts, template: CreateDialogIndirectParamW", called("user32.CreateDialogIndirectParamW"),
     False),
    ("dialog created", returned("user32.CreateDialogIndirectParamW"), False),
    ("icons (LoadImageW)", called("user32.LoadImageW"), False),
    ("first control (CreateWindowExW)", called("user32.CreateWindowExW"), False),
    ("last control created", returned("user32.CreateWindowExW"), True),
    ("foreground (SetForegroundWindow)", called("user32.SetForegroundWindow"), False),
    ("ShowWindow", called("user32.ShowWindow"), False),
    ("window shown", returned("user32.ShowWindow"), False),
    ("answers the driver (WM_NULL)", message("WM_NULL"), False),
    ("first paint (WM_PAINT)", message("WM_PAINT"), False),
]

# The calls the relay has to show (the value of HKCU\Software\Wine\Debug RelayInclude).
RELAY_INCLUDE = ";".join([
    "kernel32.TlsAlloc", "ole32.CoInitialize", "comctl32.InitCommonControlsEx",
    "user32.CreateDialogIndirectParamW", "user32.LoadImageW", "user32.CreateWindowExW",
    "user32.SetForegroundWindow", "user32.ShowWindow",
])


def read(path):
    """The driver's CreateProcess times in order, and every process's lines."""
    starts, processes = [], collections.defaultdict(list)
    for raw in open(path, errors="replace"):
        match = LINE.match(raw.rstrip("\n"))
        if not match:
            continue
        time, pid, text = float(match.group(1)) * 1000.0, match.group(2), match.group(3)
        processes[pid].append((time, text))
        if "CreateProcessInternalW app L" in text:
            starts.append(time)
    return starts, processes


def started_programs(processes, names):
    """(time the image was mapped, program name, image base, lines) of each start, in order."""
    found = []
    for lines in processes.values():
        for time, text in lines:
            loaded = LOADED.search(text)
            if loaded:
                if loaded.group(1).lower() in names:
                    found.append((time, loaded.group(1).lower(), int(loaded.group(2), 16), lines))
                break
    return sorted(found, key=lambda start: start[0])


def step_times(lines, base, created):
    """Each step's time after `created`, for the steps seen in this process."""
    times = {}
    first_init = next((i for i, (_, text) in enumerate(lines) if "Call PE DLL" in text), None)
    mapped = [time for time, text in lines[:first_init] if "loaddll:build_module Loaded" in text]
    if mapped:
        times[STEPS[0][0]] = mapped[-1] - created
    for step, test, last in STEPS[1:]:
        hits = [time for time, text in lines if test(text, base)]
        if hits:
            times[step] = (hits[-1] if last else hits[0]) - created
    return times


def cell(samples, step):
    at = [times[step] for times in samples if step in times]
    if not at:
        return "-"
    order = [name for name, _, _ in STEPS]
    since = []
    for times in samples:
        if step in times:
            before = [times[s] for s in order[: order.index(step)] if s in times]
            since.append(times[step] - (before[-1] if before else 0.0))
    return f"{statistics.median(at):.0f} (+{statistics.median(since):.0f})"


def main(path, program, floor):
    names = [program.lower(), floor.lower()]
    starts, processes = read(path)
    programs = started_programs(processes, set(names))
    if len(programs) != len(starts):
        sys.exit(f"{len(starts)} starts but {len(programs)} started programs in {path}")
    samples = {name: [] for name in names}
    for created, (_, name, base, lines) in zip(starts, programs):
        samples[name].append(step_times(lines, base, created))
    for name in names:
        samples[name] = samples[name][1:]
    counts = ", ".join(f"{name} {len(samples[name])}" for name in names)
    print(f"ms after CreateProcess, median over starts ({counts}); (+ms since the step before)\n")
    print(f"| step | {program} | {floor} |")
    print("|---|---|---|")
    for step, _, _ in STEPS:
        print(f"| {step} | {cell(samples[names[0]], step)} | {cell(samples[names[1]], step)} |")


if __name__ == "__main__":
    if sys.argv[1:] == ["--relay-include"]:
        print(RELAY_INCLUDE)
        sys.exit(0)
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
