#include "settings/settings_registry_win.h"

#include "win32/handles.h"

const char SETTINGS_KEY[] = "Software\\Marrowfen\\Cointrel";

static_assert(sizeof(WINDOWPLACEMENT) == sizeof(Placement), "placement layout");

namespace {

class RegistryKey : public SettingsReader, public SettingsWriter {
  public:
    explicit RegistryKey(HKEY key) : key_(key) {}

    bool read(const char* name, void* buffer, std::uint32_t capacity, std::uint32_t& size,
              std::uint32_t& kind) override {
        DWORD type = 0;
        DWORD bytes = capacity;
        if (RegQueryValueExA(key_.get(), name, nullptr, &type, static_cast<BYTE*>(buffer),
                             &bytes) != ERROR_SUCCESS) {
            return false;
        }
        size = bytes;
        kind = type;
        return true;
    }

    bool write(const char* name, std::uint32_t kind, const void* data,
               std::uint32_t size) override {
        return RegSetValueExA(key_.get(), name, 0, kind, static_cast<const BYTE*>(data), size) ==
               ERROR_SUCCESS;
    }

    bool remove(const char* name) override {
        const LONG result = RegDeleteValueA(key_.get(), name);
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }

  private:
    UniqueRegKey key_;
};

}  // namespace

void RegistryStore::read(Callback<void(SettingsReader* key)> reads) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath_, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        reads(nullptr);
        return;
    }
    RegistryKey opened(key);
    reads(&opened);
}

bool RegistryStore::write(Callback<void(SettingsWriter& key)> writes) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath_, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    RegistryKey opened(key);
    writes(opened);
    return true;
}
