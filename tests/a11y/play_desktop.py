"""Plays a whole game of the running Zeltoria to a win through AT-SPI alone: the grids read by
their cells' descriptions, Start and the arrows pressed by their action, the win heard in the
announcement. No co-ordinates, no pixels. Prints the tree it found first."""
import pyatspi
from atspi_game import application, children, enabled, find, grid, moved, press, printed, solve, wait_for


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
