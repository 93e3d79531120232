# SPDX-License-Identifier: MIT
"""Reads the running program through the desktop accessibility bus, as a screen reader does.

    atspi_probe.py <application> focus <name>  waits until the focused object is called <name>
    atspi_probe.py <application> text <name>   prints the text of the text box called <name>
    atspi_probe.py <application> windows       prints each window's role, name and description

Each waits up to ten seconds for the application to appear on the bus (and, for the focus, for
it to arrive); on a timeout it says what it saw instead and exits with status 1.
"""

import sys
import time

import pyatspi

TIMEOUT_S = 10


def application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def find(root, predicate):
    return pyatspi.findDescendant(root, predicate, True)


def focused(app):
    return find(app, lambda obj: obj.getState().contains(pyatspi.STATE_FOCUSED))


def describe(obj):
    return "nothing" if obj is None else "%s '%s'" % (obj.getRoleName(), obj.name)


def wait_for(poll, seen):
    """Polls until poll() returns something; on a timeout exits, saying what seen() tells."""
    deadline = time.monotonic() + TIMEOUT_S
    while True:
        try:
            result = poll()
        except Exception:  # an object went away while it was read: read again
            result = None
        if result is not None:
            return result
        if time.monotonic() >= deadline:
            sys.exit("timed out; saw " + seen())
        time.sleep(0.05)


def main(program, command, argument=""):
    app = wait_for(lambda: application(program), lambda: "no application " + program)
    if command == "focus":
        def focus_on_argument():
            obj = focused(app)
            return obj if obj is not None and obj.name == argument else None
        wait_for(focus_on_argument, lambda: "the focus on " + describe(focused(app)))
        print(argument)
    elif command == "text":
        box = wait_for(lambda: find(app, lambda obj: obj.name == argument
                                    and obj.getRole() == pyatspi.ROLE_TEXT),
                       lambda: "no text box called " + argument)
        text = box.queryText()
        print(text.getText(0, text.characterCount))
    elif command == "windows":
        for window in app:
            print("%s | %s | %s" % (window.getRoleName(), window.name, window.description))
    else:
        sys.exit("unknown command " + command)


if __name__ == "__main__":
    main(*sys.argv[1:])
