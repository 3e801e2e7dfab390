#pragma once

// A growable run of bytes that never throws: the program keeps the C++ library's exception
// machinery out (it would add some 70 KB), so what does not fit once memory has run out is
// left out, and `whole` says so.

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <utility>

class TextBuffer {
  public:
    TextBuffer() = default;
    ~TextBuffer() { std::free(data_); }
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;
    TextBuffer(TextBuffer&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)),
          size_(std::exchange(other.size_, 0)),
          capacity_(std::exchange(other.capacity_, 0)),
          whole_(other.whole_) {}
    TextBuffer& operator=(TextBuffer&& other) noexcept {
        if (this != &other) {
            std::free(data_);
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
            capacity_ = std::exchange(other.capacity_, 0);
            whole_ = other.whole_;
        }
        return *this;
    }

    void append(const char* text, std::size_t n) {
        if (n == 0) {
            return;
        }
        if (size_ + n > capacity_) {
            const std::size_t wanted = std::max<std::size_t>(size_ + n, capacity_ * 2 + 64);
            char* grown = static_cast<char*>(std::realloc(data_, wanted));
            if (grown == nullptr) {
                whole_ = false;
                return;
            }
            data_ = grown;
            capacity_ = wanted;
        }
        std::memcpy(data_ + size_, text, n);
        size_ += n;
    }
    void append(const char* text) { append(text, std::strlen(text)); }
    void append(const TextBuffer& other) { append(other.data(), other.size()); }
    void clear() {
        size_ = 0;
        whole_ = true;
    }

    const char* data() const { return data_ != nullptr ? data_ : ""; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    bool whole() const { return whole_; }

  private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool whole_ = true;
};

// Where the newest whole lines that fit in `most` bytes begin: a text cut to its newest part keeps
// no line in part.
inline std::size_t newestLinesFrom(const TextBuffer& text, std::size_t most) {
    if (text.size() <= most) {
        return 0;
    }
    std::size_t from = text.size() - most;
    while (from < text.size() && text.data()[from - 1] != '\n') {
        ++from;
    }
    return from;
}
