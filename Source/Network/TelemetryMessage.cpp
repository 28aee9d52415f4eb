#include "Network/TelemetryMessage.h"

#include "Network/NumberText.h"

namespace
{
// Room for the fixed pieces and a typical tile text with its separator, so the message grows once.
constexpr std::size_t fixedPiecesBytes = 96;
constexpr std::size_t expectedTileBytes = 12;
}  // namespace

std::string TelemetryMessage::player(int id, const irr::core::vector3df& position,
                                     const std::vector<Score>& scores)
{
    std::string message = "{ \"type\": \"player\", \"id\": \"";
    message += NumberText::of(id);
    message += "\", \"xpos\": \"";
    message += NumberText::of(position.X);
    message += "\", \"ypos\": \"";
    message += NumberText::of(position.Y);
    message += "\", \"zpos\": \"";
    message += NumberText::of(position.Z);
    message += "\", \"score\":[";
    for (std::size_t index = 0; index < scores.size(); ++index)
    {
        if (index > 0)
            message += ",";
        message += "{ \"name\": \"";
        message += NumberText::of(scores[index].id);
        message += "\", \"score\": \"";
        message += NumberText::of(scores[index].points);
        message += "\"} ";
    }
    message += "]}";
    return message;
}

std::string TelemetryMessage::stats(int framesPerSecond, float gameTime, unsigned camps, int freeUnits)
{
    std::string message = "{ \"type\": \"stats\", \"fps\": \"";
    message += NumberText::of(framesPerSecond);
    message += "\", \"gametime\": \"";
    message += NumberText::of(gameTime);
    message += "\", \"amountOfCamps\": \"";
    message += NumberText::of(camps);
    message += "\", \"freeUnits\": \"";
    message += NumberText::of(freeUnits);
    message += "\" } ";
    return message;
}

std::string TelemetryMessage::influence(const std::string& widthText, const std::string& heightText,
                                        const std::vector<float>& tiles)
{
    std::string message;
    message.reserve(fixedPiecesBytes + tiles.size() * expectedTileBytes);
    message += "{ \"type\": \"influence\", \"widthInTiles\" : \"";
    message += widthText;
    message += "\", \"heightInTiles\" : \"";
    message += heightText;
    message += "\"  , \"influence\": [";
    for (std::size_t index = 0; index < tiles.size(); ++index)
    {
        if (index > 0)
            message += ", ";
        message += NumberText::of(tiles[index]);
    }
    message += "]}";
    return message;
}
