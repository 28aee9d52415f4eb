#include "MatchRunner.h"
#include "RunnerOptions.h"

#include <iostream>

int main(int argc, char** argv)
{
    int exitStatus = 0;
    const std::optional<RunnerOptions> options = RunnerOptions::read(argc, argv, exitStatus);
    if (!options)
        return exitStatus;
    MatchRunner runner(*options);
    return runner.run(std::cout);
}
