#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
struct GameRun
{
    int status;
    std::string output;
};

// Runs the game as a user would, with both of its streams in `output`.
GameRun runGame(const std::string& environment, const std::string& arguments)
{
    const std::string command = "env " + environment + " " + QUILLMARCH_GAME_PATH + " " + arguments + " 2>&1";
    GameRun run{-1, {}};
    FILE* game = popen(command.c_str(), "r");
    if (!game)
        return run;
    char chunk[4096];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, game)) > 0)
        run.output.append(chunk, count);
    run.status = pclose(game);
    return run;
}

TEST(ProgramExitTest, WithoutADisplayTheGameEndsWithAFailureStatusNotACrash)
{
    const GameRun run = runGame("-u DISPLAY", "");
    ASSERT_TRUE(WIFEXITED(run.status)) << "the game was killed by a signal";
    EXPECT_NE(WEXITSTATUS(run.status), 0);
    EXPECT_NE(run.output.find("Could not open display"), std::string::npos) << run.output;
}

// Whether something accepts connections on the game's telemetry endpoint right now.
bool observerListening()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(1337);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool accepted = ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(probe);
    return accepted;
}

TEST(ProgramExitTest, WithTelemetryAndNoObserverTheGameStopsBeforeAWindowOpens)
{
    if (observerListening())
        GTEST_SKIP() << "an observer listens on localhost:1337 on this machine";
    // Without a display as well: should the connection succeed after all, the game still ends at once.
    const GameRun run = runGame("-u DISPLAY", "ws");
    ASSERT_TRUE(WIFEXITED(run.status)) << "the game was killed by a signal";
    EXPECT_NE(WEXITSTATUS(run.status), 0);
    EXPECT_NE(run.output.find("Websockets Activate"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("ERROR: wsc is null in Source/GameEngine/GameEngine"), std::string::npos)
        << run.output;
    // The engine library announces itself when it makes a device: it never got that far.
    EXPECT_EQ(run.output.find("Irrlicht Engine"), std::string::npos) << run.output;
}
}  // namespace
