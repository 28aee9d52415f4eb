#include "QuillmarchVersion.h"
#include "Support/CommandRun.h"
#include "Support/RawServer.h"

#include <algorithm>
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

// Help, the version and a bad option all end the program before the engine makes a device.
TEST(ProgramExitTest, ReadsItsCommandLineBeforeOpeningAnything)
{
    const std::string version = std::string("quillmarch ") + QuillmarchVersion::text + "\n";
    for (const auto& [arguments, exitStatus, shown] :
         {std::tuple("--version", 0, version.c_str()), std::tuple("ws --help", 0, "Usage: quillmarch"),
          std::tuple("--frobnicate ws", 2, "--frobnicate"), std::tuple("ws --window 800x600", 2, "--window"),
          std::tuple("--max-fps 60fps", 2, "--max-fps"), std::tuple("ws --max-fps 5000", 2, "--max-fps")})
    {
        const CommandRun run = runGame(arguments);
        EXPECT_EQ(run.exitStatus, exitStatus) << arguments;
        EXPECT_NE(run.output.find(shown), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("Irrlicht Engine"), std::string::npos) << run.output;
        if (exitStatus != 0)
        {
            EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
        }
    }
}

TEST(ProgramExitTest, WithTelemetryAndNoObserverTheGameStopsBeforeAWindowOpens)
{
    const int probe = RawServer::connectTo(1337);
    close(probe);
    if (probe >= 0)
        GTEST_SKIP() << "an observer listens on localhost:1337 on this machine";
    // Without a display as well: should the connection succeed after all, the game still ends at once.
    // The switch is a plain word that may stand anywhere among the words of the command line.
    const CommandRun run = runGame("again ws");
    ASSERT_FALSE(run.killedBySignal);
    EXPECT_GT(run.exitStatus, 0);
    EXPECT_NE(run.output.find("Websockets Activate"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("ERROR: wsc is null in Source/GameEngine/GameEngine"), std::string::npos)
        << run.output;
    // The engine library announces itself when it makes a device: it never got that far.
    EXPECT_EQ(run.output.find("Irrlicht Engine"), std::string::npos) << run.output;
}
}  // namespace
