#pragma once

// The owner of an open C file, as the Win32 handles have theirs: closed exactly once, never
// copied. Every file is opened for one operation and closed at the end of its scope.

#include <cstdio>
#include <utility>

class UniqueFile {
  public:
    UniqueFile(const char* path, const char* mode) : file_(std::fopen(path, mode)) {}
    ~UniqueFile() { close(); }
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;

    std::FILE* get() const { return file_; }
    explicit operator bool() const { return file_ != nullptr; }
    // Closes now; false when the close failed, which is when buffered writes were lost.
    bool close() {
        std::FILE* file = std::exchange(file_, nullptr);
        return file == nullptr || std::fclose(file) == 0;
    }

  private:
    std::FILE* file_;
};
