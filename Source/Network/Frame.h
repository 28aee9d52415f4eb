#pragma once

#include <cstddef>
#include <string>

namespace wsclient
{
// Any four-bit value can arrive; the named ones are those the client knows.
enum class Opcode : unsigned char
{
    continuation = 0,
    text = 1,
    binary = 2,
    close = 8,
    ping = 9,
    pong = 10
};

// One received frame, its payload already unmasked. The constants are the header's layout on the wire,
// for the parser and the writer alike.
struct Frame
{
    static constexpr unsigned char finalBit = 0x80;
    static constexpr unsigned char opcodeBits = 0x0F;
    static constexpr unsigned char maskBit = 0x80;
    static constexpr unsigned char lengthBits = 0x7F;
    // Length codes above this announce an extended length.
    static constexpr std::size_t largestShortLength = 125;
    static constexpr unsigned char sixteenBitLength = 126;
    static constexpr unsigned char sixtyFourBitLength = 127;
    static constexpr std::size_t largestSixteenBitLength = 65535;

    Opcode opcode = Opcode::continuation;
    bool final = false;
    std::string payload;
};
}  // namespace wsclient
