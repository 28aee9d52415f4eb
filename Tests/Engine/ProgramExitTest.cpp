#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

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

TEST(ProgramExitTest, WithTelemetryAndNoObserverTheGameStopsBeforeAWindowOpens)
{
    const GameRun run = runGame("", "ws");
    ASSERT_TRUE(WIFEXITED(run.status)) << "the game was killed by a signal";
    EXPECT_NE(WEXITSTATUS(run.status), 0);
    EXPECT_NE(run.output.find("Websockets Activate"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("ERROR: wsc is null in Source/GameEngine/GameEngine"), std::string::npos)
        << run.output;
    // The engine library announces itself when it makes a device: it never got that far.
    EXPECT_EQ(run.output.find("Irrlicht Engine"), std::string::npos) << run.output;
}
}  // namespace
