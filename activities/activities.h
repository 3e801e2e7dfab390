#pragma once

#include <array>
#include <cstdio>
#include <memory>

constexpr int MAX_ACTIVITIES = 128;
// Longest name a line of the activities file holds (a read of at most 255 characters).
constexpr int MAX_ACTIVITY_NAME = 255;

// The things the user can be doing, each paid or not, read once from the activities file. The
// list only ever grows, so an index and a name's text stay valid for the whole run: menu ids
// and the meter's log name refer to them.
class Activities {
  public:
    Activities() = default;
    // Reads the file at path; when it cannot be opened, uses the default list and writes the
    // default file there for the user to edit.
    explicit Activities(const char* path);
    Activities(const Activities&) = delete;
    Activities& operator=(const Activities&) = delete;

    // Appends a copy of name; false, with nothing changed, when the list is full or memory runs
    // out.
    bool add(const char* name, bool paid);
    // The first entry named exactly name (case and blanks count), or -1.
    int find(const char* name) const;

    const char* name(int index) const { return names[static_cast<std::size_t>(index)].get(); }

    std::array<std::unique_ptr<char[]>, MAX_ACTIVITIES> names;
    std::array<unsigned char, MAX_ACTIVITIES> paid{};

    int count = 0;

  private:
    void read(std::FILE* file);
    void useDefaults(const char* path);
};

// Appends one activity line in the file's own format ("!" before an unpaid name) to `file`, the
// activities file at path opened for appending. A file whose last line has no line end (saved by
// an editor without one) gets one first, so the new line never joins it. False when a write
// fails.
bool appendActivityLine(std::FILE* file, const char* path, const char* name, bool paid);

// The activity to start with: the saved one if the list still holds it, else "Working", else
// the second entry, else the only one; -1 for an empty list.
int resolveCurrentActivity(const Activities& activities, const char* savedName);
