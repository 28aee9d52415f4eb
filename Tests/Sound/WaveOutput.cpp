#include "WaveOutput.h"

#include <cstdlib>
#include <fstream>

WaveOutput& WaveOutput::instance()
{
    static WaveOutput output;
    return output;
}

WaveOutput::WaveOutput()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "QuillmarchSound.XXXXXX").string();
    // Left as the unfilled pattern if it fails, so that every test writing there fails loudly.
    const char* made = mkdtemp(pattern.data());
    directory = made ? made : pattern;
    const std::filesystem::path configuration = directory / "alsoft.conf";
    std::ofstream(configuration) << "[general]\ndrivers = wave\n[wave]\nfile = " << getOutputPath().string()
                                 << "\n";
    setenv("ALSOFT_CONF", configuration.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
}

WaveOutput::~WaveOutput()
{
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}
