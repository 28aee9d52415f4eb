#pragma once

#include <string>

// Writes a 16-bit, 44.1 kHz WAV file holding a steady 440 Hz sine at the given amplitude (0 to 1), the
// same on every channel.
bool writeToneFile(const std::string& path, double seconds, int channels, double amplitude = 0.5);
