#pragma once

#include <cstddef>
#include <cstdint>

#include "base/callback.h"
#include "base/copy_text.h"
#include "base/text_buffer.h"
#include "meter/rate.h"

// The window's saved position and show state, laid out as the platform's WINDOWPLACEMENT so that
// its 44 bytes can be stored and read back as they are. `length` 0 means none was saved.
struct Placement {
    std::uint32_t length;
    std::uint32_t flags;
    std::uint32_t showCmd;
    std::int32_t minX, minY;
    std::int32_t maxX, maxY;
    std::int32_t normalLeft, normalTop, normalRight, normalBottom;
};
static_assert(sizeof(Placement) == 44, "Placement must match WINDOWPLACEMENT");

constexpr std::uint32_t SETTINGS_TEXT_SIZE = 256;  // 255 characters and the terminator
constexpr std::uint32_t PERIOD_PATH_SIZE = 260;    // a whole path: the platform's MAX_PATH
constexpr std::int32_t DEFAULT_AWAY_MINUTES = 15;
constexpr std::int32_t MAX_AWAY_MINUTES = 720;

// Everything that survives from one run to the next apart from the activities file and the log.
struct Settings {
    char activitiesFile[SETTINGS_TEXT_SIZE] = "";
    char logFile[SETTINGS_TEXT_SIZE] = "";
    bool logging = false;
    char currentActivityName[SETTINGS_TEXT_SIZE] = "";
    Placement placement{};
    bool topMost = false;
    std::int32_t currency = 0;
    char digitsBitmapFile[SETTINGS_TEXT_SIZE] = "";
    std::int32_t decimals = 0;
    float savedTotal = 0.0f;
    // Beyond the thirteen: the ledger of finished periods, its file and its switch; how many
    // minutes away are asked about (negative while the question is off, keeping the number to
    // come back to; 0, as older builds kept it, for off); and the icon in the notification area,
    // and whether a minimised window hides behind it.
    char ledgerFile[SETTINGS_TEXT_SIZE] = "";
    bool ledger = true;
    std::int32_t awayMinutes = DEFAULT_AWAY_MINUTES;
    bool notificationIcon = true;
    bool hideWhenMinimised = false;
};

// The time away asked about, in milliseconds; 0 while the question is off.
inline std::uint32_t awayThresholdMs(const Settings& settings) {
    return settings.awayMinutes > 0 ? static_cast<std::uint32_t>(settings.awayMinutes) * 60000u
                                    : 0u;
}

// Terminates text data of `size` bytes read into a buffer of `capacity` bytes, as the registry
// returns them (with or without their terminator). False when the text does not fit: more bytes
// than the buffer, or a full buffer with no terminator in it.
bool terminateStoredText(char* buffer, std::size_t capacity, std::size_t size);

// Kinds of stored value, with the registry's numbers.
constexpr std::uint32_t VALUE_TEXT = 1;    // REG_SZ: 8-bit text with its terminator
constexpr std::uint32_t VALUE_BINARY = 3;  // REG_BINARY: raw bytes, numbers little-endian

// The settings key as the loader sees it. A read fails when the value is missing or its data
// are longer than the buffer; after a failure the buffer's content is undefined. It gives the
// data's size and kind.
class SettingsReader {
  public:
    virtual ~SettingsReader() = default;
    virtual bool read(const char* name, void* buffer, std::uint32_t capacity, std::uint32_t& size,
                      std::uint32_t& kind) = 0;
};

class SettingsWriter {
  public:
    virtual ~SettingsWriter() = default;
    // Replaces the named value; false when it could not (the old value stays).
    virtual bool write(const char* name, std::uint32_t kind, const void* data,
                       std::uint32_t size) = 0;
    // Takes the named value out of the key; true when it is not there afterwards.
    virtual bool remove(const char* name) = 0;
};

// The settings key as its keeper reaches it: opened for each set of reads or of writes, and
// closed after it.
class SettingsStore {
  public:
    // Runs `reads` on the key; null when it cannot be opened (on a first run, say).
    virtual void read(Callback<void(SettingsReader* key)> reads) = 0;
    // Runs `writes` on the key, created when missing; false, with nothing run, when it can be
    // neither opened nor created.
    virtual bool write(Callback<void(SettingsWriter& key)> writes) = 0;

  protected:
    ~SettingsStore() = default;
};

// Fills settings and the rate from the key, or with the defaults where the key (reader null)
// or a value is missing or unusable. Values are taken only whole: a short or long value, a
// non-finite total or a rate figure out of range leaves the default in place.
void loadSettings(SettingsReader* reader, Settings& settings, Rate& rate);

// Writes all thirteen values in their fixed order, with `total` as the meter's, then the
// ledger's two; a figure that single precision cannot hold finitely is left out, so the key
// keeps the last sound one.
void saveSettings(SettingsWriter& writer, const Settings& settings, const Rate& rate, double total);

// A period longer than this is no period but garbage: its rows would fill the ledger for days.
constexpr std::int64_t MAX_OPEN_PERIOD_DAYS = 400;

// Defaults, as used when nothing usable is stored.
constexpr const char* DEFAULT_ACTIVITIES_FILE = "acts.txt";
constexpr const char* DEFAULT_LOG_FILE = "log.txt";
constexpr const char* DEFAULT_LEDGER_FILE = "ledger.csv";
