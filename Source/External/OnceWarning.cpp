#include "External/OnceWarning.h"

#include "GameEngine/Console.h"

void OnceWarning::warn(const std::string& text)
{
    if (warned)
        return;
    warned = true;
    Console::warning(text);
}
