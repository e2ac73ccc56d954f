"""Drives the running clock through the accessibility bus as a screen reader
would: opens the settings dialog from the File menu, reads every control's
name and description, turns the pages, selects "24 Hour Clock", turns on the
quiet hours and sets the volume, presses OK, reads the clock face and exits
through the menu.

Usage: settings_dialog.py <settings file the clock writes on exit>
"""
import re
import sys
import time

import pyatspi

from atspi_walk import clock_application, descendants, first, press

FREQUENCY_HINT = "Option for how often the time is automatically spoken."
TWELVE_HINT = ("Display Time in 12 hour clock format (with AM/PM) - the AM and PM are spoken "
               "whenever the time is spoken.")
TWENTY_FOUR_HINT = "Display Time in 24 hour clock format (with No AM/PM)."
DIRECTORY_HINT = "The directory where the sound (WAV) files will be loaded from, as they are needed."
QUIET_HINT = ("From the start time up to the end time the clock says nothing by itself; a click on the clock face "
              "still says the time.")
VOLUME_HINT = "The loudness of every sound of the clock, in percent of the recordings."

# Every control a screen reader meets, page by page: role, name, description.
PAGES = [
    ("Talking Frequency", [
        ("panel", "Time Say Frequency", ""),
        ("radio button", "Never Say the Time", FREQUENCY_HINT),
        ("radio button", "Say Time Every Minute", FREQUENCY_HINT),
        ("radio button", "Say Time Every 5 Minutes", FREQUENCY_HINT),
        ("radio button", "Say Time Every 10 Minutes", FREQUENCY_HINT),
        ("radio button", "Say Time Every Quarter Hour", FREQUENCY_HINT),
        ("radio button", "Say Time Every Half Hour", FREQUENCY_HINT),
        ("radio button", "Say Time Every Hour", FREQUENCY_HINT),
        ("radio button", "Keep Repeating Time as often as possible", FREQUENCY_HINT),
    ]),
    ("Advanced Settings", [
        ("panel", "12 / 24 Hour Clock", ""),
        ("radio button", "12 Hour Clock", TWELVE_HINT),
        ("label", "(AM/PM are spoken)", TWELVE_HINT),
        ("radio button", "24 Hour Clock", TWENTY_FOUR_HINT),
        ("label", "(AM/PM are NOT spoken)", TWENTY_FOUR_HINT),
        ("panel", "Speech Playback Settings", ""),
        ("radio button", "Fastest Play Method",
         "Load all required WAV files and then plays them in quick succession."),
        ("radio button", "Optimised Play Method",
         "Load all prefix, then digits, then suffix WAV files and then plays them in reasonably quick succession."),
        ("radio button", "Sequential Play Method",
         "Loads and then plays each WAV file in turn - slowest playback method."),
        ("panel", "Suffix / Prefix Sound Selection", ""),
        ("radio button", "Prefix.WAV / Suffix.WAV only", "Only prefix.wav and suffix.wav are used"),
        ("radio button", "Random Prefix / Suffix Sound",
         "A random prefix is chosen (\"prefix*.wav') as is a random suffix."),
        ("radio button", "Random Prefix / Suffix Sound with Blank option",
         "A random prefix is chosen (\"prefix*.wav') as is a random suffix, and No Prefix / No Suffix is a "
         "random option as well."),
        ("radio button", "No Prefix and No Suffix", "No Prefixed and No Suffixes are used."),
    ]),
    ("Other Settings", [
        ("panel", "Normal - or - Eight Bells Sounds", ""),
        ("radio button", "Normal Sounds", "Normal prefix, digit, and suffix WAV sounds are used."),
        ("radio button", "Eight Bells (Nautical)", "Only the files \"ding.wav\" and \"dingding.wav\" are used."),
        ("panel", "Sound File Directory Location", ""),
        ("push button", "Dir", DIRECTORY_HINT),
        ("text", "Sound File Directory Location", DIRECTORY_HINT),
        ("check box", "Inform Me of Missing Sound Files (During Playback)", ""),
    ]),
    ("Quiet Hours and Volume", [
        ("panel", "Quiet Hours", ""),
        ("check box", "Silence Automatic Announcements", QUIET_HINT),
        ("label", "From:", ""),
        ("spin button", "From", QUIET_HINT),
        ("label", "To:", ""),
        ("spin button", "To", QUIET_HINT),
        ("panel", "Loudness", ""),
        ("label", "Volume:", ""),
        ("slider", "Volume", VOLUME_HINT),
        ("push button", "Test", "Plays the test sound at this volume."),
        ("check box", "Dog Watch Bells (Eight Bells Only)",
         "Eight Bells (Nautical) only: the last dog watch strikes one, two and three bells at 18:30, 19:00 "
         "and 19:30."),
    ]),
]
# Controls without a caption of their own, named by the label before them.
LABELLED = [("spin button", "From"), ("spin button", "To"), ("slider", "Volume")]

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what)
    if not condition:
        failures.append(what)


def wait_for(find, what, seconds=10.0):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    sys.exit("FAIL  " + what + " did not appear")


def has_state(accessible, state):
    return accessible.getState().contains(state)


def main():
    settings_file = sys.argv[1]
    clock = wait_for(clock_application, "the clock on the accessibility bus")
    face = wait_for(lambda: first(clock, "label"), "the clock face")

    press(wait_for(lambda: first(clock, "menu item", "Settings"), "File menu item Settings"), opens_modal=True)
    dialog = wait_for(lambda: first(clock, "dialog", "Horavox Settings"), "the settings dialog")
    check(True, "File > Settings opens the dialog \"Horavox Settings\"")

    tabs = first(dialog, "page tab list")
    tab_names = [tab.name for tab in tabs if tab is not None and tab.getRoleName() == "page tab"]
    check(tab_names == [name for name, _ in PAGES], "pages in order: " + ", ".join(tab_names))
    # The page tab list is named after the page shown.
    check(tabs.name == "Talking Frequency", "the dialog opens on \"Talking Frequency\"")
    check(has_state(first(dialog, "radio button", "Say Time Every Hour"), pyatspi.STATE_CHECKED),
          "\"Say Time Every Hour\" is selected")

    pages = [child for child in first(dialog, "layered pane") if child is not None]
    for index, (page_name, controls) in enumerate(PAGES):
        press(first(tabs, "page tab", page_name))
        wait_for(lambda: True if tabs.name == page_name else None, "page " + page_name)
        page = pages[index]
        check(has_state(page, pyatspi.STATE_SHOWING), "page \"%s\" is showing" % page_name)
        seen = [(c.getRoleName(), c.name, c.description) for c in descendants(page)]
        for control in controls:
            check(control in seen, "%s \"%s\" with its description" % control[:2])
        check(all(has_state(c, pyatspi.STATE_FOCUSABLE) for c in descendants(page)
                  if c.getRoleName() in ("radio button", "push button", "check box", "text", "spin button", "slider")),
              "every control of \"%s\" takes the keyboard focus" % page_name)

    press(first(tabs, "page tab", "Advanced Settings"))
    twenty_four = first(dialog, "radio button", "24 Hour Clock")
    press(twenty_four)
    check(has_state(twenty_four, pyatspi.STATE_CHECKED), "\"24 Hour Clock\" is selected")
    check(not has_state(first(dialog, "radio button", "12 Hour Clock"), pyatspi.STATE_CHECKED),
          "\"12 Hour Clock\" is cleared")

    for role, name in LABELLED:
        control = first(dialog, role, name)
        labels = [relation.getTarget(0).name for relation in control.getRelationSet()
                  if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY]
        # Its group box labels it too.
        check(name + ":" in labels, "%s \"%s\" is labelled by \"%s:\"" % (role, name, name))

    press(first(tabs, "page tab", "Quiet Hours and Volume"))
    quiet = first(dialog, "check box", "Silence Automatic Announcements")
    press(quiet)
    check(has_state(quiet, pyatspi.STATE_CHECKED), "\"Silence Automatic Announcements\" is checked")
    volume = first(dialog, "slider", "Volume").queryValue()
    check((volume.minimumValue, volume.maximumValue, volume.currentValue) == (0, 100, 100),
          "the volume runs from 0 to 100 and stands at 100")
    volume.currentValue = 40
    check(first(dialog, "label", "40 %") is not None, "the volume shows \"40 %\"")

    press(first(dialog, "push button", "OK"))
    wait_for(lambda: None if has_state(dialog, pyatspi.STATE_SHOWING) else True, "the dialog's closing")
    check(True, "OK closes the dialog")
    wait_for(lambda: face if re.fullmatch(r"\d\d:\d\d:\d\d", face.name) else None, "a 24-hour clock face")
    check(True, "the face shows the 24-hour time at once: " + face.name)

    press(first(clock, "menu item", "Exit"))
    wait_for(lambda: True if clock_application() is None else None, "the clock's end")
    with open(settings_file, encoding="latin-1", newline="") as saved:
        lines = saved.read().split("\r\n")
    check("N24_Hour_Clock_Option=1" in lines and "N12_Hour_Clock_Option=0" in lines,
          "File > Exit saves the 24-hour clock")
    check("Quiet_Hours_Option=1" in lines and "Volume_Percent=40" in lines,
          "File > Exit saves the quiet hours and the volume after the 28 keys")

    if failures:
        sys.exit("%d accessibility check(s) failed" % len(failures))


main()
