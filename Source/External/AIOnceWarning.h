#pragma once

#include <string>

namespace irr::AI
{
// A warning for misuse that may repeat every frame: it reaches the log the first time only.
class AIOnceWarning
{
public:
    void warn(const std::string& text);
    bool hasWarned() const { return warned; }

private:
    bool warned = false;
};
}  // namespace irr::AI
