#include "GameEngine/IniLines.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <ini.h>

namespace
{
constexpr const char* byteOrderMark = "\xEF\xBB\xBF";

int acceptEverything(void*, const char*, const char*, const char*)
{
    return 1;
}

std::string withoutTrailingSpace(const std::string& text)
{
    const auto last =
        std::find_if(text.rbegin(), text.rend(), [](unsigned char letter) { return !std::isspace(letter); });
    return std::string(text.begin(), last.base());
}
}  // namespace

bool IniLines::load(const std::filesystem::path& path, std::string& content, int& failure)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
    {
        failure = errno;
        return false;
    }
    content.clear();
    char chunk[4096];
    for (std::size_t got;
         content.size() <= largestFile && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        content.append(chunk, got);
    failure = std::ferror(file) != 0 ? errno : 0;
    std::fclose(file);
    if (failure == 0 && content.size() > largestFile)
        failure = EFBIG;
    return failure == 0;
}

std::vector<std::string> IniLines::split(const std::string& content)
{
    std::vector<std::string> lines;
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
    return lines;
}

std::string IniLines::withoutByteOrderMark(const std::string& line)
{
    return line.rfind(byteOrderMark, 0) == 0 ? line.substr(std::char_traits<char>::length(byteOrderMark))
                                             : line;
}

bool IniLines::mayContinueAValue(const std::string& line)
{
    const auto text =
        std::find_if(line.begin(), line.end(), [](unsigned char letter) { return !std::isspace(letter); });
    return text != line.begin() && text != line.end() && *text != ';' && *text != '#';
}

IniLines::IniLines(const std::vector<std::string>& lines) : lines(&lines)
{
}

void IniLines::parse(const Take& takeName, const Unreadable& tellUnreadable)
{
    take = &takeName;
    unreadable = &tellUnreadable;
    next = 0;
    pending = false;
    ini_parse_stream(nextLine, this, handle, this);
    finishLine();
}

char* IniLines::nextLine(char* line, int size, void* self)
{
    auto& reader = *static_cast<IniLines*>(self);
    reader.finishLine();
    if (reader.next >= reader.lines->size() || size < 1)
        return nullptr;
    // Trailing space means nothing to inih, so it does not count towards a cut.
    const std::string text = withoutTrailingSpace((*reader.lines)[reader.next++]);
    reader.room = static_cast<std::size_t>(size - 1);
    reader.handed = text.substr(0, reader.room);
    reader.currentCut = text.size() > reader.room;
    reader.taken = false;
    reader.pending = true;
    reader.handed.copy(line, reader.handed.size());
    line[reader.handed.size()] = '\0';
    return line;
}

int IniLines::handle(void* self, const char* section, const char* name, const char* value)
{
    auto& reader = *static_cast<IniLines*>(self);
    reader.taken = true;
    return (*reader.take)(section ? section : "", name ? name : "", value ? value : "") ? 1 : 0;
}

void IniLines::finishLine()
{
    if (!pending)
        return;
    pending = false;
    if (!taken && !readsAlone(handed, next == 1))
        (*unreadable)(next);
}

// A line that handed inih no name is read alone as inih read it among the others: only a continued value
// depends on the lines before, and that hands on a name. Only the first line may begin with a byte-order
// mark, so any other is read as a second line.
bool IniLines::readsAlone(const std::string& text, bool first)
{
    return ini_parse_string(((first ? "" : "\n") + text).c_str(), acceptEverything, nullptr) == 0;
}
