#pragma once

#include <filesystem>

// A file that appears under its name only when complete: it is written under a temporary name in
// the same folder and renamed into place, so a reader (another build running the asset generator into
// the same folder, the game reading its assets or its settings) never sees half of it, and a failed
// write leaves the old file as it was.
class AtomicFile
{
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Where the content goes before `commit`; it keeps the target's extension, which some writers
    // pick their format by.
    const std::filesystem::path& temporaryPath() const { return temporary; }
    // Moves the finished file into place; reports a failure on the console.
    bool commit();

private:
    std::filesystem::path target;
    std::filesystem::path temporary;
    bool committed = false;
};
