#include "PythonWebSocketServer.h"

#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

PythonWebSocketServer::PythonWebSocketServer()
{
    int output[2];
    if (pipe(output) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    posix_spawn_file_actions_addclose(&actions, output[1]);
    const char* arguments[] = {QUILLMARCH_PYTHON, QUILLMARCH_ECHO_SERVER, nullptr};
    if (posix_spawn(&process, QUILLMARCH_PYTHON, &actions, nullptr, const_cast<char* const*>(arguments),
                    environ) != 0)
        process = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    // The first line is the port; the pipe stays open for the server's lifetime, unread.
    std::FILE* lines = fdopen(output[0], "r");
    if (lines == nullptr || std::fscanf(lines, "%d", &port) != 1)
        port = 0;
    if (lines != nullptr)
        std::fclose(lines);
}

PythonWebSocketServer::~PythonWebSocketServer()
{
    kill();
}

std::string PythonWebSocketServer::url() const
{
    return port == 0 ? std::string() : "ws://127.0.0.1:" + std::to_string(port);
}

void PythonWebSocketServer::kill()
{
    if (process <= 0)
        return;
    ::kill(process, SIGKILL);
    waitpid(process, nullptr, 0);
    process = -1;
}
