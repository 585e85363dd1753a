"""What a screen reader hears through AT-SPI: the names of the controls that
take input in every window of a running application, one a line.

Usage: read_atspi_names.py APPLICATION-NAME
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

INPUT_ROLES = {
    Atspi.Role.PUSH_BUTTON,
    Atspi.Role.CHECK_BOX,
    Atspi.Role.RADIO_BUTTON,
    Atspi.Role.COMBO_BOX,
    Atspi.Role.SCROLL_BAR,
    Atspi.Role.TEXT,
    Atspi.Role.ENTRY,
}


def application(name, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name and app.get_child_count() > 0:
                return app
        time.sleep(0.2)
    return None


def inputs(node):
    # A list's items, and a text box's own scroll bars, are the control's.
    role = node.get_role()
    if role in INPUT_ROLES:
        yield node.get_name() or ""
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from inputs(child)


def main():
    app = application(sys.argv[1])
    if app is None:
        print("no application " + sys.argv[1] + " on the accessibility bus", file=sys.stderr)
        return 1
    for name in inputs(app):
        print(name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
