#include "dialogs/edit_rate.h"

#include <cstdio>
#include <cstdlib>

#include "meter/single_precision.h"
#include "resources/resource.h"

const std::array<RateField, 5> RATE_FIELDS = {{
    {IDC_RATE_HOURLY, &Rate::hourly, "%.2f", MAX_HOURLY, RECALC_HOURLY},
    {IDC_RATE_DAILY, &Rate::daily, "%.2f", MAX_DAILY, RECALC_DAILY},
    {IDC_RATE_YEARLY, &Rate::yearly, "%.2f", MAX_YEARLY, RECALC_YEARLY},
    {IDC_RATE_HOURS_PER_DAY, &Rate::hoursPerDay, "%.2f", MAX_HOURS_PER_DAY, RECALC_HOURS_PER_DAY},
    {IDC_RATE_DAYS_PER_YEAR, &Rate::daysPerYear, "%.0f", MAX_DAYS_PER_YEAR, RECALC_DAYS_PER_YEAR},
}};

namespace {

int fieldIndex(int id) {
    for (std::size_t i = 0; i < RATE_FIELDS.size(); ++i) {
        if (RATE_FIELDS[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

char* EditRate::text(int id) {
    const int i = fieldIndex(id);
    return i < 0 ? nullptr : texts[static_cast<std::size_t>(i)].data();
}

bool EditRate::apply(int id) {
    const int i = fieldIndex(id);
    if (i < 0) {
        return false;
    }
    const RateField& field = RATE_FIELDS[static_cast<std::size_t>(i)];
    auto& buffer = texts[static_cast<std::size_t>(i)];
    buffer.back() = '\0';
    // atof's reading (the longest numeric prefix, 0 for none), without its undefined behaviour
    // on numbers too large for a double.
    const double value = roundToSingle(std::strtod(buffer.data(), nullptr));
    return inRateRange(value, field.limit) && admitRateFigure(workingRate, field.mode, value);
}

DialogDecision EditRate::refresh() {
    for (std::size_t i = 0; i < RATE_FIELDS.size(); ++i) {
        std::snprintf(texts[i].data(), texts[i].size(), RATE_FIELDS[i].format,
                      workingRate.*RATE_FIELDS[i].figure);
    }
    DialogDecision decision;
    decision.writeFields = true;
    return decision;
}

DialogDecision EditRate::opened(const Rate& live) {
    workingRate = live;
    lastEditedId = 0;
    return refresh();
}

DialogDecision EditRate::textChanged(int id) {
    if (fieldIndex(id) >= 0) {
        lastEditedId = id;
    }
    return {};
}

DialogDecision EditRate::fieldLeft(int id) {
    if (fieldIndex(id) < 0) {
        return {};
    }
    apply(id);
    lastEditedId = 0;
    return refresh();
}

DialogDecision EditRate::ok(Rate& live) {
    if (lastEditedId != 0) {
        apply(lastEditedId);
    }
    DialogDecision decision = refresh();
    lastEditedId = 0;
    live = workingRate;
    decision.endWith(0);
    return decision;
}

DialogDecision EditRate::cancel() {
    return DialogDecision::ending(0);
}
