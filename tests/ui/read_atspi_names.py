"""What a screen reader hears through AT-SPI: the controls that take input
in every window of a running application, one a line, as their role and
name; a list's line goes on with its items, the one it has chosen and the
label that names it.

Usage: read_atspi_names.py APPLICATION-NAME
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

R = Atspi.Role
INPUTS = {R.PUSH_BUTTON, R.CHECK_BOX, R.RADIO_BUTTON, R.COMBO_BOX, R.SCROLL_BAR, R.TEXT, R.ENTRY}


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


def items(combo):
    # The list's popup is its child, the items the popup's.
    for popup in children(combo):
        if popup.get_role() == R.LIST:
            return [(item.get_name(), item.get_state_set().contains(Atspi.StateType.SELECTED))
                    for item in children(popup)]
    return []


def labels(node):
    return [relation.get_target(i).get_name()
            for relation in node.get_relation_set()
            if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY
            for i in range(relation.get_n_targets())]


def lines(node):
    # A text box's own scroll bars are the box's.
    role = node.get_role()
    if role in INPUTS:
        line = node.get_role_name() + ": " + (node.get_name() or "")
        if role == R.COMBO_BOX:
            listed = items(node)
            line += "; items: " + ", ".join(name for name, _ in listed)
            line += "; chosen: " + ", ".join(name for name, chosen in listed if chosen)
            line += "; labelled by: " + ", ".join(labels(node))
        yield line
        return
    for child in children(node):
        yield from lines(child)


end = time.time() + 60
while time.time() < end:
    desktop = Atspi.get_desktop(0)
    apps = children(desktop)
    found = [app for app in apps if app.get_name() == sys.argv[1] and app.get_child_count() > 0]
    if found:
        print("\n".join(lines(found[0])))
        sys.exit(0)
    time.sleep(0.2)
sys.exit("no application " + sys.argv[1] + " on the accessibility bus")
