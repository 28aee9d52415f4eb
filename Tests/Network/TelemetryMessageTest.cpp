#include "Network/TelemetryMessage.h"
#include "Network/NumberText.h"

#include <gtest/gtest.h>

namespace
{
TEST(TelemetryMessageTest, AnInfluenceMessageListsItsTilesAsBareNumbers)
{
    const std::string head = R"({ "type": "influence", "widthInTiles" : "21", "heightInTiles" : )";
    EXPECT_EQ(TelemetryMessage::influence(NumberText::of(21), NumberText::of(21), {0.0f, 0.5f, 0.00001f}),
              head + R"("21"  , "influence": [0, 0.5, 1e-005]})");
    EXPECT_EQ(TelemetryMessage::influence(NumberText::of(21.0f), NumberText::of(3.5f), {}),
              head + R"("3.5"  , "influence": []})");
}
}  // namespace
