#pragma once

#include "GameEngine/PlayerSettings.h"

#include <filesystem>
#include <string>
#include <vector>

// The player's settings between runs, as lines of "name = value" (read by inih, through IniLines). It is read
// once at start and written only when the player has changed something. Nothing the player wrote is lost: a
// line that does not read, a value out of range and a name the game does not know each get one warning naming
// the file and line, the value keeps its default, and every such line stays in the file when it is written
// again; only the lines of the settings the game knows take their new values. A file that cannot be read
// at all is never replaced.
class SettingsFile
{
public:
    static constexpr const char* folderName = "quillmarch";
    static constexpr const char* fileName = "settings.ini";

    // $XDG_CONFIG_HOME/quillmarch/settings.ini, or ~/.config/quillmarch/settings.ini where that is not set
    // (or not an absolute path, which the desktop's rules say to ignore).
    static std::filesystem::path defaultPath();

    explicit SettingsFile(std::filesystem::path path);

    // The settings in the file, with the defaults for everything it lacks or that does not read. A missing
    // file is no problem: it holds no settings yet.
    PlayerSettings read();
    // Writes `settings`, keeping every other line of the file as it was read, through a temporary file that
    // replaces the old one whole. False, with a report, when it could not.
    bool save(const PlayerSettings& settings);

    const std::filesystem::path& getPath() const { return path; }

private:
    static constexpr const char* header = "; Quillmarch's settings. The game rewrites the values it knows "
                                          "and keeps every other line.";
    // A section without a name: after it, inih reads settings again and continues no value.
    static constexpr const char* topLevel = "[]";
    static constexpr std::size_t notInTheFile = static_cast<std::size_t>(-1);

    // The file's lines with new values, and for each field the index of the line that holds it.
    struct Written
    {
        std::vector<std::string> lines;
        std::vector<std::size_t> fieldLines;
    };

    static std::string lineFor(const SettingField& field, const PlayerSettings& settings);

    void reportUnreadable(const std::string& reason);
    void takeSetting(PlayerSettings& settings, std::size_t lineNumber, const std::string& section,
                     const std::string& name, const std::string& value);
    void warn(std::size_t lineNumber, const std::string& text) const;
    Written linesWith(const PlayerSettings& settings) const;
    // Where a rename puts the file: through a symbolic link, to the file it names.
    std::filesystem::path target() const;

    std::filesystem::path path;
    // The file's lines as read (or last written), and for each field the index of the line that holds it.
    std::vector<std::string> lines;
    std::vector<std::size_t> fieldLines;
    // Other lines of a field that was given twice: its first line takes the value.
    std::vector<bool> repeatedFieldLine;
    // The last line of a setting before any [section]: settings the file lacks are written after it.
    std::size_t lastTopLevelLine = notInTheFile;
    // Whether that setting had a name, which inih would continue with an indented line after it.
    bool lastTopLevelNamed = false;
    bool unreadable = false;
};
