#!/usr/bin/env python3
"""Start-up time and peak memory of the planetarium program.

    bench_startup.py PLANETARIUM [--runs N]
        Starts the window N times under Qt's offscreen platform and, when
        Xvfb is installed, under a private Xvfb server; for each, the time
        from process start to the first painted window (Qt's first flush of
        the window's back buffer to the screen) and the peak resident memory
        at that moment. Prints the median, minimum and maximum.
        Then renders the full south view with everything on (--render) and
        prints that process's peak resident memory.

    bench_startup.py --run PROGRAM [ARGS...]
        Runs one program (a Google Benchmark) and prints its peak resident
        memory after it exits.
"""
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

FIRST_FLUSH = "qt.widgets.painting: Flushing top level"
TIMEOUT_S = 30.0


def peak_rss_kib_of_child(argv, env=None, timeout_s=600.0):
    """Runs argv to its end (killed after timeout_s); exit status and peak RSS in KiB."""
    proc = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL)
    killer = threading.Timer(timeout_s, proc.kill)
    killer.start()
    try:
        _, status, usage = os.wait4(proc.pid, 0)
    finally:
        killer.cancel()
    proc.returncode = os.waitstatus_to_exitcode(status)
    return proc.returncode, usage.ru_maxrss


def vm_hwm_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def time_to_first_paint(planetarium, env, workdir):
    """Seconds from process start to the first flush of the window, and VmHWM then."""
    env = dict(env)
    env["QT_LOGGING_RULES"] = "qt.widgets.painting=true"
    start = time.perf_counter()
    proc = subprocess.Popen([planetarium], env=env, cwd=workdir, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                            errors="replace")
    elapsed = None
    rss = 0
    try:
        deadline = start + TIMEOUT_S
        for line in proc.stderr:
            if line.startswith(FIRST_FLUSH):
                elapsed = time.perf_counter() - start
                rss = vm_hwm_kib(proc.pid)
                break
            if time.perf_counter() > deadline:
                break
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.communicate(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.communicate()
    return elapsed, rss


def start_xvfb():
    if not shutil.which("Xvfb"):
        return None, None
    for display in range(90, 120):
        if os.path.exists(f"/tmp/.X11-unix/X{display}") or os.path.exists(f"/tmp/.X{display}-lock"):
            continue
        xvfb = subprocess.Popen(["Xvfb", f":{display}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists(f"/tmp/.X11-unix/X{display}"):
                return xvfb, f":{display}"
            if xvfb.poll() is not None:
                break
            time.sleep(0.05)
        xvfb.terminate()
        xvfb.wait()
    return None, None


def report(label, samples):
    times = [t for t, _ in samples if t is not None]
    rss = [r for t, r in samples if t is not None]
    if not times:
        print(f"{label:<28} no painted window within {TIMEOUT_S:.0f} s")
        return False
    ms = [t * 1000.0 for t in times]
    print(f"{label:<28} start-up to first paint: median {statistics.median(ms):7.1f} ms "
          f"(min {min(ms):.1f}, max {max(ms):.1f}, {len(ms)} runs); "
          f"peak RSS {statistics.median(rss) / 1024.0:.1f} MiB")
    return True


def startup(planetarium, runs):
    planetarium = os.path.abspath(planetarium)
    base = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
    ok = True
    with tempfile.TemporaryDirectory() as workdir:  # no settings file: the first start of a new user
        env = dict(base, QT_QPA_PLATFORM="offscreen")
        env.pop("DISPLAY", None)
        time_to_first_paint(planetarium, env, workdir)  # warm the file cache
        ok &= report("window, offscreen", [time_to_first_paint(planetarium, env, workdir) for _ in range(runs)])

        xvfb, display = start_xvfb()
        if xvfb is not None:
            try:
                env = dict(base, QT_QPA_PLATFORM="xcb", DISPLAY=display)
                time_to_first_paint(planetarium, env, workdir)
                ok &= report("window, Xvfb (xcb)",
                             [time_to_first_paint(planetarium, env, workdir) for _ in range(runs)])
            finally:
                xvfb.terminate()
                xvfb.wait()
        else:
            print("window, Xvfb (xcb)           skipped: Xvfb is not installed")

        png = os.path.join(workdir, "sky.png")
        env = dict(base, QT_QPA_PLATFORM="offscreen")
        start = time.perf_counter()
        rc, rss = peak_rss_kib_of_child(
            [planetarium, "--render", png, "--at", "2026-01-15 22:00", "--place", "東京", "--dir", "south",
             "--show", "equator,ecliptic,grid,names,constellations,meteors", "--constellations", "all",
             "--seed", "1"], env=env, timeout_s=TIMEOUT_S)
        wall = (time.perf_counter() - start) * 1000.0
        if rc == 0:
            print(f"{'--render, everything on':<28} whole process {wall:7.1f} ms; peak RSS {rss / 1024.0:.1f} MiB")
        else:
            print(f"{'--render, everything on':<28} failed with status {rc}")
            ok = False
    return ok


def main(argv):
    if len(argv) >= 2 and argv[1] == "--run":
        rc, rss = peak_rss_kib_of_child(argv[2:])
        print(f"peak RSS of {os.path.basename(argv[2])}: {rss / 1024.0:.1f} MiB")
        return rc
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    runs = 7
    if "--runs" in argv:
        runs = int(argv[argv.index("--runs") + 1])
    return 0 if startup(argv[1], runs) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
