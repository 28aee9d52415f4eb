#pragma once

// Ctrl+C in a terminal, or a polite kill, ends the game the way closing its window does: the frame
// loop stops and everything shuts down in order, with a success status. The one place that knows
// about the operating system's signals.
class CloseRequest
{
public:
    // From now on SIGINT and SIGTERM ask for a close instead of killing the game; a second one kills
    // it as before, should it hang. A signal the game was started with ignored stays ignored, as for
    // a job started in the background.
    static void catchSignals();
    // Whether a close was asked for since the last call.
    static bool take();
};
