#!/usr/bin/python3
"""Watches a program's first top-level window from outside (see first-paint.sh).

Starts PROGRAM on the X display in DISPLAY, stamps the window's map and every
change of its size, and writes a picture (PPM) each time its contents change
(X DAMAGE), for SECONDS. The first picture that is not the server's blank
window is the first paint; no size change after it means the first frame was
already the final layout.

Usage: first_paint.py OUT_PREFIX SECONDS PROGRAM [ARGS...]
writes OUT_PREFIX-1.ppm, -2.ppm, ... and prints one line per event.
"""
import subprocess
import sys
import time

from Xlib import X, display as xdisplay
from Xlib.ext import damage


def main():
    out, seconds, program = sys.argv[1], float(sys.argv[2]), sys.argv[3:]
    d = xdisplay.Display()
    d.damage_query_version()
    d.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    start = time.monotonic()
    proc = subprocess.Popen(program)
    window, last, pictures = None, None, 0
    while time.monotonic() - start < seconds:
        while d.pending_events():
            e = d.next_event()
            ms = (time.monotonic() - start) * 1000
            if e.type == X.MapNotify and window is None:
                window = e.window
                g = window.get_geometry()
                print("%7.1f ms mapped %dx%d+%d+%d" % (ms, g.width, g.height, g.x, g.y))
                window.change_attributes(event_mask=X.StructureNotifyMask)
                window.damage_create(damage.DamageReportNonEmpty)
                d.sync()
            elif e.type == X.ConfigureNotify and e.window == window:
                print("%7.1f ms size %dx%d+%d+%d" % (ms, e.width, e.height, e.x, e.y))
            elif e.type == d.extension_event.DamageNotify:
                d.damage_subtract(e.damage)
                g = window.get_geometry()
                data = window.get_image(0, 0, g.width, g.height, X.ZPixmap, 0xFFFFFFFF).data
                if data == last:
                    continue
                last = data
                pictures += 1
                print("%7.1f ms picture %d, %dx%d" % (ms, pictures, g.width, g.height))
                with open("%s-%d.ppm" % (out, pictures), "wb") as f:
                    f.write(b"P6 %d %d 255\n" % (g.width, g.height))
                    # 32-bit BGRX pixels to RGB.
                    rgb = bytearray(len(data) // 4 * 3)
                    rgb[0::3], rgb[1::3], rgb[2::3] = data[2::4], data[1::4], data[0::4]
                    f.write(rgb)
        time.sleep(0.002)
    proc.terminate()
    proc.wait()


if __name__ == "__main__":
    main()
