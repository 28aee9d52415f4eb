#pragma once

#include <chrono>
#include <functional>

// Holds the frame loop to a most frames per second by sleeping the rest of each frame, instead of
// spinning: the machine stays cool and the processor free. Without a cap it does nothing.
class FramePacer
{
public:
    using Clock = std::chrono::steady_clock;
    using Sleep = std::function<void(Clock::duration)>;
    using Now = std::function<Clock::time_point()>;

    // `maxFps` 0 means no cap. The clock and the sleep are the real ones unless given.
    explicit FramePacer(unsigned maxFps, Now now = Clock::now, Sleep sleep = nullptr);

    // A new cap, from the next frame on; 0 lifts it.
    void setMaxFps(unsigned maxFps);
    // At the end of a frame: sleeps until the next frame is due. A frame that ran late starts the
    // schedule afresh, rather than letting the frames after it catch up in a burst.
    void endFrame();

private:
    Clock::duration period{};
    Now now;
    Sleep sleep;
    Clock::time_point nextFrame{};
    bool started = false;
};
