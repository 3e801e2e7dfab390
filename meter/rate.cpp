#include "meter/rate.h"

void Rate::recalc(std::uint32_t mode) {
    // Each step stores its result before the next reads it, so a second step works from the
    // rounded first one, exactly as the stored figures will be read back later.
    switch (mode) {
        case RECALC_HOURLY:
            daily = hourly * hoursPerDay;
            yearly = daily * daysPerYear;
            break;
        case RECALC_DAILY:
            hourly = daily / hoursPerDay;
            yearly = daily * daysPerYear;
            break;
        case RECALC_YEARLY:
        case RECALC_DAYS_PER_YEAR:
            daily = yearly / daysPerYear;
            hourly = daily / hoursPerDay;
            break;
        case RECALC_HOURS_PER_DAY:
            // Working longer days keeps the pay per day and moves the hourly figure.
            hourly = daily / hoursPerDay;
            break;
        default:
            break;
    }
}

bool admitRateFigure(Rate& rate, std::uint32_t mode, double value) {
    Rate candidate = rate;
    switch (mode) {
        case RECALC_HOURLY:
            candidate.hourly = value;
            break;
        case RECALC_DAILY:
            candidate.daily = value;
            break;
        case RECALC_YEARLY:
            candidate.yearly = value;
            break;
        case RECALC_HOURS_PER_DAY:
            candidate.hoursPerDay = value;
            break;
        case RECALC_DAYS_PER_YEAR:
            candidate.daysPerYear = value;
            break;
        default:
            return false;
    }
    candidate.recalc(mode);
    if (!rateInDomain(candidate)) {
        return false;
    }
    rate = candidate;
    return true;
}
