#pragma once

#include <string>

namespace wsclient
{
// Receives each complete text message that a connection dispatches.
class Callback
{
public:
    virtual ~Callback() = default;
    virtual void operator()(const std::string& message) = 0;
};

// Lets any callable that takes the message text serve as a Callback, without copying it.
template <class Callable>
class CallbackAdapter : public Callback
{
public:
    explicit CallbackAdapter(Callable& callable) : callable(callable) {}
    void operator()(const std::string& message) override { callable(message); }

private:
    Callable& callable;
};
}  // namespace wsclient
