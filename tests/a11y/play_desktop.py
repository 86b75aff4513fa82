"""Plays a whole game of the running Zeltoria to a win through AT-SPI alone: the grids read by
their cells' descriptions, Start and the arrows pressed by their action, the win heard in the
announcement. No co-ordinates, no pixels. Prints the tree it found first."""
import re
import sys
import time
from collections import deque

import pyatspi


def wait_for(what, probe, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        found = probe()
        if found:
            return found
        time.sleep(0.05)
    sys.exit("timed out waiting for " + what)


def application(name):
    def probe():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        return None
    return wait_for("the application", probe)


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def find(node, role, name=None):
    for child in children(node):
        if child.getRoleName() == role and (name is None or child.name == name):
            return child
        inner = find(child, role, name)
        if inner is not None:
            return inner
    return None


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    actions.doAction(names.index("Press"))


def enabled(node):
    return node.getState().contains(pyatspi.STATE_ENABLED)


def printed(node, depth=0):
    """The tree as roles and names, a part a line."""
    print("  " * depth + node.getRoleName() + ' "' + node.name + '"')
    for child in children(node):
        printed(child, depth + 1)


def grid(table):
    """Rows of cell descriptions, without the player's board's judgement."""
    return tuple(tuple(re.sub(r", (not )?in place$", "", cell.description) for cell in children(row))
                 for row in children(table))


def moved(cells, name):
    """The grid after the move an arrow is named for: "Column B up, key B", "Row 2 right, key 5"."""
    kind, line, way = re.match(r"(Column|Row) (\w+) (\w+),", name).groups()
    rows = [list(r) for r in cells]
    if kind == "Column":
        c = ord(line) - ord("A")
        values = [r[c] for r in rows]
        values = values[1:] + values[:1] if way == "up" else values[-1:] + values[:-1]
        for r, v in zip(rows, values):
            r[c] = v
    else:
        r = int(line) - 1
        rows[r] = rows[r][1:] + rows[r][:1] if way == "left" else rows[r][-1:] + rows[r][:-1]
    return tuple(tuple(r) for r in rows)


def solve(board, target, arrows):
    came = {board: None}
    queue = deque([board])
    while queue and target not in came:
        cells = queue.popleft()
        for name in arrows:
            nxt = moved(cells, name)
            if nxt not in came:
                came[nxt] = (cells, name)
                queue.append(nxt)
    path = []
    at = target
    while came[at]:
        at, name = came[at]
        path.insert(0, name)
    return path


def main():
    app = application("zeltoria")
    window = wait_for("the main window", lambda: find(app, "frame", "Zeltoria"))
    dialog = find(app, "dialog")
    if dialog is not None:
        press(find(dialog, "push button", "OK"))
    printed(window)
    alert = find(window, "alert")
    press(find(window, "push button", "Start"))
    wait_for("the shuffle's end", lambda: alert.name.startswith("Board scrambled"))
    print("said:", alert.name)
    board = find(window, "table", "Your board")
    pattern = find(window, "table", "Pattern")
    arrows = {b.name: b for b in children(window)
              if b.getRoleName() == "push button" and b.name.startswith(("Column", "Row"))}
    path = solve(grid(board), grid(pattern), sorted(arrows))
    print("moves:", ", ".join(path))
    for name in path:
        expected = moved(grid(board), name)
        press(arrows[name])
        wait_for(name, lambda: grid(board) == expected and
                 not any(a.getState().contains(pyatspi.STATE_PRESSED) for a in arrows.values())
                 and alert.name.startswith(name.split(",")[0]))
        print("said:", alert.name)
    wait_for("the win", lambda: "Solved" in alert.name)
    wait_for("Start enabled again", lambda: enabled(find(window, "push button", "Start")))
    print("won through AT-SPI alone")


main()
