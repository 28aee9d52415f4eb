#include "GameEngine/GameOptions.h"
#include "GameEngine/WindowSize.h"
#include "Support/ConsoleCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace
{
using irr::core::dimension2du;
using testing::ElementsAre;
using testing::StartsWith;

TEST(WindowSizeTest, TheUsualWindowWhereItFitsElseTheLargest16By9InTheDesktopsWidthAnd90PercentOfItsHeight)
{
    for (const auto& [desktop, window] : {std::pair(dimension2du(3840, 2160), dimension2du(1920, 1080)),
                                          std::pair(dimension2du(1920, 1080), dimension2du(1920, 1080)),
                                          std::pair(dimension2du(1366, 768), dimension2du(1216, 684)),
                                          std::pair(dimension2du(1280, 800), dimension2du(1280, 720)),
                                          // Two screens side by side, and a desktop nobody could tell.
                                          std::pair(dimension2du(2560, 1024), dimension2du(1632, 918)),
                                          std::pair(dimension2du(0, 0), dimension2du(1920, 1080))})
        EXPECT_EQ(WindowSize::fitting(desktop), window) << desktop.Width << "x" << desktop.Height;
}

// The command line as the program gets it.
std::optional<GameOptions> readOptions(const std::string& line, int& status)
{
    std::vector<std::string> words{"quillmarch"};
    std::istringstream split(line);
    for (std::string word; split >> word;)
        words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    return GameOptions::read(static_cast<int>(argv.size()), argv.data(), status);
}

TEST(GameOptionsTest, TakesAWindowSizeOrFullscreenBesideThePlainWord)
{
    for (const auto& [line, telemetry, window, fullscreen] :
         {std::tuple("", false, std::optional<dimension2du>(), false),
          std::tuple("--window 1280x720 ws", true, std::optional(dimension2du(1280, 720)), false),
          std::tuple("again --window=7680x4320", false, std::optional(dimension2du(7680, 4320)), false),
          std::tuple("ws --fullscreen", true, std::optional<dimension2du>(), true)})
    {
        int status = -1;
        ConsoleCapture console;
        const std::optional<GameOptions> options = readOptions(line, status);
        ASSERT_TRUE(options) << line;
        EXPECT_TRUE(options->telemetry == telemetry && options->window == window &&
                    options->fullscreen == fullscreen)
            << line;
    }
}

TEST(GameOptionsTest, ABadWindowIsOneLineNamingTheOptionAndStatusTwo)
{
    for (const char* line :
         {"--window 1023x576", "--window 1280", "--window 1280x720x2", "--window ax720", "--window 1280x-720",
          "--window 99999999999x720", "--window", "--window 1280x720 --fullscreen"})
    {
        int status = -1;
        ConsoleCapture errors(ConsoleCapture::Stream::error);
        EXPECT_FALSE(readOptions(line, status)) << line;
        EXPECT_EQ(status, 2) << line;
        EXPECT_THAT(errors.lines(), ElementsAre(StartsWith("quillmarch: --window"))) << line;
    }
    int status = -1;
    ConsoleCapture errors(ConsoleCapture::Stream::error);
    readOptions("--window 12x34", status);
    EXPECT_THAT(errors.lines(),
                ElementsAre("quillmarch: --window: takes WIDTHxHEIGHT in pixels from 1024x576 to "
                            "7680x4320, for example 1280x720, not \"12x34\" (see --help)"));
}

// The command line wins over the saved setting for this run; the desktop is asked only when needed.
TEST(GameOptionsTest, TheWindowComesFromTheCommandLineElseTheSavedSettingElseTheDesktop)
{
    const dimension2du laptop(1366, 768), unknown(0, 0);
    const struct
    {
        const char* line;
        bool savedFullscreen;
        dimension2du desktop;
        dimension2du window;
        bool fullscreen;
        bool desktopAsked;
    } cases[] = {{"", false, laptop, {1216, 684}, false, true},
                 {"", true, laptop, laptop, true, true},
                 {"", true, unknown, {1920, 1080}, true, true},
                 {"--fullscreen", false, laptop, laptop, true, true},
                 {"--window 1024x768", true, laptop, {1024, 768}, false, false}};
    for (const auto& run : cases)
    {
        int status = -1;
        const std::optional<GameOptions> options = readOptions(run.line, status);
        ASSERT_TRUE(options);
        GameEngine::Settings settings;
        settings.player.fullscreen = run.savedFullscreen;
        bool asked = false;
        options->chooseWindow(settings,
                              [&]
                              {
                                  asked = true;
                                  return run.desktop;
                              });
        EXPECT_TRUE(settings.windowSize == run.window && settings.fullscreen == run.fullscreen &&
                    asked == run.desktopAsked)
            << run.line << " saved " << run.savedFullscreen << ": " << settings.windowSize.Width << "x"
            << settings.windowSize.Height;
    }
}
}  // namespace
