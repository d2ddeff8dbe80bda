#!/usr/bin/python3
"""Picks under a real compositor run headless, each judged against the
compositor's own picture of its screen taken just before the picker opens
(on KWin, against the board its window shows).

  desktops.py DESKTOP PROGRAM WORKDIR CONFIG [CONFIG ...]

DESKTOP is one of
  gnome  GNOME Shell 43; CONFIG is LAYOUT:OUTPUTS, LAYOUT "physical" (GNOME's
         default, integer scales) or "logical" (the fractional option), or
         "permission" for the first pick's question. A helper extension opens
         the shell's Eval, which reads the windows and drives virtual devices.
  kwin   KWin 5.27; CONFIG is OUTPUTS of one size and scale, or "shortcut"
         for the resident's key.
         KWin grants its restricted interfaces to a program whose desktop
         entry names it by path: the program's own entry and one for the
         fake-input tool.
  sway   sway 1.7 driven over wayvnc, judged by grim; CONFIG is MODE:OUTPUTS,
         MODE "native" or "xwayland".
An OUTPUT is WIDTHxHEIGHT@SCALE (KWin's size is logical, the others' device
pixels); OUTPUTS are joined by "+", left to right. Prints one line per pick
and "CONFIG exact N/M launch-ms L"; exits 1 on any miss, 77 when the
compositor does not start here."""
import collections
import json
import math
import os
import shutil
import socket
import struct
import subprocess
import sys
import time

from make_board import pixel as board_pixel, write as write_board

APP_ID = "com.example.VelmorColorPicker"


def run(cmd, **kw):
    return subprocess.run(cmd, check=False, capture_output=True, text=True, **kw)


def wait_for(test, seconds=5.0):
    """Polls until test() gives something true, which it returns, or None."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        got = test()
        if got:
            return got
        time.sleep(0.02)
    return None


def read(path):
    return open(path).read() if os.path.exists(path) else ""


def make_board(width, height, png):
    """A PNG of width x height whose every pixel encodes its position."""
    ppm = png[:-4] + ".ppm"
    write_board(width, height, ppm)
    run(["convert", ppm, png])
    return png


def board_hex(x, y):
    return "#%02X%02X%02X" % board_pixel(x, y)


def parse_outputs(text):
    """ "1920x1080@2+1280x1024@1" as [(1920, 1080, 2.0), (1280, 1024, 1.0)]."""
    return [(int(w), int(h), float(s)) for w, h, s in
            (o.replace("x", "@").split("@") for o in text.split("+"))]


def install_entry(program, work, extra=None):
    """Installs for the user the desktop entry the build made, running PROGRAM,
    and one entry for each of EXTRA {name: (executable, line)}."""
    apps = os.path.expanduser("~/.local/share/applications")
    os.makedirs(apps, exist_ok=True)
    built = next(f for f in os.listdir(work) if f.endswith(".desktop"))
    with open(os.path.join(work, built)) as f:
        entry = "".join("Exec=%s\n" % program if line.startswith("Exec=") else line for line in f)
    with open(os.path.join(apps, built), "w") as f:
        f.write(entry)
    for name, (exe, line) in (extra or {}).items():
        with open(os.path.join(apps, name + ".desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=%s\nExec=%s\nNoDisplay=true\n%s\n"
                    % (name, exe, line))
    return built


class Picture:
    """A screenshot's pixels, read once."""

    def __init__(self, png):
        size = run(["identify", "-format", "%w %h", png]).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.data = subprocess.run(["convert", png, "-depth", "8", "rgb:-"],
                                   capture_output=True).stdout

    def hex(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            return "?"
        i = 3 * (y * self.width + x)
        return "#%02X%02X%02X" % tuple(self.data[i:i + 3])


class Pick:
    """One run of PROGRAM --pick: started, waited for until shown(pick) is
    true, then finished for its printed colour. Its standard error goes to a
    file that `errors()` reads while it runs."""

    def __init__(self, env, shown, args=()):
        start = time.monotonic()
        self.err_path = os.path.join(WORK, "pick-stderr.txt")
        with open(self.err_path, "w") as err:
            self.proc = subprocess.Popen([PROGRAM, "--pick"] + list(args), env=env, cwd=WORK,
                                         stdout=subprocess.PIPE, stderr=err, text=True)
        wait_for(lambda: shown(self) or self.proc.poll() is not None, 10)
        self.launch_ms = (time.monotonic() - start) * 1000

    def errors(self):
        return read(self.err_path)

    def finish(self, seconds=10):
        """(printed colour or "exit N" or "timeout", standard error)."""
        try:
            out, _ = self.proc.communicate(timeout=seconds)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.communicate()
            return "timeout", self.errors().strip()
        code = self.proc.returncode
        return (out.strip() if code == 0 else "exit %d" % code), self.errors().strip()


def type_keys(device, keys, pause=0.1):
    """Presses each of KEYS ("Right", "Shift+Down") on DEVICE; gives how far
    they move the picker's point: 1 a key, 10 with Shift."""
    dx = dy = 0
    for k in keys:
        shift, name = k.startswith("Shift+"), k.split("+")[-1]
        if shift:
            device.key("Shift", 1)
        device.key(name)
        if shift:
            device.key("Shift", 0)
        n = 10 if shift else 1
        dx += n * {"Right": 1, "Left": -1}.get(name, 0)
        dy += n * {"Down": 1, "Up": -1}.get(name, 0)
        time.sleep(pause)
    return dx, dy


# A pick: the pointer to device pixel (x, y) of an output, then a click, or
# KEYS and Enter; with enter_only the pointer rests there as the picker opens
# and only the keys move.
Case = collections.namedtuple("Case", "desc output x y keys enter_only", defaults=((), False))


def cases(desktop, points, key_from):
    out = []
    for o, (w, h) in enumerate(desktop.devices):
        out += [Case("click", o, x, y) for x, y in points(w, h)]
        out += [Case("keys " + k, o, key_from[0], key_from[1], [k]) for k in ("Right", "Shift+Down")]
    return out


def pick(desktop, case):
    """(ok, line, launch time) of one pick on DESKTOP, which knows how to rest
    and point its pointer, press its keys, copy its screen and check what it
    did besides."""
    o = case.output
    x, y = desktop.clear_of_edges(o, case.x, case.y)
    desktop.rest(o, x, y, case.enter_only)
    truth = desktop.truth(o)
    p = Pick(desktop.env, desktop.shown, desktop.args)
    notes = desktop.opened()
    if not case.enter_only:
        desktop.point(o, x, y)
    dx, dy = type_keys(desktop, case.keys, desktop.key_pause)
    if not case.keys:
        desktop.click()
    elif case.keys[-1] != "Return":
        desktop.key("Return")
    got, err = p.finish()
    lx, ly = desktop.landed(o, x, y)
    want = truth(lx + dx, ly + dy)
    notes += desktop.checked(got, err)
    ok = got == want and not notes
    return ok, "%s at %d,%d on output %d: got %s, want %s%s%s" % (
        case.desc, x, y, o, got, want, "".join(notes),
        (" (" + err.splitlines()[-1] + ")") if err else ""), p.launch_ms, got


class Desktop:
    """What a desktop does unless it says otherwise."""
    args = []
    key_pause = 0.1

    def clear_of_edges(self, o, x, y):
        return x, y

    def bound_key(self, helper, ready, shown, x, y, paste):
        """Super+Shift+C over the desktop, the pointer at rest, with HELPER
        serving the key (READY once it listens): the picker opens (SHOWN), a
        click at X,Y of the first output picks, and PASTE() then gives the
        colour (in the Ctrl+C notation, which may quote it)."""
        try:
            wait_for(ready, 10)
            self.rest(0, 0, 0, False)
            truth = self.truth(0)
            start = time.monotonic()
            for name, down in (("Super", 1), ("Shift", 1), ("C", None), ("Shift", 0), ("Super", 0)):
                self.key(name, down)
            opened, ms = wait_for(shown, 10), (time.monotonic() - start) * 1000
            time.sleep(0.5)
            self.point(0, x, y)
            self.click()
            want = truth(*self.landed(0, x, y))
            pasted = wait_for(lambda: want in (paste() or ""), 5)
            return [(bool(opened) and bool(pasted) and helper.poll() is None,
                     "the bound key at %d,%d: picker shown %s after %d ms, pasted %r, want %s" %
                     (x, y, bool(opened), ms, paste(), want))]
        finally:
            helper.terminate()
            helper.wait(10)

    def resident(self):
        """The program in the background, logging to self.log."""
        self.log = os.path.join(WORK, "resident.txt")
        return subprocess.Popen([PROGRAM, "--background", "--verbose"], env=self.env, cwd=WORK,
                                stderr=open(self.log, "w"))

    def close(self):
        for p in self.procs:
            p.terminate()
        for p in self.procs:
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                p.kill()

    def landed(self, o, x, y):
        return x, y

    def opened(self):
        time.sleep(0.3)
        return []

    def checked(self, got, err):
        return []

    def extra(self):
        return []

    @staticmethod
    def prepare():
        pass

    def key(self, name, down=None):
        for d in ([1, 0] if down is None else [down]):
            self.press(name, d)


# GNOME ------------------------------------------------------------------

GNOME_KEYS = {"Right": 0xFF53, "Down": 0xFF54, "Return": 0xFF0D, "Escape": 0xFF1B, "Shift": 0xFFE1,
              "Super": 0xFFEB, "C": 0x63}
MEDIA_KEYS = "org.gnome.settings-daemon.plugins.media-keys"
HELPER = "velmor-test-helper@velmor"
MONITORS = ("imports.ui.main.layoutManager.monitors.map("
            "m => [m.x, m.y, m.width, m.height, m.geometry_scale])")


def gsettings(schema, key, value):
    run(["gsettings", "set", schema, key, value])


class Gnome(Desktop):
    @staticmethod
    def prepare():
        import dbus.service
        install_entry(PROGRAM, WORK)
        shutil.copytree(os.path.join(WORK, "gnome_helper"), os.path.expanduser(
            "~/.local/share/gnome-shell/extensions/" + HELPER), dirs_exist_ok=True)
        gsettings("org.gnome.shell", "disable-user-extensions", "false")
        gsettings("org.gnome.shell", "enabled-extensions", "['%s']" % HELPER)
        gsettings("org.gnome.desktop.interface", "enable-animations", "false")
        gsettings("org.gnome.desktop.session", "idle-delay", "uint32 0")
        # GNOME lets only the owner of this name take screenshots over D-Bus.
        Gnome.owner = dbus.service.BusName("org.gnome.Screenshot", bus())

    def __init__(self, config):
        self.asks = config == "permission"
        self.binds = config == "keybinding"
        self.layout, outs = ("physical:1920x1080@1" if self.asks or self.binds
                             else config).split(":")
        monitors = parse_outputs(outs)
        w, h = max(m[0] for m in monitors), max(m[1] for m in monitors)
        board = make_board(w, h, os.path.join(WORK, "board-%dx%d.png" % (w, h)))
        for key in ("picture-uri", "picture-uri-dark"):
            gsettings("org.gnome.desktop.background", key, "file://" + board)
        gsettings("org.gnome.desktop.background", "picture-options", "zoom")
        gsettings("org.gnome.mutter", "experimental-features",
                  "['scale-monitor-framebuffer']" if self.layout == "logical" else "[]")
        args = ["gnome-shell", "--headless", "--wayland", "--no-x11"]
        for w, h, _ in monitors:
            args += ["--virtual-monitor", "%dx%d" % (w, h)]
        self.proc = subprocess.Popen(args, stdout=open(os.path.join(WORK, "shell.log"), "a"),
                                     stderr=subprocess.STDOUT)
        self.procs = [self.proc]
        if not wait_for(lambda: self.eval("1") == 1, 40):
            skip("gnome-shell did not start here; see shell.log")
        runtime = os.environ["XDG_RUNTIME_DIR"]
        os.environ["WAYLAND_DISPLAY"] = wait_for(
            lambda: next((n for n in os.listdir(runtime)
                          if n.startswith("wayland-") and not n.endswith(".lock")), None))
        self.env = dict(os.environ, QT_QPA_PLATFORM="wayland")
        self.apply_scales([s for _, _, s in monitors])
        # GNOME opens the overview once it has started up.
        wait_for(lambda: self.eval("imports.ui.main.layoutManager._startingUp") is False, 20)
        wait_for(self.overview_open, 5)
        self.eval("imports.ui.main.overview.hide(); true")
        wait_for(lambda: not self.overview_open(), 5)
        self.monitors = wait_for(lambda: self.layout_matches(monitors), 10)
        if not self.monitors:
            raise RuntimeError("the monitors did not take their scales: %s" % self.eval(MONITORS))
        self.devices = [(w, h) for w, h, _ in monitors]
        self.eval("""{const {Clutter} = imports.gi;
            const seat = Clutter.get_default_backend().get_default_seat();
            global._velmorPointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
            global._velmorKeys = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
            true}""")
        # mutter drops a new virtual keyboard's first key.
        self.key("Shift")
        time.sleep(0.5)
        self.permission("yes")

    def cases(self):
        if self.asks or self.binds:
            return []
        # The top-left corner is GNOME's Activities button and hot corner.
        return cases(self, lambda w, h: [(0, 0), (1, 1), (2, 2), (w - 1, h - 1), (w // 2 + 1, h // 3),
                                         (w - 2, 3 * h // 4), (5, h - 2), (301, 201), (302, 203)],
                     (301, 201))

    def eval(self, js):
        import dbus
        try:
            shell = bus().get_object("org.gnome.Shell", "/org/gnome/Shell")
            ok, out = shell.Eval(js, dbus_interface="org.gnome.Shell", timeout=10)
            return json.loads(str(out)) if ok and out else None
        except (dbus.DBusException, ValueError):
            return None

    def apply_scales(self, scales):
        import dbus
        config = dbus.Interface(bus().get_object("org.gnome.Mutter.DisplayConfig",
                                                 "/org/gnome/Mutter/DisplayConfig"),
                                "org.gnome.Mutter.DisplayConfig")
        serial, monitors, _, _ = config.GetCurrentState()
        logical, x = [], 0
        for i, (m, scale) in enumerate(zip(monitors, scales)):
            mode = next(md for md in m[1] if md[6].get("is-current", False))
            logical.append(dbus.Struct((x, 0, dbus.Double(scale), dbus.UInt32(0), i == 0,
                                        [dbus.Struct((m[0][0], mode[0], {}), signature="ssa{sv}")]),
                                       signature="iiduba(ssa{sv})"))
            x += int(mode[1] / scale) if self.layout == "logical" else int(mode[1])
        config.ApplyMonitorsConfig(serial, dbus.UInt32(1), logical, {},
                                   signature="uua(iiduba(ssa{sv}))a{sv}")

    def layout_matches(self, monitors):
        rects = self.eval(MONITORS)
        want = [w if self.layout == "physical" else round(w / s) for w, _, s in monitors]
        if not rects or [r[2] for r in rects] != want:
            return None
        return rects

    # Input: stage (layout) coordinates, with their fraction.
    def move(self, x, y):
        self.eval("global._velmorPointer.notify_absolute_motion("
                  "imports.gi.GLib.get_monotonic_time(), %r, %r); true" % (float(x), float(y)))
        time.sleep(0.08)

    def click(self):
        for state in ("PRESSED", "RELEASED"):
            self.eval("global._velmorPointer.notify_button(imports.gi.GLib.get_monotonic_time(), "
                      "1, imports.gi.Clutter.ButtonState.%s); true" % state)
            time.sleep(0.05)

    def press(self, name, down):
        self.eval("global._velmorKeys.notify_keyval(imports.gi.GLib.get_monotonic_time(), "
                  "%d, imports.gi.Clutter.KeyState.%s); true" %
                  (GNOME_KEYS[name], "PRESSED" if down else "RELEASED"))
        time.sleep(0.03)

    def windows(self):
        return self.eval("""global.get_window_actors().map(a => {
            const w = a.meta_window, r = w.get_frame_rect();
            const app = imports.gi.Shell.WindowTracker.get_default().get_window_app(w);
            return {app: w.get_wm_class(), title: w.get_title(), full: w.is_fullscreen(),
                    name: app ? app.get_name() : null,
                    monitor: w.get_monitor(), rect: [r.x, r.y, r.width, r.height]};})""") or []

    def ours(self, full=False):
        return [w for w in self.windows() if w["app"] == APP_ID and w["full"] == full]

    def pickers(self):
        return sorted(w["monitor"] for w in self.ours(True))

    def overview_open(self):
        return self.eval("imports.ui.main.overview.visible") is True

    def screenshot(self, name):
        """The whole stage as GNOME shows it, in device pixels."""
        path = os.path.join(WORK, name)
        shot = bus().get_object("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot")
        ok, _ = shot.Screenshot(False, False, path, dbus_interface="org.gnome.Shell.Screenshot")
        return Picture(path) if ok else None

    def stage_point(self, monitor, x, y):
        """The stage position of a device pixel's centre."""
        mx, my, mw, mh, _ = self.monitors[monitor]
        dw, dh = self.devices[monitor]
        return mx + (x + 0.5) * mw / dw, my + (y + 0.5) * mh / dh

    def rest(self, o, x, y, enter_only):
        w, h = self.devices[0]
        self.move(*self.stage_point(0, w // 4, 2 * h // 3))
        # A new virtual pointer starts in the top-left hot corner, and GNOME
        # opens the overview again once it has settled after log-in: closed
        # means closed for a second.
        end = quiet = time.monotonic()
        end += 10
        while time.monotonic() < end and time.monotonic() - quiet < 1.0:
            if self.overview_open():
                self.eval("imports.ui.main.overview.hide(); true")
                quiet = time.monotonic()
            time.sleep(0.1)

    def truth(self, o):
        picture = self.screenshot("truth.png")
        mx, my = self.monitors[o][:2]
        k = picture.width / float(max(m[0] + m[2] for m in self.monitors))
        ox, oy = int(round(mx * k)), int(round(my * k))
        return lambda x, y: picture.hex(ox + x, oy + y)

    def shown(self, _):
        # Every monitor covered: mutter may place a surface before it moves it.
        return self.pickers() == list(range(len(self.devices)))

    def opened(self):
        notes = []
        covered = self.pickers()
        if covered != list(range(len(self.devices))):
            notes.append(" (surfaces on monitors %s)" % covered)
        # GNOME finds the desktop entry by the window's app id: its name, not the id.
        names = {w["name"] for w in self.ours(True)}
        if names != {"Velmor Color Picker"}:
            notes.append(" (GNOME named the windows %s)" % sorted(names, key=str))
        # mutter first shows a surface asked onto another monitor where it
        # likes, then moves it: a person's click comes after that settles.
        time.sleep(0.2 if len(self.devices) == 1 else 1.0)
        return notes

    def point(self, o, x, y):
        sx, sy = self.stage_point(o, x, y)
        # From inside the monitor: GNOME's hot corner on each monitor's top
        # left holds a pointer coming from the monitor beside it.
        ow, oh = self.devices[o]
        self.move(*self.stage_point(o, ow // 2, oh // 2))
        self.move(sx + (3 if x < 10 else -3), sy)
        self.move(sx, sy)
        # mutter may take a button before the focus change a move just made.
        time.sleep(0.2)

    def checked(self, got, err):
        if got == "timeout":
            print("  windows at the time-out: %s" % self.windows(), flush=True)
        time.sleep(0.2)
        if self.overview_open():
            self.eval("imports.ui.main.overview.hide(); true")
            return [" (the overview opened)"]
        return []

    def permission(self, value):
        import dbus
        store = dbus.Interface(bus().get_object("org.freedesktop.impl.portal.PermissionStore",
                                                "/org/freedesktop/impl/portal/PermissionStore"),
                               "org.freedesktop.impl.portal.PermissionStore")
        try:
            if value is None:
                store.Delete("screenshot", "screenshot")
            else:
                store.SetPermission("screenshot", True, "screenshot", "", [value])
        except dbus.DBusException:
            pass

    def buttons(self):
        """The shell's own buttons on the stage: {label: (x, y) of its centre}."""
        return self.eval("""(() => { const St = imports.gi.St, found = {};
            const walk = a => {
                if (a instanceof St.Button && a.label && a.mapped) {
                    const [x, y] = a.get_transformed_position(), [w, h] = a.get_transformed_size();
                    found[a.label] = [x + w / 2, y + h / 2];
                }
                a.get_children().forEach(walk);
            };
            walk(global.stage); return found; })()""") or {}

    def clipboard(self):
        self.eval("""global._velmorClip = null; imports.gi.St.Clipboard.get_default().get_text(
            imports.gi.St.ClipboardType.CLIPBOARD, (c, text) => global._velmorClip = text); true""")
        return wait_for(lambda: self.eval("global._velmorClip"), 3)

    def keybinding(self):
        """The custom keybinding Options writes (as gsettings reads it back in
        the model tests), served by GNOME's own media-keys daemon: the key
        opens the picker from the desktop, and the pick is on the clipboard."""
        path = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/velmor/"
        binding = MEDIA_KEYS + ".custom-keybinding:" + path
        gsettings(binding, "name", "'Velmor Color Picker'")
        gsettings(binding, "command", "'\"%s\" --pick --copy'" % PROGRAM)
        gsettings(binding, "binding", "'<Super><Shift>c'")
        gsettings(MEDIA_KEYS, "custom-keybindings", "['%s']" % path)
        daemon = subprocess.Popen(["/usr/libexec/gsd-media-keys"], env=self.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self.bound_key(daemon, lambda: time.sleep(3) or True, lambda: self.shown(None),
                              301, 201, self.clipboard)

    def extra(self):
        """The first pick's question, answered Allow, then Deny, as a person
        would; or the keybinding."""
        if self.binds:
            return self.keybinding()
        if not self.asks:
            return []
        results = []
        # Allow: the note never stands in the frozen picture.
        self.permission(None)
        self.rest(0, 0, 0, False)
        truth = self.screenshot("truth.png")
        p = Pick(self.env, lambda _: "Allow" in self.buttons() and self.ours())
        notes, allow = self.ours(), self.buttons().get("Allow")
        if not notes or not allow:
            results.append((False, "allow: no question or no note (buttons %s, windows %s)" % (
                self.buttons(), self.windows())))
            p.finish(1)
        else:
            x, y, nw, nh = notes[0]["rect"]
            self.move(*allow)
            self.click()
            wait_for(self.pickers, 10)
            time.sleep(0.5)
            cx, cy = x + nw // 2, y + nh // 2
            self.move(cx + 3, cy)
            self.move(cx + 0.5, cy + 0.5)
            self.click()
            got, err = p.finish()
            want = truth.hex(cx, cy)
            results.append((got == want, "allow, then a click where the note stood (%d,%d): "
                            "got %s, want %s (%s)" % (cx, cy, got, want, err)))
        # Deny: said so, with the way back; nothing picked.
        self.permission(None)
        p = Pick(self.env, lambda _: "Deny" in self.buttons())
        deny = self.buttons().get("Deny")
        if deny:
            self.move(*deny)
            self.click()
        told = wait_for(lambda: self.ours() and "Deny" not in self.buttons(), 10)
        time.sleep(0.5)
        self.key("Escape")
        got, err = p.finish()
        ok = bool(deny and told) and got == "exit 2" and "Screenshots were refused" in err
        results.append((ok, "deny: got %s, told %s (%s)" % (got, bool(told), err.splitlines()[:1])))
        self.permission("yes")
        return results


# KWin -------------------------------------------------------------------

KWIN_KEYS = {"Right": 106, "Up": 103, "Down": 108, "Return": 28, "Shift": 42, "Super": 125,
             "C": 46}
BTN_LEFT = 272


class KWin(Desktop):
    args = ["--verbose"]
    key_pause = 0

    @staticmethod
    def prepare():
        install_entry(PROGRAM, WORK, {
            "velmor-test-input": (os.path.join(WORK, "kwin_input"),
                                  "X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input")})
        # KWin looks entries up in KDE's service cache, which one left by an
        # earlier run would answer with old paths: KWin builds it anew.
        cache = os.path.expanduser("~/.cache")
        for name in os.listdir(cache) if os.path.isdir(cache) else []:
            if name.startswith("ksycoca"):
                os.remove(os.path.join(cache, name))

    def __init__(self, config):
        import dbus
        self.first = config == CONFIGS[0]
        self.binds = config == "shortcut"
        outputs = parse_outputs("1280x800@1" if self.binds else config)
        if len(set(outputs)) != 1:
            raise RuntimeError("KWin's virtual outputs share one size and scale")
        self.width, self.height, scale = outputs[0]
        self.scale = int(scale) if scale == int(scale) else scale
        # KWin lays its virtual outputs out left to right.
        self.devices = [(int(self.width * scale), int(self.height * scale))] * len(outputs)
        self.proc = subprocess.Popen(
            [os.path.join(WORK, "kwin_wayland"), "--virtual", "--width", str(self.width),
             "--height", str(self.height), "--scale", str(self.scale), "--output-count",
             str(len(outputs)), "--socket", "wayland-velmor"],
            stdout=open(os.path.join(WORK, "kwin.log"), "a"), stderr=subprocess.STDOUT,
            env=dict(os.environ, QT_LOGGING_RULES="KWIN_UTILS.debug=true"))  # grants, in the log
        socket_path = os.path.join(os.environ["XDG_RUNTIME_DIR"], "wayland-velmor")
        if not wait_for(lambda: os.path.exists(socket_path), 15):
            skip("kwin_wayland did not start here; see kwin.log")
        os.environ["WAYLAND_DISPLAY"] = "wayland-velmor"
        self.env = dict(os.environ, QT_QPA_PLATFORM="wayland", VELMOR_STARTUP_TRACE="1")
        self.board = subprocess.Popen([os.path.join(WORK, "board_window")], env=self.env,
                                      stderr=subprocess.DEVNULL)
        # KWin may not have read the entries yet: the tool asks again until it is granted.
        self.input = wait_for(self.start_input, 15)
        if not self.input:
            raise RuntimeError("KWin never granted fake input; see kwin.log")
        self.procs = [self.input, self.board, self.proc]
        # The portal the bus starts must find this compositor.
        bus().get_object("org.freedesktop.DBus", "/org/freedesktop/DBus").UpdateActivationEnvironment(
            {"WAYLAND_DISPLAY": "wayland-velmor", "QT_QPA_PLATFORM": "wayland",
             "XDG_CURRENT_DESKTOP": "KDE", "XDG_SESSION_TYPE": "wayland"},
            dbus_interface="org.freedesktop.DBus")
        time.sleep(1.0)

    def cases(self):
        if self.binds:
            return []
        s = int(self.scale)
        # KWin rounds the fake pointer to whole logical pixels: clicks land on
        # multiples of the scale; the keys reach the pixels between.
        return cases(self, lambda w, h: [(0, 0), (s, s), (w - s, h - s),
                                         (w // 2 // s * s, h // 3 // s * s), (300, 200),
                                         (6 * s, h - 2 * s)], (300, 200))

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

    def press(self, name, down):
        self.send("key %d %d" % (KWIN_KEYS[name], down))
        time.sleep(0.03)

    def rest(self, o, x, y, enter_only):
        self.move(self.width // 4, 2 * self.height // 3)

    def truth(self, o):
        """The board the board window shows on each output, pixel for device pixel."""
        w, h = self.devices[o]
        return lambda x, y: board_hex(x, y) if 0 <= x < w and 0 <= y < h else "?"

    def shown(self, run):
        return "picker painted" in run.errors()

    def landed(self, o, x, y):
        """Where KWin has the pointer, in device pixels of output O: it pushes
        the pointer a pixel back out of a screen edge that has an action (the
        layout's top left, with two outputs)."""
        import dbus
        mark = "cursor %d " % time.monotonic_ns()
        script = os.path.join(WORK, "cursor.js")
        with open(script, "w") as f:
            f.write('print("%s" + workspace.cursorPos.x + " " + workspace.cursorPos.y);' % mark)
        scripting = dbus.Interface(bus().get_object("org.kde.KWin", "/Scripting"),
                                   "org.kde.kwin.Scripting")
        scripting.unloadScript(script)
        scripting.loadScript(script, script, signature="ss")
        scripting.start()
        said = wait_for(lambda: next((line for line in read(os.path.join(WORK, "kwin.log"))
                                      .splitlines() if mark in line), None))
        cx, cy = (int(v) for v in said.split(mark)[1].split())
        return (cx - o * self.width) * self.scale, cy * self.scale

    def point(self, o, x, y):
        s, left = self.scale, o * self.width
        self.move(left + ((x + 3 * s) / s if x < 10 else (x - 3 * s) / s), y / s)
        self.move(left + x / s, y / s)

    def checked(self, got, err):
        if "captured through KWin's screenshot interface" in err:
            return []
        return [" (not through KWin: %s)" % " / ".join(
            line for line in err.splitlines() if "startup" not in line)]

    def extra(self):
        """Without the program's entry KWin refuses, and --verbose says why; KDE's
        portal, with no folder to save in, cancels at once: a failure, not Esc.
        With the folder, its picture shows the pointer: Enter before the
        pointer moves picks nothing, and keys step from where it rests (up,
        clear of the arrow drawn below and right of it)."""
        if self.binds:
            return self.shortcut()
        if not self.first:
            return []
        apps = os.path.expanduser("~/.local/share/applications")
        entry = next(f for f in os.listdir(WORK) if f.endswith(".desktop"))
        os.rename(os.path.join(apps, entry), os.path.join(WORK, "entry.off"))
        subprocess.run(["rm", "-rf", os.path.expanduser("~/Pictures")])
        time.sleep(1.2)
        try:
            got, err = Pick(self.env, lambda _: False, ["--verbose"]).finish(20)
            ok = (got == "exit 2" and "KWin refused its screenshot interface: not authorized" in err
                  and "cancelled the screenshot without asking" in err)
            results = [(ok, "without its entry: got %s (%s)" % (got, " / ".join(err.splitlines())))]
            os.makedirs(os.path.expanduser("~/Pictures"))
            self.rest(0, 0, 0, False)
            truth = self.truth(0)
            p = Pick(self.env, self.shown)
            time.sleep(0.5)
            self.key("Return")
            time.sleep(0.3)
            type_keys(self, ["Shift+Up", "Return"], 0)
            got, err = p.finish()
            s = self.scale
            want = truth(int(self.width // 4 * s), int(2 * self.height // 3 * s) - 10)
            results.append((got == want, "through the portal, Enter before a move, then Shift+Up: "
                            "got %s, want %s" % (got, want)))
        finally:
            os.rename(os.path.join(WORK, "entry.off"), os.path.join(apps, entry))
        return results


    def shortcut(self):
        """The resident's key, registered with KDE's shortcut service that KWin runs."""
        service = bus().get_object("org.kde.kglobalaccel", "/kglobalaccel")
        return self.bound_key(
            self.resident(), lambda: any(p.endswith("VelmorColorPicker") for p in
                                         service.allComponents(dbus_interface="org.kde.KGlobalAccel")),
            lambda: "picker painted" in read(self.log), 301, 201, wl_paste)


# sway -------------------------------------------------------------------

class Vnc:
    """The few RFB messages a pointer and a keyboard need."""
    KEYS = {"Right": 0xFF53, "Down": 0xFF54, "Return": 0xFF0D, "Shift": 0xFFE1, "Super": 0xFFEB,
            "C": 0x43}  # as a VNC client sends it with Shift held

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
        for d in ([1, 0] if down is None else [down]):
            self.s.sendall(struct.pack(">BBxxI", 4, d, self.KEYS[name]))
            time.sleep(0.02)


class Sway(Desktop):
    key_pause = 0.15

    def __init__(self, config):
        self.mode, outs = config.split(":")
        self.outputs = parse_outputs(outs)
        self.devices = [(w, h) for w, h, _ in self.outputs]
        runtime = os.environ["XDG_RUNTIME_DIR"]
        # The line Options offers sway users: the key runs a pick the resident copy answers.
        lines = ["xwayland enable", "default_border none", "focus_follows_mouse no",
                 "bindsym Mod4+Shift+c exec %s --pick --copy" % PROGRAM]
        x = 0
        for i, (w, h, scale) in enumerate(self.outputs):
            board = make_board(w, h, os.path.join(WORK, "board-%d.png" % i))
            lines.append("output HEADLESS-%d resolution %dx%d position %d 0 scale %s bg %s fill" %
                         (i + 1, w, h, x, scale, board))
            x += int(round(w / scale))
        conf = os.path.join(WORK, "sway.conf")
        with open(conf, "w") as f:
            f.write("\n".join(lines) + "\n")
        before = set(os.listdir(runtime))
        self.sway = subprocess.Popen(["sway", "-c", conf], stderr=subprocess.STDOUT,
                                     stdout=open(os.path.join(WORK, "sway.log"), "w"))
        new = wait_for(lambda: [n for n in os.listdir(runtime) if n.startswith("wayland-") and
                                not n.endswith(".lock") and n not in before], 10)
        if not new:
            skip("sway did not start here; see sway.log")
        os.environ["WAYLAND_DISPLAY"] = new[0]

        def ipc():
            socks = [n for n in os.listdir(runtime) if n.startswith("sway-ipc")]
            if socks:
                os.environ["SWAYSOCK"] = os.path.join(runtime, socks[-1])
                return run(["swaymsg", "-t", "get_version"]).returncode == 0
            return False

        wait_for(ipc)
        for _ in self.outputs[1:]:
            run(["swaymsg", "create_output"])
        run(["swaymsg", "reload"])
        time.sleep(1.0)
        self.vnc_procs, self.vncs = [], []
        for i in range(len(self.outputs)):
            self.vnc_procs.append(subprocess.Popen(
                ["wayvnc", "-o", "HEADLESS-%d" % (i + 1), "127.0.0.1", str(5910 + i)],
                stdout=subprocess.DEVNULL, stderr=open(os.path.join(WORK, "vnc.log"), "a")))
            self.vncs.append(Vnc(5910 + i))
        self.procs = self.vnc_procs + [self.sway]
        self.env = dict(os.environ, QT_QPA_PLATFORM="wayland")
        if self.mode == "xwayland":
            marker = os.path.join(WORK, "display")
            run(["swaymsg", "exec", "echo $DISPLAY > " + marker])
            self.env.update(QT_QPA_PLATFORM="xcb", DISPLAY=wait_for(lambda: read(marker).strip()))
        time.sleep(0.5)

    def cases(self):
        # The panel stands in the top right corner; these stay clear of it.
        # Last, the pointer rests where the picker opens and does not move:
        # the keys start from where it entered (far enough for its drawn
        # arrow to be clear of the sample: compositors without a cursor plane
        # copy the arrow too).
        return cases(self, lambda w, h: [(0, 0), (w - 1, h - 1), (1, 1), (w // 2 + 1, h // 3),
                                         (w - 2, 3 * h // 4), (5, h - 2)], (301, 201)) + [
            Case("enter only, then keys", 0, 123, 77, ["Shift+Right"] * 3, enter_only=True)]

    def windows(self):
        """The program's windows on each output, by output name."""
        try:
            tree = json.loads(run(["swaymsg", "-t", "get_tree", "-r"]).stdout)
        except ValueError:
            return {}
        found = {}

        def walk(node, output):
            if node.get("type") == "output":
                output = node.get("name")
            if node.get("app_id") == APP_ID and node.get("visible"):
                found[output] = found.get(output, 0) + 1
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                walk(child, output)

        walk(tree, None)
        return found

    def scaled(self, o, x, y):
        """Where wayvnc puts the compositor's pointer for device position x, y:
        on the output's logical box (whole logical pixels, truncated),
        rendered at its scale; at fractional scales a little short of x, y."""
        w, h, s = self.outputs[o]
        return x * int(w / s) / w * s, y * int(h / s) / h * s

    def clear_of_edges(self, o, x, y):
        """A position near x, y whose pointer lies clear of a device pixel's
        edge: closer to the next pixel than Wayland's 1/256 of a logical
        pixel can tell is no test of the program."""
        w, h = self.devices[o]

        def near(v, limit, axis):
            for d in range(40):
                n = v + d if v + d < limit else v - d
                p = self.scaled(o, n, n)[axis]
                if p == int(p) or p - math.floor(p) < 0.98:
                    return n
            return v
        return near(x, w, 0), near(y, h, 1)

    def landed(self, o, x, y):
        return tuple(math.floor(v + 1e-9) for v in self.scaled(o, x, y))

    def rest(self, o, x, y, enter_only):
        # Where the pointer rests while the screen is copied, its arrow may be
        # in the copy: it rests away from every point picked.
        w, h = self.devices[0]
        rest = (x, y) if enter_only and o == 0 else (w // 4, 2 * h // 3)
        # wayvnc passes on no move to where its pointer already is.
        self.vncs[0].move(rest[0] + 1, rest[1])
        time.sleep(0.05)
        self.vncs[0].move(*rest)
        time.sleep(0.2)
        self.active = self.vncs[o]

    def truth(self, o):
        path = os.path.join(WORK, "truth-%d.png" % o)
        run(["grim", "-o", "HEADLESS-%d" % (o + 1), path])
        return Picture(path).hex

    def shown(self, _):
        return len(self.windows()) >= len(self.outputs)

    def opened(self):
        # Every output is covered by exactly one of the picker's surfaces.
        coverage = self.windows()
        time.sleep(0.3)
        want = {"HEADLESS-%d" % (i + 1): 1 for i in range(len(self.outputs))}
        return [] if coverage == want else [" (surfaces %s)" % coverage]

    def point(self, o, x, y):
        self.active.move(x + 3 if x + 3 < self.devices[o][0] else x - 3, y)
        time.sleep(0.1)
        self.active.move(x, y)
        time.sleep(0.15)

    def click(self):
        self.active.click()

    def key(self, name, down=None):
        self.active.key(name, down)

    def extra(self):
        if self.mode == "native" and self.outputs == parse_outputs(CONFIGS[0].split(":")[1]):
            return self.copied_after_exit() + self.sway_binding()
        if self.mode == "xwayland":
            return self.orphan()
        return []

    def orphan(self):
        """Killed while its picker (a child under XWayland) is up, the
        program takes the frozen picture with it."""
        p = Pick(self.env, self.shown)
        shown = bool(self.windows())
        p.proc.kill()
        p.proc.wait()
        gone = wait_for(lambda: not self.windows(), 3)
        return [(shown and bool(gone), "killed with its picker up: shown %s, gone %s" %
                 (shown, bool(gone)))]

    def copied_after_exit(self):
        """What --pick --copy copied is still on the clipboard after the
        program ended, until another client copies something."""
        self.args = ["--copy"]
        ok, line, _, got = pick(self, Case("--copy", 0, 40, 50))
        self.args = []
        pasted = wl_paste()
        holding = run(["pgrep", "-fc", "--", "--hold-clipboard"]).stdout.strip()
        results = [(ok and pasted == got and holding == "1",
                    "%s; pasted after the program: %r, held by %s" % (line, pasted, holding))]
        # wl-copy stays to serve what it copied: nothing to wait for on its output.
        subprocess.run(["wl-copy", "other"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.5)
        holders = run(["pgrep", "-fc", "--", "--hold-clipboard"]).stdout.strip()
        results.append((holders == "0", "the holder goes when another copies: %s left" % holders))
        return results

    def sway_binding(self):
        """Super+Shift+C, bound in sway's config, has the resident copy pick and copy."""
        return self.bound_key(
            self.resident(),
            lambda: bus().get_object("org.freedesktop.DBus", "/org/freedesktop/DBus").NameHasOwner(
                APP_ID, dbus_interface="org.freedesktop.DBus"),
            lambda: len(self.windows()) >= len(self.outputs), 40, 50, wl_paste)


def wl_paste():
    return run(["wl-paste", "-n"], timeout=3).stdout


def bus():
    import dbus
    if not hasattr(bus, "session"):
        bus.session = dbus.SessionBus()
    return bus.session


def skip(why):
    # No compositor at all is this machine's lack, not a missed pick.
    print("SKIP: " + why, flush=True)
    os._exit(77)


def run_one(kind, config):
    desktop = kind(config)
    results, launches = [], []
    try:
        only = os.environ.get("DESKTOP_CASES")
        for case in desktop.cases():
            if only and not case.desc.startswith(only):
                continue
            ok, line, ms, _ = pick(desktop, case)
            results.append((ok, line))
            launches.append(ms)
        results += desktop.extra()
    finally:
        desktop.close()
    exact = sum(1 for ok, _ in results if ok)
    for ok, line in results:
        print(("ok   " if ok else "MISS ") + config + " " + line, flush=True)
        if not ok:
            # Kept for the end of the log, past the compositor's own output.
            with open(os.path.join(WORK, "misses.txt"), "a") as f:
                f.write("MISS %s %s\n" % (config, line))
    launches = sorted(launches) or [0]
    print("%s exact %d/%d launch-ms %d" % (config, exact, len(results),
                                            launches[len(launches) // 2]), flush=True)
    return exact == len(results)


if __name__ == "__main__":
    KIND = {"gnome": Gnome, "kwin": KWin, "sway": Sway}[sys.argv[1]]
    PROGRAM, WORK, CONFIGS = sys.argv[2], sys.argv[3], sys.argv[4:]
    KIND.prepare()
    passed = [run_one(KIND, config) for config in CONFIGS]
    sys.exit(0 if all(passed) else 1)
