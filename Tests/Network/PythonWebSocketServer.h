#pragma once

#include <cstdio>
#include <string>

// The echo server of websocket_echo_server.py on Debian's Python and its websockets module, started for
// one test and killed at its end.
class PythonWebSocketServer
{
public:
    PythonWebSocketServer();
    ~PythonWebSocketServer();
    PythonWebSocketServer(const PythonWebSocketServer&) = delete;
    PythonWebSocketServer& operator=(const PythonWebSocketServer&) = delete;

    // Empty when the server did not come up.
    std::string url() const { return port == 0 ? std::string() : "ws://127.0.0.1:" + std::to_string(port); }

private:
    std::FILE* output;
    int port = 0;
    int process = 0;
};
