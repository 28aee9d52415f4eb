#include "ScratchFolder.h"

#include "FuzzCheck.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmarch-fuzz-XXXXXX").string();
    check(mkdtemp(pattern.data()) != nullptr);
    folder = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

std::filesystem::path ScratchFolder::write(const std::string& name, const std::uint8_t* data,
                                           std::size_t size) const
{
    const std::filesystem::path file = folder / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    check(static_cast<bool>(out.flush()));
    return file;
}

std::string ScratchFolder::contentOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
