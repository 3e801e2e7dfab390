#pragma once

// The settings key in memory, with the registry's read semantics, so that the settings logic is
// tested without touching anybody's registry.

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "settings/settings.h"

class MemoryStore : public SettingsReader, public SettingsWriter {
  public:
    struct Value {
        std::uint32_t kind;
        std::vector<unsigned char> data;
        bool operator==(const Value& other) const {
            return kind == other.kind && data == other.data;
        }
        bool operator!=(const Value& other) const { return !(*this == other); }
    };

    // When set, a failed read fills the caller's buffer with junk, as the registry may.
    bool scribble = false;
    std::map<std::string, Value> values;
    std::vector<std::string> writeOrder;

    bool read(const char* name, void* buffer, std::uint32_t capacity, std::uint32_t& size,
              std::uint32_t& kind) override {
        const auto it = values.find(name);
        if (it == values.end() || it->second.data.size() > capacity) {
            if (scribble) {
                std::memset(buffer, 0x5A, capacity);
            }
            return false;
        }
        if (!it->second.data.empty()) {  // an empty value has no data pointer to copy from
            std::memcpy(buffer, it->second.data.data(), it->second.data.size());
        }
        size = static_cast<std::uint32_t>(it->second.data.size());
        kind = it->second.kind;
        return true;
    }

    bool write(const char* name, std::uint32_t kind, const void* data,
               std::uint32_t size) override {
        const auto* bytes = static_cast<const unsigned char*>(data);
        values[name] = Value{kind, {bytes, bytes + size}};
        writeOrder.emplace_back(name);
        return true;
    }
    bool remove(const char* name) override {
        values.erase(name);
        return true;
    }

    template <typename T>
    void set(const char* name, const T& value) {
        write(name, VALUE_BINARY, &value, sizeof value);
    }
    void setBytes(const char* name, std::size_t count, unsigned char fill = 1) {
        values[name] = Value{VALUE_BINARY, std::vector<unsigned char>(count, fill)};
    }
    void setText(const char* name, const std::string& bytes) {
        values[name] = Value{VALUE_TEXT, {bytes.begin(), bytes.end()}};
    }

    template <typename T>
    T get(const char* name) const {
        T value{};
        std::memcpy(&value, values.at(name).data.data(), sizeof value);
        return value;
    }
};
