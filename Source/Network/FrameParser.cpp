#include "Network/FrameParser.h"

#include "Network/FrameMask.h"

#include <algorithm>
#include <limits>

namespace wsclient
{

FrameParser::FrameParser(std::size_t capacity) : capacity(std::max(capacity, largestHeaderBytes))
{
}

std::size_t FrameParser::room() const
{
    return lost ? capacity : capacity - std::min(capacity, buffered());
}

void FrameParser::append(const char* data, std::size_t count)
{
    if (lost)
        return;
    buffer.erase(0, start);
    start = 0;
    buffer.append(data, count);
}

FrameParser::Result FrameParser::next(Frame& frame)
{
    if (lost || buffered() < 2)
        return Result::incomplete;
    const unsigned char lengthCode = byteAt(1) & Frame::lengthBits;
    const bool masked = (byteAt(1) & Frame::maskBit) != 0;
    std::size_t lengthBytes = 0;
    if (lengthCode == Frame::sixteenBitLength)
        lengthBytes = 2;
    else if (lengthCode == Frame::sixtyFourBitLength)
        lengthBytes = 8;
    const std::size_t headerSize = 2 + lengthBytes + (masked ? FrameMask::keyBytes : 0);
    if (buffered() < headerSize)
        return Result::incomplete;

    const std::size_t length = lengthBytes == 0 ? lengthCode : readLength(2, lengthBytes);
    if (length > capacity - headerSize)
    {
        lost = true;
        buffer.clear();
        start = 0;
        return Result::oversized;
    }
    if (buffered() < headerSize + length)
        return Result::incomplete;
    takeFrame(frame, headerSize, length, masked);
    return Result::frame;
}

unsigned char FrameParser::byteAt(std::size_t offset) const
{
    return static_cast<unsigned char>(buffer[start + offset]);
}

// Saturates rather than wrapping, so an absurd 64-bit length stays absurd.
std::size_t FrameParser::readLength(std::size_t offset, std::size_t bytes) const
{
    constexpr std::size_t limit = std::numeric_limits<std::size_t>::max();
    std::size_t length = 0;
    for (std::size_t index = 0; index < bytes; ++index)
    {
        if (length > (limit >> 8))
            return limit;
        length = (length << 8) | byteAt(offset + index);
    }
    return length;
}

void FrameParser::takeFrame(Frame& frame, std::size_t headerSize, std::size_t length, bool masked)
{
    frame.final = (byteAt(0) & Frame::finalBit) != 0;
    frame.opcode = static_cast<Opcode>(byteAt(0) & Frame::opcodeBits);
    frame.payload.assign(buffer, start + headerSize, length);
    if (masked)
        FrameMask(buffer.data() + start + headerSize - FrameMask::keyBytes)
            .apply(frame.payload.data(), length);
    start += headerSize + length;
    if (start == buffer.size())
    {
        buffer.clear();
        start = 0;
    }
}
}  // namespace wsclient
