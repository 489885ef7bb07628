// libFuzzer target over the batch tool's readers: the input is read once as a case file (the case
// reader of `q7-batch run CASE.json`) and once as a stream of cases, one a line (the line reader of
// `run --jsonl` and the parse of each line). Whatever the bytes, reading ends with a case or a
// CaseError, never anything else; a case that was read survives its canonical form unchanged, and
// its values reach a fresh set of objects as loading a project gives them.
#include "batch/CaseFile.h"
#include "batch/LineFiles.h"
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

using namespace q7;

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

void CheckCase(const CaseFile& c) {
    const nlohmann::ordered_json canonical = c.ToJson();
    for (const auto& [key, value] : canonical.items()) {
        Require(std::find(CaseFile::Keys().begin(), CaseFile::Keys().end(), key) != CaseFile::Keys().end());
        Require(c.Has(key) && !value.is_null());
    }
    // Read again from its canonical form, a case is the same case.
    const CaseFile again = CaseFile::FromJson(nlohmann::json::parse(canonical.dump()), "canonical");
    Require(again.ToJson() == canonical);

    NullMessageSink sink;
    Q7Objects objects(sink);
    ApplyCase(c, objects);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int fd = memfd_create("case", 0);
    if (fd < 0) return 0;
    if (ftruncate(fd, 0) != 0) return 0;
    if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
    const std::string path = "/proc/self/fd/" + std::to_string(fd);

    try {
        CheckCase(CaseFile::FromFile(path));
    } catch (const CaseError&) {
    }

    LineInput in(path);
    std::string line;
    size_t lines = 0, bytes = 0;
    while (in.Next(line)) {
        ++lines;
        bytes += line.size();
        Require(line.find('\n') == std::string::npos);
        const nlohmann::json object = nlohmann::json::parse(line, nullptr, false);
        if (object.is_discarded()) continue;
        try {
            CheckCase(CaseFile::FromJson(object, "line " + std::to_string(lines)));
        } catch (const CaseError&) {
        }
    }
    const auto newlines = static_cast<size_t>(std::count(data, data + size, '\n'));
    Require(lines == newlines + (size > 0 && data[size - 1] != '\n' ? 1 : 0));
    Require(bytes + newlines <= size);
    return 0;
}
