#include "GameEngine/FramePacer.h"

#include <thread>

FramePacer::FramePacer(unsigned maxFps, Now now, Sleep sleep)
    : now(std::move(now)),
      sleep(sleep ? std::move(sleep) : [](Clock::duration length) { std::this_thread::sleep_for(length); })
{
    setMaxFps(maxFps);
}

void FramePacer::setMaxFps(unsigned maxFps)
{
    period = maxFps > 0
                 ? std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / maxFps))
                 : Clock::duration::zero();
    started = false;
}

void FramePacer::endFrame()
{
    if (period == Clock::duration::zero())
        return;
    const Clock::time_point end = now();
    nextFrame = started ? nextFrame + period : end + period;
    started = true;
    if (nextFrame <= end)
    {
        nextFrame = end;
        return;
    }
    sleep(nextFrame - end);
}
