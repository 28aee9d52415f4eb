#include "External/ISoundEngine.h"
#include "External/VoicePool.h"
#include "StereoRecording.h"
#include "Support/ConsoleCapture.h"
#include "ToneFile.h"
#include "WaveOutput.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <thread>

namespace
{
using irr::core::vector3df;
using namespace std::chrono_literals;

const vector3df origin(0, 0, 0);
const vector3df ahead(0, 0, 1);
const vector3df behind(0, 0, -1);
const vector3df rightSide(10, 0, 0);
const float notANumber = std::numeric_limits<float>::quiet_NaN();
const float infinity = std::numeric_limits<float>::infinity();

// Real OpenAL Soft, mixing in real time into the wave backend's file.
class OpenALSoundEngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        directory = WaveOutput::instance().getDirectory() /
                    ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(directory);
        engine = createIrrKlangDevice(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.5.0");
    }

    void TearDown() override
    {
        if (engine)
            engine->drop();
        std::filesystem::remove_all(directory);
    }

    std::string toneFile(const std::string& name, double seconds, int channels = 1)
    {
        std::string path = (directory / name).string();
        EXPECT_TRUE(writeToneFile(path, seconds, channels));
        return path;
    }

    // Waits for a tracked sound to end, then leaves a gap of silence behind it.
    static void playToTheEnd(ISound* sound)
    {
        ASSERT_NE(sound, nullptr);
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (!sound->isFinished() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(5ms);
        EXPECT_TRUE(sound->isFinished());
        sound->drop();
        waitForMixing(0.06);
    }

    static void waitForMixing(double seconds) { EXPECT_TRUE(WaveOutput::instance().waitForMixing(seconds)); }

    // Closing the device is what finishes the output file.
    StereoRecording finishRecording()
    {
        dropEngine();
        StereoRecording recording;
        EXPECT_TRUE(recording.read(WaveOutput::instance().getOutputPath()));
        return recording;
    }

    void dropEngine()
    {
        engine->drop();
        engine = nullptr;
    }

    static std::uintmax_t outputSize() { return WaveOutput::instance().outputSize(); }

    std::filesystem::path directory;
    ISoundEngine* engine = nullptr;
};

TEST_F(OpenALSoundEngineTest, FlatSoundsReachBothChannelsAlike)
{
    const std::string shot = toneFile("Shot.wav", 0.15);
    playToTheEnd(engine->play2D(shot.c_str(), false, false, true));
    // On a voice that last played to the right, a place that cannot be heard from plays flat.
    playToTheEnd(engine->play3D(shot.c_str(), rightSide, false, false, true));
    playToTheEnd(engine->play3D(shot.c_str(), {notANumber, 0, 0}, false, false, true));

    const auto segments = finishRecording().soundingSegments();
    ASSERT_EQ(segments.size(), 3u);
    for (std::size_t flat : {0u, 2u})
    {
        EXPECT_GT(segments[flat].leftRms, 0.1);
        EXPECT_NEAR(segments[flat].rightRms, segments[flat].leftRms, 0.05 * segments[flat].leftRms);
    }
}

TEST_F(OpenALSoundEngineTest, APositionedSoundIsLouderOnTheListenersSide)
{
    const std::string shot = toneFile("Shot.wav", 0.1);
    engine->setListenerPosition(origin, ahead);
    playToTheEnd(engine->play3D(shot.c_str(), rightSide, false, false, true));
    // Past the sound, the same place lies on the listener's left.
    engine->setListenerPosition({20, 0, 0}, ahead);
    playToTheEnd(engine->play3D(shot.c_str(), rightSide, false, false, true));
    // So it does for a listener turned around.
    engine->setListenerPosition(origin, behind);
    playToTheEnd(engine->play3D(shot.c_str(), rightSide, false, false, true));

    const auto segments = finishRecording().soundingSegments();
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_GT(segments[0].rightRms, 2 * segments[0].leftRms);
    EXPECT_GT(segments[1].leftRms, 2 * segments[1].rightRms);
    EXPECT_GT(segments[2].leftRms, 2 * segments[2].rightRms);
}

TEST_F(OpenALSoundEngineTest, TiltingTheCameraChangesNeitherLoudnessNorSide)
{
    const std::string shot = toneFile("Shot.wav", 0.1);
    const float distance = 30;
    engine->setListenerPosition(origin, ahead);
    playToTheEnd(engine->play3D(shot.c_str(), {0, 0, distance}, false, false, true));
    // The game's camera looks down at its player and passes the world's up with it.
    const vector3df downAhead(0, -1, 1);
    const float along = distance / std::sqrt(2.0f);
    engine->setListenerPosition(origin, downAhead, {0, 0, 0}, {0, 1, 0});
    playToTheEnd(engine->play3D(shot.c_str(), {0, -along, along}, false, false, true));
    playToTheEnd(engine->play3D(shot.c_str(), rightSide, false, false, true));

    const auto segments = finishRecording().soundingSegments();
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_NEAR(segments[1].leftRms, segments[0].leftRms, 0.03 * segments[0].leftRms);
    EXPECT_NEAR(segments[1].rightRms, segments[0].rightRms, 0.03 * segments[0].rightRms);
    EXPECT_GT(segments[2].rightRms, 2 * segments[2].leftRms);
}

TEST_F(OpenALSoundEngineTest, AStereoSoundPlacedInTheWorldPlaysFlatWithOneWarningPerFile)
{
    const std::string music = toneFile("Music.wav", 0.1, 2);
    const std::string fanfare = toneFile("Fanfare.wav", 0.1, 2);
    const std::string shot = toneFile("Shot.wav", 0.1);
    engine->setListenerPosition(origin, ahead);
    ConsoleCapture console;
    playToTheEnd(engine->play2D(music.c_str(), false, false, true));
    playToTheEnd(engine->play3D(shot.c_str(), rightSide, false, false, true));
    playToTheEnd(engine->play3D(music.c_str(), rightSide, false, false, true));
    engine->play3D(music.c_str(), rightSide);
    engine->play3D(fanfare.c_str(), rightSide);
    const std::string flat = "\" is stereo and plays flat; only mono sounds take a place in the world";
    EXPECT_EQ(console.reportLines(), (std::vector<std::string>{"WARNING: The sound \"" + music + flat,
                                                               "WARNING: The sound \"" + fanfare + flat}));

    const auto segments = finishRecording().soundingSegments();
    ASSERT_GE(segments.size(), 3u);
    EXPECT_GT(segments[1].rightRms, 2 * segments[1].leftRms);
    EXPECT_NEAR(segments[2].rightRms, segments[2].leftRms, 0.05 * segments[2].leftRms);
}

TEST_F(OpenALSoundEngineTest, UnusableLookDirectionsKeepTheLastOrientation)
{
    engine->setListenerPosition(origin, behind);
    engine->setListenerPosition(origin, {0, 0, 0});
    engine->setListenerPosition(origin, {notANumber, 0, 1});
    engine->setListenerPosition(origin, {infinity, 0, 0});
    // The game passes the camera's look direction (target minus position): straight up is parallel to the
    // up vector.
    engine->setListenerPosition(origin, {0, 90, 0});
    engine->setListenerPosition(origin, ahead, {0, 0, 0}, {0, 0, 0});
    playToTheEnd(engine->play3D(toneFile("Shot.wav", 0.1).c_str(), rightSide, false, false, true));

    const auto segments = finishRecording().soundingSegments();
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_GT(segments[0].leftRms, 2 * segments[0].rightRms);
}

TEST_F(OpenALSoundEngineTest, ASoundAtTheFarWallIsQuieterButStillHeard)
{
    const std::string shot = toneFile("Shot.wav", 0.1);
    engine->setListenerPosition(origin, ahead);
    playToTheEnd(engine->play3D(shot.c_str(), {0, 0, 10}, false, false, true));
    playToTheEnd(engine->play3D(shot.c_str(), {0, 0, 100}, false, false, true));

    const auto segments = finishRecording().soundingSegments();
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_LT(segments[1].leftRms, 0.5 * segments[0].leftRms);
    EXPECT_GT(segments[1].leftRms, 0.05 * segments[0].leftRms);
}

TEST_F(OpenALSoundEngineTest, LoopedMusicPlaysPastItsLengthUntilTheLastReferenceIsDropped)
{
    const double musicLength = 0.1;
    EXPECT_EQ(engine->play2D(toneFile("Music.wav", musicLength, 2).c_str(), true), nullptr);
    engine->grab();
    waitForMixing(4 * musicLength);
    engine->drop();
    // The first drop leaves the device open and mixing.
    waitForMixing(musicLength);

    const StereoRecording recording = finishRecording();
    const auto sizeAfterLastDrop = outputSize();
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(outputSize(), sizeAfterLastDrop);
    const auto segments = recording.soundingSegments();
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_GT(recording.seconds(segments[0].endFrame - segments[0].firstFrame), 3 * musicLength);
}

TEST_F(OpenALSoundEngineTest, AMissingOrUnreadableFileIsReportedOnceAndPlaysNothing)
{
    const std::string missing = (directory / "Missing.wav").string();
    const std::string unreadable = (directory / "Unreadable.wav").string();
    std::ofstream(unreadable) << "not a sound";

    ConsoleCapture console;
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        EXPECT_EQ(engine->play2D(missing.c_str(), false, false, true), nullptr);
        EXPECT_EQ(engine->play3D(missing.c_str(), rightSide, false, false, true), nullptr);
        EXPECT_EQ(engine->play2D(unreadable.c_str(), false, false, true), nullptr);
        EXPECT_EQ(engine->play2D(nullptr, false, false, true), nullptr);
    }
    const auto lines = console.reportLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("WARNING: Cannot play the sound \"" + missing + "\": ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("WARNING: Cannot play the sound \"" + unreadable + "\": ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("WARNING: Cannot play the sound \"\": ", 0), 0u) << lines[2];
}

TEST_F(OpenALSoundEngineTest, AFileIsReadOnlyOnce)
{
    const std::string path = toneFile("Pickup.wav", 0.1);
    ISound* first = engine->play2D(path.c_str(), false, false, true);
    ASSERT_NE(first, nullptr);
    first->drop();
    std::filesystem::remove(path);

    ConsoleCapture console;
    ISound* again = engine->play3D(path.c_str(), rightSide, false, false, true);
    ASSERT_NE(again, nullptr);
    again->drop();
    EXPECT_TRUE(console.reportLines().empty());
}

TEST_F(OpenALSoundEngineTest, WhenEveryVoiceIsBusyTheOldestOneShotMakesWayButNotTheMusic)
{
    const std::string longSound = toneFile("Long.wav", 2.0);
    ISound* music = engine->play2D(longSound.c_str(), true, false, true);
    ASSERT_NE(music, nullptr);
    std::vector<ISound*> shots;
    const std::size_t crowded = 8;
    for (std::size_t shot = 0; shot < VoicePool::maxVoices - 1 + crowded; ++shot)
    {
        shots.push_back(engine->play3D(longSound.c_str(), rightSide, false, false, true));
        ASSERT_NE(shots.back(), nullptr);
    }

    EXPECT_FALSE(music->isFinished());
    for (std::size_t shot = 0; shot < shots.size(); ++shot)
        EXPECT_EQ(shots[shot]->isFinished(), shot < crowded) << "shot " << shot;
    // A handle whose voice went on to a newer sound no longer reaches it.
    shots[0]->setIsPaused(true);
    EXPECT_FALSE(shots[0]->getIsPaused());
    EXPECT_FALSE(shots.back()->getIsPaused());

    music->drop();
    for (ISound* shot : shots)
        shot->drop();
}

TEST_F(OpenALSoundEngineTest, WhenEveryVoiceLoopsNewSoundsAreRefusedWithOneWarning)
{
    const std::string loop = toneFile("Loop.wav", 0.5);
    for (std::size_t voice = 0; voice < VoicePool::maxVoices; ++voice)
        engine->play2D(loop.c_str(), true);

    ConsoleCapture console;
    EXPECT_EQ(engine->play3D(loop.c_str(), rightSide, false, false, true), nullptr);
    EXPECT_EQ(engine->play2D(loop.c_str(), false, false, true), nullptr);
    EXPECT_EQ(
        console.reportLines(),
        std::vector<std::string>{"WARNING: All 32 voices play looped sounds; further sounds are not played"});
}

TEST_F(OpenALSoundEngineTest, ADeviceWithFewerSourcesGivesFewerVoicesAndSaysSo)
{
    dropEngine();
    engine = createIrrKlangDevice(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, WaveOutput::fewSourcesDeviceName);
    const std::string loop = toneFile("Loop.wav", 0.5);
    ISound* shot = engine->play2D(loop.c_str(), false, false, true);
    ASSERT_NE(shot, nullptr);
    for (int voice = 0; voice < WaveOutput::fewSources; ++voice)
    {
        ISound* looped = engine->play2D(loop.c_str(), true, false, true);
        ASSERT_NE(looped, nullptr);
        looped->drop();
    }
    // The last loop found no source left and took the one-shot's voice.
    EXPECT_TRUE(shot->isFinished());
    shot->drop();

    ConsoleCapture console;
    EXPECT_EQ(engine->play3D(loop.c_str(), rightSide, false, false, true), nullptr);
    EXPECT_EQ(console.reportLines(),
              std::vector<std::string>{"WARNING: All " + std::to_string(WaveOutput::fewSources) +
                                       " voices play looped sounds; further sounds are not played"});
}

TEST_F(OpenALSoundEngineTest, ASoundStartedPausedWaitsForResumeAndKeepsItsEngine)
{
    ISound* sound = engine->play2D(toneFile("Paused.wav", 0.1).c_str(), false, true, true);
    ASSERT_NE(sound, nullptr);
    // The handle holds the engine: the device stays open after the creator's drop.
    dropEngine();
    waitForMixing(0.3);
    EXPECT_FALSE(sound->isFinished());
    EXPECT_TRUE(sound->getIsPaused());
    sound->setIsPaused(false);
    sound->grab();
    playToTheEnd(sound);
    sound->drop();

    StereoRecording recording;
    ASSERT_TRUE(recording.read(WaveOutput::instance().getOutputPath()));
    const auto segments = recording.soundingSegments();
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_GT(recording.seconds(segments[0].firstFrame), 0.2);
}

TEST_F(OpenALSoundEngineTest, AStoppedSoundEndsAtOnce)
{
    const double length = 2.0;
    ISound* sound = engine->play2D(toneFile("Long.wav", length).c_str(), true, false, true);
    ASSERT_NE(sound, nullptr);
    waitForMixing(0.1);
    sound->stop();
    EXPECT_TRUE(sound->isFinished());
    EXPECT_FALSE(sound->getIsPaused());
    playToTheEnd(sound);

    const StereoRecording recording = finishRecording();
    const auto segments = recording.soundingSegments();
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_LT(recording.seconds(segments[0].endFrame - segments[0].firstFrame), length / 4);
}

TEST_F(OpenALSoundEngineTest, APausedSoundGoesOnWhereItLeftOff)
{
    const double length = 0.3;
    ISound* sound = engine->play2D(toneFile("Tune.wav", length).c_str(), false, false, true);
    ASSERT_NE(sound, nullptr);
    waitForMixing(0.1);
    sound->setIsPaused(true);
    EXPECT_TRUE(sound->getIsPaused());
    EXPECT_FALSE(sound->isFinished());
    waitForMixing(0.1);
    sound->setIsPaused(false);
    EXPECT_FALSE(sound->getIsPaused());
    playToTheEnd(sound);

    const StereoRecording recording = finishRecording();
    const auto segments = recording.soundingSegments();
    ASSERT_EQ(segments.size(), 2u);
    const std::size_t heardFrames =
        segments[0].endFrame - segments[0].firstFrame + segments[1].endFrame - segments[1].firstFrame;
    EXPECT_NEAR(recording.seconds(heardFrames), length, 0.02);
}

TEST_F(OpenALSoundEngineTest, TheGamesMusicPlays)
{
    const char* music = "../Assets/Audio/Background.wav";
    if (!std::filesystem::exists(music))
        GTEST_SKIP() << music << " is made by the asset generator";
    EXPECT_EQ(engine->play2D(music, true, false, false, ESM_AUTO_DETECT, false), nullptr);
    waitForMixing(0.3);

    const auto segments = finishRecording().soundingSegments();
    ASSERT_FALSE(segments.empty());
    EXPECT_GT(segments[0].leftRms + segments[0].rightRms, 0.01);
}
}  // namespace
