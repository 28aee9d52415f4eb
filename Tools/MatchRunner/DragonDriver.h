#pragma once

#include <cstdint>
#include <irrlicht.h>
#include <random>

// Plays the dragon's keys at random, as a restless player would: it walks in one direction for a while,
// now and then founds a camp or dashes. Its own generator, from the run's seed, leaves the game's chance
// untouched.
class DragonDriver
{
public:
    static constexpr int framesPerCourse = 45;
    static constexpr int framesPerCampAction = 700;
    static constexpr int framesPerDash = 300;

    explicit DragonDriver(std::uint32_t seed);

    // Posts this frame's key events to the device.
    void drive(irr::IrrlichtDevice* device);
    // Plays from the start again, as a driver made with `seed` would.
    void restart(std::uint32_t seed);
    // Lets go of every key, so that nothing is held into the next match.
    void releaseAll(irr::IrrlichtDevice* device);

private:
    static void postKey(irr::IrrlichtDevice* device, irr::EKEY_CODE key, bool pressedDown);
    void changeCourse(irr::IrrlichtDevice* device);

    std::mt19937 generator;
    long long frame = 0;
    static constexpr irr::EKEY_CODE firstCourse = irr::KEY_KEY_W;
    irr::EKEY_CODE course = firstCourse;
};
