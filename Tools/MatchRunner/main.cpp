#include "MatchRunner.h"
#include "RunnerOptions.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::string error;
    const std::optional<RunnerOptions> options =
        RunnerOptions::parse(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options)
    {
        std::cerr << "QuillmarchMatchRunner: " << error << " (see --help)\n";
        return 2;
    }
    if (options->help)
    {
        std::cout << RunnerOptions::usage();
        return 0;
    }
    MatchRunner runner(*options);
    return runner.run(std::cout);
}
