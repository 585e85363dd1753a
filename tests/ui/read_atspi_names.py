"""What a screen reader hears through AT-SPI: the controls that take input
in every window of a running application, one a line, as their role and
name; a list's line goes on with its items (its popup's), the one chosen
and the label that names it.

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


def lines(node):
    # A text box's own scroll bars are the box's.
    if node.get_role() not in INPUTS:
        for child in children(node):
            yield from lines(child)
        return
    line = node.get_role_name() + ": " + (node.get_name() or "")
    if node.get_role() == R.COMBO_BOX:
        items = [item for popup in children(node) if popup.get_role() == R.LIST
                 for item in children(popup)]
        chosen = [i for i in items if i.get_state_set().contains(Atspi.StateType.SELECTED)]
        labels = [r.get_target(i) for r in node.get_relation_set()
                  if r.get_relation_type() == Atspi.RelationType.LABELLED_BY
                  for i in range(r.get_n_targets())]
        line += "".join("; " + what + ": " + ", ".join(n.get_name() for n in nodes) for what, nodes
                        in (("items", items), ("chosen", chosen), ("labelled by", labels)))
    yield line


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
