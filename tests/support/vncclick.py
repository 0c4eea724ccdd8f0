# SPDX-License-Identifier: GPL-3.0-or-later
"""Clicks at X Y through a VNC server on this machine (wayvnc on a headless compositor, whose
seat has no pointer of its own): the server moves its virtual pointer there and presses.
Usage: vncclick.py PORT X Y"""
import socket
import struct
import sys
import time


def take(connection, size):
    data = b""
    while len(data) < size:
        data += connection.recv(size - len(data))
    return data


port, x, y = (int(value) for value in sys.argv[1:4])
server = socket.create_connection(("127.0.0.1", port), timeout=5)
take(server, 12)
server.sendall(b"RFB 003.008\n")
take(server, take(server, 1)[0])
server.sendall(b"\x01")  # no authentication
take(server, 4)
server.sendall(b"\x01")  # shared
name_length = struct.unpack(">I", take(server, 24)[20:24])[0]
take(server, name_length)
# The pointer arrives, rests, presses and lets go: the client under it binds the new pointer
# before the press.
for buttons in (0, 0, 1, 0):
    server.sendall(struct.pack(">BBHH", 5, buttons, x, y))
    time.sleep(0.3)
server.close()
