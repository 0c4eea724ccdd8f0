# SPDX-License-Identifier: GPL-3.0-or-later
"""A stand-in for the desktop's GlobalShortcuts portal on the session bus. It prints what it is
asked, answers through Request objects' Response signals, and emits Activated(id) when the test
calls its Activate(id, signature): the signal as the portal sends it, or with another
signature, as a faulty one might."""
import os

from gi.repository import Gio, GLib

XML = """<node>
 <interface name="org.freedesktop.portal.GlobalShortcuts">
  <method name="CreateSession"><arg type="a{sv}" direction="in"/>
   <arg type="o" direction="out"/></method>
  <method name="BindShortcuts"><arg type="o" direction="in"/><arg type="a(sa{sv})" direction="in"/>
   <arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
   <arg type="o" direction="out"/></method>
  <method name="ListShortcuts"><arg type="o" direction="in"/><arg type="a{sv}" direction="in"/>
   <arg type="o" direction="out"/></method>
  <property name="version" type="u" access="read"/>
 </interface>
 <interface name="org.freedesktop.portal.Session"><method name="Close"/></interface>
 <interface name="org.moriv.PortalStandIn"><method name="Activate">
  <arg type="s" direction="in"/><arg type="s" direction="in"/></method></interface>
 <interface name="org.freedesktop.host.portal.Registry"><method name="Register">
  <arg type="s" direction="in"/><arg type="a{sv}" direction="in"/></method></interface>
</node>"""
PATH = "/org/freedesktop/portal/desktop"
node = Gio.DBusNodeInfo.new_for_xml(XML)
session = None
bound = []  # kept for later sessions, as a desktop keeps them


def say(text):
    print(text, flush=True)


def respond(bus, sender, options, results):
    request = "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                    options["handle_token"])
    bus.emit_signal(sender, request, "org.freedesktop.portal.Request", "Response",
                    GLib.Variant("(ua{sv})", (0, results)))
    return GLib.Variant("(o)", (request,))


def call(bus, sender, path, interface, method, args, invocation):
    global session, bound
    if method == "CreateSession":
        session = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                        args[0]["session_handle_token"])
        bus.register_object(session, node.interfaces[1], call, None, None)
        say("session")
        invocation.return_value(respond(bus, sender, args[0],
                                        {"session_handle": GLib.Variant("s", session)}))
    elif method == "BindShortcuts":
        say("bound " + " ".join("%s=%s" % (i, p["preferred_trigger"]) for i, p in args[1]))
        # Plasma 5.27 answers 0 and binds nothing; Plasma 6 lists what it bound.
        bound = [] if os.environ.get("BIND_NONE") else bound + [
            (i, {"trigger_description": GLib.Variant("s", p["preferred_trigger"])})
            for i, p in args[1]]
        invocation.return_value(respond(bus, sender, args[3], {
            "shortcuts": GLib.Variant("a(sa{sv})", bound)}))
    elif method == "ListShortcuts":
        say("listed %d" % len(bound))
        invocation.return_value(respond(bus, sender, args[1], {
            "shortcuts": GLib.Variant("a(sa{sv})", bound)}))
    elif method == "Register":
        say("registered " + args[0])
        invocation.return_value(None)
    elif method == "Close":
        say("closed")
        invocation.return_value(None)
    elif method == "Activate":
        values = {"osta{sv}": (session, args[0], 0, {}), "ost": (session, args[0], 0),
                  "osua{sv}": (session, args[0], 0, {}), "os": (session, args[0]),
                  "osta{sv}s": (session, args[0], 0, {}, ""), "ssta{sv}": (session, args[0], 0, {})}[args[1]]
        bus.emit_signal(None, PATH, node.interfaces[0].name, "Activated",
                        GLib.Variant("(%s)" % args[1], values))
        invocation.return_value(None)


def acquired(bus, name):
    for interface in (node.interfaces[0], node.interfaces[2], node.interfaces[3]):
        bus.register_object(PATH, interface, call,
                            lambda *a: GLib.Variant("u", 1), None)
    say("ready")


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.portal.Desktop", 0, acquired, None, None)
GLib.MainLoop().run()
