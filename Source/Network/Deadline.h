#pragma once

#include <chrono>

namespace wsclient
{
// A point in time that several waits share, so that together they stay within one limit.
class Deadline
{
public:
    explicit Deadline(int milliseconds);

    // Rounded up, so a wait for the rest does not wake just before the end and spin; 0 once passed.
    int remainingMs() const;
    bool passed() const;

private:
    std::chrono::steady_clock::time_point end;
};
}  // namespace wsclient
