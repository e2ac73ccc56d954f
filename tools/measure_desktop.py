#!/usr/bin/python3
"""The clock on a desktop, measured from outside its process (see measure-sound.sh).

An X11 client watches the display: every top-level window that is mapped,
and every change of a window's title (_NET_WM_NAME), is stamped with the wall
clock when it reaches this client. Windows are told apart by _NET_WM_PID.
Figures, for two builds of the clock side by side in one run:
  - tick phase: how long after each whole second the title shows that second,
    against a window that sets its title on the second (same path);
  - start-up: exec to the mapped window, against a bare Qt QLabel window;
  - idle resident memory, 15 s after the window was activated (the clock's
    sound device has been opened by then and shut again by the silence
    close), against the same QLabel window.

Start-up runs the three programs in turn for RUNS rounds (default 15) after
a warm-up round, and gives each side's median and spread and the ratio of
the medians.

Usage: measure_desktop.py BEFORE_BIN AFTER_BIN REFERENCE_DIR [RUNS] [TICK_SECONDS]
Each *_BIN is a directory holding horavox and its voice pack; REFERENCE_DIR
holds title_on_the_second and bare_label. Needs DISPLAY (an Xvfb of the
caller's) and python3-xlib.
"""
import os
import re
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

from Xlib import X, display as xdisplay

START_UP_ROUNDS = 15  # single starts swing by 10 ms on a loaded machine; five or ten are too few
WARM_UP_ROUNDS = 1
SETTLE_SECONDS = 3  # start-up work is over; ticks from here on are ordinary
IDLE_RSS_AFTER = 15  # the sound device has been shut by the 10 s silence close
QUIET_INI = "[vocahora]\nNever_Say_Time_Option=1\nSay_Time_Every_Hour_Option=0\n"
SHOWN_TIME = re.compile(r"(\d{1,2}):(\d{2}):(\d{2})")


class Observer:
    """Owns the X connection in a thread of its own; the rest reads its records."""

    def __init__(self):
        self.display = xdisplay.Display()
        self.net_wm_name = self.display.intern_atom("_NET_WM_NAME")
        self.net_wm_pid = self.display.intern_atom("_NET_WM_PID")
        self.display.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.display.sync()
        self.lock = threading.Condition()
        self.mapped = {}  # pid -> wall time of its first mapped window
        self.titles = {}  # pid -> [(wall time, title)]
        self.pid_of = {}  # window id -> pid
        self.thread = threading.Thread(target=self._run, daemon=True)
        self.thread.start()

    def _run(self):
        fd = self.display.fileno()
        while True:
            select.select([fd], [], [], 1.0)
            # The moment the events reached us; a round trip below must not delay it.
            stamp = time.time()
            while self.display.pending_events():
                self._handle(self.display.next_event(), stamp)

    def _handle(self, event, stamp):
        if event.type == X.MapNotify:
            window = event.window
            try:
                window.change_attributes(event_mask=X.PropertyChangeMask)
                prop = window.get_full_property(self.net_wm_pid, X.AnyPropertyType)
            except Exception:  # the window went before we asked
                return
            if not prop or not prop.value:
                return
            pid = int(prop.value[0])
            # A window of one pixel is not the program showing itself: under
            # Wine it is the window that owns the task-bar button.
            try:
                geometry = window.get_geometry()
                shown = geometry.width > 1 or geometry.height > 1
            except Exception:
                return
            with self.lock:
                self.pid_of[window.id] = pid
                if shown:
                    self.mapped.setdefault(pid, stamp)
                self.lock.notify_all()
        elif event.type == X.PropertyNotify and event.atom == self.net_wm_name:
            pid = self.pid_of.get(event.window.id)
            if pid is None or event.state != X.PropertyNewValue:
                return
            try:
                prop = event.window.get_full_property(self.net_wm_name, X.AnyPropertyType)
            except Exception:
                return
            title = prop.value.decode("utf-8", "replace") if prop and isinstance(prop.value, bytes) else ""
            with self.lock:
                self.titles.setdefault(pid, []).append((stamp, title))

    def wait_mapped(self, pid, limit=30.0):
        with self.lock:
            self.lock.wait_for(lambda: pid in self.mapped, timeout=limit)
            return self.mapped.get(pid)

    def windows_of(self, pid):
        with self.lock:
            return [window for window, owner in self.pid_of.items() if owner == pid]

    def titles_of(self, pid):
        with self.lock:
            return list(self.titles.get(pid, []))


def activate(window_ids):
    """Gives each window the input focus in turn, as a window manager does
    with a new window: the clock's activation opens the sound device (its
    probe), which the silence close shuts 10 s later, as on a desktop.
    A connection of its own: the observer's belongs to its thread."""
    connection = xdisplay.Display()
    for window_id in window_ids:
        window = connection.create_resource_object("window", window_id)
        window.set_input_focus(X.RevertToParent, X.CurrentTime)
        connection.sync()
        time.sleep(0.3)
    connection.close()


def sound_device_open(pid):
    """Whether an audio thread runs in the process: SDL's, or the sound
    server client's main loop."""
    task = "/proc/%d/task" % pid
    for thread in os.listdir(task):
        try:
            with open(os.path.join(task, thread, "comm")) as comm:
                if comm.read().startswith(("SDLAudio", "threaded-ml")):
                    return True
        except OSError:
            pass
    return False


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return None


class Program:
    """A started window program; the clock runs from a scratch copy of its
    bin dir with a settings file of its own that keeps it silent (and keeps a
    second clock from handing over to a running one)."""

    def __init__(self, command, bin_dir=None):
        self.scratch = None
        if bin_dir:
            self.scratch = tempfile.mkdtemp(prefix="measure-desktop-")
            copy = os.path.join(self.scratch, "bin")
            shutil.copytree(bin_dir, copy)
            with open(os.path.join(copy, "vocahora.ini"), "w") as ini:
                ini.write(QUIET_INI)
            command = os.path.join(copy, command)
        self.command = command
        self.process = None
        self.started = None

    def start(self):
        self.started = time.time()
        self.process = subprocess.Popen([self.command], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        if self.scratch:
            shutil.rmtree(self.scratch, ignore_errors=True)


def shown_second(stamp, title):
    """The whole second (epoch) whose local time the title shows, the one
    nearest the stamp; matched on minute and second, so 12- and 24-hour
    titles both do."""
    found = SHOWN_TIME.search(title)
    if not found:
        return None
    minute, second = int(found.group(2)), int(found.group(3))
    for offset in (0, -1, 1, -2, 2):
        candidate = int(stamp) + offset
        local = time.localtime(candidate)
        if (local.tm_min, local.tm_sec) == (minute, second):
            return candidate
    return None


def tick_figures(changes, since, until):
    """Phase of each title change after the second it shows (ms), and the
    seconds that were never shown (skipped), at whose middle the title still
    showed the second before (doubled: the old second was shown again), and
    the changes that came before their second began (early)."""
    shown = []
    for stamp, title in changes:
        second = shown_second(stamp, title)
        if second is not None and since <= stamp <= until:
            shown.append((stamp, second))
    if len(shown) < 2:
        return None
    phases = [(stamp - second) * 1000 for stamp, second in shown]
    slowest = sorted(((stamp - second) * 1000, stamp - since) for stamp, second in shown)[-5:]
    seen = {second for _, second in shown}
    skipped = doubled = 0
    for boundary in range(shown[0][1] + 1, shown[-1][1]):
        if boundary not in seen:
            skipped += 1
        on_display = [second for stamp, second in shown if stamp <= boundary + 0.5]
        if on_display and on_display[-1] < boundary:
            doubled += 1
    return {
        "p50": statistics.median(phases),
        "p99": percentile(phases, 0.99),
        "max": max(phases),
        "skipped": skipped,
        "doubled": doubled,
        "early": sum(1 for phase in phases if phase < 0),
        "seconds": shown[-1][1] - shown[0][1] + 1,
        "slowest": slowest[::-1],
        "by_second": {second: (stamp - second) * 1000 for stamp, second in shown},
    }


def percentile(values, share):
    values = sorted(values)
    return values[min(len(values) - 1, int(round(share * (len(values) - 1))))]


def measure_ticks_and_memory(observer, bins, references, tick_seconds):
    """Both clocks, the title reference and the bare window run together and
    are activated in turn; the titles are watched for tick_seconds, memory is
    read IDLE_RSS_AFTER s after the activations."""
    programs = {label: Program("horavox", bin_dir) for label, bin_dir in bins.items()}
    programs["reference"] = Program(os.path.join(references, "title_on_the_second"))
    programs["QLabel"] = Program(os.path.join(references, "bare_label"))
    try:
        for program in programs.values():
            program.start()
        for label, program in programs.items():
            if observer.wait_mapped(program.process.pid) is None:
                raise RuntimeError("%s: no window was mapped" % label)
        activate([window for p in programs.values() for window in observer.windows_of(p.process.pid)])
        activated = time.time()
        for label in bins:
            if not sound_device_open(programs[label].process.pid):
                print("warning: the %s clock did not open its sound device on activation" % label)
        since = activated + SETTLE_SECONDS
        rss = {}
        time.sleep(max(0.0, activated + IDLE_RSS_AFTER - time.time()))
        for label, program in programs.items():
            if label != "reference":
                rss[label] = rss_kib(program.process.pid)
                if sound_device_open(program.process.pid):
                    print("warning: %s still had its sound device open when its memory was read" % label)
        time.sleep(max(0.0, since + tick_seconds - time.time()))
        until = time.time()
        ticks = {label: tick_figures(observer.titles_of(p.process.pid), since, until)
                 for label, p in programs.items() if label != "QLabel"}
        return ticks, rss
    finally:
        for program in programs.values():
            program.stop()


def measure_start_up(observer, bins, references, runs, warm_up=WARM_UP_ROUNDS):
    """Exec to mapped window, interleaved so every program sees the same load.
    The warm-up rounds fill the page cache and are not counted."""
    times = {label: [] for label in list(bins) + ["QLabel"]}
    for round_number in range(warm_up + runs):
        for label in times:
            if label == "QLabel":
                program = Program(os.path.join(references, "bare_label"))
            else:
                program = Program("horavox", bins[label])
            try:
                program.start()
                mapped = observer.wait_mapped(program.process.pid)
                if round_number >= warm_up:
                    times[label].append(None if mapped is None else mapped - program.started)
            finally:
                program.stop()
            time.sleep(0.3)
    return times


def spread_ms(values):
    """The quartiles and the extremes of a side's start-up times, in ms."""
    values = sorted(v * 1000 for v in values if v is not None)
    if not values:
        return None
    if len(values) < 4:
        return values[0], values[0], values[-1], values[-1]
    low, _, high = statistics.quantiles(values, n=4)
    return values[0], low, high, values[-1]


def main():
    before, after, references = sys.argv[1], sys.argv[2], sys.argv[3]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else START_UP_ROUNDS
    tick_seconds = int(sys.argv[5]) if len(sys.argv) > 5 else 90
    bins = {"before": before, "after": after}
    # The sound server of measure-sound.sh when there is one: closing a
    # PulseAudio output is slow enough to hold up the ticks.
    if "PULSE_SERVER" not in os.environ:
        os.environ["SDL_AUDIODRIVER"] = "dummy"
    os.environ.pop("QT_QPA_PLATFORM", None)
    observer = Observer()
    started = time.time()
    start_up = measure_start_up(observer, bins, references, runs)
    ticks, rss = measure_ticks_and_memory(observer, bins, references, tick_seconds)

    def median_ms(values):
        values = [v for v in values if v is not None]
        return statistics.median(values) * 1000 if values else float("nan")

    def tick(label, key, form="%10.1f"):
        figures = ticks.get(label)
        return form % figures[key] if figures else "%10s" % "-"

    def mib(kib):
        return kib / 1024 if kib else float("nan")

    print("\nOn the desktop (Xvfb, SDL %s driver), observed from outside through X11;"
          " %d s of ticks, all windows at once."
          % (os.environ.get("SDL_AUDIODRIVER", "PulseAudio"), tick_seconds))
    print("%-46s %10s %10s %10s" % ("figure", "before", "after", "floor"))
    for key, name in (("p50", "title change after the second, p50 (ms)"),
                      ("p99", "title change after the second, p99 (ms)"),
                      ("max", "title change after the second, max (ms)")):
        print("%-46s %s %s %s   (title set on the second)" % (
            name, tick("before", key), tick("after", key), tick("reference", key)))
    # The same second on both windows: a stall of the machine or the X server
    # delays both, so the difference is what the clock adds.
    reference = ticks.get("reference")
    for share, name in ((0.5, "p50"), (0.99, "p99")):
        cells = []
        for label in ("before", "after"):
            figures = ticks.get(label)
            excess = [phase - reference["by_second"][second] for second, phase in figures["by_second"].items()
                      if second in reference["by_second"]] if figures and reference else []
            cells.append("%10.1f" % percentile(excess, share) if excess else "%10s" % "-")
        print("%-46s %s %s" % ("  later than the floor's, same second, %s" % name, *cells))
    print("%-46s %10s %10s %10s" % (
        "seconds skipped/doubled/early (of seen)",
        *("%d/%d/%d (%d)" % (ticks[l]["skipped"], ticks[l]["doubled"], ticks[l]["early"], ticks[l]["seconds"])
          if ticks.get(l) else "-"
          for l in ("before", "after", "reference"))))
    start = {label: median_ms(values) for label, values in start_up.items()}
    print("%-46s %10.1f %10.1f %10.1f   (QLabel)" % (
        "start-up, exec to mapped window (median, ms)", start["before"], start["after"], start["QLabel"]))
    spreads = {label: spread_ms(values) for label, values in start_up.items()}
    print("%-46s %10s %10s %10s" % (
        "  quartiles, ms", *("%.0f-%.0f" % spreads[l][1:3] if spreads[l] else "-" for l in ("before", "after", "QLabel"))))
    print("%-46s %10s %10s %10s" % (
        "  min-max, ms", *("%.0f-%.0f" % (spreads[l][0], spreads[l][3]) if spreads[l] else "-"
                          for l in ("before", "after", "QLabel"))))
    print("%-46s %10.2f %10.2f" % ("  ratio of medians to QLabel (%d rounds)" % runs,
                                   start["before"] / start["QLabel"], start["after"] / start["QLabel"]))
    print("%-46s %10.1f %10.1f %10.1f   (QLabel)" % (
        "idle RSS %d s after activation (MiB)" % IDLE_RSS_AFTER, mib(rss.get("before")), mib(rss.get("after")),
        mib(rss.get("QLabel"))))
    if rss.get("QLabel"):
        print("%-46s %10.2f %10.2f" % ("  ratio to QLabel", mib(rss.get("before")) / mib(rss["QLabel"]),
                                       mib(rss.get("after")) / mib(rss["QLabel"])))
    print("\nstart-up runs (ms):")
    for label, values in start_up.items():
        print("  %-8s %s" % (label, " ".join("%.1f" % (v * 1000) if v is not None else "-" for v in values)))
    print("slowest title changes (ms after the second @ s into the watch):")
    for label in ("before", "after", "reference"):
        if ticks.get(label):
            print("  %-9s %s" % (label, "  ".join("%.1f@%.0f" % pair for pair in ticks[label]["slowest"])))
    print("desktop figures took %.0f s" % (time.time() - started))


if __name__ == "__main__":
    main()
