"""The Windows build under Wine on a private X server, end to end, as a player meets it: the
window's pixels against zeltoria-lab shot, a game won by xdotool's clicks and keys, the palette
of an 8-bit PseudoColor screen, the single instance and the registry, the installer, and a
game won through MSAA alone. Usage: wine_e2e.py BUILD_WIN LAB CASE."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from boards import rotated, shortest_moves  # noqa: E402
from pictures import crop, png_rgb, ppm_rgb, xwd_rgb  # noqa: E402

BUILD = os.path.abspath(sys.argv[1])
LAB = os.path.abspath(sys.argv[2])
CASE = sys.argv[3]
PREFIX = os.environ.get("WINEPREFIX", os.path.join(BUILD, "wineprefix"))
WORK = tempfile.mkdtemp(prefix="zeltoria-wine-")
ENV = dict(os.environ, WINEPREFIX=PREFIX, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")


def fail(why):
    sys.exit("wine_e2e " + CASE + ": " + why)


def wait_for(what, probe, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    fail("timed out waiting for " + what)


class Session:
    """An X server of its own at `depth` bits, and a Wine server for the prefix that uses it."""

    def __init__(self, depth=24, size="1024x768"):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "%sx%d" % (size, depth),
             "-nolisten", "tcp", "-noreset"], pass_fds=[write], stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read, 16)
            if not chunk:
                fail("Xvfb did not start")
            number += chunk
        os.close(read)
        ENV["DISPLAY"] = ":" + number.decode().strip()
        self.processes = []
        subprocess.run(["wineserver", "-k"], env=ENV, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=ENV, stderr=subprocess.DEVNULL)
        # Started apart from any pipe of ours: Wine's services outlive the programs.
        subprocess.Popen(["wineserver", "-p"], env=ENV, stdin=subprocess.DEVNULL,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         start_new_session=True).wait()
        subprocess.run(["wine", "cmd", "/c", "exit"], env=ENV, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       start_new_session=True)

    def start(self, *args, output=None, env=None):
        process = subprocess.Popen(["wine", *args], env=env or ENV, stdin=subprocess.DEVNULL,
                                   stdout=output or subprocess.DEVNULL, stderr=output or subprocess.DEVNULL,
                                   start_new_session=True)
        self.processes.append(process)
        return process

    def run(self, *args, timeout=120):
        """Runs a Windows program to its end: its exit status and what it printed."""
        out = os.path.join(WORK, "out.txt")
        with open(out, "wb") as f:
            status = self.start(*args, output=f).wait(timeout)
        with open(out, encoding="utf-8", errors="replace") as f:
            return status, f.read().replace("\r\n", "\n")

    def close(self):
        for p in self.processes:
            if p.poll() is None:
                p.kill()
        subprocess.run(["wineserver", "-k"], env=ENV, stderr=subprocess.DEVNULL)
        self.xvfb.kill()


def xdo(*args):
    return subprocess.run(["xdotool", *args], env=ENV, capture_output=True, text=True).stdout.split()


def windows_named(name):
    return xdo("search", "--onlyvisible", "--name", "^" + re.escape(name) + "$")


# ---- pictures ---------------------------------------------------------------------------------

def lab_shot(actions):
    png = os.path.join(WORK, "lab.png")
    text = subprocess.run([LAB, "shot", png, *actions], capture_output=True, text=True,
                          check=True).stdout
    return text, png_rgb(png)


def same_pixels(got, expected, what):
    if got[:2] != expected[:2]:
        fail("%s: %dx%d, not %dx%d" % (what, got[0], got[1], expected[0], expected[1]))
    differing = sum(1 for i in range(0, len(got[2]), 3) if got[2][i:i + 3] != expected[2][i:i + 3])
    if differing:
        fail("%s: %d pixels differ from zeltoria-lab shot" % (what, differing))


# ---- the game as the lab prints it ------------------------------------------------------------

def grids(state):
    """The player's board and the pattern from a state as shot prints it."""
    parts = state.split("\n\n")
    def read(part):
        return tuple(tuple(line.split()) for line in part.split("\n")
                     if re.match(r"^[0-9a-f]{2}( |$)", line))
    return read(parts[0]), read(parts[1])


def solve(board, target):
    """The keys of the fewest moves: letters for the columns, digits for the rows."""
    cols, rows = len(board[0]), len(board)

    def move(column, index):
        lines = cols if column else rows
        return lambda cells: rotated(cells, column, (index - 1) % lines, index <= lines)

    moves = [("ABCDEFGHIJK"[i - 1], move(True, i)) for i in range(1, 2 * cols + 1)]
    moves += [("1234567890"[i - 1], move(False, i)) for i in range(1, 2 * rows + 1)]
    return shortest_moves(board, target, moves)


class LiveGame:
    """zeltoria-wintest's live window: its state file read after every message."""

    def __init__(self, session, seed=32):
        self.path = os.path.join(WORK, "state.txt")
        self.process = session.start(os.path.join(BUILD, "tests", "zeltoria-wintest.exe"), "play",
                                     self.path, "seed=%d" % seed)
        wait_for("the game's window", lambda: os.path.exists(self.path) and windows_named("Zeltoria"))
        self.window = windows_named("Zeltoria")[0]

    def state(self):
        try:
            return open(self.path).read()
        except OSError:
            return ""

    def value(self, name):
        return re.search(name + r"=([\d,]+)", self.state()).group(1)

    def screen_point(self, x, y):
        ox, oy = map(int, self.value("origin").split(","))
        scale = int(self.value("scale"))
        return str(ox + x * scale + scale // 2), str(oy + y * scale + scale // 2)

    def click(self, x, y):
        sx, sy = self.screen_point(x, y)
        xdo("mousemove", sx, sy)
        time.sleep(0.1)
        xdo("click", "1")

    def settled(self):
        return re.search(r"shuffle=0 move=0 ", self.state())


# ---- the cases --------------------------------------------------------------------------------

def shots():
    start = ["seed=7", "click=377,343"]
    cases = {
        "idle": ["seed=7"],
        "start and the whole shuffle": [*start, "run"],
        "a key move, frame 2": [*start, "run", "key=A", "tick=2"],
        "an arrow held": [*start, "run", "press=143,118", "tick=7"],
        "a win": ["seed=32", "click=377,343", "run", "key=2", "keyup", "run", "key=B", "keyup",
                  "run", "key=C", "keyup", "run", "key=1", "keyup", "run"],
        "the size buttons": ["seed=7", "click=219,343", "click=219,373", "click=43,343"],
        "in German": ["seed=7", "lang=de"],
        "in Japanese, started": ["seed=7", "lang=ja", "click=377,343", "run"],
    }
    session = Session(24)
    try:
        for name, actions in cases.items():
            expected_text, expected = lab_shot(actions)
            ppm = os.path.join(WORK, "win.ppm")
            status, text = session.run(os.path.join(BUILD, "tests", "zeltoria-wintest.exe"),
                                       "shot", "Z:" + ppm.replace("/", "\\"), *actions)
            if status != 0:
                fail("%s: zeltoria-wintest shot failed (%d)" % (name, status))
            if text != expected_text:
                fail("%s: the game differs:\n%s\nagainst\n%s" % (name, text, expected_text))
            same_pixels(ppm_rgb(ppm), expected, name)
            print("same pixels as zeltoria-lab shot:", name)
        if depth(session) != "32":
            fail("a 24-bit screen counted as %s bits" % depth(session))
        # At 200 % every pixel is a square of four.
        session.run("reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t",
                    "REG_DWORD", "/d", "192", "/f")
        session.close()
        session = Session(24, "1600x1200")
        ppm = os.path.join(WORK, "win.ppm")
        session.run(os.path.join(BUILD, "tests", "zeltoria-wintest.exe"), "shot", windows_path(ppm),
                    "seed=7")
        w, h, rgb = lab_shot(["seed=7"])[1]
        doubled = bytearray()
        for y in range(2 * h):
            row = rgb[(y // 2) * w * 3:(y // 2 + 1) * w * 3]
            for i in range(w):
                doubled += row[i * 3:i * 3 + 3] * 2
        same_pixels(ppm_rgb(ppm), (2 * w, 2 * h, bytes(doubled)), "at 200 %")
        print("at 200 %, each pixel a square of four")
    finally:
        session.run("reg", "delete", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/f")
        session.close()


def play():
    session = Session(24)
    try:
        game = LiveGame(session)
        game.click(377, 343)  # Start
        wait_for("the shuffle", lambda: "playing=1" in game.state() and game.settled())
        board, target = grids(game.state())
        path = solve(board, target)
        print("moves:", " ".join(path))
        xdo("windowfocus", "--sync", game.window)
        for key in path:
            before = grids(game.state())[0]
            xdo("key", key.lower())
            wait_for("the move " + key, lambda: grids(game.state())[0] != before and game.settled())
        wait_for("the win", lambda: "solved=1" in game.state())
        print("won by xdotool's clicks and keys")
    finally:
        session.close()


def palette():
    session = Session(8)
    try:
        # Wine shows a palette picture exactly only with a colour map of its own and the X
        # server drawing.
        for name, value in (("PrivateColorMap", "Y"), ("ClientSideGraphics", "N")):
            session.run("reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", name, "/d",
                        value, "/f")
        if depth(session) != "8":
            fail("an 8-bit screen counted as %s bits" % depth(session))
        game = LiveGame(session, seed=7)
        _, expected = lab_shot(["seed=7"])
        wait_for("the palette realised", lambda: int(game.value("realised")) > 0)
        time.sleep(0.5)
        same_pixels(client_area(game), expected, "the realised palette at 8 bits")
        changes = int(game.value("palettechanged"))
        session.run(os.path.join(BUILD, "tests", "zeltoria-wintest.exe"), "hog")
        wait_for("the other window's palette", lambda: int(game.value("palettechanged")) > changes)
        queried = int(game.value("querynewpalette"))
        # Active again, the game takes the screen's entries back for its palette and repaints.
        # (Wine 8 then stores those entries in its colour map with their channels turned round,
        # 1A2E42 as 421A2E: what the window shows after that is Wine's, not the game's.)
        game.click(5, 5)  # the background: the window is active again, nothing else happens
        wait_for("the game's palette again", lambda: int(game.value("querynewpalette")) > queried
                 and int(game.value("realised")) > 200)
        print("the library's colours exactly; another window's palette heard, and the game's own "
              "realised again when it was activated")
    finally:
        session.close()


def client_area(game):
    """The game's client area as the X server shows it, through the window's own colour map."""
    ox, oy = map(int, game.value("origin").split(","))
    geometry = subprocess.run(["xwininfo", "-id", game.window], env=ENV, capture_output=True,
                              text=True).stdout
    left = int(re.search(r"Absolute upper-left X:\s+(-?\d+)", geometry).group(1))
    top = int(re.search(r"Absolute upper-left Y:\s+(-?\d+)", geometry).group(1))
    scale = int(game.value("scale"))
    return crop(xwd_rgb(game.window, ENV), ox - left, oy - top, 517 * scale, 403 * scale)


def msaa():
    session = Session(24)
    try:
        LiveGame(session, seed=7)
        status, said = session.run(os.path.join(BUILD, "tests", "zeltoria-msaa.exe"), timeout=150)
        print(said)
        if status != 0 or "won through MSAA alone" not in said:
            fail("the game was not won through MSAA (%d)" % status)
    finally:
        session.close()


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def reg_query(session, key):
    """The values and subkeys of a key of the current user's, or None when it is missing."""
    status, out = session.run("reg", "query", "HKCU\\" + key)
    if status != 0:
        return None
    return [line.strip() for line in out.splitlines()[1:] if line.strip()]


def game_folder(with_data=True):
    """A folder of its own holding the game (and its data file), as an installation has it."""
    folder = tempfile.mkdtemp(dir=WORK)
    shutil.copy(os.path.join(BUILD, "zeltoria.exe"), folder)
    if with_data:
        shutil.copy(os.path.join(BUILD, "zelto.vx8"), folder)
        shutil.copytree(os.path.join(BUILD, "nl"), os.path.join(folder, "nl"))
    return folder


def depth(session):
    """The screen's colours as the game's start-up counts them."""
    return session.run(os.path.join(BUILD, "tests", "zeltoria-wintest.exe"), "depth")[1].strip()


def box_text(session):
    """The text of the game's message box that shows, which is then answered."""
    status, text = session.run(os.path.join(BUILD, "tests", "zeltoria-wintest.exe"), "box")
    if status != 0:
        fail("no message box showed")
    return text.strip()


def instance():
    session = Session(24)
    try:
        session.run("reg", "delete", "HKCU\\Software\\VEXO! Software", "/f")
        folder = game_folder()
        first = session.start(os.path.join(folder, "zeltoria.exe"))
        about = wait_for("the about box", lambda: windows_named("Zeltoria: About"))[0]
        main = windows_named("Zeltoria")[0]
        xdo("windowfocus", "--sync", about)
        xdo("key", "Return")
        wait_for("the about box to close", lambda: not windows_named("Zeltoria: About"))
        # The first start made the game's key and wrote nothing else.
        if reg_query(session, "Software\\VEXO! Software\\Zelto") != []:
            fail("the game's key: %s" % reg_query(session, "Software\\VEXO! Software\\Zelto"))
        if reg_query(session, "Software\\VEXO! Software") != [
                "HKEY_CURRENT_USER\\Software\\VEXO! Software\\Zelto"]:
            fail("the maker's key holds more than the game's")
        # Another program in the foreground, then a second start.
        other = session.start("notepad")
        foreground = lambda: session.run(os.path.join(BUILD, "tests", "zeltoria-wintest.exe"),
                                         "foreground")[1].strip()
        wait_for("another program in the foreground", lambda: foreground() == "Notepad")
        started = time.time()
        second = session.start(os.path.join(folder, "zeltoria.exe"))
        if second.wait(30) != 0:
            fail("the second start did not end quietly")
        if len(windows_named("Zeltoria")) != 1 or windows_named("Zeltoria: About"):
            fail("the second start showed a window")
        wait_for("the first start to take the focus", lambda: foreground() == "ZeltoriaForm",
                 timeout=10)
        print("a second start handed over in %.1f s and showed nothing" % (time.time() - started))
        other.kill()
        first.kill()
    finally:
        session.close()


def language():
    """The game in the language Windows gives the user: Wine's is the one of LANG."""
    session = Session(24)
    try:
        env = dict(ENV, LANG="nl_NL.UTF-8", LC_ALL="nl_NL.UTF-8")
        game = session.start(os.path.join(game_folder(), "zeltoria.exe"), env=env)
        # The Dutch catalogue's caption of the about box the game opens with.
        wait_for("the about box in Dutch", lambda: windows_named("Over Zeltoria"))
        print("the about box in Dutch")
        game.kill()
    finally:
        session.close()


def folders():
    session = Session(24)
    try:
        session.run("reg", "delete", "HKCU\\Software\\VEXO! Software", "/f")
        folder = game_folder(with_data=False)
        game = session.start(os.path.join(folder, "zeltoria.exe"))
        expected = 'Sorry! Zeltoria cannot find the needed file "%s\\zelto.vx8".' % windows_path(folder)
        said = box_text(session)
        if said != expected:
            fail("the missing data file: %r" % said)
        game.wait(30)  # its guard goes with it
        # A developer's home with the game in it: the data file comes from there.
        home = tempfile.mkdtemp(dir=WORK)
        os.makedirs(os.path.join(home, "Zelto"))
        shutil.copy(os.path.join(BUILD, "zelto.vx8"), os.path.join(home, "Zelto"))
        session.run("reg", "add", "HKCU\\Software\\VEXO! Software", "/v", "DevHome", "/d",
                    windows_path(home), "/f")
        game = session.start(os.path.join(folder, "zeltoria.exe"))
        wait_for("the game from the developer's home", lambda: windows_named("Zeltoria: About"))
        game.kill()
        game.wait(30)
        session.run("reg", "add", "HKCU\\Software\\VEXO! Software", "/v", "DevHome", "/d",
                    windows_path(home) + "\\gone", "/f")
        session.start(os.path.join(folder, "zeltoria.exe"))
        expected = ('Unable to locate installation folder "%s\\gone\\Zelto". Please re-install '
                    'and try again.' % windows_path(home))
        said = box_text(session)
        if said != expected:
            fail("the missing installation folder: %r" % said)
        print("the data file's folder from the executable's place and DevHome, and both messages")
    finally:
        session.close()


def installer():
    setup = os.path.join(BUILD, "zeltoria-%s-setup.exe" % os.environ.get("ZELTORIA_VERSION", "1.5.0"))
    session = Session(24)
    try:
        session.run("reg", "delete", "HKCU\\Software\\VEXO! Software", "/f")
        drive = os.path.join(PREFIX, "drive_c", "users", os.environ.get("USER", "root"))
        installed = os.path.join(drive, "AppData", "Local", "Programs", "Zeltoria")
        shortcut = os.path.join(drive, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                                "Programs", "Zeltoria", "Zeltoria.lnk")
        uninstall_key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zeltoria"
        if session.run(setup, "/S")[0] != 0:
            fail("the installer failed")
        for name in ("zeltoria.exe", "zelto.vx8", "uninstall.exe"):
            if not os.path.exists(os.path.join(installed, name)):
                fail("not installed: " + name)
        if not os.path.exists(shortcut):
            fail("no Start-menu entry")
        values = " ".join(reg_query(session, uninstall_key) or [])
        for value in ("DisplayName", "UninstallString", "QuietUninstallString", "InstallLocation",
                      "NoModify", "NoRepair"):
            if value not in values:
                fail("the Uninstall key lacks " + value)
        user = os.environ.get("USER", "root")
        session.start("start", "C:\\users\\%s\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu"
                      "\\Programs\\Zeltoria\\Zeltoria.lnk" % user)
        wait_for("the game from its Start-menu entry", lambda: windows_named("Zeltoria: About"))
        session.close()  # the game, and whatever Wine started with it, go
        session = Session(24)
        session.run(os.path.join(installed, "uninstall.exe"), "/S")
        wait_for("the uninstaller", lambda: not os.path.exists(installed))
        if os.path.exists(shortcut) or reg_query(session, uninstall_key) is not None:
            fail("the uninstaller left its entries")
        if reg_query(session, "Software\\VEXO! Software\\Zelto") is None:
            fail("the uninstaller took the game's own key")
        print("installed, started from the Start menu, and removed")
    finally:
        session.close()


def main():
    try:
        {"shots": shots, "play": play, "palette": palette, "msaa": msaa, "instance": instance,
         "folders": folders, "installer": installer, "language": language}[CASE]()
    finally:
        shutil.rmtree(WORK, ignore_errors=True)


main()
