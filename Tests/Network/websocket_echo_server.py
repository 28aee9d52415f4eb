"""The telemetry client's real peer: echoes text, and on "!vanish:<count>" sends "item 0" to
"item <count-1>" and ends the process without a close frame. Its first line gives its port (on 127.0.0.1,
chosen by the system) and its process id."""
import asyncio
import os

import websockets


async def serve_client(socket, *unused):
    async for message in socket:
        if message.startswith("!vanish:"):
            for index in range(int(message[len("!vanish:"):])):
                await socket.send(f"item {index}")
            while socket.transport.get_write_buffer_size() > 0:
                await asyncio.sleep(0.01)
            os._exit(0)
        await socket.send(message)


async def main():
    async with websockets.serve(serve_client, "127.0.0.1", 0, max_size=None) as server:
        print(server.sockets[0].getsockname()[1], os.getpid(), flush=True)
        await asyncio.Future()


asyncio.run(main())
