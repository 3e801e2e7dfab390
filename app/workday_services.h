#pragma once

// What the workday touches of the world outside, each a small interface that the window's side
// implements with the platform, and a test with memory. The workday keeps them for the whole
// run, so each is an object that lives as long as it, never a view of a call's temporaries.

#include <cstddef>
#include <cstdint>

#include "activities/ledger.h"
#include "activities/log_text.h"
#include "base/local_time.h"
#include "settings/settings.h"

// The clocks the workday reads: the tick count (Ticks), the local zone's rules (LocalZone), and
// these.
class Clock : public Ticks, public LocalZone {
  public:
    // The local wall-clock time now.
    virtual LocalTime localTime() = 0;
    // UTC now, in 100 ns units since 1601: a time a change of time zone or of summer time leaves
    // alone, kept where the tick count does not last (beyond the run).
    virtual std::int64_t utcTime() = 0;
    // The milliseconds the machine has been awake, which stop while it sleeps.
    virtual std::uint64_t awakeMs() = 0;
    // The tick count at the user's last keyboard or mouse input.
    virtual std::uint32_t lastInputTick() = 0;

  protected:
    ~Clock() = default;  // NOLINT: the zone's own is protected too
};

// Names of files as whole paths, as the process's current folder resolves them now: a period
// remembers where its records go, and the next start may be in another folder.
class FileNames {
  public:
    // The whole path of `name`, or the name itself when that would not fit.
    virtual void wholePath(const char* name, char* out, std::size_t size) = 0;

  protected:
    ~FileNames() = default;
};

struct WorkdayServices {
    Clock& clock;
    SettingsStore& store;
    LogWriter& log;
    LedgerFile& ledger;
    FileNames& names;
};
