#include "Support/CommandRun.h"
#include "Support/RawServer.h"

#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace
{
// The game as a user runs it, without a display.
CommandRun runGame(const std::string& arguments)
{
    return CommandRun::of(std::string("env -u DISPLAY ") + QUILLMARCH_GAME_PATH + " " + arguments);
}

TEST(ProgramExitTest, WithoutADisplayTheGameEndsWithAFailureStatusNotACrash)
{
    const CommandRun run = runGame("");
    ASSERT_FALSE(run.killedBySignal);
    EXPECT_GT(run.exitStatus, 0);
    EXPECT_NE(run.output.find("Could not open display"), std::string::npos) << run.output;
}

TEST(ProgramExitTest, WithTelemetryAndNoObserverTheGameStopsBeforeAWindowOpens)
{
    const int probe = RawServer::connectTo(1337);
    close(probe);
    if (probe >= 0)
        GTEST_SKIP() << "an observer listens on localhost:1337 on this machine";
    // Without a display as well: should the connection succeed after all, the game still ends at once.
    const CommandRun run = runGame("ws");
    ASSERT_FALSE(run.killedBySignal);
    EXPECT_GT(run.exitStatus, 0);
    EXPECT_NE(run.output.find("Websockets Activate"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("ERROR: wsc is null in Source/GameEngine/GameEngine"), std::string::npos)
        << run.output;
    // The engine library announces itself when it makes a device: it never got that far.
    EXPECT_EQ(run.output.find("Irrlicht Engine"), std::string::npos) << run.output;
}
}  // namespace
