#include "GameEngine/SettingsFile.h"

#include "GameEngine/AtomicFile.h"
#include "GameEngine/Console.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ini.h>
#include <pwd.h>
#include <unistd.h>

struct SettingsFile::Reading
{
    SettingsFile& file;
    PlayerSettings& settings;
    // The next line to hand to the parser; while it reads a line, the number of that line.
    std::size_t next = 0;
};

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
    unreadable = false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
    {
        if (errno != ENOENT)
            reportUnreadable(std::strerror(errno));
        return settings;
    }
    std::string content;
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        content.append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    const int failure = errno;
    std::fclose(file);
    if (failed)
    {
        reportUnreadable(std::strerror(failure));
        return settings;
    }
    splitIntoLines(content);
    repeatedFieldLine.assign(lines.size(), false);
    Reading reading{*this, settings};
    const int firstBadLine = ini_parse_stream(nextLine, &reading, take, &reading);
    if (firstBadLine > 0)
        warn(static_cast<std::size_t>(firstBadLine), "does not read as name = value; kept as it is");
    return settings;
}

void SettingsFile::splitIntoLines(const std::string& content)
{
    std::size_t start = 0;
    while (start < content.size())
    {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
}

void SettingsFile::reportUnreadable(const std::string& reason)
{
    unreadable = true;
    Console::warning("Cannot read the settings file " + path.string() + ": " + reason +
                     "; playing with the default settings, and the file is not replaced");
}

char* SettingsFile::nextLine(char* line, int room, void* state)
{
    auto& reading = *static_cast<Reading*>(state);
    if (reading.next >= reading.file.lines.size() || room < 1)
        return nullptr;
    // One line of the file per call, however long, so that the parser's line numbers are the file's. The
    // parser sees no more of a long line than fits; the line itself is kept whole.
    const std::string& text = reading.file.lines[reading.next++];
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(room - 1));
    text.copy(line, length);
    line[length] = '\0';
    return line;
}

int SettingsFile::take(void* state, const char* section, const char* name, const char* value)
{
    auto& reading = *static_cast<Reading*>(state);
    reading.file.takeSetting(reading, section ? section : "", name ? name : "", value ? value : "");
    // Every line the parser understood is fine by it: what the game makes of it is reported here.
    return 1;
}

void SettingsFile::takeSetting(Reading& reading, const std::string& section, const std::string& name,
                               const std::string& value)
{
    const std::size_t lineNumber = reading.next;
    const std::size_t lineIndex = lineNumber - 1;
    if (!section.empty())
    {
        warn(lineNumber, "unknown setting \"" + name + "\" in [" + section + "]; kept as it is");
        return;
    }
    lastTopLevelLine = lineIndex;
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
    if (field->read(value, reading.settings))
        return;
    const PlayerSettings defaults;
    field->read(field->write(defaults), reading.settings);
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
    return true;
}

SettingsFile::Written SettingsFile::linesWith(const PlayerSettings& settings) const
{
    const std::vector<SettingField>& fields = PlayerSettings::fields();
    Written written;
    written.fieldLines.assign(fields.size(), notInTheFile);
    if (lines.empty())
        written.lines.emplace_back(header);
    // Settings the file lacks join the last setting before any [section], where they still count.
    const std::size_t insertAt = lastTopLevelLine == notInTheFile ? 0 : lastTopLevelLine + 1;
    const auto addMissing = [&]
    {
        for (std::size_t index = 0; index < fields.size(); ++index)
            if (fieldLines[index] == notInTheFile)
            {
                written.fieldLines[index] = written.lines.size();
                written.lines.push_back(lineFor(fields[index], settings));
            }
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
            written.lines.push_back(lines[lineIndex]);
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
