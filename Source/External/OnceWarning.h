#pragma once

#include <string>

// A warning for misuse that may repeat every frame: it reaches the log the first time only.
class OnceWarning
{
public:
    void warn(const std::string& text);

private:
    bool warned = false;
};
