#pragma once

#include <cctype>
#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

// What the fuzzers share: a failed property stops the run at once, where libFuzzer keeps the input.
inline void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// A file's lines as a text editor shows them: split at '\n', a trailing "\r" of "\r\n" dropped.
inline std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The number at the start of `text` (digits only), and where it ends; 0 and `text` itself for none.
inline std::size_t leadingNumber(const std::string& text, std::size_t& end)
{
    std::size_t number = 0;
    end = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9' && number < 1000000000)
        number = number * 10 + static_cast<std::size_t>(text[end++] - '0');
    return number;
}

// A line no INI reader takes: something that is neither a comment, a [section] nor indented (so it continues
// no value), with no '=' or ':' that would make it a name and a value. Only the first line may begin with
// a byte-order mark; a NUL ends what a C reader sees of a line.
inline bool surelyUnreadable(const std::string& line, bool first)
{
    std::string text = line.substr(0, line.find('\0'));
    if (first && text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front())) ||
        std::string(";#[").find(text.front()) != std::string::npos)
        return false;
    return text.find_first_of("=:") == std::string::npos;
}
