#!/usr/bin/python3
"""A stand-in for KWin's ScreenShot2 D-Bus interface under sway: CaptureScreen
copies the named output with grim and writes it to the caller's pipe as raw
32-bit pixels (QImage::Format_RGB32). One line per call goes to LOG."""
import os
import subprocess
import sys
import threading

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

LOG = sys.argv[1]
IFACE = "org.kde.KWin.ScreenShot2"


def log(line):
    with open(LOG, "a") as f:
        f.write(line + "\n")


class ScreenShot(dbus.service.Object):
    @dbus.service.method(IFACE, in_signature="sa{sv}h", out_signature="a{sv}")
    def CaptureScreen(self, name, options, pipe):
        log("CaptureScreen %s native=%s cursor=%s" % (
            name, bool(options.get("native-resolution")), bool(options.get("include-cursor"))))
        png = subprocess.run(["grim", "-o", str(name), "-"], capture_output=True).stdout
        size = subprocess.run(["identify", "-format", "%w %h", "-"], input=png,
                              capture_output=True).stdout.split()
        raw = subprocess.run(["convert", "-", "-depth", "8", "bgra:-"], input=png,
                             capture_output=True).stdout
        w, h = int(size[0]), int(size[1])
        fd = pipe.take()

        def write():
            with os.fdopen(fd, "wb") as out:
                out.write(raw)

        threading.Thread(target=write).start()
        return dbus.Dictionary({"type": "raw", "width": dbus.UInt32(w), "height": dbus.UInt32(h),
                                "stride": dbus.UInt32(4 * w), "format": dbus.UInt32(4),
                                "screen": str(name)}, signature="sv")


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
ScreenShot(bus, "/org/kde/KWin/ScreenShot2")
name = dbus.service.BusName(IFACE, bus)
log("ready")
GLib.MainLoop().run()
