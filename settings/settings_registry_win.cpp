#include "settings/settings_registry_win.h"

#include <cstring>
#include <memory>
#include <new>

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

    void write(const char* name, std::uint32_t kind, const void* data,
               std::uint32_t size) override {
        RegSetValueExA(key_.get(), name, 0, kind, static_cast<const BYTE*>(data), size);
    }

    void remove(const char* name) override { RegDeleteValueA(key_.get(), name); }

  private:
    UniqueRegKey key_;
};

// The key opened for reading and writing, or created; null when neither can be done.
HKEY openKey(const char* keyPath) {
    HKEY key = nullptr;
    return RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS
               ? key
               : nullptr;
}

}  // namespace

void loadSettings(Settings& settings, Rate& rate, const char* keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        loadSettings(nullptr, settings, rate);
        return;
    }
    RegistryKey store(key);
    loadSettings(&store, settings, rate);
}

void saveSettings(HWND mainWindow, Settings& settings, const Rate& rate, double total,
                  bool loggingEnabled, const OpenPeriod* open, const char* keyPath) {
    HKEY key = openKey(keyPath);
    if (key == nullptr) {
        return;
    }
    RegistryKey store(key);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(mainWindow, &placement)) {
        std::memcpy(&settings.placement, &placement, sizeof placement);
    }
    saveSettings(store, settings, rate, RunState{total, loggingEnabled, settings.placement});
    if (open != nullptr) {
        saveOpenPeriod(store, *open);
    } else {
        removeOpenPeriod(store);
    }
}

void saveLedgerPending(const TextBuffer& rows, const char* keyPath) {
    HKEY key = openKey(keyPath);
    if (key == nullptr) {
        return;
    }
    UniqueRegKey owned(key);
    if (rows.empty()) {
        RegDeleteValueA(key, "LedgerPending");
    } else if (rows.size() <= MAX_PENDING_LEDGER) {
        RegSetValueExA(key, "LedgerPending", 0, REG_BINARY,
                       reinterpret_cast<const BYTE*>(rows.data()), static_cast<DWORD>(rows.size()));
    }
}

void loadLedgerPending(TextBuffer& rows, const char* keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    UniqueRegKey owned(key);
    DWORD kind = 0, size = 0;
    if (RegQueryValueExA(key, "LedgerPending", nullptr, &kind, nullptr, &size) != ERROR_SUCCESS ||
        kind != REG_BINARY || size == 0 || size > MAX_PENDING_LEDGER) {
        return;
    }
    std::unique_ptr<char[]> stored(new (std::nothrow) char[size]);
    if (stored && RegQueryValueExA(key, "LedgerPending", nullptr, &kind,
                                   reinterpret_cast<BYTE*>(stored.get()), &size) == ERROR_SUCCESS) {
        TextBuffer all;  // the stored rows are the older ones
        all.append(stored.get(), size);
        all.append(rows);
        rows = std::move(all);
    }
}

void saveOpenPeriod(const OpenPeriod& open, const char* keyPath) {
    if (HKEY key = openKey(keyPath)) {
        RegistryKey store(key);
        saveOpenPeriod(store, open);
    }
}

void saveCheckpointTime(std::int64_t checkpoint, const char* keyPath) {
    if (HKEY key = openKey(keyPath)) {
        RegistryKey store(key);
        saveCheckpointTime(store, checkpoint);
    }
}

bool loadOpenPeriod(std::int64_t now, OpenPeriod& open, const char* keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegistryKey store(key);
    return loadOpenPeriod(store, now, open);
}
