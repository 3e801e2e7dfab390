// Any ledger text, as a spreadsheet or a hand may leave it, read in pieces of any size for any
// day and first day of the week: every amount stays finite, every name is terminated, no more
// activities are counted than are kept, and no row is both read and left out.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "activities/ledger_summary.h"

namespace {

void check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

void checkMoney(const Money& money) {
    check(money.count <= SUMMARY_CURRENCIES);
    for (std::size_t i = 0; i < money.count; ++i) {
        check(std::isfinite(money.parts[i].amount));
        check(std::memchr(money.parts[i].code, '\0', sizeof money.parts[i].code) != nullptr);
    }
}

}  // namespace

// Two bytes of day, one of the week's first day and one seeding where the text is cut, then the
// text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const std::int64_t today = 155000 + (data[0] | data[1] << 8);  // from 2025 on
    auto summary = std::make_unique<LedgerSummary>(today, data[2] % 7);
    unsigned cuts = data[3] | 1u;
    const char* text = reinterpret_cast<const char*>(data + 4);
    std::size_t left = size - 4;
    while (left > 0) {
        cuts = cuts * 1103515245u + 12345u;
        const std::size_t piece = std::min<std::size_t>(left, 1 + (cuts >> 16) % 97);
        summary->add(text, piece);
        text += piece;
        left -= piece;
    }
    summary->finish();
    for (const RangeSum& range : summary->ranges) {
        check(range.paidSeconds >= 0 && range.unpaidSeconds >= 0);
        check(range.activityCount <= SUMMARY_ACTIVITIES);
        checkMoney(range.earned);
        for (std::size_t a = 0; a < range.activityCount; ++a) {
            check(std::memchr(range.activities[a].name, '\0', sizeof range.activities[a].name) !=
                  nullptr);
            check(range.activities[a].seconds >= 0);
            checkMoney(range.activities[a].earned);
        }
    }
    return 0;
}
