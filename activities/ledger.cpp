#include "activities/ledger.h"
#include "activities/ledger_summary.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

void appendLedgerRows(const LedgerPeriod& p, TextBuffer& rows) {
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
        // In proportion to the local time; the last row takes what is left, so that they add
        // up, and the seconds to the whole length, rounded once.
        const double share =
            end == p.finish ? 1.0 : static_cast<double>(end - p.start) / static_cast<double>(local);
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
        appendCsvField(p.activity, rows);
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

bool CsvLedgerFile::read(const char* path, LedgerSummary& summary) {
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
    return read;
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
