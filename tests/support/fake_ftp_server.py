#!/usr/bin/python3
"""A scripted FTP server for fault tests: just enough RFC 959 to log in and move a file, and
one misbehaviour per scenario. Binds 127.0.0.1 on a free port in 20000-29999, prints
"READY <port>", then "CMD <line>" for every command it receives and "FAULT <epoch seconds>"
when its fault strikes. One client at a time (one-login: see below).

Scenarios: normal, refuse-login, silent-login (PASS is never answered), dele-550-text, dele-550-bare, endless-retr (RETR sends until
ABOR, then 426 and 226), no-data-connection (RETR answers 150 but never connects; ABOR gets
426 and 226), drop-mid-transfer (RETR: some data, then both connections closed),
silent (no reply to anything after login), foreign-227 (PASV names 10.255.255.1),
garbage (a reply without a code), overlong (a reply line of 100 000 bytes),
endless-multiline (a multi-line reply that never ends), mkd-550 (MKD refused, CWD fine),
cwd-550 (every CWD refused), stor-530 (STOR refused as not logged in),
idle-timeout (after login, one second without a command ends the session with 421),
pasv-refused (PASV names a port nobody listens on), bad-227 (PASV answers a 227 without an
address), epsv-500 and epsv-502 (EPSV refused as unknown, PASV works), fault:KIND:N (the Nth
STOR meets KIND: drop, 421, silent, 426, garbage, 550 (a plain refusal), hangup: the
control connection closes after 1 MiB of data while the data connection keeps reading, or
stall: the data connection stops reading after 1 KiB until ABOR, then 426 and 226).

Hostile servers, all striking at USER, the first command every client sends:
flood-120 (USER is answered only by "120 Wait" lines, one every 2 ms, until the client goes
away), drip-multiline (USER is answered "331-Password required" and then one continuation
line every 0.5 s, the closing line never), slow-login (PASS is answered 230 only after 5 s,
or not at all when the client closes first; prints "ANSWERED" when it did answer).
AUTH is always answered "502 AUTH not implemented" (a server without TLS).
EPSV is answered "229 ... (|||port|)", except in epsv-500, epsv-502 and the PASV scenarios
(foreign-227, pasv-refused, bad-227), which answer 500 as servers from before EPSV do.
type-refused: every TYPE is answered "504 Type not supported".
data-after-150: a STOR whose data arrives before its 150 is answered 425.
size-then-silent: the first SIZE is answered "213 1234", nothing after it.
one-login: sessions run side by side, but while one is open every other connection is
greeted "421 Too many connections from this address" and closed (printing "REFUSED").
sessions:SCENARIO: sessions run side by side with SCENARIO's misbehaviour; fault:KIND:N then
counts the STORs of all sessions."""

import random
import select
import socket
import sys
import threading
import time

SCENARIO = sys.argv[1] if len(sys.argv) > 1 else "normal"
SIDE_BY_SIDE = SCENARIO.startswith("sessions:")
if SIDE_BY_SIDE:
    SCENARIO = SCENARIO[len("sessions:"):]
STORES_SEEN = [0]
STORES_LOCK = threading.Lock()
OUTPUT_LOCK = threading.Lock()


def say(line):
    """One line of output, whole even when sessions run side by side."""
    with OUTPUT_LOCK:
        print(line, flush=True)
FAULT, FAULT_AT = None, 0
if SCENARIO.startswith("fault:"):
    _, FAULT, at = SCENARIO.split(":")
    FAULT_AT = int(at)
# Servers from before EPSV, for the tests of PASV and of the fallback to it.
PASV_ONLY = ("epsv-500", "epsv-502", "foreign-227", "pasv-refused", "bad-227")
FILE = bytes(range(256)) * 1024  # 256 KiB served by RETR


def bind_free_port(sock):
    ports = list(range(20000, 30000))
    random.shuffle(ports)
    for port in ports:
        try:
            sock.bind(("127.0.0.1", port))
            return port
        except OSError:
            continue
    raise SystemExit("no free port")


class Session:
    def __init__(self, conn):
        self.conn = conn
        self.reader = conn.makefile("rb")
        self.data_listener = None
        self.data_target = None
        self.logged_in = False
        self.stores = 0
        self.silent = False

    def reply(self, text):
        self.conn.sendall(text.encode() + b"\r\n")

    def listen_data(self):
        self.data_listener = socket.socket()
        self.data_listener.bind(("127.0.0.1", 0))
        self.data_listener.listen(1)
        return self.data_listener.getsockname()[1]

    def open_data(self):
        if self.data_listener:
            conn, _ = self.data_listener.accept()
            self.data_listener.close()
            self.data_listener = None
            return conn
        return socket.create_connection(self.data_target, timeout=10)

    def idle_timeout(self):
        if SCENARIO != "idle-timeout" or not self.logged_in:
            return False
        readable, _, _ = select.select([self.conn], [], [], 1.0)
        if readable:
            return False
        self.reply("421 Timeout.")
        return True

    def run(self):
        self.reply("220-Fake FTP server\r\n220 ready")
        while not self.idle_timeout():
            raw = self.reader.readline()
            if not raw:
                return
            line = raw.decode(errors="replace").rstrip("\r\n")
            say("CMD " + line)
            verb, _, arg = line.partition(" ")
            if not self.handle(verb.upper(), arg):
                return

    def handle(self, verb, arg):
        if self.silent or (self.logged_in and SCENARIO == "silent"):
            return True
        if verb == "STOR" and FAULT:
            self.stores += 1
            with STORES_LOCK:
                STORES_SEEN[0] += 1
                nth = STORES_SEEN[0] if SIDE_BY_SIDE else self.stores
            if nth == FAULT_AT:
                return self.fault()
        if verb == "USER" and SCENARIO in ("flood-120", "drip-multiline"):
            self.stall(SCENARIO)
            return False
        if verb == "PASS" and SCENARIO == "slow-login":
            readable, _, _ = select.select([self.conn], [], [], 5.0)
            if readable:
                return False
            self.logged_in = True
            self.reply("230 Logged in")
            say("ANSWERED")
            return True
        if verb == "USER":
            self.reply("331 Password required")
        elif verb == "PASS" and SCENARIO == "silent-login":
            pass
        elif verb == "PASS":
            if SCENARIO == "refuse-login":
                self.reply("530 Login incorrect.")
            else:
                self.logged_in = True
                self.reply("230 Logged in")
        elif verb == "QUIT":
            self.reply("221 Bye")
            return False
        elif verb == "NOOP" and SCENARIO == "garbage":
            self.reply("hello there, this is no reply")
        elif verb == "NOOP" and SCENARIO == "overlong":
            self.reply("200 " + "x" * 100000)
        elif verb == "NOOP" and SCENARIO == "endless-multiline":
            self.reply("200-start")
            for i in range(20000):
                self.reply(" line %d of a reply that never ends" % i)
        elif verb == "DELE" and SCENARIO == "dele-550-text":
            self.reply("550 No such file")
        elif verb == "DELE" and SCENARIO == "dele-550-bare":
            self.reply("550")
        elif verb == "MKD":
            self.reply("550 Exists" if SCENARIO == "mkd-550" else '257 "%s" created' % arg)
        elif verb == "CWD":
            self.reply("550 No such directory" if SCENARIO == "cwd-550" else "250 OK")
        elif verb == "SIZE" and SCENARIO == "size-then-silent":
            self.reply("213 1234")
            self.silent = True
        elif verb == "TYPE" and SCENARIO == "type-refused":
            self.reply("504 Type not supported")
        elif verb == "STOR" and SCENARIO == "stor-530":
            self.reply("530 Not logged in")
        elif verb == "STOR" and SCENARIO == "data-after-150":
            self.store_after_150()
        elif verb == "EPSV" and SCENARIO in PASV_ONLY:
            self.reply("502 Command not implemented" if SCENARIO == "epsv-502"
                       else "500 Unknown command")
        elif verb == "EPSV":
            port = self.listen_data()
            self.reply("229 Entering Extended Passive Mode (|||%d|)" % port)
        elif verb == "PASV" and SCENARIO == "bad-227":
            self.reply("227 Entering Passive Mode")
        elif verb == "PASV" and SCENARIO == "pasv-refused":
            closed = socket.socket()
            closed.bind(("127.0.0.1", 0))
            port = closed.getsockname()[1]
            closed.close()
            self.reply("227 Entering Passive Mode (127,0,0,1,%d,%d)" % (port >> 8, port & 255))
        elif verb == "PASV":
            port = self.listen_data()
            host = "10,255,255,1" if SCENARIO == "foreign-227" else "127,0,0,1"
            self.reply("227 Entering Passive Mode (%s,%d,%d)" % (host, port >> 8, port & 255))
        elif verb == "PORT":
            parts = [int(p) for p in arg.split(",")]
            self.data_target = (".".join(map(str, parts[:4])), parts[4] * 256 + parts[5])
            self.reply("200 PORT ok")
        elif verb == "RETR":
            self.retr()
        elif verb == "STOR":
            self.reply("150 Send it")
            data = self.open_data()
            while data.recv(65536):
                pass
            data.close()
            self.reply("226 Stored")
        elif verb == "SYST":
            self.reply("215 UNIX Type: L8")
        elif verb == "AUTH":
            self.reply("502 AUTH not implemented")
        else:
            self.reply("200 OK")
        return True

    def store_after_150(self):
        data = self.open_data()
        early, _, _ = select.select([data], [], [], 0.2)
        if early:
            data.close()
            self.reply("425 Data before the reply")
            return
        self.reply("150 Send it")
        while data.recv(65536):
            pass
        data.close()
        self.reply("226 Stored")

    def stall(self, kind):
        """Answers USER without end, until the client goes away."""
        say("FAULT %.3f" % time.time())
        if kind == "drip-multiline":
            self.reply("331-Password required")
        interval = 0.002 if kind == "flood-120" else 0.5
        line = 0
        while True:
            readable, _, _ = select.select([self.conn], [], [], interval)
            if readable and not self.conn.recv(4096):
                return
            line += 1
            self.reply("120 Wait" if kind == "flood-120" else " line %d, more to come" % line)

    def fault(self):
        say("FAULT %.3f" % time.time())
        if FAULT == "drop":
            self.conn.close()
            raise SystemExit(0)
        if FAULT == "421":
            self.reply("421 Service not available, closing control connection")
            self.conn.close()
            raise SystemExit(0)
        if FAULT == "hangup":
            self.reply("150 Send it")
            data = self.open_data()
            received = 0
            while received < 1 << 20:
                chunk = data.recv(65536)
                if not chunk:
                    break
                received += len(chunk)
            # The reader still holds the socket; shutdown sends the FIN now.
            self.conn.shutdown(socket.SHUT_RDWR)
            while data.recv(65536):
                pass
            raise SystemExit(0)
        if FAULT == "silent":
            self.silent = True
            return True
        if FAULT == "garbage":
            self.reply("\x00\xffgarbage without a code")
            return True
        if FAULT == "550":
            self.reply("550 Permission denied")
            return True
        if FAULT == "stall":
            self.reply("150 Send it")
            data = None
            # The client's abort may reset the data connection before this side is done
            # making it, or before it reads.
            try:
                data = self.open_data()
                data.recv(1024)
            except OSError:
                pass
            line = self.reader.readline().decode(errors="replace").rstrip("\r\n")
            say("CMD " + line)
            if data:
                data.close()
            self.reply("426 Transfer aborted")
            self.reply("226 ABOR successful")
            return True
        # 426: the transfer starts, then breaks.
        self.reply("150 Send it")
        data = self.open_data()
        data.recv(1024)
        data.close()
        self.reply("426 Connection closed; transfer aborted")
        return True

    def retr(self):
        self.reply("150 Here it comes")
        if SCENARIO == "no-data-connection":
            line = self.reader.readline().decode(errors="replace").rstrip("\r\n")
            say("CMD " + line)
            self.reply("426 Transfer aborted")
            self.reply("226 ABOR successful")
            return
        data = self.open_data()
        if SCENARIO == "drop-mid-transfer":
            data.sendall(FILE[:65536])
            data.close()
            self.conn.close()
            raise SystemExit(0)
        if SCENARIO != "endless-retr":
            data.sendall(FILE)
            data.close()
            self.reply("226 Done")
            return
        while True:
            readable, writable, _ = select.select([self.conn], [data], [], 10)
            if self.conn in readable:
                break
            if writable:
                try:
                    data.send(FILE[:65536])
                except OSError:
                    break
        data.close()
        self.reply("426 Transfer aborted")
        line = self.reader.readline().decode(errors="replace").rstrip("\r\n")
        say("CMD " + line)
        self.reply("226 ABOR successful")


def serve(conn):
    try:
        Session(conn).run()
    except (OSError, SystemExit):
        pass
    conn.close()


def serve_alone(conn, session_open):
    if not session_open.acquire(blocking=False):
        say("REFUSED")
        conn.sendall(b"421 Too many connections from this address\r\n")
        conn.close()
        return
    try:
        serve(conn)
    finally:
        session_open.release()


def main():
    server = socket.socket()
    port = bind_free_port(server)
    server.listen(8)
    say("READY %d" % port)
    session_open = threading.Lock()
    while True:
        conn, _ = server.accept()
        if SCENARIO == "one-login":
            threading.Thread(target=serve_alone, args=(conn, session_open), daemon=True).start()
        elif SIDE_BY_SIDE:
            threading.Thread(target=serve, args=(conn,), daemon=True).start()
        else:
            serve(conn)


main()
