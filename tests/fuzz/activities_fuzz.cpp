// Any bytes as an activities file: the list is what a plain model of the file's rules reads,
// never more than 128 entries of at most 255 characters.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "activities/activities.h"

namespace {

using Entry = std::pair<std::string, bool>;

// Lines are pieces of at most 255 bytes ending at a line feed; a NUL ends the text early, as
// it does for any C string; the line feed and a carriage return before it are cut.
std::vector<Entry> model(std::string bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        bytes.erase(0, 3);
    }
    std::vector<Entry> entries;
    std::size_t at = 0;
    while (at < bytes.size() && entries.size() < 128) {
        std::size_t end = at;
        while (end < bytes.size() && end - at < 255 && bytes[end] != '\n') {
            ++end;
        }
        if (end < bytes.size() && end - at < 255) {
            ++end;  // the line feed belongs to this piece
        }
        std::string text = bytes.substr(at, end - at);
        at = end;
        text = text.substr(0, text.find('\0'));
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
            if (!text.empty() && text.back() == '\r') {
                text.pop_back();
            }
        }
        if (text.empty() || text[0] == '#') {
            continue;
        }
        const bool paid = text[0] != '!';
        entries.emplace_back(paid ? text : text.substr(1), paid);
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/cointrel-fuzz-acts-" + std::to_string(getpid());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) {
        std::abort();
    }
    const Activities list(path.c_str());
    const std::vector<Entry> expected =
        model(std::string(reinterpret_cast<const char*>(data), size));
    if (list.count != static_cast<int>(expected.size())) {
        std::abort();
    }
    for (int i = 0; i < list.count; ++i) {
        const Entry& e = expected[static_cast<std::size_t>(i)];
        if (e.first != list.name(i) || e.second != (list.paid[static_cast<std::size_t>(i)] != 0) ||
            std::strlen(list.name(i)) > 255) {
            std::abort();
        }
    }
    return 0;
}
