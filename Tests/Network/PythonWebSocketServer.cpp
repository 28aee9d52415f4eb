#include "PythonWebSocketServer.h"

#include <csignal>

PythonWebSocketServer::PythonWebSocketServer()
    : output(popen("exec " QUILLMARCH_PYTHON " " QUILLMARCH_ECHO_SERVER, "r"))
{
    if (output == nullptr || std::fscanf(output, "%d %d", &port, &process) != 2)
        port = process = 0;
}

PythonWebSocketServer::~PythonWebSocketServer()
{
    if (process > 0)
        kill(process, SIGKILL);
    if (output != nullptr)
        pclose(output);
}
