#include "GameEngine/TelemetrySwitch.h"
#include "Support/ConsoleCapture.h"

#include <gtest/gtest.h>

namespace
{
TEST(TelemetrySwitchTest, OnlyExactlyWsTurnsTelemetryOnAndAnyArgumentIsAnswered)
{
    const std::pair<std::vector<const char*>, bool> cases[] = {
        {{}, false},     {{"ws"}, true}, {{"ws", "extra"}, true}, {{"wss"}, false}, {{"w"}, false},
        {{"WS"}, false}, {{""}, false}};
    for (const auto& [arguments, telemetry] : cases)
    {
        std::vector<const char*> argv{"Quillmarch"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        ConsoleCapture console;
        EXPECT_EQ(TelemetrySwitch::read(static_cast<int>(argv.size()), argv.data()), telemetry);
        const std::vector<std::string> answer{telemetry ? "Websockets Activate" : "No Websockets"};
        EXPECT_EQ(console.lines(), arguments.empty() ? std::vector<std::string>{} : answer)
            << (arguments.empty() ? "no argument" : arguments[0]);
    }
}
}  // namespace
