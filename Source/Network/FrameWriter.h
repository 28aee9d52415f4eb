#pragma once

#include "Network/Frame.h"
#include "Network/FrameMask.h"

#include <cstddef>
#include <string>

namespace wsclient
{
// The send buffer: frames outgoing messages and holds their bytes until the socket takes them.
class FrameWriter
{
public:
    // The same key on every frame: it keeps proxies from misreading the stream, nothing more.
    static constexpr char maskingKey[FrameMask::keyBytes] = {'\x5A', '\xC3', '\x17', '\x9E'};

    // Holds a few seconds of the game's telemetry, so that an observer that stops reading costs a bounded
    // amount of memory and a slow one can still catch up.
    static constexpr std::size_t defaultCapacity = 4 << 20;

    explicit FrameWriter(bool useMask, std::size_t capacity = defaultCapacity);

    // False, and nothing appended, when the whole frame would take the buffer past its capacity.
    bool appendFrame(Opcode opcode, const std::string& payload);
    // Never refused: a connection must be able to close however far behind its peer is.
    void appendCloseFrame();

    bool empty() const { return start == buffer.size(); }
    const char* data() const { return buffer.data() + start; }
    std::size_t size() const { return buffer.size() - start; }
    // Drops what the socket has taken from the front.
    void consume(std::size_t count);

private:
    std::size_t frameBytes(std::size_t length) const;
    void appendHeader(Opcode opcode, std::size_t length);
    void appendMasked(const std::string& payload);
    void dropConsumed();

    std::string buffer;
    std::size_t start = 0;
    bool useMask;
    std::size_t capacity;
};
}  // namespace wsclient
