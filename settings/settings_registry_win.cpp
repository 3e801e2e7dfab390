#include "settings/settings_registry.h"

#include <cstring>

#include "win32/handles.h"
#include "meter/kett_panel.h"

const char SETTINGS_KEY[] = "Software\\Marrowfen\\Cointrel";

static_assert(sizeof(WINDOWPLACEMENT) == sizeof(Placement), "placement layout");

namespace {

class RegistryKey : public SettingsReader, public SettingsWriter {
  public:
    explicit RegistryKey(HKEY key) : key_(key) {}

    bool read(const char* name, void* buffer, std::uint32_t capacity,
              std::uint32_t& size) override {
        DWORD kind = 0;
        DWORD bytes = capacity;
        if (RegQueryValueExA(key_.get(), name, nullptr, &kind, static_cast<BYTE*>(buffer),
                             &bytes) != ERROR_SUCCESS) {
            return false;
        }
        size = bytes;
        return true;
    }

    void write(const char* name, std::uint32_t kind, const void* data,
               std::uint32_t size) override {
        RegSetValueExA(key_.get(), name, 0, kind, static_cast<const BYTE*>(data), size);
    }

  private:
    UniqueRegKey key_;
};

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

void saveSettings(HWND mainWindow, Settings& settings, const Rate& rate, const KettPanel& meter,
                  const char* keyPath) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegistryKey store(key);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(mainWindow, &placement);
    std::memcpy(&settings.placement, &placement, sizeof placement);
    saveSettings(store, settings, rate,
                 RunState{meter.total, meter.loggingEnabled != 0, settings.placement});
}
