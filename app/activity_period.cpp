#include "app/activity_period.h"

void logStartUp(LogFields& log, const PeriodServices& services) {
    log.startTime = services.localTime();
    services.write(log, LOG_BANNER);
}

bool periodSoFar(const Accumulation& meter, const LogFields& log, std::int64_t finish,
                 LedgerPeriod& period) {
    if (!log.periodOpen || !wallClockValue(log.startTime, period.start)) {
        return false;
    }
    period.finish = finish;
    period.activity = log.logActivityName != nullptr ? log.logActivityName : "";
    period.paid = meter.running;
    period.hourly = meter.rate.hourly;
    period.earned = meter.running ? meter.total - log.startTotal : 0.0;
    return true;
}

void finishPeriod(Accumulation& meter, LogFields& log, const PeriodServices& services) {
    log.finishTime = services.localTime();
    services.write(log, LOG_FINISHED);
    // The total as of now, however long ago the meter last ticked.
    meter.step(services.tickCount());
    LedgerPeriod period;
    std::int64_t finish = 0;
    if (wallClockValue(log.finishTime, finish) && periodSoFar(meter, log, finish, period)) {
        services.record(period);
    }
    log.periodOpen = false;
    meter.stop();
}

void startPeriod(Accumulation& meter, LogFields& log, const char* name, bool running,
                 const PeriodServices& services) {
    log.startTime = services.localTime();
    log.logActivityName = name;
    log.periodOpen = true;
    log.startTotal = meter.baseTotal;
    services.write(log, LOG_STARTED);
    // The tick is read after the record is written, and running set last.
    meter.start(services.tickCount(), running);
}

void resetPeriod(Accumulation& meter, LogFields& log, double newTotal,
                 const PeriodServices& services) {
    finishPeriod(meter, log, services);
    meter.baseTotal = newTotal;
    startPeriod(meter, log, "None", true, services);
}

void handOverLog(const LogFields& log, bool wasLogging, const char* oldFile,
                 const PeriodServices& services) {
    const LogHandover handover =
        logHandover(wasLogging, oldFile, log.loggingEnabled, log.logFileName);
    if (handover.finishInOld) {
        LogFields old = log;
        copyText(old.logFileName, oldFile);
        old.loggingEnabled = true;
        old.finishTime = services.localTime();
        services.write(old, LOG_FINISHED);
    }
    if (handover.startInNew) {
        services.write(log, LOG_STARTED);
    }
}

bool openPeriodOf(const LogFields& log, bool paid, const LocalTime& now, OpenPeriod& period) {
    if (!log.periodOpen) {
        return false;  // finished: at exit, nothing may be kept as open again
    }
    copyText(period.name, log.logActivityName != nullptr ? log.logActivityName : "");
    period.paid = paid;
    period.startTotal = log.startTotal;
    period.hasEarnings = true;
    return wallClockValue(log.startTime, period.start) && wallClockValue(now, period.checkpoint);
}

void closeLeftOpen(const OpenPeriod& left, bool logging, const char* file, double savedTotal,
                   double hourly, const PeriodServices& services) {
    LogFields crashed;
    crashed.loggingEnabled = logging;
    copyText(crashed.logFileName, file);
    crashed.logActivityName = left.name;
    if (localTimeOf(left.start, crashed.startTime) &&
        localTimeOf(left.checkpoint, crashed.finishTime)) {
        services.write(crashed, LOG_FINISHED);
    }
    if (left.hasEarnings) {
        LedgerPeriod period;
        period.start = left.start;
        period.finish = left.checkpoint;
        period.activity = left.name;
        period.paid = left.paid;
        period.hourly = hourly;
        period.earned = left.paid ? savedTotal - left.startTotal : 0.0;
        services.record(period);
    }
}
