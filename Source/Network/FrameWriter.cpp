#include "Network/FrameWriter.h"

#include <algorithm>

namespace wsclient
{
namespace
{
// Close, with the mask bit, no payload, and zeros where the key stands.
constexpr char closeFrame[] = {'\x88', '\x80', '\0', '\0', '\0', '\0'};

std::size_t extendedLengthBytes(std::size_t length)
{
    if (length <= Frame::largestShortLength)
        return 0;
    return length <= Frame::largestSixteenBitLength ? 2 : 8;
}
}  // namespace

FrameWriter::FrameWriter(bool useMask, std::size_t capacity) : useMask(useMask), capacity(capacity)
{
}

bool FrameWriter::appendFrame(Opcode opcode, const std::string& payload)
{
    if (frameBytes(payload.size()) > capacity - std::min(capacity, size()))
        return false;
    dropConsumed();
    appendHeader(opcode, payload.size());
    if (useMask)
        appendMasked(payload);
    else
        buffer += payload;
    return true;
}

void FrameWriter::appendCloseFrame()
{
    dropConsumed();
    buffer.append(closeFrame, sizeof closeFrame);
}

void FrameWriter::consume(std::size_t count)
{
    start += count;
    if (start >= buffer.size())
    {
        buffer.clear();
        start = 0;
    }
}

std::size_t FrameWriter::frameBytes(std::size_t length) const
{
    return 2 + extendedLengthBytes(length) + (useMask ? FrameMask::keyBytes : 0) + length;
}

void FrameWriter::appendHeader(Opcode opcode, std::size_t length)
{
    const unsigned char maskFlag = useMask ? Frame::maskBit : 0;
    buffer += static_cast<char>(Frame::finalBit | static_cast<unsigned char>(opcode));
    const std::size_t lengthBytes = extendedLengthBytes(length);
    if (lengthBytes == 0)
        buffer += static_cast<char>(maskFlag | length);
    else
        buffer += static_cast<char>(maskFlag |
                                    (lengthBytes == 2 ? Frame::sixteenBitLength : Frame::sixtyFourBitLength));
    for (std::size_t index = lengthBytes; index-- > 0;)
        buffer += static_cast<char>((static_cast<unsigned long long>(length) >> (8 * index)) & 0xFF);
    if (useMask)
        buffer.append(maskingKey, sizeof maskingKey);
}

void FrameWriter::appendMasked(const std::string& payload)
{
    const std::size_t offset = buffer.size();
    buffer += payload;
    FrameMask(maskingKey).apply(&buffer[offset], payload.size());
}

// Keeps the buffer from holding sent bytes while new frames go in behind them.
void FrameWriter::dropConsumed()
{
    buffer.erase(0, start);
    start = 0;
}
}  // namespace wsclient
