#include "activities/ledger_summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

bool Money::add(const char* code, double amount) {
    std::size_t i = 0;
    while (i < count && std::strcmp(parts[i].code, code) != 0) {
        ++i;
    }
    if (i == count) {
        if (count == SUMMARY_CURRENCIES) {
            return false;
        }
        std::snprintf(parts[count].code, sizeof parts[count].code, "%s", code);
        parts[count++].amount = 0;
    }
    parts[i].amount += amount;
    return true;
}

ShortText groupedMoney(double amount, const char* sign, const NumberStyle& style) {
    char plain[400];  // any double's digits
    std::snprintf(plain, sizeof plain, "%.2f", std::fabs(amount) < 0.005 ? 0.0 : std::fabs(amount));
    const char* point = std::strchr(plain, '.');
    const std::size_t whole = point != nullptr ? static_cast<std::size_t>(point - plain) : 0;
    // The sizes of the groups from the point leftwards; the last repeats when the locale ends
    // its list with a 0.
    int sizes[8] = {};
    std::size_t count = 0;
    bool repeat = false;
    for (const char* g = style.grouping; *g != '\0' && count < 8; ++g) {
        if (*g >= '1' && *g <= '9') {
            sizes[count++] = *g - '0';
        } else if (*g == '0') {
            repeat = count > 0;
            break;
        }
    }
    // Where a separator goes before digit i (counted from the left).
    bool before[sizeof plain] = {};
    std::size_t at = whole;
    for (std::size_t k = 0; count > 0 && at > 0;) {
        const std::size_t size = static_cast<std::size_t>(sizes[k]);
        if (at <= size) {
            break;
        }
        at -= size;
        before[at] = true;
        if (k + 1 < count) {
            ++k;
        } else if (!repeat) {
            break;
        }
    }
    ShortText out;
    std::size_t used = 0;
    const auto put = [&](const char* text) {
        const int n = std::snprintf(out.text + used, sizeof out.text - used, "%s", text);
        used = n > 0 ? std::min(sizeof out.text - 1, used + static_cast<std::size_t>(n)) : used;
    };
    put(sign);
    put(amount <= -0.005 ? "-" : "");
    for (std::size_t i = 0; i < whole; ++i) {
        put(before[i] ? style.thousands : "");
        const char digit[2] = {plain[i], '\0'};
        put(digit);
    }
    put(style.decimal);
    put(point != nullptr ? point + 1 : "00");
    return out;
}

ShortText moneyText(const Money& money, const char* first, const CurrencySigns& signs,
                    const NumberStyle& style) {
    ShortText out;
    std::size_t used = 0;
    const auto put = [&](const char* code, double amount) {
        int kind = 0;
        while (kind < 4 && std::strcmp(currencyCode(kind), code) != 0) {
            ++kind;
        }
        const bool known = kind < 4;
        const int n = std::snprintf(out.text + used, sizeof out.text - used, "%s%s%s%s",
                                    used > 0 ? " + " : "",
                                    groupedMoney(amount, known ? signs.sign[kind] : "", style).text,
                                    known ? "" : " ", known ? "" : code);
        used = n > 0 ? std::min(sizeof out.text - 1, used + static_cast<std::size_t>(n)) : used;
    };
    double own = 0;
    for (std::size_t i = 0; i < money.count; ++i) {
        own += std::strcmp(money.parts[i].code, first) == 0 ? money.parts[i].amount : 0.0;
    }
    put(first, own);
    for (std::size_t i = 0; i < money.count; ++i) {
        if (std::strcmp(money.parts[i].code, first) != 0) {
            put(money.parts[i].code, money.parts[i].amount);
        }
    }
    return out;
}

ShortText todayFigure(const RangeSum& today, const char* first, const CurrencySigns& signs,
                      const NumberStyle& style) {
    ShortText out;
    std::snprintf(out.text, sizeof out.text, "Today: %.80s earned, %.16s paid",
                  moneyText(today.earned, first, signs, style).text,
                  hoursAndMinutes(today.paidSeconds).text);
    return out;
}

namespace {

// A path's last part: the file's own name.
const char* fileName(const char* path) {
    const char* name = path;
    for (const char* c = path; *c != '\0'; ++c) {
        name = *c == '\\' || *c == '/' || *c == ':' ? c + 1 : name;
    }
    return name;
}

}  // namespace

NoteText summaryNote(const LedgerSummary& summary, const char* ledgerFile,
                     const char* fallbackFile) {
    NoteText note;
    std::size_t used = 0;
    const auto say = [&](const char* sentence) {
        const int n = std::snprintf(note.text + used, sizeof note.text - used, "%s%s",
                                    used > 0 ? " " : "", sentence);
        used = n > 0 ? std::min(sizeof note.text - 1, used + static_cast<std::size_t>(n)) : used;
    };
    const char* name = fileName(ledgerFile);
    char sentence[sizeof note.text];
    if (summary.file != LedgerRead::Whole) {
        std::snprintf(sentence, sizeof sentence, "These figures leave out the rows in %.255s: %s.",
                      name,
                      summary.file == LedgerRead::Held ? "another program holds it"
                                                       : "it is a folder, not a file");
        say(sentence);
    }
    if (const std::size_t n = summary.fallbackRows) {
        std::snprintf(sentence, sizeof sentence,
                      "%llu %s from %.255s in the working folder, where %s while %.255s could not "
                      "be written.",
                      static_cast<unsigned long long>(n), n == 1 ? "row comes" : "rows come",
                      fallbackFile, n == 1 ? "it went" : "they went", ledgerFile);
        say(sentence);
    }
    if (const std::size_t n = summary.rowsLeftOut) {
        std::snprintf(sentence, sizeof sentence, "%llu %s of %.255s could not be read.",
                      static_cast<unsigned long long>(n), n == 1 ? "row" : "rows", name);
        say(sentence);
    }
    return note;
}
