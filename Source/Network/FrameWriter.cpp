#include "Network/FrameWriter.h"

namespace wsclient
{
namespace
{
// Close, with the mask bit, no payload, and zeros where the key stands.
constexpr char closeFrame[] = {'\x88', '\x80', '\0', '\0', '\0', '\0'};
}  // namespace

FrameWriter::FrameWriter(bool useMask) : useMask(useMask)
{
}

void FrameWriter::appendFrame(Opcode opcode, const std::string& payload)
{
    dropConsumed();
    appendHeader(opcode, payload.size());
    if (useMask)
        appendMasked(payload);
    else
        buffer += payload;
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

void FrameWriter::appendHeader(Opcode opcode, std::size_t length)
{
    const unsigned char maskFlag = useMask ? Frame::maskBit : 0;
    buffer += static_cast<char>(Frame::finalBit | static_cast<unsigned char>(opcode));
    int lengthBytes = 0;
    if (length <= Frame::largestShortLength)
        buffer += static_cast<char>(maskFlag | length);
    else if (length <= Frame::largestSixteenBitLength)
    {
        buffer += static_cast<char>(maskFlag | Frame::sixteenBitLength);
        lengthBytes = 2;
    }
    else
    {
        buffer += static_cast<char>(maskFlag | Frame::sixtyFourBitLength);
        lengthBytes = 8;
    }
    for (int index = lengthBytes - 1; index >= 0; --index)
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
