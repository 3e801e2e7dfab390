#pragma once

#include <windows.h>

#include "settings/settings.h"

extern const char SETTINGS_KEY[];  // under HKEY_CURRENT_USER

// The settings key of the registry: opened with full access for each set of reads (a key that
// is missing, or that access refused, reads as none), and opened or created for each set of
// writes. Tests name a key of their own.
class RegistryStore final : public SettingsStore {
  public:
    explicit RegistryStore(const char* keyPath = SETTINGS_KEY) : keyPath_(keyPath) {}

    void read(Callback<void(SettingsReader* key)> reads) override;
    bool write(Callback<void(SettingsWriter& key)> writes) override;

  private:
    const char* keyPath_;
};
