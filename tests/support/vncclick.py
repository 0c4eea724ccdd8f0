# SPDX-License-Identifier: GPL-3.0-or-later
"""vncclick.py SOCKET X Y [BUTTON]: clicks at X Y through a VNC server at a Unix socket (wayvnc on
a headless compositor, whose seat has no pointer of its own), with the left button or BUTTON (3
the right one); the pointer rests there first, so that the client under it has bound the new
pointer before the press."""
import socket
import struct
import sys
import time

x, y = (int(value) for value in sys.argv[2:4])
button = 1 << (int(sys.argv[4]) - 1) if len(sys.argv) > 4 else 1
server = socket.socket(socket.AF_UNIX)
server.settimeout(5)
server.connect(sys.argv[1])
take = lambda size: server.recv(size, socket.MSG_WAITALL)  # noqa: E731
take(12)
server.sendall(b"RFB 003.008\n")
take(take(1)[0])
server.sendall(b"\x01")  # security: none
take(4)
server.sendall(b"\x01")  # shared
take(struct.unpack(">I", take(24)[20:24])[0])
for buttons in (0, 0, button, 0):
    server.sendall(struct.pack(">BBHH", 5, buttons, x, y))
    time.sleep(0.3)
