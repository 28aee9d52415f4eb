#include "Support/CommandRun.h"

#include <cstdio>
#include <sys/wait.h>

CommandRun CommandRun::of(const std::string& command)
{
    CommandRun run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return run;
    char chunk[4096];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        run.output.append(chunk, count);
    const int status = pclose(pipe);
    run.killedBySignal = WIFSIGNALED(status);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
