#!/usr/bin/python3
"""Picks under KWin (Plasma 5.27) run headless, judged against KWin's own
ScreenShot2. KWin grants its restricted interfaces to a program whose desktop
entry names it by its absolute path: the program's own entry (as built), one
for the fake-input tool and one for this driver's Python.

  kwin_driver.py PROGRAM WORKDIR CONFIG [CONFIG ...]

A CONFIG is WIDTHxHEIGHT@SCALE (logical size). Prints one line per pick and
"CONFIG exact N/M launch-ms L"."""
import os
import struct
import subprocess
import sys
import time

import dbus

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Pick, install_entry, run_configs, type_keys, wait_for  # noqa: E402


def take_truth(width, height, out):
    """ScreenShot2's picture of the whole screen into OUT: width, height,
    stride, then the raw 32-bit pixels."""
    read_end, write_end = os.pipe()
    shot = dbus.SessionBus().get_object("org.kde.KWin.ScreenShot2", "/org/kde/KWin/ScreenShot2")
    try:
        results = shot.CaptureArea(0, 0, dbus.UInt32(width), dbus.UInt32(height),
                                   {"native-resolution": True}, dbus.types.UnixFd(write_end),
                                   dbus_interface="org.kde.KWin.ScreenShot2")
    except dbus.DBusException:
        sys.exit(1)
    os.close(write_end)
    w, h, stride = int(results["width"]), int(results["height"]), int(results["stride"])
    with os.fdopen(read_end, "rb") as f, open(out, "wb") as o:
        o.write(struct.pack("III", w, h, stride))
        left = stride * h
        while left > 0:
            chunk = f.read(left)
            if not chunk:
                sys.exit(1)
            o.write(chunk)
            left -= len(chunk)
    sys.exit(0)


if sys.argv[1] == "--truth":
    take_truth(int(sys.argv[2]), int(sys.argv[3]), sys.argv[4])
PROGRAM, WORK = sys.argv[1], sys.argv[2]
CONFIGS = sys.argv[3:]
KEYS = {"Right": 106, "Up": 103, "Down": 108, "Return": 28, "Shift": 42}
BTN_LEFT = 272


def install_entries():
    install_entry(PROGRAM, WORK)
    apps = os.path.expanduser("~/.local/share/applications")
    helpers = {"velmor-test-input": (os.path.join(WORK, "kwin_input"),
                                     "X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input"),
               "velmor-test-truth": (os.path.join(WORK, "truth_python"),
                                     "X-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2")}
    for name, (exe, grant) in helpers.items():
        with open(os.path.join(apps, name + ".desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=%s\nExec=%s\nNoDisplay=true\n%s\n"
                    % (name, exe, grant))
    # KWin looks entries up in KDE's service cache, which one left by an
    # earlier run would answer with old paths: KWin builds it anew.
    cache = os.path.expanduser("~/.cache")
    for name in os.listdir(cache) if os.path.isdir(cache) else []:
        if name.startswith("ksycoca"):
            os.remove(os.path.join(cache, name))


class KWin:
    def __init__(self, width, height, scale):
        self.width, self.height, self.scale = width, height, scale
        self.proc = subprocess.Popen(
            [os.path.join(WORK, "kwin_wayland"), "--virtual", "--width", str(width), "--height",
             str(height), "--scale", str(scale), "--socket", "wayland-velmor"],
            stdout=open(os.path.join(WORK, "kwin.log"), "a"), stderr=subprocess.STDOUT,
            env=dict(os.environ, QT_LOGGING_RULES="KWIN_UTILS.debug=true"))  # grants, in the log
        socket = os.path.join(os.environ["XDG_RUNTIME_DIR"], "wayland-velmor")
        if not wait_for(lambda: os.path.exists(socket), 15):
            print("SKIP: kwin_wayland did not start here; see kwin.log", flush=True)
            os._exit(77)
        os.environ["WAYLAND_DISPLAY"] = "wayland-velmor"
        self.env = dict(os.environ, QT_QPA_PLATFORM="wayland")
        self.board = subprocess.Popen([os.path.join(WORK, "board_window")], env=self.env,
                                      stderr=subprocess.DEVNULL)
        # KWin may not have read the entries yet: the tool asks again until it is granted.
        self.input = wait_for(self.start_input, 15)
        if not self.input:
            raise RuntimeError("KWin never granted fake input; see kwin.log")
        # The portal the bus starts must find this compositor.
        bus = dbus.SessionBus().get_object("org.freedesktop.DBus", "/org/freedesktop/DBus")
        bus.UpdateActivationEnvironment(
            {"WAYLAND_DISPLAY": "wayland-velmor", "QT_QPA_PLATFORM": "wayland",
             "XDG_CURRENT_DESKTOP": "KDE", "XDG_SESSION_TYPE": "wayland"},
            dbus_interface="org.freedesktop.DBus")
        time.sleep(1.0)

    def start_input(self):
        tool = subprocess.Popen([os.path.join(WORK, "kwin_input")], env=self.env,
                                stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, text=True)
        try:
            tool.stdin.write("move 1 1\n")
            tool.stdin.flush()
            if tool.stdout.readline().strip() == "ok":
                return tool
        except BrokenPipeError:
            pass
        tool.wait()
        time.sleep(0.5)
        return None

    def send(self, command):
        self.input.stdin.write(command + "\n")
        self.input.stdin.flush()
        if self.input.stdout.readline().strip() != "ok":
            raise RuntimeError("KWin took no fake input; see kwin.log")

    def move(self, x, y):
        self.send("move %r %r" % (float(x), float(y)))
        time.sleep(0.05)

    def click(self):
        self.send("button %d 1" % BTN_LEFT)
        time.sleep(0.05)
        self.send("button %d 0" % BTN_LEFT)

    def key(self, name, down=None):
        for d in ([1, 0] if down is None else [down]):
            self.send("key %d %d" % (KEYS[name], d))
            time.sleep(0.03)

    def screenshot(self):
        """The screen in device pixels, as a function of (x, y) giving "#RRGGBB".
        Taken by a Python of its own path, which the entry granting it names."""
        out = os.path.join(WORK, "truth.raw")
        for _ in range(20):
            if subprocess.run([os.path.join(WORK, "truth_python"), os.path.abspath(__file__), "--truth",
                               str(self.width), str(self.height), out]).returncode == 0:
                break
            time.sleep(0.5)
        else:
            raise RuntimeError("KWin never let the test take its screenshot")
        with open(out, "rb") as f:
            w, h, stride = struct.unpack("III", f.read(12))
            data = f.read()

        def hex_at(x, y):
            if not (0 <= x < w and 0 <= y < h):
                return "?"
            b, g, r, _ = struct.unpack_from("BBBB", data, y * stride + 4 * x)
            return "#%02X%02X%02X" % (r, g, b)
        return hex_at

    def close(self):
        for p in (self.input, self.board, self.proc):
            p.terminate()
        self.proc.wait(10)


def cases_for(kwin):
    w, h = int(kwin.width * kwin.scale), int(kwin.height * kwin.scale)
    s = int(kwin.scale)
    # KWin rounds the fake pointer to whole logical pixels: clicks land on
    # multiples of the scale; the keys reach the pixels between.
    even = [(0, 0), (s, s), (w - s, h - s), (w // 2 // s * s, h // 3 // s * s), (300, 200),
            (6 * s, h - 2 * s)]
    out = [("click", x, y, [], x, y) for x, y in even]
    out.append(("keys Right", 300, 200, ["Right"], 301, 200))
    out.append(("keys Shift+Down", 300, 200, ["Shift+Down"], 300, 210))
    return out


def pick(kwin, case):
    desc, x, y, keys, ex, ey = case
    s = kwin.scale
    kwin.move(kwin.width // 4, 2 * kwin.height // 3)
    truth = kwin.screenshot()
    env = dict(kwin.env, VELMOR_STARTUP_TRACE="1")
    p = Pick(PROGRAM, env, lambda run: "picker painted" in run.errors(), ["--verbose"], cwd=WORK)
    time.sleep(0.3)
    kwin.move((x + 3 * s) / s if x < 10 else (x - 3 * s) / s, y / s)
    kwin.move(x / s, y / s)
    type_keys(kwin, keys, 0)
    if keys:
        kwin.key("Return")
    else:
        kwin.click()
    got, err = p.finish()
    want = truth(ex, ey)
    route = "captured through KWin's screenshot interface" in err
    notes = "" if route else " (not through KWin: %s)" % " / ".join(
        line for line in err.splitlines() if "startup" not in line)
    return got == want and route, "%s at %d,%d: got %s, want %s%s" % (
        desc, x, y, got, want, notes), p.launch_ms


def refused_and_cancelled(kwin):
    """Without the program's entry KWin refuses, and --verbose says why; KDE's
    portal, with no folder to save in, cancels at once: a failure, not Esc.
    With the folder, its picture shows the pointer: Enter before the pointer
    moves picks nothing, and keys step from where it rests (up, clear of the
    arrow drawn below and right of it)."""
    apps = os.path.expanduser("~/.local/share/applications")
    entry = next(f for f in os.listdir(WORK) if f.endswith(".desktop"))
    os.rename(os.path.join(apps, entry), os.path.join(WORK, "entry.off"))
    subprocess.run(["rm", "-rf", os.path.expanduser("~/Pictures")])
    time.sleep(1.2)
    try:
        p = Pick(PROGRAM, kwin.env, lambda _: False, ["--verbose"], cwd=WORK)
        got, err = p.finish(20)
        ok = (got == "exit 2" and "KWin refused its screenshot interface: not authorized" in err
              and "cancelled the screenshot without asking" in err)
        results = [(ok, "without its entry: got %s (%s)" % (got, " / ".join(err.splitlines())))]
        os.makedirs(os.path.expanduser("~/Pictures"))
        x, y = kwin.width // 4, 2 * kwin.height // 3
        kwin.move(x, y)
        truth = kwin.screenshot()
        env = dict(kwin.env, VELMOR_STARTUP_TRACE="1")
        p = Pick(PROGRAM, env, lambda run: "picker painted" in run.errors(), cwd=WORK)
        time.sleep(0.5)
        kwin.key("Return")
        time.sleep(0.3)
        type_keys(kwin, ["Shift+Up", "Return"], 0)
        got, err = p.finish()
        s = kwin.scale
        want = truth(int(x * s), int(y * s) - 10)
        results.append((got == want, "through the portal, Enter before a move, then Shift+Up: "
                        "got %s, want %s" % (got, want)))
    finally:
        os.rename(os.path.join(WORK, "entry.off"), os.path.join(apps, entry))
    return results


def run_one(config):
    size, scale = config[len("kwin:"):].split("@")
    w, h = (int(v) for v in size.split("x"))
    kwin = KWin(w, h, float(scale) if "." in scale else int(scale))
    try:
        results, launches = [], []
        for case in cases_for(kwin):
            ok, line, ms = pick(kwin, case)
            results.append((ok, line))
            launches.append(ms)
        if config == "kwin:" + CONFIGS[0]:
            results += refused_and_cancelled(kwin)
        return results, launches
    finally:
        kwin.close()


install_entries()
run_configs(["kwin:" + c for c in CONFIGS], run_one)
