#include "settings/run_record.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/local_time.h"
#include "meter/rate.h"

namespace {

const char* const RUN_RECORD = "Checkpoint";
const char* const LEDGER_PENDING = "LedgerPending";
// The record's form, first in its bytes: a later build reads an earlier one by it.
constexpr char FORM[4] = {'R', 'u', 'n', '1'};

// The record's bytes, field after field in a fixed order with no padding between them.
class Bytes {
  public:
    explicit Bytes(TextBuffer& out) : out_(&out) {}
    Bytes(const char* data, std::size_t size) : in_(data), left_(size) {}

    template <typename T>
    void put(const T& value) {
        out_->append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    template <typename T>
    bool take(T& value) {
        if (left_ < sizeof value) {
            return false;
        }
        std::memcpy(&value, in_, sizeof value);
        in_ += sizeof value;
        left_ -= sizeof value;
        return true;
    }
    // A text field of N bytes: sound when it holds its terminator.
    template <std::size_t N>
    bool takeText(char (&text)[N]) {
        return take(text) && std::memchr(text, '\0', N) != nullptr;
    }
    const char* rest() const { return in_; }
    std::size_t left() const { return left_; }

  private:
    TextBuffer* out_ = nullptr;
    const char* in_ = nullptr;
    std::size_t left_ = 0;
};

constexpr std::uint32_t OPEN = 1, PAID = 2;
constexpr std::int64_t LONGEST = MAX_OPEN_PERIOD_DAYS * UNITS_PER_DAY;

bool aLocalTime(std::int64_t value) {
    LocalTime time{};
    return localTimeOf(value, time);
}

// Whether the open period's values can be: times of the calendar, a length of at most
// MAX_OPEN_PERIOD_DAYS, totals that are numbers and a rate in its range.
bool soundPeriod(const RunRecord& r) {
    return aLocalTime(r.logStart) && aLocalTime(r.start) && aLocalTime(r.checkpoint) &&
           r.elapsed >= 0 && r.elapsed <= LONGEST && std::isfinite(r.startTotal) &&
           inRateRange(r.hourly, MAX_HOURLY);
}

bool soundStretch(const KeptStretch& s, std::int64_t elapsed) {
    return s.offset >= 0 && s.length > 0 && s.offset <= elapsed - s.length && aLocalTime(s.start) &&
           aLocalTime(s.end);
}

}  // namespace

void saveRunRecord(SettingsWriter& writer, const RunRecord* record) {
    if (record == nullptr) {
        writer.remove(RUN_RECORD);
        return;
    }
    const RunRecord& r = *record;
    TextBuffer bytes;
    Bytes out(bytes);
    out.put(FORM);
    out.put(r.total);
    out.put((r.open ? OPEN : 0) | (r.paid ? PAID : 0));
    out.put(r.currency);
    for (std::int64_t time :
         {r.logStart, r.start, r.startUtc, r.checkpoint, r.checkpointUtc, r.elapsed}) {
        out.put(time);
    }
    out.put(r.startTotal);
    out.put(r.hourly);
    out.put(static_cast<std::uint32_t>(r.stretchCount));
    for (const KeptStretch& s : r.stretches) {
        out.put(s);
    }
    out.put(r.name);
    out.put(r.logFile);
    out.put(r.ledgerFile);
    out.put(r.handedFile);
    bytes.append(r.handed);
    if (bytes.whole()) {  // memory ran out: the key keeps the last whole record
        writer.write(RUN_RECORD, VALUE_BINARY, bytes.data(),
                     static_cast<std::uint32_t>(bytes.size()));
    }
}

bool loadRunRecord(SettingsReader& reader, RunRecord& record) {
    constexpr std::uint32_t MOST = sizeof(RunRecord) + MAX_PENDING_LEDGER;
    char* stored = static_cast<char*>(std::malloc(MOST));
    std::uint32_t size = 0, kind = 0;
    if (stored == nullptr || !reader.read(RUN_RECORD, stored, MOST, size, kind) ||
        kind != VALUE_BINARY) {
        std::free(stored);
        return false;
    }
    RunRecord r;
    Bytes in(stored, size);
    char form[sizeof FORM] = {};
    std::uint32_t flags = 0, count = 0;
    bool sound = in.take(form) && std::memcmp(form, FORM, sizeof form) == 0 && in.take(r.total) &&
                 in.take(flags) && in.take(r.currency);
    for (std::int64_t* time :
         {&r.logStart, &r.start, &r.startUtc, &r.checkpoint, &r.checkpointUtc, &r.elapsed}) {
        sound = sound && in.take(*time);
    }
    sound = sound && in.take(r.startTotal) && in.take(r.hourly) && in.take(count);
    for (KeptStretch& s : r.stretches) {
        sound = sound && in.take(s);
    }
    sound = sound && in.takeText(r.name) && in.takeText(r.logFile) && in.takeText(r.ledgerFile) &&
            in.takeText(r.handedFile) && std::isfinite(r.total);
    if (sound) {
        r.handed.append(in.rest(), in.left());
    }
    std::free(stored);
    if (!sound || !r.handed.whole()) {
        return false;
    }
    r.open = (flags & OPEN) != 0 && soundPeriod(r);
    r.paid = (flags & PAID) != 0;
    // The stretches kept are those that lie within the row, in their order.
    for (std::uint32_t i = 0; r.open && i < count && i < MAX_KEPT_STRETCHES; ++i) {
        if (soundStretch(r.stretches[i], r.elapsed)) {
            r.stretches[r.stretchCount++] = r.stretches[i];
        }
    }
    record = std::move(r);
    return true;
}

void saveLedgerPending(SettingsWriter& writer, const TextBuffer& rows) {
    if (rows.empty()) {
        writer.remove(LEDGER_PENDING);
        return;
    }
    const char* from = rows.data() + newestLinesFrom(rows, MAX_PENDING_LEDGER);
    writer.write(LEDGER_PENDING, VALUE_BINARY, from,
                 static_cast<std::uint32_t>(rows.data() + rows.size() - from));
}

void loadLedgerPending(SettingsReader& reader, TextBuffer& rows) {
    // Read into a buffer of the largest size kept: the value's own size is not asked first.
    char* stored = static_cast<char*>(std::malloc(MAX_PENDING_LEDGER));
    std::uint32_t size = 0, kind = 0;
    if (stored != nullptr && reader.read(LEDGER_PENDING, stored, MAX_PENDING_LEDGER, size, kind) &&
        kind == VALUE_BINARY && size > 0) {
        TextBuffer all;
        all.append(stored, size);
        all.append(rows);
        rows = std::move(all);
    }
    std::free(stored);
}
