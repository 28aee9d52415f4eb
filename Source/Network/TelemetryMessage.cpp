#include "Network/TelemetryMessage.h"

#include "Network/NumberText.h"

namespace
{
// Room for the fixed pieces and a typical tile text with its separator, so the message grows once.
constexpr std::size_t fixedPiecesBytes = 96;
constexpr std::size_t expectedTileBytes = 12;
}  // namespace

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
