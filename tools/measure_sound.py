#!/usr/bin/env python3
"""What the user hears, measured on a PulseAudio null sink (see measure-sound.sh).

The sink's monitor is recorded with parec. Each block that arrives is stamped
with the wall clock; the earliest stamp minus the frames before it fixes when
frame 0 was rendered, so any frame has a wall-clock time that does not depend
on how late a block happened to be read. A sound's onset is its first frame
above the loudness threshold.

Usage: measure_sound.py BEFORE_BIN AFTER_BIN [RUNS]
       measure_sound.py --windows-clock MINUTES   (horavox.exe alone)
Each *_BIN is a directory holding horavox, horavox-say and the voice pack.
With MEASURE_WINE and MEASURE_WINDOWS_SAY set (Wine's loader and
horavox-say.exe), horavox-say.exe under Wine is measured in the same rounds,
with the time Wine takes to start and end the same program without sound
(--help) beside it. With MEASURE_WINDOWS_CLOCK (horavox.exe) too, the clock
under Wine speaks every minute for a few real minutes (Wine's server keeps
its timers on the real clock, so libfaketime cannot move it to a due
minute), and its first sound after each minute is measured.
The floor beside each first sound is `paplay` of the same first word: the
sound server's own player, started where horavox-say starts, or on the due
second itself.
"""
import math
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import wave
import array

RATE = 44100
LOUD = 600  # a voice is well above this; the null sink's silence is exact zero
FAKETIME_LIB = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"


class Recorder:
    def __init__(self, source):
        self.samples = array.array("h")
        self.epoch = math.inf  # wall time of frame 0
        self.lock = threading.Lock()
        self.process = subprocess.Popen(
            ["parec", "-d", source, "--raw", "--format=s16le", "--rate=%d" % RATE, "--channels=1",
             "--latency-msec=2"], stdout=subprocess.PIPE, bufsize=0)
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        pending = b""
        while True:
            block = self.process.stdout.read(512)
            now = time.time()
            if not block:
                return
            pending += block
            whole = len(pending) - len(pending) % 2
            with self.lock:
                self.samples.frombytes(pending[:whole])
                self.epoch = min(self.epoch, now - len(self.samples) / RATE)
            pending = pending[whole:]

    def now_frame(self):
        with self.lock:
            return len(self.samples)

    def time_of(self, frame):
        return self.epoch + frame / RATE

    def onset_after(self, wall_time, limit=5.0):
        """Wall time of the first loud frame rendered after wall_time, or None."""
        deadline = time.time() + limit
        start = None
        while time.time() < deadline:
            with self.lock:
                if start is None and self.epoch < math.inf:
                    start = max(0, int((wall_time - self.epoch) * RATE))
                if start is not None:
                    for frame in range(start, len(self.samples)):
                        if abs(self.samples[frame]) >= LOUD:
                            return self.time_of(frame)
                    start = max(start, len(self.samples))
            time.sleep(0.01)
        return None

    def loud_span(self, wall_from, wall_to):
        """Frames from the first to the last loud frame between two wall times."""
        with self.lock:
            first = max(0, int((wall_from - self.epoch) * RATE))
            last = min(len(self.samples), int((wall_to - self.epoch) * RATE))
            loud = [f for f in range(first, last) if abs(self.samples[f]) >= LOUD]
        return (loud[-1] - loud[0] + 1) if loud else 0

    def wait_silent(self, seconds=0.3, limit=20.0):
        """Waits until the last `seconds` of the recording are silent."""
        deadline = time.time() + limit
        window = int(seconds * RATE)
        while time.time() < deadline:
            with self.lock:
                tail = self.samples[-window:]
            if len(tail) >= window and max(map(abs, tail)) < LOUD:
                return
            time.sleep(0.05)

    def stop(self):
        self.process.terminate()
        self.process.wait()


def wav_loud_frames(path):
    with wave.open(path) as w:
        rate, channels = w.getframerate(), w.getnchannels()
        data = array.array("h", w.readframes(w.getnframes()))
    loud = [i // channels for i, s in enumerate(data) if abs(s) >= LOUD]
    return (loud[-1] - loud[0] + 1) / rate if loud else 0.0


def ms(seconds):
    return "%.1f" % (seconds * 1000)


def median_ms(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) * 1000 if values else float("nan")


def say_latency(recorder, command, runs, env=None):
    """Exec to first sound of a command that speaks at once."""
    results = []
    for _ in range(runs):
        recorder.wait_silent()
        started = time.time()
        process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        onset = recorder.onset_after(started)
        process.wait(timeout=60)
        results.append(None if onset is None else onset - started)
    return results


class Stream_Watch:
    """Wall times at which the server saw a playback stream made."""

    def __init__(self):
        self.times = []
        self.process = subprocess.Popen(["pactl", "subscribe"], stdout=subprocess.PIPE, text=True, bufsize=1)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            if "'new' on sink-input" in line:
                self.times.append(time.time())

    def stop(self):
        self.process.terminate()
        self.process.wait()


def stream_latency(recorder, watch, command):
    """From the server's new stream to the first sound: the output alone,
    without the program's start (Wine's is most of a second). The last
    stream made before the sound is the one heard; Wine's driver makes a
    first one only to ask the server its format."""
    recorder.wait_silent()
    started = time.time()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    onset = recorder.onset_after(started)
    process.wait(timeout=60)
    made = [t for t in watch.times if onset is not None and started <= t <= onset]
    return onset - made[-1] if made else None


def run_time(command, runs):
    """Wall time of a command that makes no sound, start to end."""
    results = []
    for _ in range(runs):
        started = time.time()
        subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        results.append(time.time() - started)
    return results


def first_word(bin_dir, args):
    """The file of the announcement's first word, as horavox-say names it."""
    say = os.path.join(bin_dir, "horavox-say")
    names = subprocess.run([say, "--print"] + args, capture_output=True, text=True, check=True).stdout.split()
    return os.path.join(bin_dir, names[0])


def paplay_at_due(recorder, wav, runs):
    """paplay started on a whole second, from that second to its first sound:
    the floor of the clock's first sound after a due minute."""
    results = []
    for _ in range(runs):
        recorder.wait_silent()
        due = int(time.time()) + 1
        time.sleep(max(0.0, due - time.time()))
        process = subprocess.Popen(["paplay", wav], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        onset = recorder.onset_after(due - 0.5)
        process.wait(timeout=60)
        results.append(None if onset is None else onset - due)
    return results


def added_gap(recorder, bin_dir, runs):
    """Silence added per join: the played span against the rendered file's span."""
    say = os.path.join(bin_dir, "horavox-say")
    args = ["--prefix-suffix", "fixed", "10:07"]
    words = len(subprocess.run([say, "--print"] + args, capture_output=True, text=True).stdout.split())
    with tempfile.TemporaryDirectory() as scratch:
        rendered = os.path.join(scratch, "render.wav")
        subprocess.run([say, "--wav", rendered] + args, check=True)
        rendered_span = wav_loud_frames(rendered)
    gaps = []
    for _ in range(runs):
        recorder.wait_silent()
        started = time.time()
        subprocess.run([say] + args, check=True, timeout=60)
        recorder.wait_silent(0.2)
        played = recorder.loud_span(started, time.time()) / RATE
        gaps.append((played - rendered_span) / max(1, words - 1))
    return gaps


def clock_first_sound(recorder, bin_dir, runs, lead_seconds=13):
    """The clock, set to speak every minute, started `lead_seconds` before a due
    minute of its own (libfaketime shifts its wall clock by whole seconds), so
    the device has been closed by the silence close when the minute comes."""
    results = []
    for _ in range(runs):
        recorder.wait_silent()
        with tempfile.TemporaryDirectory() as scratch:
            copy = os.path.join(scratch, "bin")
            shutil.copytree(bin_dir, copy)
            with open(os.path.join(copy, "vocahora.ini"), "w") as ini:
                ini.write("[vocahora]\nSay_Time_Every_Minute_Option=1\nNever_Say_Time_Option=0\n"
                          "Keep_Repeating_Time_RadioButton=0\nSay_Time_Every_Hour_Option=0\n")
            now = int(time.time()) + 1
            due = now + lead_seconds
            shift = (-due) % 60
            env = dict(os.environ, LD_PRELOAD=FAKETIME_LIB, FAKETIME="+%d" % shift,
                       FAKETIME_DONT_FAKE_MONOTONIC="1", QT_QPA_PLATFORM="offscreen")
            time.sleep(max(0.0, now - time.time()))
            process = subprocess.Popen([os.path.join(copy, "horavox")], env=env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            onset = recorder.onset_after(due - 0.5, limit=lead_seconds + 5)
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
            results.append(None if onset is None else onset - due)
    return results


def clock_exe_first_sound(recorder, wine, clock_exe, minutes):
    """horavox.exe set to speak every minute, from a copy of its directory,
    for `minutes` real minute boundaries; it starts at least 13 s before the
    first, so each minute finds the device shut by the silence close."""
    results = []
    with tempfile.TemporaryDirectory() as scratch:
        for name in os.listdir(os.path.dirname(clock_exe)):
            source = os.path.join(os.path.dirname(clock_exe), name)
            if os.path.isfile(source):
                shutil.copy(source, scratch)
        with open(os.path.join(scratch, "vocahora.ini"), "w", newline="") as ini:
            ini.write("[vocahora]\r\nSay_Time_Every_Minute_Option=1\r\nNever_Say_Time_Option=0\r\n"
                      "Keep_Repeating_Time_RadioButton=0\r\nSay_Time_Every_Hour_Option=0\r\n")
        recorder.wait_silent()
        while 60 - time.time() % 60 < 13:
            time.sleep(0.5)
        process = subprocess.Popen([wine, os.path.join(scratch, os.path.basename(clock_exe))], cwd=scratch,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            for _ in range(minutes):
                due = (int(time.time()) // 60 + 1) * 60
                onset = recorder.onset_after(due - 0.5, limit=due - time.time() + 5)
                results.append(None if onset is None else onset - due)
                recorder.wait_silent()
        finally:
            process.kill()
            process.wait()
    return results


def main():
    before, after = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    recorder = Recorder(os.environ.get("MEASURE_SOURCE", "measure.monitor"))
    time.sleep(0.5)
    rows = []
    say_args = ["--prefix-suffix", "none", "10:07"]
    say_word = first_word(after, say_args)
    # Interleaved, so both builds, the floor and the peer see the same machine load.
    say = {"before": [], "after": [], "paplay": [], "saytime": []}
    wine, windows_say = os.environ.get("MEASURE_WINE"), os.environ.get("MEASURE_WINDOWS_SAY")
    windows = {"say.exe": [], "wine start": [], "stream say.exe": [], "stream say": []}
    watch = Stream_Watch() if wine and windows_say else None
    for _ in range(runs):
        for label, bin_dir in (("before", before), ("after", after)):
            say[label] += say_latency(recorder, [os.path.join(bin_dir, "horavox-say")] + say_args, 1)
        say["paplay"] += say_latency(recorder, ["paplay", say_word], 1)
        say["saytime"] += say_latency(recorder, ["saytime"], 1)
        if wine and windows_say:
            windows["say.exe"] += say_latency(recorder, [wine, windows_say] + say_args, 1)
            windows["wine start"] += run_time([wine, windows_say, "--help"], 1)
            windows["stream say.exe"].append(stream_latency(recorder, watch, [wine, windows_say] + say_args))
            windows["stream say"].append(
                stream_latency(recorder, watch, [os.path.join(after, "horavox-say")] + say_args))
    gaps = {label: added_gap(recorder, d, max(3, runs // 2)) for label, d in (("before", before), ("after", after))}
    # The clock's announcements start with the prefix, whatever the minute.
    clock_word = first_word(after, ["10:00"])
    clock = {"before": [], "after": [], "paplay": []}
    clock_runs = max(3, runs // 2)
    for _ in range(clock_runs):
        for label, bin_dir in (("before", before), ("after", after)):
            clock[label] += clock_first_sound(recorder, bin_dir, 1)
        clock["paplay"] += paplay_at_due(recorder, clock_word, 1)
    windows_clock = os.environ.get("MEASURE_WINDOWS_CLOCK")
    if wine and windows_clock:
        windows["clock.exe"] = clock_exe_first_sound(recorder, wine, windows_clock, max(2, runs // 4))
    recorder.stop()
    if watch:
        watch.stop()

    def fmt(values):
        return " ".join(ms(v) if v is not None else "-" for v in values)

    print("\nAll figures in ms, on a PulseAudio null sink recorded through its monitor.")
    print("%-44s %10s %10s %10s %10s" % ("figure (median)", "before", "after", "paplay", "peer"))
    print("%-44s %10.1f %10.1f %10.1f" % (
        "clock's first sound after a due minute", median_ms(clock["before"]), median_ms(clock["after"]),
        median_ms(clock["paplay"])))
    print("%-44s %10.1f %10.1f %10.1f %10.1f   (saytime)" % (
        "horavox-say exec to first sound", median_ms(say["before"]), median_ms(say["after"]),
        median_ms(say["paplay"]), median_ms(say["saytime"])))
    if windows.get("clock.exe"):
        print("%-44s %21.1f   (horavox.exe under Wine, %d real minutes)" % (
            "", median_ms(windows["clock.exe"]), len(windows["clock.exe"])))
    print("%-44s %10.1f %10.1f" % ("silence added per join of words", median_ms(gaps["before"]),
                                   median_ms(gaps["after"])))
    if windows["say.exe"]:
        print("%-44s %21.1f   (horavox-say.exe under Wine)" % ("", median_ms(windows["say.exe"])))
        print("%-44s %21.1f   (Wine: horavox-say.exe --help, start to end)" % ("", median_ms(windows["wine start"])))
        print("%-44s %21.1f %10.1f   (horavox-say.exe under Wine)" % (
            "horavox-say new stream to first sound", median_ms(windows["stream say"]),
            median_ms(windows["stream say.exe"])))
    ratio_before = median_ms(say["before"]) / median_ms(say["saytime"])
    ratio_after = median_ms(say["after"]) / median_ms(say["saytime"])
    print("horavox-say / saytime: before %.2f, after %.2f" % (ratio_before, ratio_after))
    print("horavox-say - paplay: before %+.1f ms, after %+.1f ms" % (
        median_ms(say["before"]) - median_ms(say["paplay"]), median_ms(say["after"]) - median_ms(say["paplay"])))
    print("\nruns:")
    for name, table in (("clock first sound", clock), ("say first sound", say), ("added gap", gaps),
                        ("Windows", windows)):
        for label, values in table.items():
            print("  %-18s %-8s %s" % (name, label, fmt(values)))


def windows_clock_only(minutes):
    """horavox.exe's first sound after each of `minutes` due minutes, alone
    (measure-sound.sh --only wine); the first minute is the clock's first."""
    recorder = Recorder(os.environ.get("MEASURE_SOURCE", "measure.monitor"))
    time.sleep(0.5)
    results = clock_exe_first_sound(recorder, os.environ["MEASURE_WINE"], os.environ["MEASURE_WINDOWS_CLOCK"], minutes)
    recorder.stop()
    print("\nhoravox.exe under Wine, first sound after a due minute (ms), %d real minutes: median %.1f; runs %s" % (
        minutes, median_ms(results), " ".join(ms(v) if v is not None else "-" for v in results)))


if __name__ == "__main__":
    if sys.argv[1] == "--windows-clock":
        windows_clock_only(int(sys.argv[2]))
    else:
        main()
