#include "GameEngine/GameOptions.h"

#include "GameEngine/CommandLine.h"
#include "GameEngine/Console.h"
#include "GameEngine/WindowSize.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <iostream>

std::optional<GameOptions> GameOptions::read(int argc, const char* const argv[], int& exitStatus)
{
    CLI::App app("Quillmarch: a small real-time strategy game in a 3-D arena.", command);
    CommandLine::addVersionFlag(app);
    std::vector<std::string> words;
    app.add_option("words", words,
                   std::string("\"") + telemetryWord +
                       "\" streams every match to the observer at ws://localhost:1337")
        ->type_name("WORD");
    GameOptions options;
    const std::string sizes = std::to_string(narrowestWindow) + "x" + std::to_string(lowestWindow) + " to " +
                              std::to_string(widestWindow) + "x" + std::to_string(highestWindow);
    std::string window;
    CLI::Option* windowOption =
        app.add_option("--window", window,
                       "Play in a window of this size (" + sizes + "), not the one chosen for the desktop")
            ->type_name("WIDTHxHEIGHT")
            ->check(
                [sizes](const std::string& text)
                {
                    return windowSizeFrom(text) ? std::string()
                                                : "takes WIDTHxHEIGHT in pixels from " + sizes +
                                                      ", for example 1280x720, not \"" + text + "\"";
                });
    app.add_flag("--fullscreen", options.fullscreen, "Fill the screen at the desktop's resolution")
        ->excludes(windowOption);
    unsigned maxFps = 0;
    CLI::Option* maxFpsOption =
        app.add_option("--max-fps", maxFps,
                       "Draw at most N frames per second, sleeping the rest of each frame (0: as many as the "
                       "machine can)")
            ->check(CLI::Range(0U, mostFps).description(""))
            ->type_name("N");
    if (const std::optional<int> status = CommandLine::parse(app, argc, argv, std::cout, std::cerr))
    {
        exitStatus = *status;
        return std::nullopt;
    }
    if (!window.empty())
        options.window = windowSizeFrom(window);
    if (maxFpsOption->count() > 0)
        options.maxFps = maxFps;
    options.readWords(words);
    return options;
}

std::optional<irr::core::dimension2du> GameOptions::windowSizeFrom(const std::string& text)
{
    const std::size_t times = text.find_first_of("xX");
    if (times == std::string::npos)
        return std::nullopt;
    const auto whole = [](const char* begin, const char* end, irr::u32& number)
    {
        const std::from_chars_result result = std::from_chars(begin, end, number);
        return result.ec == std::errc() && result.ptr == end && begin != end;
    };
    irr::core::dimension2du size;
    const char* begin = text.data();
    if (!whole(begin, begin + times, size.Width) ||
        !whole(begin + times + 1, begin + text.size(), size.Height))
        return std::nullopt;
    if (size.Width < narrowestWindow || size.Width > widestWindow || size.Height < lowestWindow ||
        size.Height > highestWindow)
        return std::nullopt;
    return size;
}

void GameOptions::chooseWindow(GameEngine::Settings& settings,
                               const std::function<irr::core::dimension2du()>& desktop) const
{
    settings.fullscreen = fullscreen || (!window && settings.player.fullscreen);
    if (window)
    {
        settings.windowSize = *window;
        return;
    }
    const irr::core::dimension2du screen = desktop();
    const bool known = screen.Width > 0 && screen.Height > 0;
    settings.windowSize = settings.fullscreen && known ? screen : WindowSize::fitting(screen);
}

void GameOptions::readWords(const std::vector<std::string>& words)
{
    if (words.empty())
        return;
    telemetry = std::find(words.begin(), words.end(), telemetryWord) != words.end();
    Console::line(telemetry ? "Websockets Activate" : "No Websockets");
}
