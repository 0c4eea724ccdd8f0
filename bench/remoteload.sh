#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The remote control under load while the timer counts: 200 idle connections held open and,
# for five seconds, loops of 1,000 requests one after another (half of them for a path that is
# not there), an event stream recording when each second's state leaves the timer. Prints how
# late the seconds came against the grid of the first one, before and during the load, the
# requests a second, the connections the timer kept, and its resident memory before and after;
# then its peak memory after a 200 MB body sent to it.
# Usage: bench/remoteload.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../tests/support/dbus.sh"
source "$(dirname "$0")/../tests/support/session.sh"
program="$(cd "$1" && pwd)/src/moriv"
start_display 1280x800

port=$(free_port)
background "$work/timer.log" "$program" --no-global-keys --minutes 60 --start --remote "$port"
timer=$last_pid
poll 10 test -s "$XDG_CONFIG_HOME/moriv/remote-token" || fail "no token"
python3 - "$port" "$(cat "$XDG_CONFIG_HOME/moriv/remote-token")" "$timer" <<'PYTHON'
import http.client, socket, sys, threading, time

port, token, pid = int(sys.argv[1]), sys.argv[2], sys.argv[3]
auth = {"Authorization": "Bearer " + token}

def rss(field="VmRSS"):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith(field):
            return int(line.split()[1]) / 1024

arrivals = []  # (when, secondsLeft) of each new second
def stream():
    s = socket.create_connection(("127.0.0.1", port))
    s.sendall(f"GET /v1/events?token={token} HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n".encode())
    last = None
    for line in s.makefile("rb"):
        if b'"secondsLeft":' in line:
            left = int(line.split(b'"secondsLeft":')[1].split(b",")[0])
            if left != last:
                arrivals.append((time.monotonic(), left))
                last = left
threading.Thread(target=stream, daemon=True).start()

def lateness(since, until):
    t0, l0 = arrivals[1]  # the first was sent on connecting, between two seconds
    late = [(t - t0) - (l0 - l) for t, l in arrivals if since <= t < until]
    return max(late) * 1000, len(late)

time.sleep(6)
before = rss()
quiet = time.monotonic()
time.sleep(5)
loaded = time.monotonic()
idle = [socket.create_connection(("127.0.0.1", port)) for _ in range(200)]
requests = 0
while time.monotonic() < loaded + 5:
    for i in range(1000):
        c = http.client.HTTPConnection("127.0.0.1", port)
        c.request("GET" if i % 2 else "POST", "/v1/state" if i % 2 else "/v1/nothing",
                  headers=auth)
        c.getresponse().read()
        c.close()
    requests += 1000
took = time.monotonic() - loaded
alive = 0
for s in idle:
    s.setblocking(False)
    try:
        alive += s.recv(1) != b""
    except BlockingIOError:
        alive += 1
after = rss()
end = time.monotonic()
q, qn = lateness(quiet, loaded)
l, ln = lateness(loaded, end)
print(f"seconds' lateness, quiet:            {q:6.1f} ms worst over {qn} seconds")
print(f"seconds' lateness, under load:       {l:6.1f} ms worst over {ln} seconds")
print(f"requests one after another:          {requests:6d} in {took:.2f} s "
      f"({requests / took:.0f} a second)")
print(f"of 200 idle connections still open:  {alive:6d} (the rest closed to make room)")
print(f"resident memory:                     {before:6.1f} MiB before, {after:.1f} MiB after")
upload = socket.create_connection(("127.0.0.1", port))
upload.sendall(f"POST /v1/start HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer {token}\r\n"
               f"Content-Length: {200 << 20}\r\n\r\n".encode())
try:
    for _ in range(200):
        upload.sendall(bytes(1 << 20))
    answer = "took it all"
except OSError as error:
    answer = f"cut off ({error.strerror})"
print(f"a 200 MB body:                       {answer}, peak memory {rss('VmHWM'):.1f} MiB")
PYTHON
"$program" --command quit
poll 10 gone "$timer" || fail "the timer did not end"
