// libFuzzer target over the data-file reader and the lookup. An input is one byte n, a word of
// n % 51 bytes, then the bytes of a data file; the word (and its variants) is looked up in the file.
// Whatever the bytes, the lookup must end, stay inside the file, and keep its promises about the
// synonym list.

#include "thesaurus/Latin1.h"
#include "thesaurus/ThesFile.h"
#include "thesaurus/ThesLookup.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

using namespace tezar;

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

void CheckList(const std::vector<std::string>& synonyms) {
    Require(synonyms.size() <= ThesLookup::kMaxSynonyms);
    for (size_t i = 0; i < synonyms.size(); ++i) {
        Require(synonyms[i].size() < ThesFile::kMaxText);
        for (size_t j = 0; j < i; ++j)
            Require(LowerLatin1(synonyms[i]) != LowerLatin1(synonyms[j]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t n = std::min<size_t>(data[0] % 51, size - 1);
    const std::string word(reinterpret_cast<const char*>(data + 1), n);
    const uint8_t* bytes = data + 1 + n;
    const size_t length = size - 1 - n;

    static const int fd = memfd_create("thes", 0);
    if (fd < 0) return 0;
    if (ftruncate(fd, 0) != 0) return 0;
    if (length > 0 && pwrite(fd, bytes, length, 0) != static_cast<ssize_t>(length)) return 0;

    ThesFile file;
    if (file.OpenDescriptor(fd) != 0) return 0;
    ThesLookup lookup;
    for (const std::string& w : {word, UpperLatin1(word), std::string("a"), std::string("zz")}) {
        std::vector<std::string> synonyms;
        size_t events = 0;
        const bool found = lookup.Find(file, w, synonyms, [&] { ++events; });
        Require(events == synonyms.size());
        Require(found || synonyms.empty());
        CheckList(synonyms);
    }
    return 0;
}
