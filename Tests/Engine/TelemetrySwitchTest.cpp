#include "GameEngine/TelemetrySwitch.h"
#include "Support/ConsoleCapture.h"

#include <gtest/gtest.h>

namespace
{
struct SwitchCase
{
    std::string name;
    std::vector<const char*> arguments;
    bool telemetry;
    std::vector<std::string> lines;
};

void PrintTo(const SwitchCase& switchCase, std::ostream* out)
{
    *out << switchCase.name;
}

class TelemetrySwitchTest : public ::testing::TestWithParam<SwitchCase>
{
};

TEST_P(TelemetrySwitchTest, OnlyExactlyWsTurnsTelemetryOnAndTheDecisionIsLogged)
{
    const SwitchCase& switchCase = GetParam();
    std::vector<const char*> argv{"Quillmarch"};
    argv.insert(argv.end(), switchCase.arguments.begin(), switchCase.arguments.end());

    ConsoleCapture console;
    const bool telemetry = TelemetrySwitch::read(static_cast<int>(argv.size()), argv.data());

    EXPECT_EQ(telemetry, switchCase.telemetry);
    EXPECT_EQ(console.lines(), switchCase.lines);
}

INSTANTIATE_TEST_SUITE_P(Arguments, TelemetrySwitchTest,
                         ::testing::Values(SwitchCase{"NoArgument", {}, false, {}},
                                           SwitchCase{"Ws", {"ws"}, true, {"Websockets Activate"}},
                                           SwitchCase{
                                               "WsWithMore", {"ws", "extra"}, true, {"Websockets Activate"}},
                                           SwitchCase{"Wss", {"wss"}, false, {"No Websockets"}},
                                           SwitchCase{"W", {"w"}, false, {"No Websockets"}},
                                           SwitchCase{"UpperCase", {"WS"}, false, {"No Websockets"}},
                                           SwitchCase{"Empty", {""}, false, {"No Websockets"}}),
                         [](const ::testing::TestParamInfo<SwitchCase>& info) { return info.param.name; });
}  // namespace
