#include "GameEngine/CloseRequest.h"

#include <atomic>
#include <signal.h>

namespace
{
std::atomic<bool> closeAsked{false};
// Only a lock-free atomic may be touched from a signal handler.
static_assert(std::atomic<bool>::is_always_lock_free);

void askToClose(int /*signal*/)
{
    closeAsked.store(true);
}

void catchSignal(int signal)
{
    struct sigaction current = {};
    if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
        return;
    struct sigaction asking = {};
    asking.sa_handler = askToClose;
    sigemptyset(&asking.sa_mask);
    asking.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(signal, &asking, nullptr);
}
}  // namespace

void CloseRequest::catchSignals()
{
    catchSignal(SIGINT);
    catchSignal(SIGTERM);
}

bool CloseRequest::take()
{
    return closeAsked.exchange(false);
}
