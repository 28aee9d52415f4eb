#include "Support/ConsoleCapture.h"

#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace
{
int descriptorOf(ConsoleCapture::Stream stream)
{
    return stream == ConsoleCapture::Stream::output ? STDOUT_FILENO : STDERR_FILENO;
}

void flushAll()
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
}

}  // namespace

ConsoleCapture::ConsoleCapture(Stream stream) : stream(stream)
{
    flushAll();
    file = std::tmpfile();
    savedDescriptor = dup(descriptorOf(stream));
    dup2(fileno(file), descriptorOf(stream));
}

ConsoleCapture::~ConsoleCapture()
{
    finish();
}

std::string ConsoleCapture::finish()
{
    if (!capturing)
        return captured;
    capturing = false;
    flushAll();
    dup2(savedDescriptor, descriptorOf(stream));
    close(savedDescriptor);
    std::rewind(file);
    char chunk[4096];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        captured.append(chunk, count);
    std::fclose(file);
    file = nullptr;
    return captured;
}

std::vector<std::string> ConsoleCapture::lines()
{
    std::istringstream text(finish());
    std::vector<std::string> result;
    for (std::string line; std::getline(text, line);)
        result.push_back(line);
    return result;
}

std::vector<std::string> ConsoleCapture::reportLines()
{
    std::vector<std::string> result;
    for (const std::string& line : lines())
    {
        if (line.rfind("ERROR: ", 0) == 0 || line.rfind("WARNING: ", 0) == 0 ||
            line.rfind("MESSAGE: ", 0) == 0)
            result.push_back(line);
    }
    return result;
}
