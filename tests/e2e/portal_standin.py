#!/usr/bin/python3
"""A stand-in for the desktop portal's Screenshot interface on a private
session bus. MODE says how it answers:
  screenshot  Screenshot copies PICTURE to a new file and returns its URI
  refuse      Screenshot answers 2 (refused); PickColor answers COLOR
  cancel      Screenshot answers 1 (cancelled) after 2.5 s, as after a question
              the user was shown and closed
  giveup      Screenshot answers 2 after 2.5 s with nothing stored, as the
              portal does when it stops waiting for the user
  nopick      Screenshot answers 2 and the interface is version 1 (no PickColor)
  uri         Screenshot answers with the URI written in the file PICTURE,
              whatever it names (a hostile or broken portal)
  ask         Screenshot never answers, as while the desktop asks the user;
              Request.Close logs "closed"
It writes one line per call to LOG, Registry.Register's too."""
import os
import shutil
import sys
import tempfile

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

MODE, PICTURE, COLOR, LOG = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]
IFACE = "org.freedesktop.portal.Screenshot"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"


def log(line):
    with open(LOG, "a") as f:
        f.write(line + "\n")


class Request(dbus.service.Object):
    @dbus.service.signal("org.freedesktop.portal.Request", signature="ua{sv}")
    def Response(self, response, results):
        pass

    @dbus.service.method("org.freedesktop.portal.Request", in_signature="", out_signature="")
    def Close(self):
        log("closed")
        self.remove_from_connection()


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/portal/desktop")
        self.bus = bus

    def answer(self, sender, options, response, results, delay=50):
        """Answers RESPONSE with RESULTS after DELAY ms; never, with no RESPONSE."""
        path = "/org/freedesktop/portal/desktop/request/%s/%s" % (
            sender[1:].replace(".", "_"), options.get("handle_token", "t"))
        request = Request(self.bus, path)
        if response is None:
            return dbus.ObjectPath(path)

        def send():
            request.Response(dbus.UInt32(response), dbus.Dictionary(results, signature="sv"))
            request.remove_from_connection()
            return False

        GLib.timeout_add(delay, send)
        return dbus.ObjectPath(path)

    @dbus.service.method("org.freedesktop.host.portal.Registry", in_signature="sa{sv}",
                         out_signature="")
    def Register(self, app_id, options):
        log("Register " + app_id)

    @dbus.service.method(IFACE, in_signature="sa{sv}", out_signature="o", sender_keyword="sender")
    def Screenshot(self, parent, options, sender=None):
        log("Screenshot parent=%s interactive=%s" % (parent, bool(options.get("interactive", True))))
        if MODE == "giveup":
            return self.answer(sender, options, 2, {}, 2500)
        if MODE == "screenshot":
            return self.answer(sender, options, 0, {"uri": "file://" + self.copy()})
        if MODE == "cancel":
            return self.answer(sender, options, 1, {}, 2500)
        if MODE == "uri":
            with open(PICTURE) as f:
                return self.answer(sender, options, 0, {"uri": f.read().strip()})
        if MODE == "ask":
            return self.answer(sender, options, None, {})
        return self.answer(sender, options, 2, {})

    def copy(self):
        fd, name = tempfile.mkstemp(prefix="Screenshot-", suffix=".png", dir=os.path.dirname(LOG))
        os.close(fd)
        shutil.copyfile(PICTURE, name)
        log("saved " + name)
        return name

    @dbus.service.method(IFACE, in_signature="sa{sv}", out_signature="o", sender_keyword="sender")
    def PickColor(self, parent, options, sender=None):
        log("PickColor")
        r, g, b = (float(v) for v in COLOR.split(","))
        color = dbus.Struct((r, g, b), signature="ddd")
        return self.answer(sender, options, 0, {"color": color})

    # GlobalShortcuts: bindings kept for the stand-in's life, as a desktop
    # keeps them; Press() is the user's key.
    bound, session = {}, None

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        token = str(options.get("session_handle_token"))
        self.session = "/org/freedesktop/portal/desktop/session/%s/%s" % (
            sender[1:].replace(".", "_"), token)
        log("CreateSession " + token)
        return self.answer(sender, options, 0, {"session_handle": self.session})

    @dbus.service.method(SHORTCUTS, in_signature="oa{sv}", out_signature="o", sender_keyword="sender")
    def ListShortcuts(self, session, options, sender=None):
        log("ListShortcuts")
        listed = [dbus.Struct((k, v), signature="sa{sv}") for k, v in self.bound.items()]
        return self.answer(sender, options, 0, {"shortcuts": dbus.Array(listed, signature="(sa{sv})")})

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def BindShortcuts(self, session, wanted, parent, options, sender=None):
        for ident, props in wanted:
            log("BindShortcuts %s %s" % (ident, props.get("preferred_trigger")))
            self.bound[str(ident)] = dbus.Dictionary(props, signature="sv")
        return self.answer(sender, options, 0, {})

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, ident, timestamp, options):
        pass

    @dbus.service.method("com.example.Test", in_signature="", out_signature="")
    def Press(self):
        log("Press")
        self.Activated(self.session, "pick", dbus.UInt64(0), dbus.Dictionary({}, signature="sv"))

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return dbus.UInt32(1 if MODE == "nopick" else 2, variant_level=1)


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
portal = Portal(bus)
name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
log("ready")
GLib.MainLoop().run()
