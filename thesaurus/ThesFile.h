#pragma once
// The thesaurus data file, opened for one check. Layout (integers little-endian, texts single-byte):
//
//   offset 0    123 bytes   banner, never read
//   offset 123  1 byte      language code, signed
//   offset 124  4 bytes     D + 1, where D is the offset of the entry area
//   offset 128  2 bytes     format version, 1
//   offset 130  D - 130     text pool: zero-terminated texts of at most 49 characters
//   offset D    to the end  entry area: 32-bit entries; -(T + 1) starts a headword whose text is at T,
//                           the S + 1 entries after it are its synonyms, whose texts are at S
//
// Every read is positioned and clipped to the file as it was when opened. While the file is open it
// is mapped read-only, so a read is a copy out of the mapping and costs no system call; where it
// cannot be mapped, reads go through a small block buffer that lives only while the file is open, so
// one lookup costs a handful of system calls. Nothing of the file outlives Close().

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tezar {

class ThesFile {
public:
    static constexpr int64_t kHeaderSize = 130;
    static constexpr size_t kMaxText = 50; // bytes read for one text, its zero byte included

    ThesFile() = default;
    ThesFile(const ThesFile&) = delete;
    ThesFile& operator=(const ThesFile&) = delete;
    ~ThesFile();

    // Opens the file for reading (shared lock: no writer may hold it) and checks its header.
    // Returns 0, or the error code 32002, 32006 or 32007.
    int Open(const std::string& path);
    // Same checks on a descriptor the caller keeps; used where the bytes are in memory.
    int OpenDescriptor(int fd);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    int8_t Language() const { return m_language; }
    int64_t Length() const { return m_length; }
    int64_t EntryStart() const { return m_entryStart; }

    // Copies up to len bytes at offset; returns the count copied (short or 0 outside the file).
    size_t ReadAt(int64_t offset, void* buffer, size_t len);
    // One entry of the entry area; false when the 4 bytes are not all inside the file.
    bool ReadEntry(int64_t offset, int32_t& entry);
    // A text of at most 49 bytes ending in its zero byte; false when offset is outside the file or no
    // zero byte follows within 50 bytes.
    bool ReadText(int64_t offset, std::string& text);
    // Loads a span into the block buffer with one read when it is small enough to keep.
    void Prefetch(int64_t offset, int64_t len);

    // Positioned reads issued to the system since the file was opened (none while it is mapped).
    uint64_t ReadCount() const { return m_readCount; }
    bool Mapped() const { return m_map != nullptr; }

private:
    static constexpr int64_t kBlock = 4096;
    static constexpr size_t kSlots = 16;

    struct Slot {
        int64_t block = -1;
        uint64_t used = 0;
        size_t size = 0;
        std::array<unsigned char, kBlock> bytes;
    };

    int CheckHeader();
    Slot* FindSlot(int64_t block);
    // Makes blocks first..last resident, reading each run of missing ones with one call.
    bool LoadBlocks(int64_t first, int64_t last);
    size_t ReadDirect(int64_t offset, void* buffer, size_t len);

    int m_fd = -1;
    bool m_ownsFd = false;
    const unsigned char* m_map = nullptr; // the whole file, m_length bytes, while open
    int64_t m_length = 0;
    int64_t m_entryStart = 0;
    int8_t m_language = 0;
    uint64_t m_readCount = 0;
    uint64_t m_clock = 0;
    std::vector<Slot> m_slots;
    std::vector<unsigned char> m_scratch;
};

} // namespace tezar
