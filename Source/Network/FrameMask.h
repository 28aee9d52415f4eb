#pragma once

#include <array>
#include <cstddef>

namespace wsclient
{
// The XOR of a payload with a four-byte key: it masks, and applied again it unmasks.
class FrameMask
{
public:
    static constexpr std::size_t keyBytes = 4;

    explicit FrameMask(const char* keyStart);

    // The bytes are a payload from its first byte on: byte i goes with key byte i mod 4.
    void apply(char* bytes, std::size_t count) const;

private:
    std::array<char, keyBytes> key;
};
}  // namespace wsclient
