#pragma once

// A checkpoint writes only the values that changed since it last wrote them: under Wine every
// registry write is a round trip to the server, and a minimised meter whose total grows would
// otherwise wake for twenty of them every ten seconds to write one new figure.

#include <array>
#include <cstddef>
#include <cstdint>

#include "settings/settings.h"

// What was last written under each name: the bytes themselves, or for a value too long to keep
// (the ledger's waiting rows) its size and a 64-bit fingerprint.
class WrittenValues {
  public:
    // True when `name` was last written with exactly this kind and these bytes, or, for data
    // null, was last removed.
    bool same(const char* name, std::uint32_t kind, const void* data, std::uint32_t size) const;
    void remember(const char* name, std::uint32_t kind, const void* data, std::uint32_t size);
    // A write or removal of `name` failed: whatever it was last is no longer known.
    void forget(const char* name);

  private:
    static constexpr std::size_t KEPT_BYTES = 264;
    struct Entry {
        const char* name = nullptr;
        bool known = false;
        bool present = false;
        std::uint32_t kind = 0;
        std::uint32_t size = 0;
        std::uint64_t fingerprint = 0;
        unsigned char bytes[KEPT_BYTES] = {};
    };
    const Entry* find(const char* name) const;
    std::array<Entry, 32> entries_{};
    std::size_t count_ = 0;
};

// Passes on to `key` the writes and removals that change a value from what was last passed on,
// or all of them when `everything` is set (the save at exit), and remembers each.
class ChangedValuesWriter : public SettingsWriter {
  public:
    ChangedValuesWriter(SettingsWriter& key, WrittenValues& written, bool everything)
        : key_(key), written_(written), everything_(everything) {}

    bool write(const char* name, std::uint32_t kind, const void* data, std::uint32_t size) override;
    bool remove(const char* name) override;

  private:
    SettingsWriter& key_;
    WrittenValues& written_;
    bool everything_;
};
