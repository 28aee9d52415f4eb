#pragma once

#include "Network/Callback.h"

#include <memory>
#include <string>
#include <type_traits>

namespace wsclient
{
// A client connection that the frame loop drives: poll moves bytes, dispatch hands out the messages.
class WebSocket
{
public:
    enum ReadyState
    {
        CLOSING = 0,
        CLOSED = 1,
        OPEN = 3
    };

    // Long enough for a slow local observer, short enough that a silent one does not freeze the start.
    static constexpr int defaultHandshakeTimeoutMs = 5000;

    virtual ~WebSocket() = default;
    virtual void poll(int timeoutMs = 0) = 0;
    virtual void send(const std::string& message) = 0;
    virtual void sendPing() = 0;
    virtual void close() = 0;
    virtual ReadyState getReadyState() const = 0;
    virtual void dispatchCallback(Callback& callback) = 0;

    template <class Callable>
    void dispatch(Callable&& callable)
    {
        CallbackAdapter<std::remove_reference_t<Callable>> adapter(callable);
        dispatchCallback(adapter);
    }

    // Null (after its line on the error stream) when the URL is bad, nobody accepts, or the handshake
    // fails or takes longer than the time limit.
    static std::unique_ptr<WebSocket> fromUrl(const std::string& url,
                                              const std::string& origin = std::string(),
                                              int handshakeTimeoutMs = defaultHandshakeTimeoutMs);
};
}  // namespace wsclient
