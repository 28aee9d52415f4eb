#include "GameEngine/SettingsFile.h"

#include "GameEngine/AtomicFile.h"
#include "GameEngine/Console.h"
#include "GameEngine/IniLines.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

std::filesystem::path SettingsFile::defaultPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (config && *config && std::filesystem::path(config).is_absolute())
        base = config;
    else
    {
        const char* home = std::getenv("HOME");
        if (!home || !*home)
        {
            const passwd* user = getpwuid(getuid());
            home = user ? user->pw_dir : ".";
        }
        base = std::filesystem::path(home) / ".config";
    }
    return base / folderName / fileName;
}

SettingsFile::SettingsFile(std::filesystem::path path)
    : path(std::move(path)), fieldLines(PlayerSettings::fields().size(), notInTheFile)
{
}

PlayerSettings SettingsFile::read()
{
    PlayerSettings settings;
    lines.clear();
    fieldLines.assign(PlayerSettings::fields().size(), notInTheFile);
    lastTopLevelLine = notInTheFile;
    lastTopLevelNamed = false;
    unreadable = false;
    std::string content;
    int failure = 0;
    if (!IniLines::load(path, content, failure))
    {
        if (failure != ENOENT)
            reportUnreadable(std::strerror(failure));
        return settings;
    }
    lines = IniLines::split(content);
    repeatedFieldLine.assign(lines.size(), false);
    IniLines ini(lines);
    ini.parse(
        [&](const std::string& section, const std::string& name, const std::string& value)
        {
            takeSetting(settings, ini.lineNumber(), section, name, value);
            // Every line inih understood is fine by it: what the game makes of it is reported there.
            return true;
        },
        [this](std::size_t lineNumber) { warn(lineNumber, "does not read as name = value; kept as it is"); });
    return settings;
}

void SettingsFile::reportUnreadable(const std::string& reason)
{
    unreadable = true;
    Console::warning("Cannot read the settings file " + path.string() + ": " + reason +
                     "; playing with the default settings, and the file is not replaced");
}

void SettingsFile::takeSetting(PlayerSettings& settings, std::size_t lineNumber, const std::string& section,
                               const std::string& name, const std::string& value)
{
    const std::size_t lineIndex = lineNumber - 1;
    if (!section.empty())
    {
        warn(lineNumber, "unknown setting \"" + name + "\" in [" + section + "]; kept as it is");
        return;
    }
    lastTopLevelLine = lineIndex;
    lastTopLevelNamed = !name.empty();
    const std::vector<SettingField>& fields = PlayerSettings::fields();
    const auto field =
        std::find_if(fields.begin(), fields.end(),
                     [&name](const SettingField& candidate) { return name == candidate.getKey(); });
    if (field == fields.end())
    {
        warn(lineNumber, "unknown setting \"" + name + "\"; kept as it is");
        return;
    }
    std::size_t& fieldLine = fieldLines[static_cast<std::size_t>(field - fields.begin())];
    if (fieldLine == notInTheFile)
        fieldLine = lineIndex;
    else
        repeatedFieldLine[lineIndex] = true;
    if (field->read(value, settings))
        return;
    const PlayerSettings defaults;
    field->read(field->write(defaults), settings);
    warn(lineNumber,
         name + " = " + value + " is not " + field->accepted() + "; using " + field->write(defaults));
}

void SettingsFile::warn(std::size_t lineNumber, const std::string& text) const
{
    Console::warning(path.string() + ":" + std::to_string(lineNumber) + ": " + text);
}

bool SettingsFile::save(const PlayerSettings& settings)
{
    if (unreadable)
    {
        Console::warning("The settings are not saved: " + path.string() +
                         " could not be read at start, and replacing it would lose what it holds");
        return false;
    }
    Written written = linesWith(settings);
    const std::filesystem::path where = target();
    std::error_code error;
    std::filesystem::create_directories(where.parent_path(), error);
    if (error)
    {
        Console::error("Could not save the settings: cannot make the folder " + where.parent_path().string() +
                       ": " + error.message());
        return false;
    }
    AtomicFile file(where);
    {
        std::ofstream out(file.temporaryPath(), std::ios::binary);
        for (const std::string& line : written.lines)
            out << line << '\n';
        if (!out.flush())
        {
            Console::error("Could not save the settings: cannot write " + file.temporaryPath().string());
            return false;
        }
    }
    if (!file.commit())
        return false;
    lines = std::move(written.lines);
    fieldLines = std::move(written.fieldLines);
    repeatedFieldLine.assign(lines.size(), false);
    lastTopLevelLine = *std::max_element(fieldLines.begin(), fieldLines.end());
    lastTopLevelNamed = true;
    return true;
}

SettingsFile::Written SettingsFile::linesWith(const PlayerSettings& settings) const
{
    const std::vector<SettingField>& fields = PlayerSettings::fields();
    Written written;
    written.fieldLines.assign(fields.size(), notInTheFile);
    if (lines.empty())
        written.lines.emplace_back(header);
    // Settings the file lacks join the last setting before any [section], where they still count (the first
    // lines of a file without one). Nothing behind them may read differently then: the byte-order mark,
    // which counts on the first line only, goes, and where no named setting came before them an indented
    // line, which would now continue their last value, makes them end with a nameless section.
    const bool first = lastTopLevelLine == notInTheFile;
    const std::size_t insertAt = first ? 0 : lastTopLevelLine + 1;
    const auto addMissing = [&]
    {
        bool added = false;
        for (std::size_t index = 0; index < fields.size(); ++index)
            if (fieldLines[index] == notInTheFile)
            {
                written.fieldLines[index] = written.lines.size();
                written.lines.push_back(lineFor(fields[index], settings));
                added = true;
            }
        const auto behind = lines.begin() + static_cast<std::ptrdiff_t>(std::min(insertAt, lines.size()));
        const auto continues = [](const std::string& line)
        { return IniLines::mayContinueAValue(IniLines::withoutByteOrderMark(line)); };
        if (added && !lastTopLevelNamed && std::any_of(behind, lines.end(), continues))
            written.lines.emplace_back(topLevel);
    };
    for (std::size_t lineIndex = 0; lineIndex < lines.size(); ++lineIndex)
    {
        if (lineIndex == insertAt)
            addMissing();
        if (repeatedFieldLine[lineIndex])
            continue;
        const auto field = std::find(fieldLines.begin(), fieldLines.end(), lineIndex);
        if (field == fieldLines.end())
        {
            written.lines.push_back(lineIndex == 0 && first ? IniLines::withoutByteOrderMark(lines[0])
                                                            : lines[lineIndex]);
            continue;
        }
        const auto index = static_cast<std::size_t>(field - fieldLines.begin());
        written.fieldLines[index] = written.lines.size();
        written.lines.push_back(lineFor(fields[index], settings));
    }
    if (insertAt >= lines.size())
        addMissing();
    return written;
}

std::string SettingsFile::lineFor(const SettingField& field, const PlayerSettings& settings)
{
    return std::string(field.getKey()) + " = " + field.write(settings) + "  ; " + field.getDoc();
}

std::filesystem::path SettingsFile::target() const
{
    std::error_code error;
    if (std::filesystem::is_symlink(path, error))
    {
        std::filesystem::path linked = std::filesystem::canonical(path, error);
        if (!error)
            return linked;
    }
    return path;
}
