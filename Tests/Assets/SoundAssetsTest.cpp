#include <gtest/gtest.h>

#include <cmath>
#include <sndfile.h>
#include <string>
#include <vector>

namespace
{
const std::vector<std::string> effectFiles = {"CreateCamp.wav", "FailedCamp.wav",    "CaptureCamp.wav",
                                              "LostCamp.wav",   "ReinforceCamp.wav", "LostUnit.wav",
                                              "Stunned.wav",    "PickupUnit.wav",    "SkillShot.wav"};

struct Decoded
{
    SF_INFO info{};
    std::vector<short> samples;
    bool opened = false;

    double seconds() const { return static_cast<double>(info.frames) / info.samplerate; }
    // Root mean square of the first channel, 0 to 1.
    double loudness() const
    {
        double sum = 0.0;
        for (std::size_t k = 0; k < samples.size(); k += static_cast<std::size_t>(info.channels))
            sum += static_cast<double>(samples[k]) * samples[k];
        return std::sqrt(sum / static_cast<double>(info.frames)) / 32768.0;
    }
    // Sign changes per second of the first channel: a rough measure of pitch and brightness.
    double crossingsPerSecond() const
    {
        int crossings = 0;
        const auto step = static_cast<std::size_t>(info.channels);
        for (std::size_t k = step; k < samples.size(); k += step)
            crossings += (samples[k - step] < 0) != (samples[k] < 0) ? 1 : 0;
        return crossings / seconds();
    }
};

// Reads a sound the way the game's sound engine does, through libsndfile.
Decoded decode(const std::string& file)
{
    Decoded sound;
    SNDFILE* in = sf_open(("../Assets/Audio/" + file).c_str(), SFM_READ, &sound.info);
    if (!in)
        return sound;
    sound.opened = true;
    sound.samples.resize(static_cast<std::size_t>(sound.info.frames * sound.info.channels));
    sf_read_short(in, sound.samples.data(), static_cast<sf_count_t>(sound.samples.size()));
    sf_close(in);
    return sound;
}

void expectGameFormat(const Decoded& sound)
{
    EXPECT_EQ(sound.info.samplerate, 44100);
    EXPECT_EQ(sound.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

TEST(SoundAssets, EffectsAreShortAudibleMonoClipsWithoutClicksThatAllSoundDifferent)
{
    std::vector<Decoded> sounds;
    for (const std::string& file : effectFiles)
    {
        SCOPED_TRACE(file);
        sounds.push_back(decode(file));
        const Decoded& sound = sounds.back();
        ASSERT_TRUE(sound.opened);
        expectGameFormat(sound);
        // Mono, so the sound engine can place them in space.
        EXPECT_EQ(sound.info.channels, 1);
        EXPECT_GT(sound.seconds(), 0.1);
        EXPECT_LT(sound.seconds(), 2.0);
        EXPECT_GT(sound.loudness(), 0.05);
        // Starting and ending at rest: no click when a clip starts or stops.
        EXPECT_LT(std::abs(sound.samples.front()), 100);
        EXPECT_LT(std::abs(sound.samples.back()), 100);
    }
    // Each event is told apart by its length or its pitch.
    for (std::size_t a = 0; a < sounds.size(); ++a)
        for (std::size_t b = a + 1; b < sounds.size(); ++b)
        {
            const double pitchRatio = sounds[a].crossingsPerSecond() / sounds[b].crossingsPerSecond();
            EXPECT_TRUE(std::fabs(sounds[a].seconds() - sounds[b].seconds()) > 0.04 || pitchRatio < 0.9 ||
                        pitchRatio > 1.1)
                << effectFiles[a] << " and " << effectFiles[b];
        }
}

TEST(SoundAssets, BackgroundMusicIsLongAndLoopsWithoutAJump)
{
    const Decoded music = decode("Background.wav");
    ASSERT_TRUE(music.opened);
    expectGameFormat(music);
    EXPECT_GE(music.seconds(), 30.0);
    EXPECT_GT(music.loudness(), 0.05);
    EXPECT_LT(music.loudness(), 0.5);
    // Across the loop point the wave moves no more than it does between neighbouring samples
    // anywhere else: no click when it starts over.
    const auto channels = static_cast<std::size_t>(music.info.channels);
    for (std::size_t channel = 0; channel < channels; ++channel)
    {
        int largestStep = 0;
        for (std::size_t k = channel + channels; k < music.samples.size(); k += channels)
            largestStep = std::max(largestStep, std::abs(music.samples[k] - music.samples[k - channels]));
        const int seam =
            std::abs(music.samples[music.samples.size() - channels + channel] - music.samples[channel]);
        EXPECT_LE(seam, largestStep);
        EXPECT_LT(seam, 2000);
    }
}
}  // namespace
