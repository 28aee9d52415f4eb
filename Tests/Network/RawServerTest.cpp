#include "RawServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
// Lets a server that still waits for a client go on: connects and hangs up at once.
void visit(const RawServer& server)
{
    const int descriptor = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(server.port()));
    connect(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address);
    close(descriptor);
}

TEST(RawServerTest, AClientThatNeverComesEndsTheWaitForItsRequest)
{
    RawServer server;
    server.answerNextClient(RawServer::switchingProtocols);
    auto request = std::async(std::launch::async, [&server] { return server.request(); });
    const bool ended = request.wait_for(std::chrono::milliseconds(3 * RawServer::readTimeoutMs)) ==
                       std::future_status::ready;
    if (!ended)
        visit(server);
    EXPECT_TRUE(ended) << "the server still waited for a client";
    EXPECT_EQ(request.get(), "");
}
}  // namespace
