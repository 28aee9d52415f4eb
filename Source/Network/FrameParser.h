#pragma once

#include "Network/Frame.h"

#include <cstddef>
#include <string>

namespace wsclient
{
// The receive buffer: collects received bytes and takes complete frames off its front.
class FrameParser
{
public:
    // The game ignores what the observer sends, so one megabyte of it is plenty.
    static constexpr std::size_t defaultCapacity = 1 << 20;
    // Two bytes, eight of extended length and four of masking key.
    static constexpr std::size_t largestHeaderBytes = 14;

    enum class Result
    {
        frame,
        incomplete,
        // The frame announced could never fit in the buffer; the stream cannot be followed past it.
        oversized
    };

    explicit FrameParser(std::size_t capacity = defaultCapacity);

    // How many bytes the receiver may append now. Above 0 whenever next() waits for more, so a
    // receiver that stays within it never waits forever.
    std::size_t room() const;
    void append(const char* data, std::size_t count);
    Result next(Frame& frame);

private:
    std::size_t buffered() const { return buffer.size() - start; }
    unsigned char byteAt(std::size_t offset) const;
    std::size_t readLength(std::size_t offset, std::size_t bytes) const;
    void takeFrame(Frame& frame, std::size_t headerSize, std::size_t length, bool masked);

    std::string buffer;
    // Bytes before this offset are already dispatched; they are dropped at the next append.
    std::size_t start = 0;
    std::size_t capacity;
    bool lost = false;
};
}  // namespace wsclient
