#pragma once

#include <cstddef>

// Copies text into a fixed buffer, cut to fit and always terminated.
template <std::size_t N>
void copyText(char (&out)[N], const char* text) {
    std::size_t i = 0;
    for (; i + 1 < N && text[i] != '\0'; ++i) {
        out[i] = text[i];
    }
    out[i] = '\0';
}
