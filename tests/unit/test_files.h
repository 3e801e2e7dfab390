#pragma once

// Scratch files for tests: a fresh folder per test, removed afterwards.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// How a text-mode file stores a line feed on this platform.
#ifdef _WIN32
constexpr const char* EOL = "\r\n";
#else
constexpr const char* EOL = "\n";
#endif

// The text with every "\n" as the platform's text mode stores it.
inline std::string onDisk(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\n' ? std::string(EOL) : std::string(1, c);
    }
    return out;
}

class TempDir {
  public:
    TempDir() {
        // Test programs run side by side: the name must differ between processes too.
        static const unsigned process = std::random_device{}();
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("cointrel-unit-" + std::to_string(process) + "-" + std::to_string(++serial));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const char* name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}
