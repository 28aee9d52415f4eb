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

    explicit FrameWriter(bool useMask);

    void appendFrame(Opcode opcode, const std::string& payload);
    void appendCloseFrame();

    bool empty() const { return start == buffer.size(); }
    const char* data() const { return buffer.data() + start; }
    std::size_t size() const { return buffer.size() - start; }
    // Drops what the socket has taken from the front.
    void consume(std::size_t count);

private:
    void appendHeader(Opcode opcode, std::size_t length);
    void appendMasked(const std::string& payload);
    void dropConsumed();

    std::string buffer;
    std::size_t start = 0;
    bool useMask;
};
}  // namespace wsclient
