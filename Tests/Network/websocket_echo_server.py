"""A WebSocket peer for the client's tests: echoes text, and obeys a few commands that start with '!'.

Prints the port it listens on (on 127.0.0.1, chosen by the system) as its first line.
  !ping:<payload>   pings the client with that payload, then sends "!pong:<payload>" once the matching
                    pong came back, or "!no-pong" after two seconds.
  !close            starts the closing handshake.
  !vanish:<count>   sends "item 0" .. "item <count-1>", then the process ends without a close frame.
"""
import asyncio
import os
import sys

import websockets


async def vanish(socket, count):
    for index in range(count):
        await socket.send(f"item {index}")
    while socket.transport.get_write_buffer_size() > 0:
        await asyncio.sleep(0.01)
    os._exit(0)


async def answer_ping(socket, payload):
    waiter = await socket.ping(payload.encode())
    try:
        await asyncio.wait_for(waiter, 2)
        await socket.send("!pong:" + payload)
    except asyncio.TimeoutError:
        await socket.send("!no-pong")


async def serve_client(socket, *unused):
    async for message in socket:
        if isinstance(message, bytes):
            await socket.send("!binary")
        elif message.startswith("!ping:"):
            await answer_ping(socket, message[len("!ping:"):])
        elif message == "!close":
            await socket.close()
        elif message.startswith("!vanish:"):
            await vanish(socket, int(message[len("!vanish:"):]))
        else:
            await socket.send(message)


async def main():
    async with websockets.serve(serve_client, "127.0.0.1", 0, max_size=None) as server:
        print(server.sockets[0].getsockname()[1], flush=True)
        await asyncio.Future()


if __name__ == "__main__":
    try:
        asyncio.run(main())
    except KeyboardInterrupt:
        sys.exit(0)
