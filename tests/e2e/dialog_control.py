"""Drives one control inside one window of a running program through AT-SPI.

    dialog_control.py APP WINDOW ROLE NAME press          presses the control
    dialog_control.py APP WINDOW ROLE NAME value NUMBER   sets a spin edit's value
    dialog_control.py APP WINDOW ROLE NAME toggle         toggles a check item (its toggle action)

WINDOW is the window's title; the control is looked for only inside it, so that an "确定" of one
dialog is never taken for another's. Waits up to ten seconds for the control.
"""
import sys
import time

sys.path.insert(0, __file__.rsplit("/", 1)[0])
from atspi import applications, walk  # noqa: E402


def find(app, window, role, name):
    for a in applications(app):
        for node, _ in walk(a):
            try:
                if node.name != window or node.getRoleName() not in ("dialog", "frame", "window"):
                    continue
            except Exception:
                continue
            for child, _ in walk(node):
                try:
                    if child.name == name and (role == "*" or child.getRoleName() == role):
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
