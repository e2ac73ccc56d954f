"""What the accessibility checks share: finding the clock on the bus, walking
its objects and running a control's action, as a screen reader does."""
import pyatspi
from gi.repository import Atspi, GLib


def clock_application():
    for application in pyatspi.Registry.getDesktop(0):
        try:
            if application is not None and application.name == "horavox":
                return application
        except GLib.GError:
            # An application that ended while the list was read.
            continue
    return None


def descendants(accessible):
    for child in accessible:
        if child is not None:
            yield child
            yield from descendants(child)


def first(accessible, role, name=None):
    for found in descendants(accessible):
        if found.getRoleName() == role and (name is None or found.name == name):
            return found
    return None


def press(accessible, opens_modal=False):
    """Runs the control's first action. An action that opens a modal dialog
    answers only when the dialog closes, so its reply is not waited for."""
    if opens_modal:
        Atspi.set_timeout(500, -1)
    try:
        accessible.queryAction().doAction(0)
    except GLib.GError:
        if not opens_modal:
            raise
    finally:
        Atspi.set_timeout(-1, -1)
