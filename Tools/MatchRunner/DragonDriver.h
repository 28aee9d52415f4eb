#pragma once

#include <cstdint>
#include <irrlicht.h>
#include <random>

// Plays the dragon's keys at random, as a restless player would: it walks in one direction for a while,
// now and then founds a camp or dashes, on a clock of its own match's time, so that it plays alike at any
// frame rate. Its own generator, from the run's seed, leaves the game's chance untouched.
class DragonDriver
{
public:
    // In ms: 45, 700 and 300 frames of 16 ms.
    static constexpr double courseMs = 720.0;
    static constexpr double campActionMs = 11200.0;
    static constexpr double dashMs = 4800.0;

    explicit DragonDriver(std::uint32_t seed);

    // Posts the key events of the frame that begins `matchMs` into the match and lasts `frameMs`.
    void drive(irr::IrrlichtDevice* device, double matchMs, double frameMs);
    // Plays from the start again, as a driver made with `seed` would.
    void restart(std::uint32_t seed);
    // Lets go of every key, so that nothing is held into the next match.
    void releaseAll(irr::IrrlichtDevice* device);

private:
    static void postKey(irr::IrrlichtDevice* device, irr::EKEY_CODE key, bool pressedDown);
    void changeCourse(irr::IrrlichtDevice* device);

    // Whether a frame from `matchMs` lasting `frameMs` reaches the next multiple of `period`.
    static bool reachesNext(double matchMs, double frameMs, double period);

    std::mt19937 generator;
    long long courseNumber = -1;
    static constexpr irr::EKEY_CODE firstCourse = irr::KEY_KEY_W;
    irr::EKEY_CODE course = firstCourse;
};
