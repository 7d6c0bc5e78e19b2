#!/usr/bin/env python3
"""An FTP proxy that delays every byte by DELAY seconds each way, for latency_bench.

Usage: delay_proxy.py SERVER_PORT [DELAY]. Listens on 127.0.0.1 at a port in 20000-29999
and prints it on the first line of standard output. Passive mode only: the server's PASV
(227) and EPSV (229) replies are rewritten to a data port of the proxy, which is delayed the
same way, so data connections pay the latency of a real link too. Active mode would need
the server to connect back through the proxy, which vsftpd cannot be told to do.
"""

import asyncio
import random
import re
import sys

HOST = "127.0.0.1"
PASV = re.compile(rb"^227 .*?\((\d+),(\d+),(\d+),(\d+),(\d+),(\d+)\)", re.M)
EPSV = re.compile(rb"^229 .*?\(\|\|\|(\d+)\|\)", re.M)
# asyncio holds tasks weakly; a closed data listener's connection would be collected mid-way.
TASKS = set()


async def listen(handler):
    """A listener on a free port in 20000-29999, as the test servers use."""
    for _ in range(200):
        port = random.randint(20000, 29999)
        try:
            return await asyncio.start_server(handler, HOST, port), port
        except OSError:
            continue
    raise OSError("no free port in 20000-29999")


async def pump(reader, writer, delay, rewrite=None):
    """Copies reader to writer, each chunk (and the end) arriving `delay` later, in order."""
    loop = asyncio.get_running_loop()
    queue = asyncio.Queue()

    async def deliver():
        while True:
            due, data = await queue.get()
            wait = due - loop.time()
            if wait > 0:
                await asyncio.sleep(wait)
            if data is None:
                break
            writer.write(data)
            await writer.drain()
        try:
            writer.write_eof()
        except OSError:
            pass

    sender = asyncio.create_task(deliver())
    try:
        while True:
            data = await reader.read(65536)
            if not data:
                break
            if rewrite:
                data = await rewrite(data)
            queue.put_nowait((loop.time() + delay, data))
    except ConnectionError:
        pass
    queue.put_nowait((loop.time() + delay, None))
    try:
        await sender
    except ConnectionError:
        pass


async def relay(client_reader, client_writer, server_port, delay, rewrite=None):
    try:
        server_reader, server_writer = await asyncio.open_connection(HOST, server_port)
    except OSError:
        client_writer.close()
        return
    await asyncio.gather(
        pump(client_reader, server_writer, delay),
        pump(server_reader, client_writer, delay, rewrite),
    )
    client_writer.close()
    server_writer.close()


async def data_port(server_port, delay):
    """A one-shot delayed listener in front of the server's data port `server_port`."""
    listener = None

    async def accept(reader, writer):
        task = asyncio.current_task()
        TASKS.add(task)
        listener.close()
        try:
            await relay(reader, writer, server_port, delay)
        finally:
            TASKS.discard(task)

    listener, port = await listen(accept)
    return port


def control_rewriter(delay):
    async def rewrite(data):
        match = PASV.search(data)
        if match:
            port = await data_port(int(match[5]) * 256 + int(match[6]), delay)
            reply = b"227 Entering Passive Mode (127,0,0,1,%d,%d)" % (port // 256, port % 256)
            return data[: match.start()] + reply + data[match.end() :]
        match = EPSV.search(data)
        if match:
            port = await data_port(int(match[1]), delay)
            reply = b"229 Entering Extended Passive Mode (|||%d|)" % port
            return data[: match.start()] + reply + data[match.end() :]
        return data

    return rewrite


async def main():
    server_port = int(sys.argv[1])
    delay = float(sys.argv[2]) if len(sys.argv) > 2 else 0.015

    async def control(reader, writer):
        await relay(reader, writer, server_port, delay, control_rewriter(delay))

    _, port = await listen(control)
    print(port, flush=True)
    await asyncio.Event().wait()


if __name__ == "__main__":
    asyncio.run(main())
