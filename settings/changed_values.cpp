#include "settings/changed_values.h"

#include <cstring>

namespace {

std::uint64_t fingerprintOf(const void* data, std::uint32_t size) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::uint32_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    }
    return hash;
}

}  // namespace

const WrittenValues::Entry* WrittenValues::find(const char* name) const {
    for (std::size_t i = 0; i < count_; ++i) {
        if (std::strcmp(entries_[i].name, name) == 0) {
            return &entries_[i];
        }
    }
    return nullptr;
}

bool WrittenValues::same(const char* name, std::uint32_t kind, const void* data,
                         std::uint32_t size) const {
    const Entry* e = find(name);
    if (e == nullptr || !e->known) {
        return false;
    }
    if (data == nullptr) {
        return !e->present;
    }
    return e->present && e->kind == kind && e->size == size &&
           (size > KEPT_BYTES ? e->fingerprint == fingerprintOf(data, size)
                              : size == 0 || std::memcmp(e->bytes, data, size) == 0);
}

void WrittenValues::forget(const char* name) {
    // Whatever the key holds under it now is unknown.
    if (auto* e = const_cast<Entry*>(find(name))) {
        e->known = false;
    }
}

void WrittenValues::remember(const char* name, std::uint32_t kind, const void* data,
                             std::uint32_t size) {
    auto* e = const_cast<Entry*>(find(name));
    if (e == nullptr) {
        if (count_ == entries_.size()) {
            return;  // not remembered: written every time, which is only slower
        }
        e = &entries_[count_++];
        e->name = name;
    }
    e->known = true;
    e->present = data != nullptr;
    e->kind = kind;
    e->size = data != nullptr ? size : 0;
    e->fingerprint = 0;
    if (data != nullptr && size > KEPT_BYTES) {
        e->fingerprint = fingerprintOf(data, size);
    } else if (data != nullptr && size > 0) {
        std::memcpy(e->bytes, data, size);
    }
}

bool ChangedValuesWriter::write(const char* name, std::uint32_t kind, const void* data,
                                std::uint32_t size) {
    if (!everything_ && written_.same(name, kind, data, size)) {
        return true;
    }
    // A write that failed is not remembered: the next checkpoint tries it again.
    if (!key_.write(name, kind, data, size)) {
        written_.forget(name);
        return false;
    }
    written_.remember(name, kind, data, size);
    return true;
}

bool ChangedValuesWriter::remove(const char* name) {
    if (!everything_ && written_.same(name, 0, nullptr, 0)) {
        return true;
    }
    if (!key_.remove(name)) {
        written_.forget(name);
        return false;
    }
    written_.remember(name, 0, nullptr, 0);
    return true;
}
