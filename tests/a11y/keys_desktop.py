"""The keyboard of the running Zeltoria on a real X server: on French (AZERTY) and Russian
layouts a key moves what the key at its place moves on a US keyboard, unless it types a Latin
letter or digit; and a key held while another window takes the focus, and let go there, stops
moving the board. Read through AT-SPI, typed with xdotool."""
import subprocess
import sys
import time

import pyatspi
from atspi_game import application, children, find, grid, moved, press, wait_for


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout.split()


def main():
    clock = subprocess.Popen(["xclock"])
    app = application("zeltoria")
    window = wait_for("the main window", lambda: find(app, "frame", "Zeltoria"))
    dialog = find(app, "dialog")
    if dialog is not None:
        press(find(dialog, "push button", "OK"))
    alert = find(window, "alert")
    board = find(window, "table", "Your board")
    game = xdotool("search", "--sync", "--name", "^Zeltoria$")[0]
    other = xdotool("search", "--sync", "--class", "XClock")[0]
    arrows = [b for b in children(window) if b.getRoleName() == "push button" and
              b.name.startswith(("Column", "Row"))]

    def start():
        press(find(window, "push button", "Start"))
        wait_for("the shuffle's end", lambda: alert.name.startswith("Board scrambled"))

    def at_rest():
        return not any(a.getState().contains(pyatspi.STATE_PRESSED) for a in arrows)

    start()
    xdotool("windowfocus", "--sync", game)
    cases = [("us", "a", "Column A up"), ("fr", "ampersand", "Row 1 left"),
             ("fr", "eacute", "Row 2 left"), ("fr", "a", "Column A up"),
             ("ru", "Cyrillic_ef", "Column A up"), ("ru", "Cyrillic_i", "Column B up")]
    for layout, keysym, move in cases:
        subprocess.run(["setxkbmap", layout], check=True)
        before = grid(board)
        xdotool("key", keysym)
        expected = moved(before, move + ",")
        wait_for(f"{keysym} on {layout} to move {move}", lambda: grid(board) == expected)
        time.sleep(0.6)  # the move's slide: a key pressed meanwhile starts nothing
        if not (at_rest() and alert.name.startswith(move)):
            sys.exit(f"{keysym} on {layout}: {move} did not end (said: {alert.name})")
        print(f"{layout} {keysym}: {alert.name}")
        if "Solved" in alert.name:
            start()

    subprocess.run(["setxkbmap", "us"], check=True)
    once = moved(grid(board), "Column A up,")
    xdotool("keydown", "a")
    wait_for("the held key's move", lambda: grid(board) == once)
    time.sleep(1.2)  # the move repeats while the key is held
    xdotool("windowfocus", "--sync", other)
    xdotool("keyup", "a")
    wait_for("the move under way to end", at_rest, timeout=3)
    seen = []
    for _ in range(6):
        seen.append(grid(board))
        time.sleep(0.7)
    clock.kill()
    if any(g != seen[0] for g in seen) or not at_rest():
        sys.exit("the board kept moving after the key was let go in another window")
    print("a key let go in another window let the move end")


main()
