"""Finds and presses controls of a running program through the accessibility bus (AT-SPI), the way
a screen reader does: by role and accessible name, never by pixel.

    atspi.py wait  APP ROLE NAME [SECONDS]   exits 0 once the control exists
    atspi.py press APP ROLE NAME [SECONDS]   presses it (its first action)
    atspi.py text  APP ROLE NAME [SECONDS]   prints its name and description
    atspi.py dump  APP                       prints the control tree

APP is the application's name on the bus (the program's file name for Qt programs). ROLE is the
AT-SPI role name ("push button", "check box", "menu item", "label", ...); "*" matches any role.
"""
import sys
import time

import pyatspi


def applications(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name:
            yield app


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node, depth
    try:
        count = node.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from walk(child, depth + 1)


def find(app_name, role, name):
    for app in applications(app_name):
        for node, _ in walk(app):
            try:
                if node.name == name and (role == "*" or node.getRoleName() == role):
                    return node
            except Exception:
                continue
    return None


def wait_for(app_name, role, name, seconds):
    deadline = time.monotonic() + seconds
    while True:
        node = find(app_name, role, name)
        if node is not None or time.monotonic() > deadline:
            return node
        time.sleep(0.2)


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    verb, app = argv[1], argv[2]
    if verb == "dump":
        for a in applications(app):
            for node, depth in walk(a):
                print("  " * depth + f"{node.getRoleName()}: {node.name!r} {node.description!r}")
        return 0
    if len(argv) < 5:
        print(__doc__, file=sys.stderr)
        return 2
    role, name = argv[3], argv[4]
    seconds = float(argv[5]) if len(argv) > 5 else 10.0
    node = wait_for(app, role, name, seconds)
    if node is None:
        print(f"atspi: no {role} named {name!r} in {app}", file=sys.stderr)
        return 1
    if verb == "wait":
        return 0
    if verb == "text":
        print(node.name)
        print(node.description)
        return 0
    if verb == "press":
        action = node.queryAction()
        if action.nActions < 1:
            print(f"atspi: {role} {name!r} offers no action", file=sys.stderr)
            return 1
        action.doAction(0)
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
