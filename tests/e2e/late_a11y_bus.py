#!/usr/bin/python3
"""A stand-in for org.a11y.Bus on the session bus, in front of a real
accessibility bus, that answers GetAddress late when told to.

    late_a11y_bus.py ADDRESS HOLD_FILE

ADDRESS is the real accessibility bus's, which GetAddress gives. While
HOLD_FILE exists, every GetAddress waits for it to go before the answer, as a
bus launcher on a busy desktop answers late. The status flags (IsEnabled,
ScreenReaderEnabled) are kept here, settable, and their changes signalled, as
the launcher does. Prints "ready" once the name is owned.

Needs python3-dbus (with python3-gi for its main loop).
"""

import os
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

STATUS = "org.a11y.Status"
PROPERTIES = "org.freedesktop.DBus.Properties"


class Bus(dbus.service.Object):
    def __init__(self, connection, address, hold):
        super().__init__(connection, "/org/a11y/bus")
        self.address = address
        self.hold = hold
        self.status = {"IsEnabled": False, "ScreenReaderEnabled": False}

    @dbus.service.method("org.a11y.Bus", out_signature="s",
                         async_callbacks=("reply", "error"))
    def GetAddress(self, reply, error):
        def answer():
            if os.path.exists(self.hold):
                return True  # asked again in a while
            reply(self.address)
            return False
        if answer():
            GLib.timeout_add(50, answer)

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface != STATUS or name not in self.status:
            raise dbus.exceptions.DBusException(
                "no property %s.%s" % (interface, name),
                name="org.freedesktop.DBus.Error.UnknownProperty")
        return dbus.Boolean(self.status[name])

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        if interface != STATUS:
            return dbus.Dictionary({}, signature="sv")
        return dbus.Dictionary({k: dbus.Boolean(v) for k, v in self.status.items()},
                               signature="sv")

    @dbus.service.method(PROPERTIES, in_signature="ssv")
    def Set(self, interface, name, value):
        self.Get(interface, name)
        self.status[name] = bool(value)
        self.PropertiesChanged(STATUS, {name: dbus.Boolean(value)}, [])

    @dbus.service.signal(PROPERTIES, signature="sa{sv}as")
    def PropertiesChanged(self, interface, changed, invalidated):
        pass


def main():
    address, hold = sys.argv[1:3]
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    session = dbus.SessionBus()
    name = dbus.service.BusName("org.a11y.Bus", session, do_not_queue=True)
    Bus(session, address, hold)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name


if __name__ == "__main__":
    main()
