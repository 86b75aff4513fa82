"""The running Zeltoria in the player's language (LANGUAGE names it): the parts AT-SPI reads are
named from that language's catalogue, and the captions drawn below the boards are that
language's pictures, pixel for pixel as zeltoria-lab shot draws them in it.
ZELTORIA_LAB and ZELTORIA_CATALOGUE name the lab and the language's compiled catalogue."""
import gettext
import os
import subprocess
import sys
import tempfile

from atspi_game import application, find, press, wait_for

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from pictures import crop, png_rgb, xwd_rgb  # noqa: E402

LAB, CATALOGUE = os.environ["ZELTORIA_LAB"], os.environ["ZELTORIA_CATALOGUE"]
CODE = os.environ["LANGUAGE"].split(":")[0]


def main():
    words = gettext.GNUTranslations(open(CATALOGUE, "rb"))
    tr = words.gettext
    app = application("zeltoria")
    window = wait_for("the main window", lambda: find(app, "frame", "Zeltoria"))
    dialog = wait_for("the about box", lambda: find(app, "dialog"))
    wait_for("its button", lambda: find(dialog, "push button", tr("OK")))
    press(find(dialog, "push button", tr("OK")))
    arrow = tr("{0}, key {1}").replace("{0}", tr("Column {0} up").replace("{0}", "A")).replace("{1}", "A")
    for role, name in [("push button", tr("Start")), ("push button", tr("Exit")),
                       ("table", tr("Your board")),
                       ("push button", tr("About {0}").replace("{0}", "Zeltoria"))]:
        wait_for(f'{role} "{name}"', lambda: find(window, role, name))
    press(find(window, "push button", tr("Start")))
    wait_for(f'the arrow "{arrow}"', lambda: find(window, "push button", arrow))
    wait_for("the pattern", lambda: find(window, "table", tr("Pattern")))
    press(find(window, "push button", tr("Exit")))

    # Below the boards the window shows no deal: the size captions, their buttons, Start, Exit.
    shot = os.path.join(tempfile.mkdtemp(), "lab.png")
    subprocess.run([LAB, "shot", shot, "lang=" + CODE], check=True, capture_output=True)
    game = subprocess.run(["xdotool", "search", "--sync", "--name", "^Zeltoria$"], check=True,
                          capture_output=True, text=True).stdout.split()[0]
    def same():
        return crop(xwd_rgb(game), 0, 320, 517, 83) == crop(png_rgb(shot), 0, 320, 517, 83)
    wait_for("the captions drawn as zeltoria-lab shot lang=" + CODE + " draws them", same)
    print(CODE + ": names and pictures in the language")


main()
