#pragma once

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

// One received frame, its payload already unmasked.
struct Frame
{
    Opcode opcode = Opcode::continuation;
    bool final = false;
    std::string payload;
};
}  // namespace wsclient
