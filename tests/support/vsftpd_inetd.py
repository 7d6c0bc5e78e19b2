#!/usr/bin/python3
"""Runs vsftpd for tests the inetd way: binds 127.0.0.1 on a free port in 20000-29999, prints
"READY <port>" once it listens (so tests wait on that line, not on time), and starts one
vsftpd per connection with the connection as its standard input and output.
Usage: vsftpd_inetd.py VSFTPD_CONF"""

import random
import socket
import subprocess
import sys

server = socket.socket()
ports = list(range(20000, 30000))
random.shuffle(ports)
for port in ports:
    try:
        server.bind(("127.0.0.1", port))
        break
    except OSError:
        continue
else:
    raise SystemExit("no free port")
server.listen(16)
print("READY %d" % port, flush=True)
children = []
while True:
    conn, _ = server.accept()
    children = [c for c in children if c.poll() is None]
    children.append(subprocess.Popen(["/usr/sbin/vsftpd", sys.argv[1]], stdin=conn,
                                     stdout=conn, stderr=subprocess.DEVNULL))
    conn.close()
