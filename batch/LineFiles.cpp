#include "batch/LineFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace q7 {

namespace {

std::string Reason() {
    return std::strerror(errno);
}

} // namespace

LineInput::LineInput(const std::string& name) : m_name(name == "-" ? "standard input" : name) {
    if (name == "-") {
        m_file = stdin;
        m_own = false;
    } else {
        m_file = std::fopen(name.c_str(), "rb");
        if (!m_file) throw IoError(name + ": " + Reason());
        m_own = true;
        struct stat st {};
        if (fstat(fileno(m_file), &st) == 0 && S_ISREG(st.st_mode)) m_size = st.st_size;
    }
}

LineInput::~LineInput() {
    std::free(m_buf);
    if (m_own) std::fclose(m_file);
}

bool LineInput::Next(std::string& line) {
    const ssize_t n = getline(&m_buf, &m_cap, m_file);
    if (n < 0) {
        if (std::ferror(m_file)) throw IoError(m_name + ": read failed");
        return false;
    }
    m_read += n;
    size_t len = static_cast<size_t>(n);
    if (len && m_buf[len - 1] == '\n') --len;
    if (len && m_buf[len - 1] == '\r') --len;
    line.assign(m_buf, len);
    return true;
}

double LineInput::Fraction() const {
    if (m_size <= 0) return -1.0;
    return static_cast<double>(m_read) / static_cast<double>(m_size);
}

LineOutput::LineOutput(const std::string& name) : m_name(name) {
    if (name.empty()) {
        m_file = stdout;
        return;
    }
    const std::filesystem::path target(name);
    m_lock.emplace(OutputLock::File(target));
    const std::string own = target.filename().string();
    RemoveLeftTemporaries(target.parent_path().empty() ? "." : target.parent_path(),
                          [&own](const std::string& t) { return t == own; });
    std::string hidden = ".";
    hidden += target.filename().string();
    hidden += ".tmp-";
    hidden += std::to_string(getpid());
    m_temp = (target.parent_path() / hidden).string();
    m_file = std::fopen(m_temp.c_str(), "wb");
    if (!m_file) throw IoError(name + ": " + Reason());
}

LineOutput::~LineOutput() {
    if (m_name.empty() || m_done) return;
    std::fclose(m_file);
    std::remove(m_temp.c_str());
}

void LineOutput::Write(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size())
        throw IoError((m_name.empty() ? std::string("standard output") : m_name) + ": " + Reason());
}

void LineOutput::Commit() {
    if (m_name.empty()) {
        if (std::fflush(m_file) != 0) throw IoError("standard output: " + Reason());
        m_done = true;
        return;
    }
    const bool ok = std::fflush(m_file) == 0 && fsync(fileno(m_file)) == 0;
    const int err = errno;
    m_done = true;
    if (std::fclose(m_file) != 0 || !ok) {
        std::remove(m_temp.c_str());
        errno = err;
        throw IoError(m_name + ": " + Reason());
    }
    if (std::rename(m_temp.c_str(), m_name.c_str()) != 0) {
        const std::string why = Reason();
        std::remove(m_temp.c_str());
        throw IoError(m_name + ": " + why);
    }
}

bool SameFile(const std::string& input, const std::string& output) {
    if (input.empty() || input == "-" || output.empty()) return false;
    std::error_code ec;
    return std::filesystem::equivalent(input, output, ec) && !ec;
}

} // namespace q7
