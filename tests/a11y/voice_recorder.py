"""Drives the voice recorder through the accessibility bus as a screen reader
would: opens it from the File menu on a pack left half done, records the two
words missing (the first with the Record button, the second with the R key),
redoes one with the D key, finishes, has the clock use the pack and speak the
time, and listens to what the status line announces on the way. The words
come from a sound server whose microphone is a pipe this script feeds.

Usage: voice_recorder.py <takes directory> <microphone pipe> <voice folder> <settings file>
"""
import os
import sys
import time

import pyatspi
from gi.repository import GLib

from atspi_walk import clock_application, first, press

failures = []
announced = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what)
    if not condition:
        failures.append(what)


def pump_events():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(find, what, seconds=15.0):
    end = time.time() + seconds
    while time.time() < end:
        pump_events()
        found = find()
        if found is not None:
            return found
        time.sleep(0.05)
    sys.exit("FAIL  " + what + " did not come; announced so far: %r" % announced)


def key(letter):
    pyatspi.Registry.generateKeyboardEvent(0, letter, pyatspi.KEY_STRING)


def on_showing(event):
    # What Orca speaks: a notification that appears.
    if event.detail1 and event.source is not None and event.source.getRoleName() == "notification":
        announced.append(event.source.name)


def announcement(containing, after):
    """The first announcement from index `after` on that contains the text."""
    return wait_for(lambda: next((i for i in range(after, len(announced)) if containing in announced[i]), None),
                    "an announcement of \"%s\"" % containing)


def say(pipe, *names):
    for name in names:
        with open(os.path.join(takes, name), "rb") as take:
            pipe.write(take.read())
    pipe.flush()


takes, fifo, voice, settings_file = sys.argv[1:5]
clock = wait_for(clock_application, "the clock on the accessibility bus")
wait_for(lambda: first(clock, "label"), "the clock face")
# Registered once the clock is on the bus: an application sends only the
# events it knows are listened to, and one that asked before a listener
# registered learns of it from the registry's signal, which it hears only once
# connected. On a busy machine the listener could come in between and the
# clock sent nothing.
pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")

press(wait_for(lambda: first(clock, "menu item", "Record Your Own Voice..."), "File menu item Record Your Own Voice"),
      opens_modal=True)
dialog = wait_for(lambda: first(clock, "dialog", "Record Your Own Voice"), "the recorder")
check(True, "File > Record Your Own Voice... opens the recorder")
words = first(dialog, "list", "Words")
items = [item.name for item in words if item is not None]
check(len(items) == 26 and items[:3] == ["oh (0.WAV): missing", "one (1.WAV): missing", "two (2.WAV): recorded"]
      and items[-1] == "P M (PM.WAV): recorded",
      "26 words listed, the pack's read: %s, %s, %s ... %s" % (items[0], items[1], items[2], items[-1]))
check(first(dialog, "label", "Say: oh") is not None, "the first word missing is shown: \"Say: oh\"")
mark = announcement("24 of 26 words recorded. Say: oh.", 0)
check(True, "announced: " + announced[mark])
for role, name in [("push button", "Record"), ("push button", "Play"), ("push button", "Redo"),
                   ("push button", "Next"), ("push button", "Finish"), ("progress bar", "Microphone level"),
                   ("text", "Voice name:"), ("text", "Folder")]:
    control = first(dialog, role, name)
    check(control is not None and control.getState().contains(pyatspi.STATE_FOCUSABLE)
          or role == "progress bar" and control is not None, "%s \"%s\" is there for the keyboard" % (role, name))

with open(fifo, "wb") as pipe:
    # The first word by the button: the room is heard first.
    press(first(dialog, "push button", "Record"))
    mark = announcement("Quiet please", mark)
    check(True, "announced: " + announced[mark])
    # A reader speaks what the line says when it gets to it: the word is said
    # after "Recording" was heard, as a person would.
    say(pipe, "room.raw")
    mark = announcement("Recording. Say: oh", mark)
    check(True, "announced: " + announced[mark])
    say(pipe, "takes/0.raw")
    mark = announcement("Saved: oh.", mark)
    check("Next, say: one." in announced[mark], "announced: " + announced[mark])
    check(first(dialog, "label", "Say: one") is not None, "the next word is shown: \"Say: one\"")

    # The second by its key.
    key("r")
    mark = announcement("Recording. Say: one", mark)
    say(pipe, "takes/1.raw")
    mark = announcement("Saved: one.", mark)
    check(True, "R records, and the take ends by itself: " + announced[mark])

    # Redo takes the word just saved again.
    key("d")
    mark = announcement("Recording. Say: one", mark)
    check(True, "D records \"one\" again: " + announced[mark])
    say(pipe, "takes/1.raw")
    mark = announcement("Saved: one.", mark)
    check(True, "announced: " + announced[mark])

items = [item.name for item in words if item is not None]
check(items[:3] == ["oh (0.WAV): recorded", "one (1.WAV): recorded", "two (2.WAV): recorded"],
      "the list shows the states: " + ", ".join(items[:3]))
mark = announcement("Every word is recorded: press F to finish.", mark)

key("f")
mark = announcement("Voice check:", mark)
check("every needed word plays" in announced[mark], "F finishes: " + announced[mark])
report = first(dialog, "text", "Voice check").queryText()
text = report.getText(0, report.characterCount)
check("Result: every needed word plays" in text, "the voice check is shown in the dialog")
check(os.path.exists(os.path.join(voice, "0.WAV")) and os.path.exists(os.path.join(voice, "1.WAV")),
      "0.WAV and 1.WAV are in " + voice)
check(os.path.exists(os.path.join(voice, "ding.WAV")), "the bells come from the bundled voice")

key("u")
mark = announcement("The clock now speaks with this voice.", mark)
check(True, "U switches the clock to the pack: " + announced[mark])
key("t")

press(first(dialog, "push button", "Close"))
wait_for(lambda: None if first(clock, "dialog", "Record Your Own Voice") else True, "the recorder's closing")
press(first(clock, "menu item", "Exit"))
wait_for(lambda: True if clock_application() is None else None, "the clock's end")
with open(settings_file, encoding="latin-1", newline="") as saved:
    lines = saved.read().split("\r\n")
check("Sound_Directory_Edit=" + voice + "/" in lines, "File > Exit saves the pack as the sound directory")
print("announcements, in order:")
for text in announced:
    print("    " + text)
if failures:
    sys.exit("%d accessibility check(s) failed" % len(failures))
