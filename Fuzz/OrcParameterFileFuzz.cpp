// Hands arbitrary bytes to the match runner as an orc's parameter file. Besides the sanitizers' findings it
// checks what a tuner is promised: the file is either taken, every value within its key's range and every
// key it does not name at today's value, or refused with one line naming the file, one of its lines and
// the key or what is wrong there. A set that was taken, written out again, reads back the same.
#include "FuzzCheck.h"
#include "ScratchFolder.h"

#include "OrcParameterFile.h"

#include <algorithm>
#include <cstdio>

namespace
{
const ScratchFolder scratch;

double valueIn(const OrcParameters& parameters, const OrcParameterFile::Key& key)
{
    return std::visit([&](auto field) { return static_cast<double>(parameters.*field); }, key.field);
}

const OrcParameterFile::Key* knownKey(const std::string& name)
{
    const auto& keys = OrcParameterFile::keys();
    const auto found = std::find_if(keys.begin(), keys.end(),
                                    [&name](const OrcParameterFile::Key& key) { return name == key.name; });
    return found == keys.end() ? nullptr : &*found;
}

bool appearsUpTo(const std::vector<std::string>& lines, std::size_t lineNumber, const std::string& text)
{
    return std::any_of(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(lineNumber),
                       [&text](const std::string& line) { return line.find(text) != std::string::npos; });
}

void checkTaken(const OrcParameters& parameters, const std::string& content)
{
    const OrcParameters today;
    for (const OrcParameterFile::Key& key : OrcParameterFile::keys())
    {
        const double value = valueIn(parameters, key);
        check(value >= key.least && value <= key.most);
        if (content.find(key.name) == std::string::npos)
            check(value == valueIn(today, key));
    }
}

// The key a refusal names, between "key '" and the last "': ".
bool checkNamedKey(const std::string& what, const std::vector<std::string>& lines, std::size_t lineNumber)
{
    static const std::string opening = "key '";
    if (what.rfind(opening, 0) != 0)
        return false;
    for (const char* ending : {"': unknown key", "': given twice"})
    {
        const std::size_t length = std::char_traits<char>::length(ending);
        if (what.size() >= opening.size() + length && what.compare(what.size() - length, length, ending) == 0)
        {
            const std::string name = what.substr(opening.size(), what.size() - length - opening.size());
            check((knownKey(name) != nullptr) == (ending[3] == 'g'));
            check(appearsUpTo(lines, lineNumber, name));
            return true;
        }
    }
    // A value refused, or one that may be cut short: a known key comes first.
    std::size_t end = what.find("': '", opening.size());
    if (end == std::string::npos)
        end = what.find("': the line is longer than ", opening.size());
    check(end != std::string::npos);
    const std::string name = what.substr(opening.size(), end - opening.size());
    check(knownKey(name) != nullptr && appearsUpTo(lines, lineNumber, name));
    return true;
}

void checkRefusal(const std::string& error, const std::string& path, const std::vector<std::string>& lines)
{
    check(error.find('\n') == std::string::npos);
    const std::string prefix = path + " line ";
    check(error.rfind(prefix, 0) == 0);
    const std::string rest = error.substr(prefix.size());
    std::size_t end = 0;
    const std::size_t lineNumber = leadingNumber(rest, end);
    check(end > 0 && rest.compare(end, 2, ": ") == 0);
    check(lineNumber >= 1 && lineNumber <= lines.size());
    // The first wrong line is named: none before it is one that cannot read.
    for (std::size_t index = 0; index + 1 < lineNumber; ++index)
        check(!surelyUnreadable(lines[index], index == 0));
    const std::string what = rest.substr(end + 2);
    if (what == "not a 'key = value' line" || checkNamedKey(what, lines, lineNumber))
        return;
    static const std::string section = "section [";
    static const std::string noSections = "]: the file takes no sections";
    check(what.rfind(section, 0) == 0 && what.size() >= section.size() + noSections.size() &&
          what.compare(what.size() - noSections.size(), noSections.size(), noSections) == 0);
    const std::string name = what.substr(section.size(), what.size() - section.size() - noSections.size());
    check(appearsUpTo(lines, lineNumber, "[" + name));
}

// The set as a file of its own, each value exactly as the orc holds it.
std::string written(const OrcParameters& parameters)
{
    std::string text;
    for (const OrcParameterFile::Key& key : OrcParameterFile::keys())
    {
        char value[64];
        std::snprintf(value, sizeof value, "%.17g", valueIn(parameters, key));
        text += std::string(key.name) + " = " + value + "\n";
    }
    return text;
}

bool same(const OrcParameters& one, const OrcParameters& other)
{
    const auto& keys = OrcParameterFile::keys();
    return std::all_of(keys.begin(), keys.end(),
                       [&](const OrcParameterFile::Key& key)
                       { return valueIn(one, key) == valueIn(other, key); });
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string content(reinterpret_cast<const char*>(data), size);
    const std::string path = scratch.write("strong.ini", data, size).string();
    std::string error;
    const std::optional<OrcParameters> parameters = OrcParameterFile::read(path, error);
    check(parameters.has_value() == error.empty());
    if (!parameters)
    {
        checkRefusal(error, path, linesOf(content));
        return 0;
    }
    const std::vector<std::string> lines = linesOf(content);
    for (std::size_t index = 0; index < lines.size(); ++index)
        check(!surelyUnreadable(lines[index], index == 0));
    checkTaken(*parameters, content);

    const std::string again = written(*parameters);
    const std::string copy =
        scratch.write("copy.ini", reinterpret_cast<const std::uint8_t*>(again.data()), again.size()).string();
    const std::optional<OrcParameters> reread = OrcParameterFile::read(copy, error);
    check(reread.has_value() && same(*reread, *parameters));
    return 0;
}
