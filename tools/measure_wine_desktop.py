#!/usr/bin/python3
"""horavox.exe under Wine on a desktop, measured from outside (see measure-sound.sh).

The same observer as measure_desktop.py watches the X display: Wine maps
each top-level window as an X window with the process's _NET_WM_PID and its
title as _NET_WM_NAME. Against a bare Win32 window under Wine in the same
run (title_on_the_second.exe, which sets its title on each whole second):
  - start-up: exec of Wine's loader to the mapped window, interleaved rounds,
    with Wine's desktop process running (as Windows' desktop always is) and
    with it starting for each program (a first Wine program after log-on);
  - tick phase: how long after each whole second the title shows it, with
    seconds skipped or doubled, and the difference from the reference on the
    same second;
  - idle CPU: the process's own CPU time over the watch, which begins once
    the start-up's sound-device probe has closed the device again (Wine's
    server, shared by both, is not counted).

Usage: measure_wine_desktop.py WINE HORAVOX_EXE REFERENCE_EXE [RUNS] [TICK_SECONDS]
Needs DISPLAY, WINEPREFIX (with its server kept running) and python3-xlib.
"""
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from measure_desktop import Observer, percentile, spread_ms, tick_figures

QUIET_INI = "[vocahora]\r\nNever_Say_Time_Option=1\r\nSay_Time_Every_Hour_Option=0\r\n"
# Past the start-up: the clock's activation probes the sound device, which
# then stays open until the 10 s silence close, and that is not idling.
SETTLE_SECONDS = 13


class Program:
    """A program under Wine; the clock from a scratch copy with a silent settings file."""

    def __init__(self, wine, executable, copy_clock=False):
        self.scratch = None
        if copy_clock:
            self.scratch = tempfile.mkdtemp(prefix="measure-wine-")
            copy = os.path.join(self.scratch, os.path.basename(executable))
            shutil.copy(executable, copy)
            with open(os.path.join(self.scratch, "vocahora.ini"), "w", newline="") as ini:
                ini.write(QUIET_INI)
            executable = copy
        self.command = [wine, executable]
        self.process = None
        self.started = None

    def start(self):
        self.started = time.time()
        self.process = subprocess.Popen(self.command, cwd=self.scratch, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        return self

    def cpu_by_thread(self):
        """CPU seconds of each of the process's threads, to the nanosecond
        (its /proc stat counts in clock ticks of 10 ms, as coarse as the figure)."""
        seconds = {}
        task_dir = "/proc/%d/task" % self.process.pid
        for task in os.listdir(task_dir):
            try:
                with open(os.path.join(task_dir, task, "schedstat")) as schedstat:
                    seconds[task] = int(schedstat.read().split()[0]) / 1e9
            except OSError:  # a thread that ended meanwhile
                pass
        return seconds

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()
        if self.scratch:
            shutil.rmtree(self.scratch, ignore_errors=True)


def wine_desktop_running():
    """Whether Wine's desktop process (explorer.exe /desktop) is up."""
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open("/proc/%s/cmdline" % entry, "rb") as cmdline:
                    if b"explorer.exe" in cmdline.read():
                        return True
            except OSError:
                pass
    return False


def start_up_rounds(observer, wine, clock, reference, runs, cold):
    """Exec to mapped window of each program, interleaved, in seconds."""
    start_up = {"horavox.exe": [], "reference": []}
    for round_number in range(runs + 1):
        for label in start_up:
            if cold:
                waited = time.time()
                while wine_desktop_running() and time.time() - waited < 10:
                    time.sleep(0.05)
            program = Program(wine, clock if label == "horavox.exe" else reference, label == "horavox.exe")
            try:
                program.start()
                mapped = observer.wait_mapped(program.process.pid)
                if round_number > 0:
                    start_up[label].append(None if mapped is None else mapped - program.started)
            finally:
                program.stop()
            if not cold:
                time.sleep(0.5)
    return start_up


def main():
    wine, clock, reference = sys.argv[1], sys.argv[2], sys.argv[3]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 10
    tick_seconds = int(sys.argv[5]) if len(sys.argv) > 5 else 60
    observer = Observer()
    began = time.time()

    # Start-up, interleaved; the first round warms the page cache and Wine.
    # Warm: Wine's desktop process still runs from the previous program, as
    # Windows' desktop always does. Cold: each program starts it again, as the
    # first Wine program after a log-on does.
    start_up = {"warm": start_up_rounds(observer, wine, clock, reference, runs, cold=False),
                "cold": start_up_rounds(observer, wine, clock, reference, runs, cold=True)}

    # Ticks and idle CPU, both at once.
    programs = {"horavox.exe": Program(wine, clock, True), "reference": Program(wine, reference)}
    try:
        for program in programs.values():
            program.start()
        for label, program in programs.items():
            if observer.wait_mapped(program.process.pid) is None:
                raise RuntimeError("%s: no window was mapped" % label)
        time.sleep(SETTLE_SECONDS)
        since = time.time()
        cpu_before = {label: p.cpu_by_thread() for label, p in programs.items()}
        time.sleep(tick_seconds)
        until = time.time()
        cpu = {}
        for label, program in programs.items():
            after = program.cpu_by_thread()
            cpu[label] = sum(seconds - cpu_before[label].get(task, 0.0) for task, seconds in after.items())
        ticks = {label: tick_figures(observer.titles_of(p.process.pid), since, until)
                 for label, p in programs.items()}
    finally:
        for program in programs.values():
            program.stop()

    def median_ms(values):
        values = [v for v in values if v is not None]
        return statistics.median(values) * 1000 if values else float("nan")

    print("\nhoravox.exe under Wine (Xvfb, no window manager), observed through X11; %d s of ticks." % tick_seconds)
    print("%-46s %12s %12s" % ("figure", "horavox.exe", "reference"))
    for key, name in (("p50", "title change after the second, p50 (ms)"),
                      ("p99", "title change after the second, p99 (ms)"),
                      ("max", "title change after the second, max (ms)")):
        print("%-46s %12s %12s" % (name, *("%.1f" % ticks[l][key] if ticks.get(l) else "-"
                                           for l in ("horavox.exe", "reference"))))
    clock_ticks, reference_ticks = ticks.get("horavox.exe"), ticks.get("reference")
    if clock_ticks and reference_ticks:
        excess = [phase - reference_ticks["by_second"][second] for second, phase in clock_ticks["by_second"].items()
                  if second in reference_ticks["by_second"]]
        for share, name in ((0.5, "p50"), (0.99, "p99")):
            print("%-46s %12.1f" % ("  later than the reference's, same second, %s" % name, percentile(excess, share)))
    print("%-46s %12s %12s" % ("seconds skipped/doubled/early (of seen)",
                               *("%d/%d/%d (%d)" % (ticks[l]["skipped"], ticks[l]["doubled"], ticks[l]["early"],
                                                    ticks[l]["seconds"]) if ticks.get(l) else "-"
                                 for l in ("horavox.exe", "reference"))))
    print("start-up, exec to mapped window (median, ms)")
    for kind, name in (("warm", "Wine's desktop running"), ("cold", "Wine's desktop starting too")):
        start = {label: median_ms(values) for label, values in start_up[kind].items()}
        print("%-46s %12.1f %12.1f" % ("  " + name, start["horavox.exe"], start["reference"]))
        spreads = {label: spread_ms(values) for label, values in start_up[kind].items()}
        print("%-46s %12s %12s" % ("    quartiles, ms", *("%.0f-%.0f" % spreads[l][1:3] if spreads[l] else "-"
                                                         for l in ("horavox.exe", "reference"))))
        print("%-46s %12.2f" % ("    ratio of medians (%d rounds)" % runs, start["horavox.exe"] / start["reference"]))
    print("%-46s %12.1f %12.1f" % ("idle CPU over the watch (ms of CPU per minute)",
                                   cpu["horavox.exe"] * 60000 / tick_seconds, cpu["reference"] * 60000 / tick_seconds))
    for kind in start_up:
        print("\nstart-up runs, %s (ms):" % kind)
        for label, values in start_up[kind].items():
            print("  %-12s %s" % (label, " ".join("%.1f" % (v * 1000) if v is not None else "-" for v in values)))
    print("slowest title changes (ms after the second @ s into the watch):")
    for label in ("horavox.exe", "reference"):
        if ticks.get(label):
            print("  %-12s %s" % (label, "  ".join("%.1f@%.0f" % pair for pair in ticks[label]["slowest"])))
    print("Wine desktop figures took %.0f s" % (time.time() - began))


if __name__ == "__main__":
    main()
