#!/usr/bin/env python3
"""Picks under a real compositor: headless sway, input through wayvnc (which
gives the seat a virtual pointer and keyboard), the truth read by grim.
Runs as an unprivileged user inside a session bus of its own.

  sway_driver.py PROGRAM WORKDIR CONFIG [CONFIG ...]

A CONFIG is MODE:OUTPUTS, MODE "native", "xwayland" or "kwin" (native, with
a stand-in for KWin's screenshot interface that must be the one used), OUTPUTS one or more
WIDTHxHEIGHT@SCALE joined by "+", laid out left to right. For each it prints
one line per pick ("ok ..." or "MISS ...") and a summary line
"CONFIG exact N/M launch-ms L"."""
import json
import math
import os
import socket
import struct
import subprocess
import sys
import time

PROGRAM, WORK = sys.argv[1], sys.argv[2]
CONFIGS = sys.argv[3:]
KEYS = {"Right": 0xFF53, "Down": 0xFF54, "Return": 0xFF0D, "Shift": 0xFFE1}

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import (Pick, Picture, make_board, parse_outputs, read, run, run_configs,  # noqa: E402
                     type_keys, wait_for)



class Vnc:
    """The few RFB messages a pointer and a keyboard need."""

    def __init__(self, port):
        def connect():
            try:
                return socket.create_connection(("127.0.0.1", port), timeout=5)
            except OSError:
                return None

        self.s = wait_for(connect)
        if not self.s:
            raise RuntimeError("wayvnc did not listen on %d" % port)
        self._read(12)
        self.s.sendall(b"RFB 003.008\n")
        if 1 not in self._read(self._read(1)[0]):
            raise RuntimeError("wayvnc wants authentication")
        self.s.sendall(b"\x01")  # no security
        if struct.unpack(">I", self._read(4))[0] != 0:
            raise RuntimeError("wayvnc refused the connection")
        self.s.sendall(b"\x01")  # shared
        self._read(20)  # size and pixel format
        self._read(struct.unpack(">I", self._read(4))[0])  # desktop name

    def _read(self, n):
        data = b""
        while len(data) < n:
            chunk = self.s.recv(n - len(data))
            if not chunk:
                raise RuntimeError("wayvnc closed the connection")
            data += chunk
        return data

    def move(self, x, y):
        self.s.sendall(struct.pack(">BBHH", 5, 0, x, y))
        self.at = (x, y)

    def click(self):
        x, y = self.at
        self.s.sendall(struct.pack(">BBHH", 5, 1, x, y))
        time.sleep(0.05)
        self.s.sendall(struct.pack(">BBHH", 5, 0, x, y))

    def key(self, name, down=None):
        sym = KEYS[name]
        for d in ([1, 0] if down is None else [down]):
            self.s.sendall(struct.pack(">BBxxI", 4, d, sym))
            time.sleep(0.02)


def picker_windows():
    """The program's windows on each output, by output name."""
    try:
        tree = json.loads(run(["swaymsg", "-t", "get_tree", "-r"]).stdout)
    except ValueError:
        return {}
    found = {}

    def walk(node, output):
        if node.get("type") == "output":
            output = node.get("name")
        if node.get("app_id") == "com.example.VelmorColorPicker" and node.get("visible"):
            found[output] = found.get(output, 0) + 1
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            walk(child, output)

    walk(tree, None)
    return found


class Session:
    def __init__(self, mode, outputs):
        self.mode = mode
        self.outputs = outputs
        runtime = os.environ["XDG_RUNTIME_DIR"]
        conf = os.path.join(WORK, "sway.conf")
        x = 0
        lines = ["xwayland enable", "default_border none", "focus_follows_mouse no"]
        for i, (w, h, scale) in enumerate(outputs):
            name = "HEADLESS-%d" % (i + 1)
            board = os.path.join(WORK, "board-%d.png" % i)
            lines.append("output %s resolution %dx%d position %d 0 scale %s bg %s fill" %
                         (name, w, h, x, scale, board))
            x += int(round(w / float(scale)))
        with open(conf, "w") as f:
            f.write("\n".join(lines) + "\n")
        before = set(os.listdir(runtime))
        self.sway = subprocess.Popen(["sway", "-c", conf], stdout=open(os.path.join(WORK, "sway.log"), "w"),
                                     stderr=subprocess.STDOUT)
        new = wait_for(lambda: [n for n in os.listdir(runtime) if n.startswith("wayland-") and
                                not n.endswith(".lock") and n not in before], 10)
        if not new:
            # No compositor at all is this machine's lack, not a missed pick.
            print("SKIP: sway did not start here; see sway.log", flush=True)
            os._exit(77)
        os.environ["WAYLAND_DISPLAY"] = new[0]

        def ipc():
            socks = [n for n in os.listdir(runtime) if n.startswith("sway-ipc")]
            if socks:
                os.environ["SWAYSOCK"] = os.path.join(runtime, socks[-1])
                return run(["swaymsg", "-t", "get_version"]).returncode == 0
            return False

        wait_for(ipc)
        for i in range(1, len(outputs)):
            run(["swaymsg", "create_output"])
        run(["swaymsg", "reload"])
        time.sleep(1.0)
        self.vncs = []
        self.vnc_procs = []
        for i in range(len(outputs)):
            port = 5910 + i
            p = subprocess.Popen(["wayvnc", "-o", "HEADLESS-%d" % (i + 1), "127.0.0.1", str(port)],
                                 stdout=subprocess.DEVNULL, stderr=open(os.path.join(WORK, "vnc.log"), "a"))
            self.vnc_procs.append(p)
            self.vncs.append(Vnc(port))
        self.display = None
        self.kwin = None
        self.kwin_log = os.path.join(WORK, "kwin.log")
        if mode == "kwin":
            self.kwin = subprocess.Popen([sys.executable, os.path.join(WORK, "kwin_standin.py"),
                                          self.kwin_log])
            wait_for(lambda: "ready" in read(self.kwin_log))
        if mode == "xwayland":
            marker = os.path.join(WORK, "display")
            run(["swaymsg", "exec", "echo $DISPLAY > " + marker])
            self.display = wait_for(lambda: read(marker).strip())
        time.sleep(0.5)
        # grim writes the whole layout; at mixed scales it has one output's
        # pixels per output only where the scale is the highest, so read each.
        self.truths = []
        for i in range(len(outputs)):
            path = os.path.join(WORK, "truth-%d.png" % i)
            run(["grim", "-o", "HEADLESS-%d" % (i + 1), path])
            self.truths.append(path)

    def close(self):
        if self.kwin:
            self.kwin.terminate()
        for p in self.vnc_procs:
            p.terminate()
        self.sway.terminate()
        self.sway.wait(5)

    def launch(self):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb" if self.mode == "xwayland" else "wayland")
        if self.mode == "xwayland":
            env["DISPLAY"] = self.display
        p = Pick(PROGRAM, env, lambda _: len(picker_windows()) >= len(self.outputs), cwd=WORK)
        self.coverage = picker_windows()
        time.sleep(0.3)
        return p


def cursor_position(session, output, x, y):
    w, h, scale = session.outputs[output]
    s = float(scale)
    return x * int(w / s) / w * s, y * int(h / s) / h * s


def clear_of_edges(session, output, x, y):
    """A position near x, y whose pointer lies clear of a device pixel's edge:
    wayvnc lands just short of whole device positions at fractional scales,
    closer to the next pixel than Wayland's 1/256 logical pixel can tell."""
    w, h, _ = session.outputs[output]

    def clear(v):
        return v == int(v) or v - math.floor(v) < 0.98

    for dx in range(0, 40):
        nx = x + dx if x + dx < w else x - dx
        if clear(cursor_position(session, output, nx, 0)[0]):
            break
    for dy in range(0, 40):
        ny = y + dy if y + dy < h else y - dy
        if clear(cursor_position(session, output, 0, ny)[1]):
            break
    return nx, ny


def cursor_pixel(session, output, x, y):
    """The device pixel under the compositor's pointer after wayvnc moved it
    to device position x, y: wayvnc maps it onto the output's logical box
    (whole logical pixels, truncated), which the compositor renders at its
    scale; at fractional scales that is a little short of x, y."""
    w, h, scale = session.outputs[output]
    s = float(scale)
    return (math.floor(x * int(w / s) / w * s + 1e-9), math.floor(y * int(h / s) / h * s + 1e-9))


def expected(session, output, x, y):
    return Picture(session.truths[output]).hex(x, y)


def cases_for(session):
    """(description, output, start x, start y, keys, x, y): where the pointer goes, the
    keys pressed, and the device pixel that must come out."""
    out = []
    for o, (w, h, scale) in enumerate(session.outputs):
        # The panel stands in the top right corner; these stay clear of it.
        for x, y in [(0, 0), (w - 1, h - 1), (1, 1), (w // 2 + 1, h // 3), (w - 2, 3 * h // 4),
                     (5, h - 2)]:
            out.append(("click", o, x, y, [], x, y))
        out.append(("keys Right", o, 301, 201, ["Right"], 302, 201))
        out.append(("keys Shift+Down", o, 301, 201, ["Shift+Down"], 301, 211))
    # The pointer rests where the picker opens and does not move: the keys
    # start from where it entered (far enough for its drawn arrow to be clear
    # of the sample: compositors without a cursor plane copy the arrow too).
    out.append(("enter only, then keys", 0, 123, 77, ["Shift+Right"] * 3, 153, 77))
    return out


def pick(session, case):
    desc, o, x0, y0, keys, ex, ey = case
    x, y = clear_of_edges(session, o, x0, y0)
    ex, ey = ex - x0 + x, ey - y0 + y
    vnc = session.vncs[o]
    enter_only = desc.startswith("enter only")
    # Where the pointer rests while the screen is copied, its arrow may be in
    # the copy: it rests away from every point picked.
    w, h, _ = session.outputs[0]
    rest = (x, y) if enter_only and o == 0 else (w // 4, 2 * h // 3)
    # wayvnc passes on no move to where its pointer already is.
    session.vncs[0].move(rest[0] + 1, rest[1])
    time.sleep(0.05)
    session.vncs[0].move(*rest)
    time.sleep(0.2)
    # The truth is what the compositor shows just before the picker opens.
    run(["grim", "-o", "HEADLESS-%d" % (o + 1), session.truths[o]])
    p = session.launch()
    if not enter_only:
        vnc.move(x + 3 if x + 3 < session.outputs[o][0] else x - 3, y)
        time.sleep(0.1)
        vnc.move(x, y)
        time.sleep(0.15)
    type_keys(vnc, keys, 0.15)
    if not keys:
        vnc.click()
    elif keys[-1] != "Return":
        vnc.key("Return")
    got, err = p.finish()
    cx, cy = cursor_pixel(session, o, x, y)
    want = expected(session, o, ex - x + cx, ey - y + cy)
    # Every output is covered by exactly one of the picker's surfaces.
    names = ["HEADLESS-%d" % (i + 1) for i in range(len(session.outputs))]
    if session.coverage != {n: 1 for n in names}:
        got += " (surfaces %s)" % session.coverage
    return got == want, "%s at %d,%d on output %d: got %s, want %s%s" % (
        desc, x, y, o, got, want, (" (" + err.splitlines()[-1] + ")") if err else ""), p.launch_ms


def parse(config):
    mode, outs = config.split(":")
    return mode, parse_outputs(outs)


def run_one(config):
    mode, outputs = parse(config)
    for i, (w, h, _) in enumerate(outputs):
        make_board(w, h, os.path.join(WORK, "board-%d.png" % i))
    session = Session(mode, outputs)
    results, launches = [], []
    try:
        cases = cases_for(session)
        only = os.environ.get("SWAY_CASES")
        for case in [c for c in cases if not only or c[0].startswith(only)]:
            ok, line, shown = pick(session, case)
            results.append((ok, line))
            launches.append(shown)
    finally:
        session.close()
    if mode == "kwin":
        calls = read(session.kwin_log).count("CaptureScreen")
        results.append((calls >= len(results) * len(outputs),
                        "every pick copied the screens through KWin (%d calls)" % calls))
    return results, launches


run_configs(CONFIGS, run_one)
