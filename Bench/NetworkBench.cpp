#include "Network/NumberText.h"
#include "Network/RealWebSocket.h"
#include "Network/TelemetryMessage.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <random>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace
{
constexpr int mapTiles = 21 * 21;

// A loopback TCP connection whose far end reads and discards everything, like an observer that keeps up.
class DiscardingPeer
{
public:
    DiscardingPeer()
    {
        const int listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(listener, reinterpret_cast<sockaddr*>(&address), size);
        listen(listener, 1);
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
        clientEnd = socket(AF_INET, SOCK_STREAM, 0);
        connect(clientEnd, reinterpret_cast<sockaddr*>(&address), size);
        serverEnd = accept(listener, nullptr, nullptr);
        close(listener);
        reader = std::thread(
            [this]
            {
                char chunk[65536];
                while (recv(serverEnd, chunk, sizeof chunk, 0) > 0)
                {
                }
            });
    }
    // The client owns its end and closes it first; that ends the reader.
    ~DiscardingPeer()
    {
        reader.join();
        close(serverEnd);
    }
    DiscardingPeer(const DiscardingPeer&) = delete;
    DiscardingPeer& operator=(const DiscardingPeer&) = delete;

    int clientEnd = -1;

private:
    int serverEnd = -1;
    std::thread reader;
};

// A distance map's worth of tiles with six significant digits each: about 5 KB of message.
std::vector<float> sampleTiles()
{
    std::mt19937 generator(7);
    std::uniform_real_distribution<float> distance(0.01f, 0.1f);
    std::vector<float> tiles(mapTiles);
    for (float& tile : tiles)
        tile = distance(generator);
    return tiles;
}

void telemetryBuildInfluenceMessage(benchmark::State& state)
{
    const std::vector<float> tiles = sampleTiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(TelemetryMessage::influence(NumberText::of(21), NumberText::of(21), tiles));
}
BENCHMARK(telemetryBuildInfluenceMessage)->Repetitions(5)->ReportAggregatesOnly(true);

// What one telemetry frame costs the frame loop: framing the message, then the poll that writes it.
void telemetrySendInfluenceMessage(benchmark::State& state)
{
    DiscardingPeer peer;
    wsclient::RealWebSocket client(wsclient::Socket(peer.clientEnd), true);
    const std::string message =
        TelemetryMessage::influence(NumberText::of(21), NumberText::of(21), sampleTiles());
    for (auto _ : state)
    {
        client.send(message);
        client.poll(0);
    }
    if (client.getReadyState() != wsclient::WebSocket::OPEN)
        state.SkipWithError("the connection did not stay open");
    state.counters["messageBytes"] = static_cast<double>(message.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * message.size()));
}
BENCHMARK(telemetrySendInfluenceMessage)->Repetitions(10)->ReportAggregatesOnly(true);
}  // namespace
