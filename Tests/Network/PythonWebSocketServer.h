#pragma once

#include <string>
#include <sys/types.h>

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
    std::string url() const;
    // Ends the server at once, as a crash would: no close frame, no goodbye.
    void kill();

private:
    pid_t process = -1;
    int port = 0;
};
