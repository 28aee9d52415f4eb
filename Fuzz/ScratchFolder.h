#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// A private folder under the temporary directory for the files a fuzzer hands the readers, removed at exit.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Writes the bytes as the file `name` in the folder, replacing what was there, and returns its path.
    std::filesystem::path write(const std::string& name, const std::uint8_t* data, std::size_t size) const;
    static std::string contentOf(const std::filesystem::path& file);

private:
    std::filesystem::path folder;
};
