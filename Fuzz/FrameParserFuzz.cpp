// Feeds arbitrary bytes to the frame parser as received data. Besides the sanitizers' findings it checks
// that the frames found do not depend on how the bytes were split into receives, that a receiver never
// waits for room that cannot come, and that every ping's payload survives the pong that answers it.
#include "FuzzCheck.h"

#include "Network/FrameParser.h"
#include "Network/FrameWriter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

using wsclient::Frame;
using wsclient::FrameParser;
using wsclient::FrameWriter;
using wsclient::Opcode;

namespace
{
// The first bytes of an input choose the setting; the rest is what the socket delivered.
constexpr std::size_t settingBytes = 3;
constexpr std::size_t capacityStep = 16;
constexpr std::uint8_t defaultCapacityChoice = 0xFF;

struct Received
{
    std::vector<Frame> frames;
    bool oversized = false;
};

bool sameFrame(const Frame& first, const Frame& second)
{
    return first.opcode == second.opcode && first.final == second.final && first.payload == second.payload;
}

std::size_t capacityFor(std::uint8_t choice)
{
    if (choice == defaultCapacityChoice)
        return FrameParser::defaultCapacity;
    return FrameParser::largestHeaderBytes + choice * capacityStep;
}

// Receives as a connection does: never more than the parser has room for, frames taken after each piece.
Received receiveInPieces(const std::uint8_t* data, std::size_t size, std::size_t capacity, std::size_t piece)
{
    FrameParser parser(capacity);
    Received received;
    std::size_t offset = 0;
    for (;;)
    {
        Frame frame;
        FrameParser::Result result;
        while ((result = parser.next(frame)) == FrameParser::Result::frame)
        {
            check(frame.payload.size() <= capacity);
            received.frames.push_back(frame);
        }
        if (result == FrameParser::Result::oversized)
        {
            received.oversized = true;
            return received;
        }
        if (offset == size)
            return received;
        check(parser.room() > 0);
        const std::size_t count = std::min({piece, size - offset, parser.room()});
        parser.append(reinterpret_cast<const char*>(data) + offset, count);
        offset += count;
    }
}

void checkPongCarries(const std::string& payload)
{
    FrameWriter writer(true);
    writer.appendFrame(Opcode::pong, payload);
    FrameParser parser(FrameParser::largestHeaderBytes + payload.size());
    parser.append(writer.data(), writer.size());
    Frame pong;
    check(parser.next(pong) == FrameParser::Result::frame);
    check(pong.opcode == Opcode::pong && pong.final && pong.payload == payload);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < settingBytes)
        return 0;
    const std::size_t capacity = capacityFor(data[0]);
    const std::size_t firstPiece = std::size_t{data[1]} + 1;
    const std::size_t secondPiece = std::size_t{data[2]} * 7 + 1;
    const Received first = receiveInPieces(data + settingBytes, size - settingBytes, capacity, firstPiece);
    const Received second = receiveInPieces(data + settingBytes, size - settingBytes, capacity, secondPiece);

    check(first.oversized == second.oversized);
    check(first.frames.size() == second.frames.size());
    for (std::size_t index = 0; index < first.frames.size(); ++index)
    {
        check(sameFrame(first.frames[index], second.frames[index]));
        if (first.frames[index].opcode == Opcode::ping)
            checkPongCarries(first.frames[index].payload);
    }
    return 0;
}
