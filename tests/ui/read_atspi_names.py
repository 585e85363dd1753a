"""What a screen reader hears through AT-SPI: the names of the controls that
take input in every window of a running application, one a line.

Usage: read_atspi_names.py APPLICATION-NAME
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

R = Atspi.Role
INPUTS = {R.PUSH_BUTTON, R.CHECK_BOX, R.RADIO_BUTTON, R.COMBO_BOX, R.SCROLL_BAR, R.TEXT, R.ENTRY}


def names(node):
    # A list's items and a text box's own scroll bars are the control's.
    if node.get_role() in INPUTS:
        yield node.get_name() or ""
        return
    for i in range(node.get_child_count()):
        yield from names(node.get_child_at_index(i))


end = time.time() + 60
while time.time() < end:
    desktop = Atspi.get_desktop(0)
    apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
    found = [app for app in apps if app.get_name() == sys.argv[1] and app.get_child_count() > 0]
    if found:
        print("\n".join(names(found[0])))
        sys.exit(0)
    time.sleep(0.2)
sys.exit("no application " + sys.argv[1] + " on the accessibility bus")
