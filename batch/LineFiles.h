#pragma once
// Line-by-line input and output of the study commands: a file or, for "-" (input) or no name
// (output), the standard streams. A named output is written beside its target and renamed into
// place by Commit(), so a failed run never leaves a half file where a good one stood; it is held
// by one run at a time (OutputLock), and the temporaries that killed runs left for it are removed.
#include "batch/OutputLock.h"
#include "numeric/Errors.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace q7 {

class LineInput {
public:
    // Throws IoError when the file cannot be opened.
    explicit LineInput(const std::string& name);
    ~LineInput();
    LineInput(const LineInput&) = delete;
    LineInput& operator=(const LineInput&) = delete;

    // The next line without its line end (and without a CR before it); false at the end.
    bool Next(std::string& line);
    // The share of a regular file read so far, or -1 for a stream.
    double Fraction() const;
    const std::string& Name() const { return m_name; }

private:
    std::string m_name;
    std::FILE* m_file;
    bool m_own;
    long long m_size = -1, m_read = 0;
    char* m_buf = nullptr;
    size_t m_cap = 0;
};

class LineOutput {
public:
    // An empty name writes to standard output. Throws IoError when the file cannot be created or
    // another run holds it.
    explicit LineOutput(const std::string& name);
    ~LineOutput(); // without Commit(), a named output's temporary file is removed
    LineOutput(const LineOutput&) = delete;
    LineOutput& operator=(const LineOutput&) = delete;

    void Write(std::string_view text); // throws IoError
    void Commit();                     // flushes, and renames a named output into place

private:
    std::string m_name, m_temp;
    std::optional<OutputLock> m_lock;
    std::FILE* m_file;
    bool m_done = false;
};

// True when `output` names the very file `input` names (a link or another spelling included); "-" and
// "" (the standard streams) name no file.
bool SameFile(const std::string& input, const std::string& output);

} // namespace q7
