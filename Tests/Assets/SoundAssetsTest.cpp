#include <gtest/gtest.h>

#include <cmath>
#include <sndfile.h>
#include <string>
#include <vector>

namespace
{
// A sound as the game's sound engine reads it, through libsndfile: how long it lasts and how loud it is
// (root mean square, 0 to 1). Effects are mono so that they can take a place in the world.
struct SoundAsset
{
    const char* file;
    int channels;
    double shortest, longest, quietest, loudest;
};

void PrintTo(const SoundAsset& sound, std::ostream* out)
{
    *out << sound.file;
}

class SoundAssets : public testing::TestWithParam<SoundAsset>
{
};

TEST_P(SoundAssets, IsA44kHz16BitClipOfItsChannelsLengthAndLoudness)
{
    const SoundAsset& expected = GetParam();
    SF_INFO info{};
    SNDFILE* file =
        sf_open((std::string("../Assets/Audio/") + expected.file + ".wav").c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    std::vector<double> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_read_double(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(info.channels, expected.channels);
    const double seconds = static_cast<double>(info.frames) / info.samplerate;
    EXPECT_TRUE(seconds > expected.shortest && seconds < expected.longest) << seconds;
    double sum = 0.0;
    for (double sample : samples)
        sum += sample * sample;
    const double loudness = std::sqrt(sum / static_cast<double>(samples.size()));
    EXPECT_TRUE(loudness > expected.quietest && loudness < expected.loudest) << loudness;
}

SoundAsset effect(const char* file)
{
    return {file, 1, 0.1, 2.0, 0.05, 1.0};
}

INSTANTIATE_TEST_SUITE_P(GameSounds, SoundAssets,
                         testing::Values(SoundAsset{"Background", 2, 30.0, 1e9, 0.05, 0.5},
                                         effect("CreateCamp"), effect("FailedCamp"), effect("CaptureCamp"),
                                         effect("LostCamp"), effect("ReinforceCamp"), effect("LostUnit"),
                                         effect("Stunned"), effect("PickupUnit"), effect("SkillShot")),
                         [](const testing::TestParamInfo<SoundAsset>& info) { return info.param.file; });
}  // namespace
