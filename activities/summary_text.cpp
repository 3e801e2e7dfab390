#include "activities/ledger_summary.h"

#include <algorithm>
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

ShortText moneyText(const Money& money, const char* first, const CurrencySigns& signs) {
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
                                    moneyText(amount, known ? signs.sign[kind] : "").text,
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

ShortText todayFigure(const RangeSum& today, const char* first, const CurrencySigns& signs) {
    ShortText out;
    std::snprintf(out.text, sizeof out.text, "Today: %.80s earned, %.16s paid",
                  moneyText(today.earned, first, signs).text,
                  hoursAndMinutes(today.paidSeconds).text);
    return out;
}

NoteText leftOutNote(const char* ledgerFile) {
    const char* name = ledgerFile;
    for (const char* c = ledgerFile; *c != '\0'; ++c) {
        name = *c == '\\' || *c == '/' || *c == ':' ? c + 1 : name;
    }
    NoteText note;
    std::snprintf(note.text, sizeof note.text,
                  "These figures leave out the rows in %s: another program holds it.", name);
    return note;
}
