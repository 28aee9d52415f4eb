// Hands arbitrary bytes to the game as its settings file. Besides the sanitizers' findings it checks what a
// player who edits the file by hand is promised: reading never fails, every setting read is one it
// accepts, each warning names the file and one of its lines (once), and saving keeps every line the game
// does not own, in order, so that reading the saved file gives back exactly what was saved.
#include "FuzzCheck.h"
#include "ScratchFolder.h"

#include "GameEngine/PlayerSettings.h"
#include "GameEngine/SettingsFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>
#include <map>
#include <sstream>
#include <variant>

namespace
{
// The first bytes of an input choose what the player changes before saving; the rest is the file.
constexpr std::size_t choiceBytes = 2;
constexpr const char* byteOrderMark = "\xEF\xBB\xBF";

const ScratchFolder scratch;

// What the game says on the console while it lives.
class ConsoleLines
{
public:
    ConsoleLines() : saved(std::cout.rdbuf(said.rdbuf())) {}
    ~ConsoleLines() { std::cout.rdbuf(saved); }
    ConsoleLines(const ConsoleLines&) = delete;
    ConsoleLines& operator=(const ConsoleLines&) = delete;

    std::vector<std::string> take()
    {
        std::vector<std::string> lines = linesOf(said.str());
        said.str("");
        return lines;
    }

private:
    std::ostringstream said;
    std::streambuf* saved;
};

template <class... Visitors>
struct Overloaded : Visitors...
{
    using Visitors::operator()...;
};
template <class... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

bool accepts(const SettingField& field, const PlayerSettings& settings)
{
    return std::visit(Overloaded{[&](const SettingField::WholeNumber& type)
                                 {
                                     const int value = settings.*type.value;
                                     return value >= type.least && value <= type.most;
                                 },
                                 [&](const SettingField::Number& type)
                                 {
                                     const double value = settings.*type.value;
                                     return std::isfinite(value) && value >= type.least && value <= type.most;
                                 },
                                 [](const SettingField::Switch&) { return true; },
                                 [&](const SettingField::Choice& type) {
                                     return std::find(type.choices.begin(), type.choices.end(),
                                                      settings.*type.value) != type.choices.end();
                                 }},
                      field.getType());
}

void checkAccepted(const PlayerSettings& settings)
{
    for (const SettingField& field : PlayerSettings::fields())
        check(accepts(field, settings));
}

// Every line said is a warning about one line of the file, and no line is warned about twice: the text
// of each warning, after "LINE: ", by its line's number.
std::map<std::size_t, std::string> warningsAbout(const std::filesystem::path& file, std::size_t lineCount,
                                                 const std::vector<std::string>& said)
{
    const std::string prefix = "WARNING: " + file.string() + ":";
    std::map<std::size_t, std::string> warnings;
    for (const std::string& line : said)
    {
        check(line.rfind(prefix, 0) == 0);
        const std::string rest = line.substr(prefix.size());
        std::size_t end = 0;
        const std::size_t number = leadingNumber(rest, end);
        check(end > 0 && rest.compare(end, 2, ": ") == 0);
        check(number >= 1 && number <= lineCount);
        check(warnings.emplace(number, rest.substr(end + 2)).second);
    }
    return warnings;
}

// Each line that cannot read is warned about, every one of them.
void checkUnreadableWarned(const std::vector<std::string>& lines,
                           const std::map<std::size_t, std::string>& warnings)
{
    for (std::size_t index = 0; index < lines.size(); ++index)
        if (surelyUnreadable(lines[index], index == 0))
        {
            const auto warning = warnings.find(index + 1);
            check(warning != warnings.end() &&
                  warning->second.rfind("does not read as name = value", 0) == 0);
        }
}

bool startsWithKnownName(const std::string& text)
{
    const std::vector<SettingField>& fields = PlayerSettings::fields();
    return std::any_of(fields.begin(), fields.end(),
                       [&text](const SettingField& field) { return text.rfind(field.getKey(), 0) == 0; });
}

// A line that may hold one of the game's settings (or continue one, being indented), which saving may
// rewrite or drop. Any other line is the player's and must survive.
bool mayHoldASetting(std::string line, bool first)
{
    if (first && line.rfind(byteOrderMark, 0) == 0)
        line.erase(0, std::char_traits<char>::length(byteOrderMark));
    if (!line.empty() && std::isspace(static_cast<unsigned char>(line.front())))
        return true;
    return startsWithKnownName(line);
}

std::string withoutTrailingReturns(std::string line)
{
    while (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// The player's lines of `before` are all in `after`, in their order. The file's byte-order mark may go
// when settings are written before its first line.
void checkKeptLines(const std::vector<std::string>& before, const std::vector<std::string>& after)
{
    auto next = after.begin();
    for (std::size_t index = 0; index < before.size(); ++index)
    {
        if (mayHoldASetting(before[index], index == 0))
            continue;
        const std::string kept = withoutTrailingReturns(before[index]);
        const std::string unmarked = index == 0 && kept.rfind(byteOrderMark, 0) == 0
                                         ? kept.substr(std::char_traits<char>::length(byteOrderMark))
                                         : kept;
        next = std::find_if(next, after.end(),
                            [&](const std::string& line)
                            {
                                const std::string text = withoutTrailingReturns(line);
                                return text == kept || text == unmarked;
                            });
        check(next != after.end());
        ++next;
    }
}

// A value the game wrote itself is never warned about when it reads it back.
void checkNoValueWarned(const std::map<std::size_t, std::string>& warnings)
{
    for (const auto& [line, text] : warnings)
        check(!startsWithKnownName(text));
}

PlayerSettings changedAsChosen(PlayerSettings settings, std::uint8_t which, std::uint8_t how)
{
    if (which & 1)
        settings.musicVolume = how % (PlayerSettings::mostVolume + 1);
    if (which & 2)
        settings.effectsVolume = (how * 7) % (PlayerSettings::mostVolume + 1);
    if (which & 4)
        settings.mouseSensitivity = (1 + how % 50) / 10.0;
    if (which & 8)
        settings.fullscreen = !settings.fullscreen;
    if (which & 16)
        settings.maxFps = PlayerSettings::maxFpsChoices[how % PlayerSettings::maxFpsChoices.size()];
    return settings;
}

// Saves `settings` through `file` and reads the result as the next start of the game would.
void checkSavedAndReadBack(SettingsFile& file, const PlayerSettings& settings,
                           const std::vector<std::string>& playersLines, ConsoleLines& console)
{
    check(file.save(settings));
    const std::vector<std::string> saved = linesOf(ScratchFolder::contentOf(file.getPath()));
    checkKeptLines(playersLines, saved);
    SettingsFile again(file.getPath());
    check(again.read() == settings);
    checkNoValueWarned(warningsAbout(file.getPath(), saved.size(), console.take()));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < choiceBytes)
        return 0;
    const std::filesystem::path path = scratch.write("settings.ini", data + choiceBytes, size - choiceBytes);
    const std::vector<std::string> lines =
        linesOf(std::string(reinterpret_cast<const char*>(data) + choiceBytes, size - choiceBytes));

    ConsoleLines console;
    SettingsFile file(path);
    const PlayerSettings read = file.read();
    checkAccepted(read);
    checkUnreadableWarned(lines, warningsAbout(path, lines.size(), console.take()));

    checkSavedAndReadBack(file, read, lines, console);
    SettingsFile later(path);
    later.read();
    console.take();
    checkSavedAndReadBack(later, changedAsChosen(read, data[0], data[1]), lines, console);
    return 0;
}
