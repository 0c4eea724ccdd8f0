# SPDX-License-Identifier: GPL-3.0-or-later
"""A stand-in for the desktop's StatusNotifierWatcher on the session bus, the host a panel
(KDE's, Xfce's, waybar) would run: it takes the items that register and prints their names."""
from gi.repository import Gio, GLib

XML = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
 </interface>
</node>"""
items = []


def call(bus, sender, path, interface, method, parameters, invocation):
    if method == "RegisterStatusNotifierItem":
        service = parameters.unpack()[0]
        # An item may give its path instead of a bus name: the sender is the name then.
        name = sender if service.startswith("/") else service
        items.append(name)
        print("registered %s %s" % (name, service if service.startswith("/") else
                                    "/StatusNotifierItem"), flush=True)
        bus.emit_signal(None, path, interface, "StatusNotifierItemRegistered",
                        GLib.Variant("(s)", (name,)))
    invocation.return_value(None)


def get(bus, sender, path, interface, name):
    if name == "RegisteredStatusNotifierItems":
        return GLib.Variant("as", items)
    if name == "IsStatusNotifierHostRegistered":
        return GLib.Variant("b", True)
    return GLib.Variant("i", 0)


def acquired(bus, name):
    bus.register_object("/StatusNotifierWatcher", Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0],
                        call, get, None)


def owned(bus, name):
    print("ready", flush=True)


Gio.bus_own_name(Gio.BusType.SESSION, "org.kde.StatusNotifierWatcher",
                 Gio.BusNameOwnerFlags.NONE, acquired, owned, None)
GLib.MainLoop().run()
