#include "writers/TextFile.h"

#include "numeric/Errors.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace q7 {

namespace {

// Distinguishes the temporary files of several writers working in one folder at once.
std::atomic<unsigned> g_tempCounter{0};

std::string Describe(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

// The hidden temporary beside a target: "." + target name (at most 200 characters) + ".tmp" +
// process id + "-" + a counter.
std::string TemporaryPrefix(const std::string& target) {
    std::string prefix = ".";
    prefix.append(target, 0, 200);
    prefix += ".tmp";
    return prefix;
}

} // namespace

TextFile::~TextFile() {
    Discard();
}

void TextFile::Create(const std::filesystem::path& path) {
    Discard();
    m_path = path;
    m_used = 0;
    if (!m_buffer) m_buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);

    // The target itself must not be a folder: the rename at the end would fail after all the work.
    struct stat st {};
    if (path.empty() || !path.has_filename()) Fail("create", path.empty() ? ENOENT : EISDIR);
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) Fail("create", EISDIR);

    // Hidden temporary beside the target, in the same folder so that the rename stays on one
    // file system; O_EXCL never reuses a file another writer has open.
    const std::string prefix = TemporaryPrefix(path.filename().string());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temp = path;
        temp.replace_filename(prefix + std::to_string(::getpid()) + "-" +
                              std::to_string(g_tempCounter.fetch_add(1)));
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_fd = fd;
            m_temp = std::move(temp);
            return;
        }
        if (errno != EEXIST) Fail("create", errno);
    }
    Fail("create", EEXIST);
}

void TextFile::WriteThrough(std::string_view text) {
    if (m_fd < 0) throw IoError("Cannot write " + Describe(m_path) + ": the file is not open");
    Flush();
    if (text.size() > kBufferSize) {
        WriteAll(text.data(), text.size());
    } else {
        text.copy(m_buffer.get(), text.size());
        m_used = text.size();
    }
}

void TextFile::WriteBlankLines(int count) {
    for (int i = 0; i < count; ++i)
        Write("\r\n");
}

void TextFile::Flush() {
    WriteAll(m_buffer.get(), m_used);
    m_used = 0;
}

void TextFile::WriteAll(const char* data, std::size_t left) {
    while (left > 0) {
        ssize_t n = ::write(m_fd, data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail("write", errno);
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
}

void TextFile::Close() {
    if (m_fd < 0) return;
    Flush();
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        int error = errno;
        ::unlink(m_temp.c_str());
        Fail("write", error);
    }
    if (::rename(m_temp.c_str(), m_path.c_str()) != 0) {
        int error = errno;
        ::unlink(m_temp.c_str());
        Fail("create", error);
    }
    m_temp.clear();
}

void TextFile::Discard() noexcept {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
        ::unlink(m_temp.c_str());
    }
    m_temp.clear();
    m_used = 0;
}

int TextFile::TemporaryOwner(const std::string& name, const std::string& target) {
    const std::string prefix = TemporaryPrefix(target);
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return 0;
    const std::string rest = name.substr(prefix.size());
    const size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == rest.size() || dash > 9) return 0;
    if (rest.find_first_not_of("0123456789-") != std::string::npos ||
        rest.find('-', dash + 1) != std::string::npos)
        return 0;
    return std::stoi(rest.substr(0, dash));
}

void TextFile::Fail(const char* what, int error) {
    Discard();
    throw IoError(std::string("Cannot ") + what + " " + Describe(m_path) + ": " + std::strerror(error));
}

} // namespace q7
