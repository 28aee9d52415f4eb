#include "Network/Deadline.h"

namespace wsclient
{
Deadline::Deadline(int milliseconds)
    : end(std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds))
{
}

bool Deadline::passed() const
{
    return std::chrono::steady_clock::now() >= end;
}

int Deadline::remainingMs() const
{
    const auto left = end - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero())
        return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}
}  // namespace wsclient
