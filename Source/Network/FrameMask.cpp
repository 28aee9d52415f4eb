#include "Network/FrameMask.h"

#include <algorithm>

namespace wsclient
{
FrameMask::FrameMask(const char* keyStart)
{
    std::copy_n(keyStart, keyBytes, key.begin());
}

void FrameMask::apply(char* bytes, std::size_t count) const
{
    for (std::size_t index = 0; index < count; ++index)
        bytes[index] = static_cast<char>(bytes[index] ^ key[index % keyBytes]);
}
}  // namespace wsclient
