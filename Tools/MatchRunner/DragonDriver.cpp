#include "DragonDriver.h"

#include <array>
#include <cmath>

namespace
{
constexpr std::array<irr::EKEY_CODE, 4> courses = {irr::KEY_KEY_W, irr::KEY_KEY_A, irr::KEY_KEY_S,
                                                   irr::KEY_KEY_D};
}

DragonDriver::DragonDriver(std::uint32_t seed) : generator(seed)
{
}

void DragonDriver::drive(irr::IrrlichtDevice* device, double matchMs, double frameMs)
{
    const auto course = static_cast<long long>(std::floor(matchMs / courseMs));
    if (course != courseNumber)
    {
        courseNumber = course;
        changeCourse(device);
    }
    // A key pressed on one frame and let go on the next, as fingers do.
    postKey(device, irr::KEY_SPACE, reachesNext(matchMs, frameMs, campActionMs));
    postKey(device, irr::KEY_KEY_F, reachesNext(matchMs, frameMs, dashMs));
}

bool DragonDriver::reachesNext(double matchMs, double frameMs, double period)
{
    return std::floor((matchMs + frameMs) / period) > std::floor(matchMs / period);
}

void DragonDriver::changeCourse(irr::IrrlichtDevice* device)
{
    postKey(device, course, false);
    std::uniform_int_distribution<std::size_t> pick(0, courses.size() - 1);
    course = courses[pick(generator)];
    postKey(device, course, true);
}

void DragonDriver::restart(std::uint32_t seed)
{
    generator.seed(seed);
    courseNumber = -1;
    course = firstCourse;
}

void DragonDriver::releaseAll(irr::IrrlichtDevice* device)
{
    for (irr::EKEY_CODE key : courses)
        postKey(device, key, false);
    postKey(device, irr::KEY_SPACE, false);
    postKey(device, irr::KEY_KEY_F, false);
    courseNumber = -1;
}

void DragonDriver::postKey(irr::IrrlichtDevice* device, irr::EKEY_CODE key, bool pressedDown)
{
    irr::SEvent event{};
    event.EventType = irr::EET_KEY_INPUT_EVENT;
    event.KeyInput.Key = key;
    event.KeyInput.PressedDown = pressedDown;
    device->postEventFromUser(event);
}
