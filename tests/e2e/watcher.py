# SPDX-License-Identifier: GPL-3.0-or-later
"""A stand-in for the StatusNotifierWatcher a desktop's panel runs (KDE's, Xfce's, waybar):
it takes the tray items that register and prints "registered NAME PATH" for each."""
from gi.repository import Gio, GLib

XML = """<node><interface name="org.kde.StatusNotifierWatcher">
 <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
 <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
 <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
 <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
 <property name="ProtocolVersion" type="i" access="read"/>
 <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
</interface></node>"""
items = []


def call(bus, sender, path, interface, method, parameters, invocation):
    if method == "RegisterStatusNotifierItem":
        # An item gives its bus name, or only its path: the sender's name goes with it then.
        service = parameters.unpack()[0]
        name, where = (sender, service) if service.startswith("/") else (service,
                                                                          "/StatusNotifierItem")
        items.append(name)
        print("registered", name, where, flush=True)
        bus.emit_signal(None, path, interface, "StatusNotifierItemRegistered",
                        GLib.Variant("(s)", (name,)))
    invocation.return_value(None)


def get(bus, sender, path, interface, name):
    return {"RegisteredStatusNotifierItems": GLib.Variant("as", items),
            "IsStatusNotifierHostRegistered": GLib.Variant("b", True)}.get(
                name, GLib.Variant("i", 0))


Gio.bus_own_name(Gio.BusType.SESSION, "org.kde.StatusNotifierWatcher", Gio.BusNameOwnerFlags.NONE,
                 lambda bus, name: bus.register_object(
                     "/StatusNotifierWatcher", Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0],
                     call, get, None),
                 lambda bus, name: print("ready", flush=True), None)
GLib.MainLoop().run()
