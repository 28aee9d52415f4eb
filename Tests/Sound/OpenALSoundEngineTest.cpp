#include "External/ISoundEngine.h"
#include "External/VoicePool.h"
#include "Support/ConsoleCapture.h"
#include "WaveOutput.h"

#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <optional>

namespace
{
using irr::core::vector3df;
using testing::ElementsAre;
using testing::StartsWith;
using Segments = std::vector<WaveOutput::Segment>;

const vector3df origin(0, 0, 0), ahead(0, 0, 1), behind(0, 0, -1), rightSide(10, 0, 0);
const float notANumber = std::numeric_limits<float>::quiet_NaN();
WaveOutput& output = WaveOutput::instance();

// Real OpenAL Soft, mixing in real time into the wave backend's file.
class OpenALSoundEngineTest : public ::testing::Test
{
protected:
    void SetUp() override { engine = openDevice(); }
    void TearDown() override { dropEngine(); }

    static ISoundEngine* openDevice(const char* name = nullptr)
    {
        return createIrrKlangDevice(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, name, "1.5.0");
    }

    // A 16-bit, 44.1 kHz WAV file of a steady 440 Hz sine, the same on every channel.
    static std::string toneFile(const std::string& name, double seconds, int channels = 1)
    {
        const std::string path = (output.getDirectory() / name).string();
        SF_INFO info{0, 44100, channels, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0, 0};
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        std::vector<double> samples;
        for (int frame = 0; frame < seconds * info.samplerate; ++frame)
            samples.insert(samples.end(), channels, 0.5 * std::sin(2 * M_PI * 440 * frame / info.samplerate));
        sf_writef_double(file, samples.data(), static_cast<sf_count_t>(samples.size() / channels));
        sf_close(file);
        return path;
    }

    // Waits for a tracked sound to end, then leaves a gap of silence behind it.
    static void playToTheEnd(ISound* sound)
    {
        ASSERT_NE(sound, nullptr);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!sound->isFinished() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_TRUE(sound->isFinished());
        sound->drop();
        EXPECT_TRUE(output.waitForMixing(0.06));
    }

    // Closing the device is what finishes the output file.
    Segments finishRecording()
    {
        dropEngine();
        EXPECT_TRUE(output.finished());
        return output.segments();
    }

    void dropEngine()
    {
        if (engine)
            engine->drop();
        engine = nullptr;
    }

    ISoundEngine* engine = nullptr;
};

// How a sound must balance between the two channels.
constexpr int louderLeft = -1, alike = 0, louderRight = 1;

// One sound of a listening session: where the listener stands and looks, which file plays from where
// (nowhere: flat), how it must balance, and how loud it may be beside the sound before it.
struct Hearing
{
    const char* what;
    vector3df listener, look, up;
    const char* file;
    std::optional<vector3df> from;
    int balance;
    double leastLoudness = 0, mostLoudness = std::numeric_limits<double>::infinity();
};

TEST_F(OpenALSoundEngineTest, EachSoundIsHeardFromWhereItPlaysAsTheListenerStandsAndLooks)
{
    const vector3df up(0, 1, 0), none(0, 0, 0), downAhead(0, -1, 1);
    const float along = 30 / std::sqrt(2.0f);
    const Hearing session[] = {
        {"flat", origin, ahead, up, "Shot", {}, alike},
        {"flat stereo", origin, ahead, up, "Music", {}, alike},
        {"to the right", origin, ahead, up, "Shot", rightSide, louderRight},
        // On a voice that last played to the right, a place that cannot be heard from plays flat.
        {"from nowhere", origin, ahead, up, "Shot", vector3df(notANumber, 0, 0), alike},
        {"passed by", {20, 0, 0}, ahead, up, "Shot", rightSide, louderLeft},
        {"turned around", origin, behind, up, "Shot", rightSide, louderLeft},
        // A look that gives no direction keeps the last one: still turned around.
        {"no look", origin, none, up, "Shot", rightSide, louderLeft},
        {"look not a number", origin, {notANumber, 0, 1}, up, "Shot", rightSide, louderLeft},
        {"look infinite", origin, {1 / 0.0f, 0, 0}, up, "Shot", rightSide, louderLeft},
        {"look along up", origin, {0, 90, 0}, up, "Shot", rightSide, louderLeft},
        {"no up", origin, ahead, none, "Shot", rightSide, louderLeft},
        {"30 ahead", origin, ahead, up, "Shot", vector3df(0, 0, 30), alike},
        // The game's camera looks down at its player and passes the world's up with it.
        {"30 ahead, tilted", origin, downAhead, up, "Shot", vector3df(0, -along, along), alike, 0.97, 1.03},
        {"to the right, tilted", origin, downAhead, up, "Shot", rightSide, louderRight},
        {"near wall", origin, ahead, up, "Shot", vector3df(0, 0, 10), alike},
        {"far wall", origin, ahead, up, "Shot", vector3df(0, 0, 100), alike, 0.05, 0.5},
        // A stereo file placed in the world plays flat, with one warning for the file.
        {"stereo to the right", origin, ahead, up, "Music", rightSide, alike},
        {"stereo to the right again", origin, ahead, up, "Music", rightSide, alike}};
    const std::map<std::string, std::string> files{{"Shot", toneFile("Shot.wav", 0.1)},
                                                   {"Music", toneFile("Music.wav", 0.1, 2)}};
    ConsoleCapture console;
    for (const Hearing& hearing : session)
    {
        engine->setListenerPosition(hearing.listener, hearing.look, {0, 0, 0}, hearing.up);
        const char* file = files.at(hearing.file).c_str();
        playToTheEnd(hearing.from ? engine->play3D(file, *hearing.from, false, false, true)
                                  : engine->play2D(file, false, false, true));
    }
    const std::string flat = "\" is stereo and plays flat; only mono sounds take a place in the world";
    EXPECT_EQ(console.reportLines(),
              std::vector<std::string>{"WARNING: The sound \"" + files.at("Music") + flat});

    const Segments heard = finishRecording();
    ASSERT_EQ(heard.size(), std::size(session));
    for (std::size_t index = 0; index < heard.size(); ++index)
    {
        SCOPED_TRACE(session[index].what);
        const double left = heard[index].leftRms, right = heard[index].rightRms;
        EXPECT_GT(left + right, 0.01);
        if (session[index].balance == alike)
            EXPECT_NEAR(right, left, 0.05 * left);
        else
            EXPECT_GT(session[index].balance * (right - left), std::min(left, right));  // twice as loud
        const double loudness =
            index == 0 ? 1 : (left + right) / (heard[index - 1].leftRms + heard[index - 1].rightRms);
        EXPECT_GE(loudness, session[index].leastLoudness);
        EXPECT_LE(loudness, session[index].mostLoudness);
    }
}

TEST_F(OpenALSoundEngineTest, LoopedMusicPlaysPastItsLengthUntilTheLastReferenceClosesTheDevice)
{
    EXPECT_EQ(engine->play2D(toneFile("Music.wav", 0.1, 2).c_str(), true), nullptr);
    engine->grab();
    EXPECT_TRUE(output.waitForMixing(0.4));
    engine->drop();
    // The first drop leaves the device open and mixing.
    EXPECT_TRUE(output.waitForMixing(0.1));
    EXPECT_FALSE(output.finished());
    const Segments heard = finishRecording();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_GT(heard[0].seconds, 0.3);
}

// Music (looped) and effects have gains apart, heard at once on what plays; at gain 0 a sound still plays
// its whole length, unheard.
TEST_F(OpenALSoundEngineTest, MusicAndEffectsGainsApplyAtOnceAndASilentSoundStillPlays)
{
    const std::string shot = toneFile("Shot.wav", 0.1), music = toneFile("Music.wav", 0.1, 2);
    playToTheEnd(engine->play2D(shot.c_str(), false, false, true));
    engine->setGains(1.0f, 0.25f);
    playToTheEnd(engine->play3D(shot.c_str(), ahead, false, false, true));
    engine->setGains(1.0f, 0.0f);
    ISound* unheard = engine->play2D(shot.c_str(), false, false, true);
    ASSERT_NE(unheard, nullptr);
    EXPECT_FALSE(unheard->isFinished());
    playToTheEnd(unheard);
    // The music goes quiet while it plays, and comes back; the effects' gain leaves it alone.
    ISound* looped = engine->play2D(music.c_str(), true, false, true);
    EXPECT_TRUE(output.waitForMixing(0.3));
    engine->setGains(0.0f, 1.0f);
    EXPECT_TRUE(output.waitForMixing(0.2));
    engine->setGains(0.5f, 0.0f);
    EXPECT_TRUE(output.waitForMixing(0.3));
    looped->stop();
    looped->drop();
    const Segments heard = finishRecording();
    ASSERT_EQ(heard.size(), 4u);
    const auto loudness = [&heard](std::size_t index)
    { return heard[index].leftRms + heard[index].rightRms; };
    EXPECT_NEAR(loudness(1) / loudness(0), 0.25, 0.02);
    EXPECT_TRUE(heard[2].seconds > 0.28 && heard[2].seconds < 0.4) << heard[2].seconds;
    EXPECT_NEAR(loudness(3) / loudness(2), 0.5, 0.03);
    // Between the second shot and the music lie two gaps of 0.06 s, and the unheard shot's tenth of a second.
    EXPECT_GT(heard[2].start - (heard[1].start + heard[1].seconds), 0.19);
}

TEST_F(OpenALSoundEngineTest, AMissingOrUnreadableFileIsReportedOnceAndPlaysNothing)
{
    const std::string missing = (output.getDirectory() / "Missing.wav").string();
    const std::string unreadable = (output.getDirectory() / "Unreadable.wav").string();
    std::ofstream(unreadable) << "not a sound";
    ConsoleCapture console;
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        EXPECT_EQ(engine->play2D(missing.c_str(), false, false, true), nullptr);
        EXPECT_EQ(engine->play3D(missing.c_str(), rightSide, false, false, true), nullptr);
        EXPECT_EQ(engine->play2D(unreadable.c_str(), false, false, true), nullptr);
        EXPECT_EQ(engine->play2D(nullptr, false, false, true), nullptr);
    }
    const std::string cannot = "WARNING: Cannot play the sound \"";
    EXPECT_THAT(console.reportLines(),
                ElementsAre(StartsWith(cannot + missing + "\": "), StartsWith(cannot + unreadable + "\": "),
                            StartsWith(cannot + "\": ")));
}

// The default device and one that offers fewer sources than the game's voices.
class BusyVoicesTest : public OpenALSoundEngineTest, public testing::WithParamInterface<const char*>
{
};

TEST_P(BusyVoicesTest, WhenEveryVoiceIsBusyTheOldestOneShotMakesWayButNotTheMusic)
{
    dropEngine();
    engine = openDevice(GetParam());
    const std::size_t voices = GetParam() ? WaveOutput::fewSources : VoicePool::maxVoices, crowded = 8;
    const std::string longSound = toneFile("Long.wav", 2.0);
    ISound* music = engine->play2D(longSound.c_str(), true, false, true);
    ASSERT_NE(music, nullptr);
    std::vector<ISound*> shots;
    for (std::size_t shot = 0; shot < voices - 1 + crowded; ++shot)
    {
        shots.push_back(engine->play3D(longSound.c_str(), rightSide, false, false, true));
        ASSERT_NE(shots.back(), nullptr);
    }
    EXPECT_FALSE(music->isFinished());
    for (std::size_t shot = 0; shot < shots.size(); ++shot)
        EXPECT_EQ(shots[shot]->isFinished(), shot < crowded) << "shot " << shot;
    music->drop();
    for (ISound* shot : shots)
        shot->drop();
}

INSTANTIATE_TEST_SUITE_P(Devices, BusyVoicesTest, testing::Values(nullptr, WaveOutput::fewSourcesDeviceName),
                         [](const testing::TestParamInfo<const char*>& info)
                         { return info.param ? "FewSources" : "Default"; });
}  // namespace
