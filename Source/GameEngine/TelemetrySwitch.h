#pragma once

// The command line's one choice: exactly "ws" as the first argument turns telemetry on.
class TelemetrySwitch
{
public:
    static constexpr const char* switchText = "ws";

    // Reads the first argument and says on the console what it decided (nothing without one).
    static bool read(int argc, const char* const argv[]);
};
