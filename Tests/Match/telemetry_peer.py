"""The observer for the match tests: prints its port, then, once the game has hung up, every message it got."""
import asyncio

import websockets


async def main():
    received, over = [], asyncio.get_running_loop().create_future()

    async def record(socket, *unused):
        try:
            async for message in socket:
                received.append(message)
        except websockets.ConnectionClosed:
            pass  # the game leaves without a closing handshake
        over.set_result(None)

    async with websockets.serve(record, "127.0.0.1", 0, max_size=None) as server:
        print(server.sockets[0].getsockname()[1], flush=True)
        await asyncio.wait([over], timeout=120)
    print("\n".join(received), flush=True)


asyncio.run(main())
