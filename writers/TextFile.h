#pragma once
// The text-file service of the writers: creates or replaces one file as 8-bit text with CR LF line
// ends. The text goes to a temporary file beside the target, which is renamed into place when the
// file is closed, so a failed write never leaves a half file where a good one stood.
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace q7 {

class TextFile {
public:
    TextFile() = default;
    // A file still open here was not finished: it is discarded and the target left as it was.
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // Starts a new file that replaces `path` on Close. Throws IoError naming the path and the
    // system's reason when the file cannot be created (missing or read-only folder, a directory
    // of that name, ...). A file still open is discarded first.
    void Create(const std::filesystem::path& path);
    bool IsOpen() const { return m_fd >= 0; }
    const std::filesystem::path& Path() const { return m_path; }

    // Text followed by CR LF.
    void WriteLine(std::string_view text = {}) {
        Write(text);
        Write("\r\n");
    }
    // Several pieces one after the other, then CR LF.
    template <typename First, typename Second, typename... Rest>
    void WriteLine(const First& first, const Second& second, const Rest&... rest) {
        Write(std::string_view(first));
        Write(std::string_view(second));
        (Write(std::string_view(rest)), ...);
        Write("\r\n");
    }
    // Text without a line end: what is written next continues the same line.
    void Write(std::string_view text) {
        if (text.size() <= kBufferSize - m_used && m_fd >= 0) {
            text.copy(m_buffer.get() + m_used, text.size());
            m_used += text.size();
        } else {
            WriteThrough(text);
        }
    }
    // `count` lines holding no characters.
    void WriteBlankLines(int count);

    // Writes what is pending, closes the file and puts it in place of the target. Throws IoError
    // (and discards the file) when any of it fails.
    void Close();
    // Drops the unfinished file; the target keeps whatever it held before.
    void Discard() noexcept;

    // When `name` is the name of a temporary file that Create made for a target named `target`
    // (in the same folder), the id of the process that made it; else 0. A temporary whose process
    // is gone was left by an interrupted write.
    static int TemporaryOwner(const std::string& name, const std::string& target);

private:
    static constexpr std::size_t kBufferSize = 1 << 16;

    void WriteThrough(std::string_view text);
    void Flush();
    void WriteAll(const char* data, std::size_t size);
    [[noreturn]] void Fail(const char* what, int error);

    std::filesystem::path m_path;
    std::filesystem::path m_temp;
    int m_fd = -1;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
};

} // namespace q7
