#!/usr/bin/python3
"""pyftpdlib's FTP over TLS handler for tests. Binds 127.0.0.1 on a free port in
20000-29999, prints "READY <port>", then "CMD TLS|PLAIN <command>" for every command it has
handled, telling whether the control connection was in TLS then (arguments are left out, so
the password is never printed). TLS is required on both connections: a password sent in the
clear is refused.
Usage: tls_ftp_server.py CERT_AND_KEY_PEM HOME USER PASSWORD"""

import random
import socket
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import TLS_FTPHandler
from pyftpdlib.servers import FTPServer

cert, home, user, password = sys.argv[1:5]


class Handler(TLS_FTPHandler):
    certfile = cert
    tls_control_required = True
    tls_data_required = True

    def pre_process_command(self, line, cmd, arg):
        print("CMD %s %s" % ("TLS" if self._ssl_established else "PLAIN", cmd), flush=True)
        super().pre_process_command(line, cmd, arg)


authorizer = DummyAuthorizer()
authorizer.add_user(user, password, home, perm="elradfmwMT")
Handler.authorizer = authorizer
Handler.passive_ports = range(30400, 30800)

sock = socket.socket()
ports = list(range(20000, 30000))
random.shuffle(ports)
for port in ports:
    try:
        sock.bind(("127.0.0.1", port))
        break
    except OSError:
        continue
else:
    raise SystemExit("no free port")
sock.listen(16)
server = FTPServer(sock, Handler)
print("READY %d" % port, flush=True)
server.serve_forever()
