#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace
{
// Runs the game as a user would and returns its raw wait status.
int runGame(const std::string& environment, const std::string& arguments)
{
    const std::string command =
        "env " + environment + " " + QUILLMARCH_GAME_PATH + " " + arguments + " > /dev/null 2>&1";
    return std::system(command.c_str());
}

TEST(ProgramExitTest, WithoutADisplayTheGameEndsWithAFailureStatusNotACrash)
{
    const int status = runGame("-u DISPLAY", "");
    ASSERT_TRUE(WIFEXITED(status)) << "the game was killed by a signal";
    EXPECT_NE(WEXITSTATUS(status), 0);
}
}  // namespace
