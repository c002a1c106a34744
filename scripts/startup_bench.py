#!/usr/bin/env python3
"""Start-up benchmark: the manager against a bare Qt window of the same size.

Usage: scripts/startup_bench.py [--runs N] [--build DIR]

Starts each program in turn under one Xvfb, RUNS times, and prints the medians of:
  mapped   exec to the first viewable top-level window (polled through Xlib, ~1 ms);
  idle     exec to the last CPU tick before 300 ms without one (the start-up's work is done);
  rss-map  peak resident memory (VmHWM) when the window maps;
  rss-idle resident memory (VmRSS) two seconds after idle;
with the ratios manager / bare. The manager starts with a fresh data folder and a server
address nothing listens on, so its version check ends at once. Not a test: run it by hand on a
quiet machine.

Both programs run inside a private D-Bus session bus, as on a desktop (where Qt's accessibility
bridge and menu bar find one at once). With --no-session-bus they run without one, as in a bare
Xvfb: the first program part that asks for the bus then waits while D-Bus tries and fails to
launch one (a fork of the program); the bare window asks only after its window is mapped, the
manager as it sets its first label's text, so that case counts the failed launch against the
manager's mapped time only.
"""
import argparse
import ctypes
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


class Display:
    IS_VIEWABLE = 2

    def __init__(self, name):
        self.x = ctypes.cdll.LoadLibrary("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                      ctypes.POINTER(ctypes.c_ulong),
                                      ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                      ctypes.POINTER(ctypes.c_uint)]
        self.x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                                ctypes.POINTER(XWindowAttributes)]
        self.x.XFree.argtypes = [ctypes.c_void_p]
        self.dpy = self.x.XOpenDisplay(name.encode())
        if not self.dpy:
            sys.exit(f"cannot open display {name}")
        self.root = self.x.XDefaultRootWindow(self.dpy)

    def viewable_window(self):
        """(width, height) of a viewable top-level window larger than a tooltip, or None."""
        r, p, n = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_uint()
        children = ctypes.POINTER(ctypes.c_ulong)()
        if not self.x.XQueryTree(self.dpy, self.root, ctypes.byref(r), ctypes.byref(p), ctypes.byref(children),
                                 ctypes.byref(n)):
            return None
        found = None
        for i in range(n.value):
            a = XWindowAttributes()
            if self.x.XGetWindowAttributes(self.dpy, children[i], ctypes.byref(a)) and \
                    a.map_state == self.IS_VIEWABLE and a.width > 100 and a.height > 100:
                found = (a.width, a.height)
                break
        if children:
            self.x.XFree(children)
        return found


def start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24", "-nolisten",
                             "tcp"], pass_fds=[write_end], stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            sys.exit("Xvfb did not start")
        number += chunk
    os.close(read_end)
    return xvfb, ":" + number.decode().strip()


def start_session_bus():
    """A private dbus-daemon for the session and its address."""
    try:
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, text=True)
    except FileNotFoundError:
        sys.exit("dbus-daemon is missing: install dbus, or run with --no-session-bus")
    address = bus.stdout.readline().strip()
    if not address:
        bus.kill()
        bus.wait()
        sys.exit("dbus-daemon did not start")
    return bus, address


def status_kb(pid, key):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    return 0


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def one_run(command, env, display):
    start = time.perf_counter()
    proc = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    size = None
    while size is None:
        if proc.poll() is not None:
            sys.exit(f"{command[0]} ended before its window showed")
        size = display.viewable_window()
        if size is None:
            time.sleep(0.0005)
    mapped = time.perf_counter() - start
    rss_map = status_kb(proc.pid, "VmHWM")
    last_ticks, last_change = cpu_ticks(proc.pid), time.perf_counter()
    while time.perf_counter() - last_change < 0.3:
        time.sleep(0.005)
        ticks = cpu_ticks(proc.pid)
        if ticks != last_ticks:
            last_ticks, last_change = ticks, time.perf_counter()
    idle = last_change - start
    time.sleep(2.0)
    rss_idle = status_kb(proc.pid, "VmRSS")
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(10)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
    # Let the window go before the next run looks for one.
    while display.viewable_window() is not None:
        time.sleep(0.001)
    return {"mapped": mapped * 1000, "idle": idle * 1000, "rss-map": rss_map / 1024, "rss-idle": rss_idle / 1024,
            "size": size}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--no-session-bus", action="store_true", help="run without a D-Bus session bus")
    args = parser.parse_args()
    manager = os.path.join(args.build, "src/app/velmar-device-manager")
    bare = os.path.join(args.build, "tests/app/velmar_bare_window")
    for path in (manager, bare):
        if not os.access(path, os.X_OK):
            sys.exit(f"missing {path}: build first")

    xvfb, name = start_xvfb()
    bus = None
    try:
        display = Display(name)
        data = tempfile.TemporaryDirectory()
        env = dict(os.environ, DISPLAY=name, XDG_DATA_HOME=data.name, VELMAR_SERVER_BASE="http://127.0.0.1:9/")
        env.pop("QT_QPA_PLATFORM", None)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        if not args.no_session_bus:
            bus, env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus()
        runs = {"manager": [], "bare": []}
        size = one_run([manager], env, display)["size"]  # warms the file cache and gives the size
        for _ in range(args.runs):
            for who in ("manager", "bare"):
                if who == "manager":
                    for entry in os.listdir(data.name):  # every start is a first start
                        subprocess.run(["rm", "-rf", os.path.join(data.name, entry)])
                    runs[who].append(one_run([manager], env, display))
                else:
                    runs[who].append(one_run([bare, str(size[0]), str(size[1])], env, display))
    finally:
        for process in (bus, xvfb):
            if process:
                process.terminate()
                process.wait()

    print(f"window {size[0]}x{size[1]}, {args.runs} runs each, "
          f"{'no session bus' if args.no_session_bus else 'private session bus'}, medians:")
    print(f"{'figure':<10}{'manager':>12}{'bare':>12}{'ratio':>8}")
    for key, unit in (("mapped", "ms"), ("idle", "ms"), ("rss-map", "MB"), ("rss-idle", "MB")):
        m = statistics.median(r[key] for r in runs["manager"])
        b = statistics.median(r[key] for r in runs["bare"])
        print(f"{key:<10}{m:>9.1f} {unit}{b:>9.1f} {unit}{m / b:>8.2f}")


if __name__ == "__main__":
    main()
