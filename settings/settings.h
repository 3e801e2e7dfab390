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
    // Beyond the thirteen: the ledger of finished periods, its file and its switch; and how many
    // minutes away are asked about (0: never).
    char ledgerFile[SETTINGS_TEXT_SIZE] = "";
    bool ledger = true;
    std::int32_t awayMinutes = DEFAULT_AWAY_MINUTES;
};

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
    // Replaces the named value; failures are not reported (the old value stays).
    virtual void write(const char* name, std::uint32_t kind, const void* data,
                       std::uint32_t size) = 0;
    // Takes the named value out of the key, when it is there.
    virtual void remove(const char* name) = 0;
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

// The activity period a run has open, kept in the key beside the thirteen values at every
// checkpoint, and taken out when the run finishes it: so the next start can tell that a run
// ended without finishing its period (a crash, a kill, a power cut) and close it in the log.
// Times are local wall-clock times in 100-nanosecond units since 1601, as the log counts them.
struct OpenPeriod {
    std::int64_t start = 0;
    std::int64_t checkpoint = 0;  // the last checkpoint's time
    // Both also in UTC (100 ns since 1601), from which the period's true length comes whatever the
    // local clock did meanwhile; a key of an older build has local times alone (`hasUtc` false).
    std::int64_t startUtc = 0;
    std::int64_t checkpointUtc = 0;
    bool hasUtc = false;
    char name[SETTINGS_TEXT_SIZE] = "";
    // For the ledger's row: whether the meter ran, and its total as the period began. A key
    // without them (or with them unusable) closes the period in the log alone.
    bool paid = false;
    double startTotal = 0;
    bool hasEarnings = false;
    // Where the period's records go, as whole paths, since the next start may be in another
    // folder: the log holding its Started and the ledger, each empty when there is none. A key
    // of an older build has neither (`hasFiles` false); its period goes to the files of now.
    char logFile[PERIOD_PATH_SIZE] = "";
    char ledgerFile[PERIOD_PATH_SIZE] = "";
    bool hasFiles = false;
};

// A period longer than this is no period but garbage: its rows would fill the ledger for days.
constexpr std::int64_t MAX_OPEN_PERIOD_DAYS = 400;

void saveOpenPeriod(SettingsWriter& writer, const OpenPeriod& period);
// The run's period is finished: nothing is left open.
void removeOpenPeriod(SettingsWriter& writer);
// The period a run left open, when there is one to close: false when a value is missing, of the
// wrong kind or size, or its times cannot be (the checkpoint before the start, or after now, by
// UTC when the key has it, else by the local clock; or longer than MAX_OPEN_PERIOD_DAYS).
bool loadOpenPeriod(SettingsReader& reader, std::int64_t now, std::int64_t nowUtc,
                    OpenPeriod& period);

// The question about a stretch of time away, kept while it is open, so that a crash loses
// neither it nor any money: when the stretch began and ended on the local clock, its end in UTC,
// its true length (100 ns), the hourly figure it earned at, and the activity it interrupted.
struct AwayQuestion {
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::int64_t endUtc = 0;
    std::int64_t length = 0;
    double hourly = 0;
    char activity[SETTINGS_TEXT_SIZE] = "";
};
// Writes the question, or (null) takes it out.
void saveAwayQuestion(SettingsWriter& writer, const AwayQuestion* question);
// The question left open, when there is a sound one: false when a value is missing, of the wrong
// kind or size, or impossible (an end before the start or after `nowUtc`, a length of nothing or
// of more than MAX_OPEN_PERIOD_DAYS, a rate out of its range).
bool loadAwayQuestion(SettingsReader& reader, std::int64_t nowUtc, AwayQuestion& question);

// The ledger's rows still waiting for its file ("LedgerPending"), kept so that neither a crash
// nor an exit loses them: the newest whole rows of at most this many bytes; none (the value
// taken out) once written.
constexpr std::uint32_t MAX_PENDING_LEDGER = 1u << 20;
void saveLedgerPending(SettingsWriter& writer, const TextBuffer& rows);
// Adds the stored rows before those in `rows`, which are newer.
void loadLedgerPending(SettingsReader& reader, TextBuffer& rows);

// Defaults, as used when nothing usable is stored.
constexpr const char* DEFAULT_ACTIVITIES_FILE = "acts.txt";
constexpr const char* DEFAULT_LOG_FILE = "log.txt";
constexpr const char* DEFAULT_LEDGER_FILE = "ledger.csv";
