"""The Windows build's start under Wine on a private X server, beside its anchor in the same run:
the time from `wine zeltoria.exe` to its main window shown on the X server, beside the same for
an empty Win32 window of the same client size (runs alternate; medians).
Usage: startup.py BUILD_WIN [RUNS]. Needs `make windows` first."""
import os
import subprocess
import sys
import tempfile
import time

build = os.path.abspath(sys.argv[1])
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
prefix = tempfile.mkdtemp(prefix="zeltoria-bench-wine-")
env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")

read, write = os.pipe()
xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24",
                         "-nolisten", "tcp", "-noreset"], pass_fds=[write],
                        stderr=subprocess.DEVNULL)
os.close(write)
env["DISPLAY"] = ":" + os.read(read, 16).decode().strip()
quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
subprocess.run(["wineboot", "-i"], env=env, **quiet)
subprocess.run(["wineserver", "-w"], env=env, **quiet)
subprocess.Popen(["wineserver", "-p"], env=env, start_new_session=True, **quiet).wait()
subprocess.run(["wine", "cmd", "/c", "exit"], env=env, start_new_session=True, **quiet)


def shown(title):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                          env=env, capture_output=True).stdout.strip()


def start(program, title):
    """Milliseconds from the start to the window on the X server."""
    began = time.perf_counter()
    process = subprocess.Popen(["wine", program], env=env, start_new_session=True, **quiet)
    while not shown(title):
        if time.perf_counter() - began > 30:
            sys.exit("no window from " + program)
    ms = (time.perf_counter() - began) * 1000
    process.kill()
    process.wait()
    subprocess.run(["wine", "cmd", "/c", "exit"], env=env, **quiet)  # the first has gone
    return ms


game, empty = [], []
start(os.path.join(build, "zeltoria.exe"), "Zeltoria")  # the registry key made, the files read
for _ in range(runs):
    game.append(start(os.path.join(build, "zeltoria.exe"), "Zeltoria"))
    empty.append(start(os.path.join(build, "bench", "empty-window.exe"), "Empty"))
median = lambda v: sorted(v)[len(v) // 2]
print("window shown under Wine: zeltoria.exe median %.1f ms, empty Win32 window median %.1f ms, "
      "ratio %.2f (%d runs each)" % (median(game), median(empty), median(game) / median(empty), runs))
subprocess.run(["wineserver", "-k"], env=env, **quiet)
xvfb.kill()
subprocess.run(["rm", "-rf", prefix])
