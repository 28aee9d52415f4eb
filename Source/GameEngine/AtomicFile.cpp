#include "GameEngine/AtomicFile.h"

#include "GameEngine/Console.h"

#include <atomic>
#include <string>
#include <system_error>
#include <unistd.h>

namespace
{
std::atomic<unsigned> temporaryCounter{0};
}

AtomicFile::AtomicFile(std::filesystem::path targetPath) : target(std::move(targetPath))
{
    // The process id keeps concurrent generators apart, the counter the files of one run.
    const std::string unique =
        std::to_string(static_cast<long>(getpid())) + "-" + std::to_string(++temporaryCounter);
    temporary = target.parent_path() /
                ("." + target.stem().string() + "." + unique + ".tmp" + target.extension().string());
}

AtomicFile::~AtomicFile()
{
    if (!committed)
    {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    }
}

bool AtomicFile::commit()
{
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error)
    {
        Console::error("Could not move " + target.string() + " into place: " + error.message());
        return false;
    }
    committed = true;
    return true;
}
