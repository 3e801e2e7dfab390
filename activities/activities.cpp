#include "activities/activities.h"

#include <cstring>
#include <new>

#include "base/unique_file.h"

namespace {

// Written where the activities file cannot be read. "Lunch" carries the unpaid mark, so that
// the file reads back as the same three activities the first run uses.
const char* const DEFAULT_FILE_TEXTS[] = {
    "# Default Cointrel Activities File\n",
    "# Update with your own activities list as necessary\n",
    "#   - A leading '#' indicates a comment\n",
    "#   - A leading '!' indicates an unpaid activity\n\n",
    "!Nothing in particular\n",
    "Working\n",
    "!Lunch\n",
};

// The line's end is not part of its text: a line feed, with a carriage return before it.
void cutLineEnd(char* line) {
    std::size_t length = std::strlen(line);
    if (length > 0 && line[length - 1] == '\n') {
        line[--length] = '\0';
        if (length > 0 && line[length - 1] == '\r') {
            line[--length] = '\0';
        }
    }
}

// Whether the file at path holds text whose last byte is not a line feed.
bool lastLineUnended(const char* path) {
    UniqueFile file(path, "rb");
    return file && std::fseek(file.get(), -1, SEEK_END) == 0 && std::fgetc(file.get()) != '\n';
}

}  // namespace

Activities::Activities(const char* path) {
    UniqueFile file(path, "r");
    if (!file) {
        useDefaults(path);
        return;
    }
    read(file.get());
}

void Activities::read(std::FILE* file) {
    // Some editors save UTF-8 with a byte-order mark; it is no part of the first name.
    const bool marked =
        std::fgetc(file) == 0xEF && std::fgetc(file) == 0xBB && std::fgetc(file) == 0xBF;
    if (!marked) {
        std::rewind(file);
    }
    char line[MAX_ACTIVITY_NAME + 1];
    // A longer line comes in pieces of 255 characters, each read as a line of its own.
    while (count < MAX_ACTIVITIES && std::fgets(line, sizeof line, file) != nullptr) {
        cutLineEnd(line);
        if (line[0] == '#' || line[0] == '\0') {
            continue;
        }
        if (line[0] == '!') {
            add(line + 1, false);
        } else {
            add(line, true);
        }
    }
}

void Activities::useDefaults(const char* path) {
    add("Nothing in particular", false);
    add("Working", true);
    add("Lunch", false);
    UniqueFile file(path, "a+");
    if (!file) {
        return;
    }
    for (const char* text : DEFAULT_FILE_TEXTS) {
        std::fputs(text, file.get());
    }
}

bool Activities::add(const char* name, bool isPaid) {
    if (count >= MAX_ACTIVITIES) {
        return false;
    }
    const std::size_t size = std::strlen(name) + 1;
    std::unique_ptr<char[]> copy(new (std::nothrow) char[size]);
    if (!copy) {
        return false;
    }
    std::memcpy(copy.get(), name, size);
    names[static_cast<std::size_t>(count)] = std::move(copy);
    paid[static_cast<std::size_t>(count)] = isPaid ? 1 : 0;
    ++count;
    return true;
}

int Activities::find(const char* name) const {
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(names[static_cast<std::size_t>(i)].get(), name) == 0) {
            return i;
        }
    }
    return -1;
}

bool appendActivityLine(std::FILE* file, const char* path, const char* name, bool isPaid) {
    const char* lineEnd = lastLineUnended(path) ? "\n" : "";
    return std::fprintf(file, "%s%s%s\n", lineEnd, isPaid ? "" : "!", name) >= 0;
}

int resolveCurrentActivity(const Activities& activities, const char* savedName) {
    int index = activities.find(savedName);
    if (index == -1) {
        index = activities.find("Working");
    }
    if (index == -1) {
        index = activities.count >= 2 ? 1 : activities.count - 1;
    }
    return index;
}
