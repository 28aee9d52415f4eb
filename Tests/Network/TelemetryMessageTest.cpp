#include "Network/TelemetryMessage.h"
#include "Network/NumberText.h"

#include <gtest/gtest.h>

namespace
{
TEST(TelemetryMessageTest, AnInfluenceMessageListsItsTilesAsBareNumbers)
{
    EXPECT_EQ(TelemetryMessage::influence(NumberText::of(21), NumberText::of(21), {0.0f, 0.5f, 0.00001f}),
              "{ \"type\": \"influence\", \"widthInTiles\" : \"21\", \"heightInTiles\" : \"21\"  , "
              "\"influence\": [0, 0.5, 1e-005]}");
}

TEST(TelemetryMessageTest, AnInfluenceMessageWithoutTilesHasAnEmptyList)
{
    EXPECT_EQ(TelemetryMessage::influence(NumberText::of(21.0f), NumberText::of(3.5f), {}),
              "{ \"type\": \"influence\", \"widthInTiles\" : \"21\", \"heightInTiles\" : \"3.5\"  , "
              "\"influence\": []}");
}
}  // namespace
