#include "External/ISoundEngine.h"
#include "Support/ConsoleCapture.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>

namespace
{
// OpenAL reads its driver list once, at its first call: this suite has a process of its own.
TEST(SilentSoundEngineTest, WithoutADeviceTheFactoryWarnsOnceAndTheEngineIgnoresEveryCall)
{
    setenv("ALSOFT_DRIVERS", "nonexistent", 1);
    const char* sound = "../Assets/Audio/PickupUnit.wav";
    ConsoleCapture console;
    ISoundEngine* engine = createIrrKlangDevice(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.5.0");
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->play2D(sound, true, false, true), nullptr);
    EXPECT_EQ(engine->play3D(sound, {1, 2, 3}, false, false, true), nullptr);
    EXPECT_EQ(engine->play2D("Missing.wav", false, false, true), nullptr);
    engine->setListenerPosition({std::numeric_limits<float>::quiet_NaN(), 0, 0}, {0, 0, 0});
    engine->drop();
    EXPECT_EQ(console.reportLines(),
              std::vector<std::string>{"WARNING: Cannot open an audio device; the game plays without sound"});
}
}  // namespace
