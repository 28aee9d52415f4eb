#include <cmath>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <string>
#include <vector>

namespace
{
TEST(SoundAssets, SoundsAre44kHz16BitClipsOfTheirChannelsLengthAndLoudness)
{
    // As the game's sound engine reads them, through libsndfile. Effects are mono, so that they can take a
    // place in the world; loudness is the root mean square, 0 to 1.
    const struct
    {
        const char* name;
        int channels;
        double shortest, longest, quietest, loudest;
    } sounds[] = {{"Background", 2, 30.0, 1e9, 0.05, 0.5}, {"CreateCamp", 1, 0.1, 2.0, 0.05, 1.0},
                  {"FailedCamp", 1, 0.1, 2.0, 0.05, 1.0},  {"CaptureCamp", 1, 0.1, 2.0, 0.05, 1.0},
                  {"LostCamp", 1, 0.1, 2.0, 0.05, 1.0},    {"ReinforceCamp", 1, 0.1, 2.0, 0.05, 1.0},
                  {"LostUnit", 1, 0.1, 2.0, 0.05, 1.0},    {"Stunned", 1, 0.1, 2.0, 0.05, 1.0},
                  {"PickupUnit", 1, 0.1, 2.0, 0.05, 1.0},  {"SkillShot", 1, 0.1, 2.0, 0.05, 1.0}};
    for (const auto& sound : sounds)
    {
        SCOPED_TRACE(sound.name);
        SF_INFO info{};
        SNDFILE* file =
            sf_open((std::string("../Assets/Audio/") + sound.name + ".wav").c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr);
        std::vector<double> samples(static_cast<std::size_t>(info.frames * info.channels));
        sf_read_double(file, samples.data(), static_cast<sf_count_t>(samples.size()));
        sf_close(file);
        EXPECT_TRUE(info.samplerate == 44100 && info.format == (SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        EXPECT_EQ(info.channels, sound.channels);
        const double seconds = static_cast<double>(info.frames) / info.samplerate;
        EXPECT_TRUE(seconds > sound.shortest && seconds < sound.longest) << seconds;
        double sum = 0.0;
        for (double sample : samples)
            sum += sample * sample;
        const double loudness = std::sqrt(sum / static_cast<double>(samples.size()));
        EXPECT_TRUE(loudness > sound.quietest && loudness < sound.loudest) << loudness;
    }
}
}  // namespace
