#include "External/ISoundEngine.h"
#include "Support/ConsoleCapture.h"
#include "ToneFile.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>

namespace
{
// OpenAL reads its driver list once, at its first call: this suite has a process of its own.
TEST(SilentSoundEngineTest, WithoutADeviceTheFactoryWarnsOnceAndTheEngineIgnoresEveryCall)
{
    setenv("ALSOFT_DRIVERS", "nonexistent", 1);
    const std::filesystem::path sound = std::filesystem::temp_directory_path() / "QuillmarchSilentTone.wav";
    ASSERT_TRUE(writeToneFile(sound.string(), 0.1, 1));

    ConsoleCapture console;
    ISoundEngine* engine = createIrrKlangDevice(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.5.0");
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->play2D(sound.c_str(), true, false, true), nullptr);
    EXPECT_EQ(engine->play3D(sound.c_str(), {1, 2, 3}, false, false, true), nullptr);
    EXPECT_EQ(engine->play2D("Missing.wav", false, false, true), nullptr);
    const float notANumber = std::numeric_limits<float>::quiet_NaN();
    engine->setListenerPosition({notANumber, 0, 0}, {0, 0, 0});
    engine->drop();

    const auto lines = console.reportLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "WARNING: Cannot open an audio device; the game plays without sound");
    std::filesystem::remove(sound);
}
}  // namespace
