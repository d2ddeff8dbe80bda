#!/usr/bin/python3
"""Picks under GNOME Shell 43 (mutter) run headless, judged against GNOME's own
screenshot. A helper extension opens the shell's Eval, through which the test
reads the windows and drives a virtual pointer and keyboard (the same devices
mutter's RemoteDesktop makes).

  gnome_driver.py PROGRAM WORKDIR CONFIG [CONFIG ...]

A CONFIG is LAYOUT:MONITORS, LAYOUT "physical" (GNOME's default: integer
scales) or "logical" (the fractional option), MONITORS WIDTHxHEIGHT@SCALE
joined by "+", left to right; or "permission" for the first-pick question.
Runs as an unprivileged user inside a session bus of its own; prints one
line per pick and "CONFIG exact N/M launch-ms L"."""
import json
import os
import subprocess
import sys
import time

import dbus
import dbus.service

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import (Picture, Pick, install_entry, make_board, parse_outputs, run,  # noqa: E402
                     run_configs, type_keys, wait_for)

PROGRAM, WORK = sys.argv[1], sys.argv[2]
CONFIGS = sys.argv[3:]
APP_ID = os.environ.get("VELMOR_APP_ID", "com.example.VelmorColorPicker")
HELPER = "velmor-test-helper@velmor"
KEYS = {"Right": 0xFF53, "Down": 0xFF54, "Return": 0xFF0D, "Escape": 0xFF1B, "Shift": 0xFFE1}
BUS = dbus.SessionBus()


def gsettings(schema, key, value):
    run(["gsettings", "set", schema, key, value])


class Shell:
    """One gnome-shell with its monitors at their scales."""

    def __init__(self, layout, monitors):
        self.layout = layout
        gsettings("org.gnome.mutter", "experimental-features",
                  "['scale-monitor-framebuffer']" if layout == "logical" else "[]")
        args = ["gnome-shell", "--headless", "--wayland", "--no-x11"]
        for w, h, _ in monitors:
            args += ["--virtual-monitor", "%dx%d" % (w, h)]
        self.proc = subprocess.Popen(args, stdout=open(os.path.join(WORK, "shell.log"), "a"),
                                     stderr=subprocess.STDOUT)
        if not wait_for(lambda: self.eval("1") == 1, 40):
            print("SKIP: gnome-shell did not start here; see shell.log", flush=True)
            os._exit(77)
        runtime = os.environ["XDG_RUNTIME_DIR"]
        os.environ["WAYLAND_DISPLAY"] = wait_for(
            lambda: next((n for n in os.listdir(runtime)
                          if n.startswith("wayland-") and not n.endswith(".lock")), None))
        self.apply_scales([s for _, _, s in monitors])
        # GNOME opens the overview once it has started up.
        wait_for(lambda: self.eval("imports.ui.main.layoutManager._startingUp") is False, 20)
        wait_for(self.overview_open, 5)
        self.eval("imports.ui.main.overview.hide(); true")
        wait_for(lambda: not self.overview_open(), 5)
        self.monitors = wait_for(lambda: self.layout_matches(monitors), 10)
        if not self.monitors:
            raise RuntimeError("the monitors did not take their scales: %s" % self.eval(
                "imports.ui.main.layoutManager.monitors.map("
                "m => [m.x, m.y, m.width, m.height, m.geometry_scale])"))
        self.devices = [(w, h) for w, h, _ in monitors]
        self.eval("""{const {Clutter} = imports.gi;
            const seat = Clutter.get_default_backend().get_default_seat();
            global._velmorPointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
            global._velmorKeys = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
            true}""")
        # mutter drops a new virtual keyboard's first key.
        self.key("Shift")
        time.sleep(0.5)

    def eval(self, js):
        try:
            shell = BUS.get_object("org.gnome.Shell", "/org/gnome/Shell")
            ok, out = shell.Eval(js, dbus_interface="org.gnome.Shell", timeout=10)
            return json.loads(str(out)) if ok and out else None
        except (dbus.DBusException, ValueError):
            return None

    def apply_scales(self, scales):
        config = dbus.Interface(BUS.get_object("org.gnome.Mutter.DisplayConfig",
                                               "/org/gnome/Mutter/DisplayConfig"),
                                "org.gnome.Mutter.DisplayConfig")
        serial, monitors, _, _ = config.GetCurrentState()
        logical, x = [], 0
        for i, (m, scale) in enumerate(zip(monitors, scales)):
            connector = m[0][0]
            mode = next(md for md in m[1] if md[6].get("is-current", False))
            logical.append(dbus.Struct((x, 0, dbus.Double(scale), dbus.UInt32(0), i == 0,
                                        [dbus.Struct((connector, mode[0], {}),
                                                     signature="ssa{sv}")]),
                                       signature="iiduba(ssa{sv})"))
            x += int(mode[1] / scale) if self.layout == "logical" else int(mode[1])
        config.ApplyMonitorsConfig(serial, dbus.UInt32(1), logical, {},
                                   signature="uua(iiduba(ssa{sv}))a{sv}")

    def layout_matches(self, monitors):
        rects = self.eval("imports.ui.main.layoutManager.monitors.map("
                          "m => [m.x, m.y, m.width, m.height, m.geometry_scale])")
        if not rects:
            return None
        want = [w if self.layout == "physical" else round(w / s) for w, _, s in monitors]
        if len(rects) != len(monitors) or [r[2] for r in rects] != want:
            return None
        return rects

    def close(self):
        self.proc.terminate()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()

    # Input: stage (layout) coordinates, with their fraction.
    def move(self, x, y):
        self.eval("global._velmorPointer.notify_absolute_motion("
                  "imports.gi.GLib.get_monotonic_time(), %r, %r); true" % (float(x), float(y)))
        time.sleep(0.08)

    def button(self, down):
        self.eval("global._velmorPointer.notify_button(imports.gi.GLib.get_monotonic_time(), "
                  "1, imports.gi.Clutter.ButtonState.%s); true" %
                  ("PRESSED" if down else "RELEASED"))

    def click(self):
        self.button(True)
        time.sleep(0.05)
        self.button(False)
        time.sleep(0.05)

    def key(self, name, down=None):
        for d in ([True, False] if down is None else [down]):
            self.eval("global._velmorKeys.notify_keyval(imports.gi.GLib.get_monotonic_time(), "
                      "%d, imports.gi.Clutter.KeyState.%s); true" %
                      (KEYS[name], "PRESSED" if d else "RELEASED"))
            time.sleep(0.03)

    def windows(self):
        return self.eval("""global.get_window_actors().map(a => {
            const w = a.meta_window, r = w.get_frame_rect();
            const app = imports.gi.Shell.WindowTracker.get_default().get_window_app(w);
            return {app: w.get_wm_class(), title: w.get_title(), full: w.is_fullscreen(),
                    name: app ? app.get_name() : null,
                    monitor: w.get_monitor(), rect: [r.x, r.y, r.width, r.height]};})""") or []

    def pickers(self):
        return sorted(w["monitor"] for w in self.windows() if w["app"] == APP_ID and w["full"])

    def hide_overview(self):
        # A new virtual pointer starts in the top-left hot corner.
        # GNOME opens it again once it has settled after log-in: closed means
        # closed for a second.
        end = time.monotonic() + 10
        quiet = time.monotonic()
        while time.monotonic() < end and time.monotonic() - quiet < 1.0:
            if self.overview_open():
                self.eval("imports.ui.main.overview.hide(); true")
                quiet = time.monotonic()
            time.sleep(0.1)

    def overview_open(self):
        return self.eval("imports.ui.main.overview.visible") is True

    def screenshot(self, path):
        """The whole stage as GNOME shows it, in device pixels."""
        shot = BUS.get_object("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot")
        ok, _ = shot.Screenshot(False, False, path, dbus_interface="org.gnome.Shell.Screenshot")
        return Picture(path) if ok else None

    def stage_point(self, monitor, x, y):
        """The stage position of a device pixel's centre."""
        mx, my, mw, mh, _ = self.monitors[monitor]
        dw, dh = self.devices[monitor]
        return mx + (x + 0.5) * mw / dw, my + (y + 0.5) * mh / dh

    def device_origin(self, monitor, truth):
        """Where a monitor's pixels start in the stage screenshot."""
        mx, my = self.monitors[monitor][:2]
        k = truth.width / float(max(m[0] + m[2] for m in self.monitors))
        return int(round(mx * k)), int(round(my * k))


def permission(value):
    store = dbus.Interface(BUS.get_object("org.freedesktop.impl.portal.PermissionStore",
                                          "/org/freedesktop/impl/portal/PermissionStore"),
                          "org.freedesktop.impl.portal.PermissionStore")
    if value is None:
        try:
            store.Delete("screenshot", "screenshot")
        except dbus.DBusException:
            pass
    else:
        store.SetPermission("screenshot", True, "screenshot", "", [value])


def env():
    e = dict(os.environ)
    e["QT_QPA_PLATFORM"] = "wayland"
    return e


def cases_for(devices):
    out = []
    for o, (w, h) in enumerate(devices):
        # The top-left corner is GNOME's Activities button and hot corner.
        for x, y in [(0, 0), (1, 1), (2, 2), (w - 1, h - 1), (w // 2 + 1, h // 3),
                     (w - 2, 3 * h // 4), (5, h - 2), (301, 201), (302, 203)]:
            out.append(("click", o, x, y, [], x, y))
        out.append(("keys Right", o, 301, 201, ["Right"], 302, 201))
        out.append(("keys Shift+Down", o, 301, 201, ["Shift+Down"], 301, 211))
    return out


def pick(shell, case, name):
    desc, o, x, y, keys, ex, ey = case
    w, h = shell.devices[0]
    shell.move(*shell.stage_point(0, w // 4, 2 * h // 3))
    shell.hide_overview()
    truth = shell.screenshot(os.path.join(WORK, "truth.png"))
    # Every monitor covered: mutter may place a surface before it moves it where asked.
    p = Pick(PROGRAM, env(), lambda _: shell.pickers() == list(range(len(shell.devices))),
             cwd=WORK)
    covered = shell.pickers()
    names = {w["name"] for w in our_windows(shell, True)}
    # mutter first shows a surface asked onto another monitor where it likes,
    # then moves it: a person's click comes after that settles.
    time.sleep(0.2 if len(shell.devices) == 1 else 1.0)
    sx, sy = shell.stage_point(o, x, y)
    # From inside the monitor: GNOME's hot corner on each monitor's top left
    # holds a pointer coming from the monitor beside it at the edge.
    ow, oh = shell.devices[o]
    shell.move(*shell.stage_point(o, ow // 2, oh // 2))
    shell.move(sx + (3 if x < 10 else -3), sy)
    shell.move(sx, sy)
    # mutter may take a button before the focus change a move just made.
    time.sleep(0.2)
    type_keys(shell, keys)
    if keys:
        shell.key("Return")
    else:
        shell.click()
    got, err = p.finish()
    if got == "timeout":
        print("  windows at the time-out: %s" % shell.windows(), flush=True)
    ox, oy = shell.device_origin(o, truth)
    want = truth.hex(ox + ex, oy + ey)
    notes = ""
    if covered != list(range(len(shell.devices))):
        notes += " (surfaces on monitors %s)" % covered
    # GNOME finds the desktop entry by the window's app id: its name, not the id.
    if names != {"Velmor Color Picker"}:
        notes += " (GNOME named the windows %s)" % sorted(names, key=str)
    time.sleep(0.2)
    if shell.overview_open():
        notes += " (the overview opened)"
        shell.eval("imports.ui.main.overview.hide(); true")
    ok = got == want and not notes
    return ok, "%s at %d,%d on monitor %d: got %s, want %s%s%s" % (
        desc, x, y, o, got, want, notes, (" (" + err.splitlines()[-1] + ")") if err else ""), \
        p.launch_ms


def shell_buttons(shell):
    """The shell's own buttons on the stage: {label: (x, y) of its centre}."""
    found = shell.eval("""(() => { const St = imports.gi.St, found = {};
        const walk = a => {
            if (a instanceof St.Button && a.label && a.mapped) {
                const [x, y] = a.get_transformed_position(), [w, h] = a.get_transformed_size();
                found[a.label] = [x + w / 2, y + h / 2];
            }
            a.get_children().forEach(walk);
        };
        walk(global.stage); return found; })()""")
    return found or {}


def our_windows(shell, full=False):
    return [w for w in shell.windows() if w["app"] == APP_ID and w["full"] == full]


def permission_cases(shell):
    """The first pick's question, answered Allow, then Deny, as a person would."""
    results = []
    w, h = shell.devices[0]
    # Allow: the note never stands in the frozen picture.
    permission(None)
    shell.move(w // 4, 2 * h // 3)
    shell.hide_overview()
    truth = shell.screenshot(os.path.join(WORK, "truth.png"))
    p = Pick(PROGRAM, env(), lambda _: "Allow" in shell_buttons(shell) and our_windows(shell),
             cwd=WORK)
    shell.screenshot(os.path.join(WORK, "permission-asked.png"))
    notes = our_windows(shell)
    allow = shell_buttons(shell).get("Allow")
    if not notes or not allow:
        results.append((False, "allow: no question or no note (buttons %s, windows %s)" % (
            shell_buttons(shell), shell.windows())))
        p.finish(1)
    else:
        x, y, nw, nh = notes[0]["rect"]
        shell.move(*allow)
        shell.click()
        wait_for(lambda: shell.pickers(), 10)
        time.sleep(0.5)
        shell.screenshot(os.path.join(WORK, "permission-allowed.png"))
        cx, cy = x + nw // 2, y + nh // 2
        shell.move(cx + 3, cy)
        shell.move(cx + 0.5, cy + 0.5)
        shell.click()
        got, err = p.finish()
        want = truth.hex(cx, cy)
        results.append((got == want, "allow, then a click where the note stood (%d,%d): got %s, "
                        "want %s%s" % (cx, cy, got, want, (" (" + err + ")") if err else "")))
    # Deny: said so, with the way back; nothing picked.
    permission(None)
    p = Pick(PROGRAM, env(), lambda _: "Deny" in shell_buttons(shell), cwd=WORK)
    deny = shell_buttons(shell).get("Deny")
    if deny:
        shell.move(*deny)
        shell.click()
    told = wait_for(lambda: our_windows(shell) and "Deny" not in shell_buttons(shell), 10)
    time.sleep(0.5)
    shell.screenshot(os.path.join(WORK, "permission-denied.png"))
    shell.key("Escape")
    got, err = p.finish()
    ok = bool(deny and told) and got == "exit 2" and "Screenshots were refused" in err
    results.append((ok, "deny: got %s, told %s (%s)" % (got, bool(told), err.splitlines()[:1])))
    permission("yes")
    return results


def parse(config):
    layout, outs = config.split(":")
    return layout, [(w, h, float(scale)) for w, h, scale in parse_outputs(outs)]


def set_board(monitors):
    w = max(m[0] for m in monitors)
    h = max(m[1] for m in monitors)
    board = make_board(w, h, os.path.join(WORK, "board-%dx%d.png" % (w, h)))
    for key in ("picture-uri", "picture-uri-dark"):
        gsettings("org.gnome.desktop.background", key, "file://" + board)
    gsettings("org.gnome.desktop.background", "picture-options", "zoom")


def main():
    install_entry(PROGRAM, WORK)
    home = os.environ["HOME"]
    ext = os.path.join(home, ".local/share/gnome-shell/extensions", HELPER)
    os.makedirs(ext, exist_ok=True)
    for f in ("metadata.json", "extension.js"):
        with open(os.path.join(WORK, "gnome_helper", f)) as src, open(os.path.join(ext, f), "w") as dst:
            dst.write(src.read())
    gsettings("org.gnome.shell", "disable-user-extensions", "false")
    gsettings("org.gnome.shell", "enabled-extensions", "['%s']" % HELPER)
    gsettings("org.gnome.desktop.interface", "enable-animations", "false")
    gsettings("org.gnome.desktop.session", "idle-delay", "uint32 0")
    # GNOME lets only the owner of this name take screenshots over D-Bus.
    owner = dbus.service.BusName("org.gnome.Screenshot", BUS)  # noqa: F841
    run_configs(CONFIGS, run_one)


def run_one(config):
    asks = config == "permission"
    layout, monitors = parse("physical:1920x1080@1" if asks else config)
    set_board(monitors)
    shell = Shell(layout, monitors)
    try:
        permission("yes")
        if asks:
            return permission_cases(shell), []
        results, launches = [], []
        for case in cases_for(shell.devices):
            ok, line, ms = pick(shell, case, config)
            results.append((ok, line))
            launches.append(ms)
        return results, launches
    finally:
        shell.close()


main()
