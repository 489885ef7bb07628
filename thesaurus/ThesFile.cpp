#include "thesaurus/ThesFile.h"

#include "thesaurus/ThesError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tezar {

ThesFile::~ThesFile() {
    Close();
}

int ThesFile::Open(const std::string& path) {
    Close();
    if (path.empty() || path.find('\0') != std::string::npos) return kThesCannotOpen;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return kThesCannotOpen;
    // Readers share the file; a writer holding it exclusively keeps us out.
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        return kThesCannotOpen;
    }
    m_fd = fd;
    m_ownsFd = true;
    const int rc = CheckHeader();
    if (rc != 0) Close();
    return rc;
}

int ThesFile::OpenDescriptor(int fd) {
    Close();
    if (fd < 0) return kThesCannotOpen;
    m_fd = fd;
    m_ownsFd = false;
    const int rc = CheckHeader();
    if (rc != 0) Close();
    return rc;
}

void ThesFile::Close() {
    if (m_map) ::munmap(const_cast<unsigned char*>(m_map), static_cast<size_t>(m_length));
    m_map = nullptr;
    if (m_fd >= 0 && m_ownsFd) ::close(m_fd); // closing drops the shared lock
    m_fd = -1;
    m_ownsFd = false;
    m_length = 0;
    m_entryStart = 0;
    m_language = 0;
    m_readCount = 0;
    m_slots.clear();
}

int ThesFile::CheckHeader() {
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) return kThesCannotOpen;
    m_length = st.st_size;
    if (m_length > 0) {
        void* map = ::mmap(nullptr, static_cast<size_t>(m_length), PROT_READ, MAP_SHARED, m_fd, 0);
        if (map != MAP_FAILED) m_map = static_cast<const unsigned char*>(map);
    }
    if (!m_map) m_slots.assign(kSlots, Slot{});

    unsigned char header[7] = {};
    const size_t got = ReadAt(123, header, sizeof header);
    if (got < sizeof header) return kThesNotValid; // the file ends before its version field
    m_language = static_cast<int8_t>(header[0]);
    const uint32_t area = uint32_t(header[1]) | uint32_t(header[2]) << 8 | uint32_t(header[3]) << 16 |
                          uint32_t(header[4]) << 24;
    const int version = header[5] | header[6] << 8;
    if (version != 1) return kThesBadVersion;
    // The entry area must start after the header and inside the file.
    const int64_t start = int64_t(static_cast<int32_t>(area)) - 1;
    if (start < kHeaderSize || start > m_length) return kThesNotValid;
    m_entryStart = start;
    return 0;
}

ThesFile::Slot* ThesFile::FindSlot(int64_t block) {
    for (Slot& s : m_slots)
        if (s.block == block) {
            s.used = ++m_clock;
            return &s;
        }
    return nullptr;
}

size_t ThesFile::ReadDirect(int64_t offset, void* buffer, size_t len) {
    size_t done = 0;
    while (done < len) {
        ++m_readCount;
        const ssize_t n = ::pread(m_fd, static_cast<char*>(buffer) + done, len - done, offset + done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

bool ThesFile::LoadBlocks(int64_t first, int64_t last) {
    int64_t b = first;
    while (b <= last) {
        if (FindSlot(b) != nullptr) {
            ++b;
            continue;
        }
        int64_t end = b;
        while (end + 1 <= last && FindSlot(end + 1) == nullptr)
            ++end;
        const int64_t from = b * kBlock;
        const int64_t to = std::min((end + 1) * kBlock, m_length);
        m_scratch.resize(static_cast<size_t>(to - from));
        const size_t got = ReadDirect(from, m_scratch.data(), m_scratch.size());
        for (int64_t k = b; k <= end; ++k) {
            Slot* victim = &m_slots[0];
            for (Slot& s : m_slots)
                if (s.used < victim->used) victim = &s;
            const size_t at = static_cast<size_t>((k - b) * kBlock);
            victim->block = k;
            victim->used = ++m_clock;
            victim->size = at < got ? std::min<size_t>(kBlock, got - at) : 0;
            std::memcpy(victim->bytes.data(), m_scratch.data() + at, victim->size);
        }
        if (got < m_scratch.size()) return false; // the file shrank under us
        b = end + 1;
    }
    return true;
}

size_t ThesFile::ReadAt(int64_t offset, void* buffer, size_t len) {
    if (m_fd < 0 || offset < 0 || offset >= m_length || len == 0) return 0;
    len = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(len), m_length - offset));
    if (m_map) {
        std::memcpy(buffer, m_map + offset, len);
        return len;
    }
    const int64_t first = offset / kBlock;
    const int64_t last = (offset + static_cast<int64_t>(len) - 1) / kBlock;
    if (last - first + 1 > static_cast<int64_t>(kSlots / 2)) return ReadDirect(offset, buffer, len);
    LoadBlocks(first, last);
    size_t done = 0;
    for (int64_t b = first; b <= last; ++b) {
        const Slot* s = FindSlot(b);
        if (s == nullptr) break;
        const int64_t from = std::max(offset + static_cast<int64_t>(done), b * kBlock) - b * kBlock;
        if (from >= static_cast<int64_t>(s->size)) break;
        const size_t n = std::min(len - done, s->size - static_cast<size_t>(from));
        std::memcpy(static_cast<char*>(buffer) + done, s->bytes.data() + from, n);
        done += n;
        if (s->size < static_cast<size_t>(kBlock)) break;
    }
    return done;
}

bool ThesFile::ReadEntry(int64_t offset, int32_t& entry) {
    unsigned char b[4];
    if (ReadAt(offset, b, 4) != 4) return false;
    entry = static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                 uint32_t(b[3]) << 24);
    return true;
}

bool ThesFile::ReadText(int64_t offset, std::string& text) {
    char buf[kMaxText];
    const size_t got = ReadAt(offset, buf, sizeof buf);
    const void* zero = std::memchr(buf, 0, got);
    if (zero == nullptr) return false;
    text.assign(buf, static_cast<size_t>(static_cast<const char*>(zero) - buf));
    return true;
}

void ThesFile::Prefetch(int64_t offset, int64_t len) {
    if (m_map || m_fd < 0 || offset < 0 || offset >= m_length || len <= 0) return;
    len = std::min(len, m_length - offset);
    const int64_t first = offset / kBlock;
    const int64_t last = (offset + len - 1) / kBlock;
    if (last - first + 1 <= static_cast<int64_t>(kSlots / 2)) LoadBlocks(first, last);
}

} // namespace tezar
