#include "Support/ConsoleCapture.h"

#include <iostream>
#include <sstream>
#include <unistd.h>

namespace
{
void flushAll()
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
}
}  // namespace

ConsoleCapture::ConsoleCapture(Stream stream)
    : descriptor(stream == Stream::output ? STDOUT_FILENO : STDERR_FILENO), file(std::tmpfile())
{
    flushAll();
    savedDescriptor = dup(descriptor);
    dup2(fileno(file), descriptor);
}

std::vector<std::string> ConsoleCapture::lines()
{
    if (!file)
        return captured;
    flushAll();
    dup2(savedDescriptor, descriptor);
    close(savedDescriptor);
    std::rewind(file);
    std::string text;
    for (int character = 0; (character = std::fgetc(file)) != EOF;)
        text += static_cast<char>(character);
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        captured.push_back(line);
    std::fclose(file);
    file = nullptr;
    return captured;
}

std::vector<std::string> ConsoleCapture::reportLines()
{
    std::vector<std::string> result;
    for (const std::string& line : lines())
        if (line.rfind("ERROR: ", 0) == 0 || line.rfind("WARNING: ", 0) == 0 ||
            line.rfind("MESSAGE: ", 0) == 0)
            result.push_back(line);
    return result;
}
