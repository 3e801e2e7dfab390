#pragma once

// Reading and writing single values of the settings key, as every stored record of it does.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "settings/settings.h"

namespace stored {

// Any kind of value will do for the thirteen, as older builds read them.
constexpr std::uint32_t ANY_KIND = ~0u;

// Reads a value of exactly `size` bytes (and of `wanted` kind) into a zeroed temporary, so that
// a failed, short or long read leaves nothing behind in the target.
template <typename T>
bool readExact(SettingsReader& reader, const char* name, T& out, std::uint32_t wanted = ANY_KIND) {
    unsigned char buffer[sizeof(T)] = {};
    std::uint32_t size = 0, kind = 0;
    if (!reader.read(name, buffer, sizeof buffer, size, kind) || size != sizeof buffer ||
        (wanted != ANY_KIND && kind != wanted)) {
        return false;
    }
    std::memcpy(&out, buffer, sizeof out);
    return true;
}

// A text of at most N - 1 characters, terminated after its data. N bytes without a terminator
// are one character too many.
template <std::size_t N>
bool readText(SettingsReader& reader, const char* name, char (&out)[N],
              std::uint32_t wanted = ANY_KIND) {
    char buffer[N] = {};
    std::uint32_t size = 0, kind = 0;
    if (!reader.read(name, buffer, sizeof buffer, size, kind) ||
        (wanted != ANY_KIND && kind != wanted) ||
        !terminateStoredText(buffer, sizeof buffer, size)) {
        return false;
    }
    std::memcpy(out, buffer, sizeof out);
    return true;
}

inline bool writeInt(SettingsWriter& writer, const char* name, std::int32_t value) {
    return writer.write(name, VALUE_BINARY, &value, sizeof value);
}

inline bool writeText(SettingsWriter& writer, const char* name, const char* text) {
    return writer.write(name, VALUE_TEXT, text, static_cast<std::uint32_t>(std::strlen(text) + 1));
}

}  // namespace stored
