#pragma once

// A loopback port that refuses connections: bound, so nobody else takes it while it lives, but not
// listening.
class RefusingPort
{
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;

    int port() const { return boundPort; }

private:
    int descriptor = -1;
    int boundPort = 0;
};
