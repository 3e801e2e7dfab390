#pragma once

#include <windows.h>

#include "app/workday_services.h"

// The platform's clocks, as the workday reads them.
class SystemClock final : public Clock {
  public:
    LocalTime localTime() override;
    std::uint32_t tickCount() override { return GetTickCount(); }
    std::uint64_t awakeMs() override;
    std::uint32_t lastInputTick() override;
    std::int64_t utcTime() override;
    std::int64_t localOf(std::int64_t utc) override;
};

// Whole paths, as the process's current folder resolves them now.
class WholePaths final : public FileNames {
  public:
    void wholePath(const char* name, char* out, std::size_t size) override;
};
