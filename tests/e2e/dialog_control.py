"""Drives one control inside one window of a running program through AT-SPI.

    dialog_control.py APP WINDOW ROLE NAME press          presses the control
    dialog_control.py APP WINDOW ROLE NAME value NUMBER   sets a spin edit's value
    dialog_control.py APP WINDOW ROLE NAME toggle         toggles a check item (its toggle action)
    dialog_control.py APP WINDOW ROLE NAME extents        prints its box on the screen: X Y W H
    dialog_control.py APP WINDOW ROLE NAME states         prints its states ("checked", ...)
    dialog_control.py APP WINDOW ROLE NAME text           prints the text it holds
    dialog_control.py APP WINDOW ROLE NAME focus          gives it the keyboard focus
    dialog_control.py APP WINDOW ROLE NAME name           prints its accessible name

ROLE "a|b" takes either role. NAME "*" takes the first control of the role, and NAME "/RE" the
first whose name the regular expression RE finds.

WINDOW is the window's title; the control is looked for only inside it, so that an "确定" of one
dialog is never taken for another's. Waits up to ten seconds for the control.
"""
import re
import sys
import time

sys.path.insert(0, __file__.rsplit("/", 1)[0])
from atspi import applications, walk  # noqa: E402
import pyatspi  # noqa: E402


def matches(node, role, name):
    """ROLE "a|b" matches either role; NAME "*" matches any name and "/RE" the names the regular
    expression finds."""
    if role != "*" and node.getRoleName() not in role.split("|"):
        return False
    if name == "*":
        return True
    if name.startswith("/"):
        return re.search(name[1:], node.name or "") is not None
    return node.name == name


# Views whose rows are looked into only when a row or a cell is wanted: a folder tree may hold
# hundreds of rows, each a round trip on the bus.
VIEWS = ("table", "tree table", "tree")


def controls(node, into_views, depth=0):
    if node is None or depth > 40:
        return
    yield node
    try:
        if not into_views and depth > 0 and node.getRoleName() in VIEWS:
            return
        count = node.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from controls(child, into_views, depth + 1)


def find(app, window, role, name):
    into_views = role == "*" or "cell" in role or "item" in role
    for a in applications(app):
        for node, _ in walk(a):
            try:
                if node.name != window or node.getRoleName() not in ("dialog", "frame", "window"):
                    continue
            except Exception:
                continue
            for child in controls(node, into_views):
                try:
                    if child is not node and matches(child, role, name):
                        return child
                except Exception:
                    continue
    return None


def main(argv):
    app, window, role, name, verb = argv[1:6]
    deadline = time.monotonic() + 10
    node = find(app, window, role, name)
    while node is None and time.monotonic() < deadline:
        time.sleep(0.2)
        node = find(app, window, role, name)
    if node is None:
        print(f"dialog_control: no {role} {name!r} in {window!r}", file=sys.stderr)
        return 1
    if verb == "name":
        print(node.name)
        return 0
    if verb == "focus":
        node.queryComponent().grabFocus()
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                return 0
            time.sleep(0.1)
        print(f"dialog_control: {name!r} did not take the focus", file=sys.stderr)
        return 1
    if verb == "extents":
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(box.x, box.y, box.width, box.height)
        return 0
    if verb == "states":
        print(" ".join(pyatspi.stateToString(s) for s in node.getState().getStates()))
        return 0
    if verb == "text":
        text = node.queryText()
        print(text.getText(0, text.characterCount))
        return 0
    if verb == "value":
        node.queryValue().currentValue = float(argv[6])
        return 0
    action = node.queryAction()
    wanted = {"press": ("Press", "press"), "toggle": ("Toggle", "toggle")}[verb]
    for i in range(action.nActions):
        if action.getName(i) in wanted:
            action.doAction(i)
            return 0
    if action.nActions > 0:
        action.doAction(0)
        return 0
    print(f"dialog_control: {name!r} offers no action", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
