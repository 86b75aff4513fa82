"""The running Zeltoria as AT-SPI shows it, for the desktop tests: waiting for what it says, its
parts by role and name, its grids read by their cells' descriptions, the moves the arrows are
named for, and the shortest way from one grid to another."""
import os
import re
import sys
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from boards import rotated, shortest_moves  # noqa: E402


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
    if kind == "Column":
        return rotated(cells, True, ord(line) - ord("A"), way == "up")
    return rotated(cells, False, int(line) - 1, way == "left")


def solve(board, target, arrows):
    return shortest_moves(board, target, [(name, lambda cells, name=name: moved(cells, name))
                                          for name in arrows])
