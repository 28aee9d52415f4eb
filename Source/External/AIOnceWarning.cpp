#include "External/AIOnceWarning.h"

#include "GameEngine/Console.h"

namespace irr::AI
{
void AIOnceWarning::warn(const std::string& text)
{
    if (warned)
        return;
    warned = true;
    Console::warning(text);
}
}  // namespace irr::AI
