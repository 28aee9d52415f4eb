#include "Network/WebSocketUrl.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace wsclient
{
namespace
{
constexpr const char* scheme = "ws://";
constexpr long highestPort = 65535;

struct Number
{
    bool found = false;
    long value = 0;
    std::size_t end = 0;
};

// A decimal number as scanf reads one: blanks and a sign allowed before the digits.
Number readNumber(const std::string& text, std::size_t from)
{
    Number number;
    const char* start = text.c_str() + from;
    char* end = nullptr;
    errno = 0;
    number.value = std::strtol(start, &end, 10);
    number.found = end != start;
    number.end = from + static_cast<std::size_t>(end - start);
    if (errno == ERANGE)
        number.value = -1;
    return number;
}

bool isBlank(char character)
{
    return std::isspace(static_cast<unsigned char>(character)) != 0;
}

// The run of non-blank characters after any blanks, as scanf's %s takes it.
std::string readWord(const std::string& text, std::size_t from)
{
    while (from < text.size() && isBlank(text[from]))
        ++from;
    std::size_t end = from;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    return text.substr(from, end - from);
}
}  // namespace

std::optional<WebSocketUrl> WebSocketUrl::parse(const std::string& text)
{
    const std::string prefix = scheme;
    if (text.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    const std::size_t hostEnd =
        std::min(text.find_first_of(std::string(":/\0", 3), prefix.size()), text.size());
    if (hostEnd == prefix.size())
        return std::nullopt;

    WebSocketUrl url;
    url.host = text.substr(prefix.size(), hostEnd - prefix.size());
    std::size_t position = hostEnd;
    if (position < text.size() && text[position] == ':')
    {
        const Number port = readNumber(text, position + 1);
        if (!port.found)
            return url;  // only the host pattern fits
        if (port.value < 1 || port.value > highestPort)
            return std::nullopt;
        url.port = static_cast<int>(port.value);
        position = port.end;
    }
    if (position < text.size() && text[position] == '/')
        url.path = readWord(text, position + 1);
    return url;
}
}  // namespace wsclient
