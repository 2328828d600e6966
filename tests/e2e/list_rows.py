"""Reads the rows of a list view of a running program through the accessibility bus.

    list_rows.py APP LIST     prints one line per row: X Y W H, a tab, the caption, a tab and the
                              state description of the row's first cell (screen coordinates)
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi  # noqa: E402
import pyatspi  # noqa: E402


def rows(app, list_name):
    table = atspi.find(app, "table", list_name)
    if table is None:
        return None
    found = []
    ti = table.queryTable()
    for row in range(ti.nRows):
        cell = ti.getAccessibleAt(row, 0)
        if cell is None:
            continue
        box = cell.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        found.append((box.x, box.y, box.width, box.height, cell.name, cell.description))
    return found


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    found = rows(argv[1], argv[2])
    if found is None:
        print(f"list_rows: no list named {argv[2]!r} in {argv[1]}", file=sys.stderr)
        return 1
    for x, y, w, h, name, description in found:
        print(f"{x} {y} {w} {h}\t{name}\t{description}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
