#include "activities/ledger.h"
#include "activities/ledger_summary.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>

#include "activities/log_text.h"
#include "base/unique_file.h"

namespace {

// Older rows than these last bytes of a file fall outside every range of the summary.
constexpr long SUMMARY_TAIL = 16L << 20;

// A field as RFC 4180 has it: quoted, with its quotes doubled, when it holds a comma, a quote or
// a line break.
void appendCsvField(const char* text, TextBuffer& out) {
    if (std::strpbrk(text, ",\"\r\n") == nullptr) {
        out.append(text);
        return;
    }
    out.append("\"");
    for (const char* c = text; *c != '\0'; ++c) {
        out.append(c, 1);
        if (*c == '"') {
            out.append("\"");
        }
    }
    out.append("\"");
}

bool isFolder(const char* path) {
    struct stat info {};
    return stat(path, &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR;
}

double cents(double amount) {
    return std::round(amount * 100.0) / 100.0;
}

}  // namespace

std::int64_t dayOf(std::int64_t wallClock) {
    return wallClock / UNITS_PER_DAY;
}

const char* currencyCode(int currency) {
    static const char* const CODES[] = {"GBP", "USD", "EUR", "custom"};
    return currency >= 0 && currency < 3 ? CODES[currency] : CODES[3];
}

namespace {

// Where a local midnight falls within the period's true length.
std::int64_t midnightAt(const LedgerPeriod& p, std::int64_t length, std::int64_t midnight,
                        LocalZone* zone) {
    if (zone != nullptr && p.startUtc > 0 && p.elapsed >= 0) {
        // The first instant whose local time is of the new day.
        std::int64_t before = p.startUtc, after = p.startUtc + p.elapsed;
        if (zone->localOf(after) < midnight) {
            return length;  // never, as the clock was set meanwhile
        }
        while (after - before > UNITS_PER_MS) {
            const std::int64_t mid = before + (after - before) / 2;
            (zone->localOf(mid) >= midnight ? after : before) = mid;
        }
        return after - p.startUtc;
    }
    const double local = static_cast<double>(p.finish - p.start);
    return static_cast<std::int64_t>(static_cast<double>(length) *
                                     static_cast<double>(midnight - p.start) / local);
}

}  // namespace

void appendLedgerRows(const LedgerPeriod& p, TextBuffer& rows, LocalZone* zone) {
    const double total = p.paid ? p.earned : 0.0;
    // When the local clock went back past the start, one row on the start's day.
    const std::int64_t local = p.finish > p.start ? p.finish - p.start : 0;
    const std::int64_t length = p.elapsed >= 0 ? p.elapsed : local;
    double given = 0;
    std::int64_t secondsGiven = 0;
    LocalTime from{}, to{};
    for (std::int64_t start = p.start, end = 0; end != p.finish; start = end) {
        end = local == 0 ? p.finish : std::min((dayOf(start) + 1) * UNITS_PER_DAY, p.finish);
        if (!localTimeOf(start, from) || !localTimeOf(end, to)) {
            return;
        }
        // The last row takes what is left, so that they add up: the earnings to the cent, the
        // seconds to the whole length, rounded once.
        const std::int64_t at = end == p.finish ? length : midnightAt(p, length, end, zone);
        const double share = end == p.finish ? 1.0
                             : length > 0
                                 ? static_cast<double>(std::clamp<std::int64_t>(at, 0, length)) /
                                       static_cast<double>(length)
                                 : static_cast<double>(end - p.start) / static_cast<double>(local);
        const double earned = end == p.finish ? total - given : cents(total * share) - given;
        const auto seconds =
            static_cast<std::int64_t>(std::llround(static_cast<double>(length) * share /
                                                   static_cast<double>(UNITS_PER_SECOND))) -
            secondsGiven;
        given += earned;
        secondsGiven += seconds;
        char text[128];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d,%02d:%02d:%02d,%02d:%02d:%02d,", from.year,
                      from.month, from.day, from.hour, from.minute, from.second, to.hour, to.minute,
                      to.second);
        rows.append(text);
        appendNameCell(p.activity, rows);
        std::snprintf(text, sizeof text, ",%d,%lld,", p.paid ? 1 : 0,
                      static_cast<long long>(seconds));
        rows.append(text);
        rows.append(moneyText(p.hourly, "").text);
        rows.append(",");
        rows.append(moneyText(earned, "").text);
        rows.append(",");
        rows.append(currencyCode(p.currency));
        rows.append("\r\n");
    }
}

void keepNewestRows(TextBuffer& rows, std::size_t most) {
    const std::size_t from = newestLinesFrom(rows, most);
    if (from == 0) {
        return;
    }
    TextBuffer kept;
    kept.append(rows.data() + from, rows.size() - from);
    rows = std::move(kept);
}

LedgerWrite CsvLedgerFile::append(const char* path, const TextBuffer& rows) {
    if (rows.empty()) {
        return LedgerWrite::Written;
    }
    if (isFolder(path)) {
        return LedgerWrite::Unusable;
    }
    errno = 0;
    UniqueFile ledger(path, "a+b");
    if (!ledger) {
        return errno == ENOENT || errno == ENOTDIR ? LedgerWrite::Unusable : LedgerWrite::Busy;
    }
    if (std::fseek(ledger.get(), 0, SEEK_END) != 0) {
        return LedgerWrite::Busy;
    }
    const long size = std::ftell(ledger.get());
    const char* before = "";
    if (size <= 0) {
        before = LEDGER_HEADER;
    } else if (std::fseek(ledger.get(), -1, SEEK_END) == 0 && std::fgetc(ledger.get()) != '\n') {
        before = "\r\n";  // a last line someone left without its end
    }
    // Every write of this mode goes to the end, whatever was read before.
    const std::size_t length = std::strlen(before);
    const bool written = std::fseek(ledger.get(), 0, SEEK_END) == 0 &&
                         std::fwrite(before, 1, length, ledger.get()) == length &&
                         std::fwrite(rows.data(), 1, rows.size(), ledger.get()) == rows.size();
    return ledger.close() && written ? LedgerWrite::Written : LedgerWrite::Busy;
}

bool CsvLedgerFile::holds(const char* path, const TextBuffer& rows) {
    if (isFolder(path)) {
        return false;
    }
    UniqueFile file(path, "rb");
    const long size = static_cast<long>(rows.size());
    if (!file || rows.empty() || std::fseek(file.get(), 0, SEEK_END) != 0 ||
        std::ftell(file.get()) < size || std::fseek(file.get(), -size, SEEK_END) != 0) {
        return false;
    }
    char buffer[1 << 14];
    for (std::size_t at = 0; at < rows.size();) {
        const std::size_t n =
            std::fread(buffer, 1, std::min(sizeof buffer, rows.size() - at), file.get());
        if (n == 0 || std::memcmp(buffer, rows.data() + at, n) != 0) {
            return false;
        }
        at += n;
    }
    return true;
}

LedgerRead CsvLedgerFile::read(const char* path, LedgerSummary& summary) {
    if (isFolder(path)) {
        summary.finish();
        return LedgerRead::Folder;
    }
    errno = 0;
    UniqueFile file(path, "rb");
    bool read = !file && errno == ENOENT;  // a file that is not there holds nothing
    if (file && std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        const bool cut = size > SUMMARY_TAIL;
        if (std::fseek(file.get(), cut ? size - SUMMARY_TAIL : 0, SEEK_SET) == 0) {
            if (cut) {  // from the first whole line on
                for (int c = 0; c != EOF && c != '\n';) {
                    c = std::fgetc(file.get());
                }
            }
            char buffer[1 << 14];
            std::size_t n = 0;
            while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
                summary.add(buffer, n);
            }
            read = std::ferror(file.get()) == 0;
        }
    }
    summary.finish();
    return read ? LedgerRead::Whole : LedgerRead::Held;
}

namespace {

bool runAsFormula(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

}  // namespace

void appendNameCell(const char* name, TextBuffer& out) {
    if (runAsFormula(name[0]) || (name[0] == '\'' && runAsFormula(name[1]))) {
        char marked[2 + 256];  // a name of the list's 255 characters at most
        std::snprintf(marked, sizeof marked, "'%s", name);
        appendCsvField(marked, out);
        return;
    }
    appendCsvField(name, out);
}

const char* nameOfCell(const char* cell) {
    return cell[0] == '\'' && (runAsFormula(cell[1]) || (cell[1] == '\'' && runAsFormula(cell[2])))
               ? cell + 1
               : cell;
}

ShortText hoursAndMinutes(std::int64_t seconds) {
    const std::int64_t s = std::max<std::int64_t>(seconds, 0);
    ShortText out;
    std::snprintf(out.text, sizeof out.text, "%lld:%02lld", static_cast<long long>(s / 3600),
                  static_cast<long long>(s % 3600 / 60));
    return out;
}

ShortText moneyText(double amount, const char* sign) {
    ShortText out;
    std::snprintf(out.text, sizeof out.text, "%s%.2f", sign,
                  std::fabs(amount) < 0.005 ? 0.0 : amount);
    return out;
}
