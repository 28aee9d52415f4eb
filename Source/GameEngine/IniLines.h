#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// A file's lines as Debian's inih reads them, one line of the file per call of its reader, so that inih's
// line numbers are the file's however long a line is. inih reads at most the first 199 characters of a
// line (its stack buffer); a longer line is cut there, and that is told, but the line itself is kept whole.
// Besides the names and values inih hands on, every line it cannot read is told too, not only the first.
class IniLines
{
public:
    // Larger than any settings file: a file beyond it (or a device that never ends) is not read.
    static constexpr std::size_t largestFile = std::size_t{1} << 20;

    // A name and its value from the current line; false makes inih count the line as wrong.
    using Take =
        std::function<bool(const std::string& section, const std::string& name, const std::string& value)>;
    // A line inih cannot read (not a comment, a [section] or "name = value"), by its number.
    using Unreadable = std::function<void(std::size_t lineNumber)>;

    // The whole file, or false with `failure` an errno (ENOENT for a missing file, EFBIG for a huge one).
    static bool load(const std::filesystem::path& path, std::string& content, int& failure);
    // The text's lines, split at "\n", a "\r" before it dropped.
    static std::vector<std::string> split(const std::string& content);

    // The line without the byte-order mark that inih skips at the start of a file.
    static std::string withoutByteOrderMark(const std::string& line);
    // An indented line that is no comment: after a name, inih reads it as more of that name's value.
    static bool mayContinueAValue(const std::string& line);

    explicit IniLines(const std::vector<std::string>& lines);

    void parse(const Take& take, const Unreadable& unreadable);
    // While parsing: the number of the line being read (1 for the first), and whether it was cut.
    std::size_t lineNumber() const { return next; }
    bool cut() const { return currentCut; }
    // How many characters of a line inih reads.
    std::size_t longestRead() const { return room; }

private:
    static char* nextLine(char* line, int size, void* self);
    static int handle(void* self, const char* section, const char* name, const char* value);
    static bool readsAlone(const std::string& text, bool first);
    void finishLine();

    const std::vector<std::string>* lines;
    const Take* take = nullptr;
    const Unreadable* unreadable = nullptr;
    std::size_t next = 0;
    std::size_t room = 0;
    // What inih was handed of the current line, and whether it handed a name and value on.
    std::string handed;
    bool taken = false;
    bool currentCut = false;
    // A line was handed whose end has not been dealt with yet.
    bool pending = false;
};
