// Any size and content of each of the thirteen stored values: every figure loaded lies in the
// rate's domain, every figure saved is finite, and save, load, save writes the same bytes. The
// bytes left over are a run's record of this build's form: one that loads has a sound period and
// stretches within it, and is saved and read back the same.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "memory_store.h"
#include "settings/run_record.h"
#include "settings/settings.h"

namespace {

const char* const NAMES[] = {"Kett",           "DaysPerYear", "HoursPerDay", "Hourly",
                             "ActivitiesFile", "LogFile",     "Logging",     "CurrentActivity",
                             "Placement",      "TopMost",     "Currency",    "DigitsBitmapFile",
                             "Decimals"};

void check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

void checkSaved(const MemoryStore& store) {
    for (const char* name : {"Kett", "DaysPerYear", "HoursPerDay", "Hourly"}) {
        const auto it = store.values.find(name);
        if (it != store.values.end()) {
            check(it->second.data.size() == 4);
            check(std::isfinite(store.get<float>(name)));
        }
    }
}

}  // namespace

// Each value: a byte saying whether it exists and its kind, a byte of length, then its data.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryStore stored;
    std::size_t at = 0;
    for (const char* name : NAMES) {
        if (at + 2 > size) {
            break;
        }
        const std::uint8_t kind = data[at];
        const std::size_t length = std::min<std::size_t>(data[at + 1] * 2u, size - at - 2);
        if (kind % 3 != 0) {
            stored.values[name] = {kind % 3 == 1 ? VALUE_TEXT : VALUE_BINARY,
                                   {data + at + 2, data + at + 2 + length}};
        }
        at += 2 + length;
    }

    Settings settings;
    Rate rate;
    loadSettings(&stored, settings, rate);
    check(rateInDomain(rate));
    for (const char* text : {settings.activitiesFile, settings.logFile,
                             settings.currentActivityName, settings.digitsBitmapFile}) {
        check(std::memchr(text, '\0', SETTINGS_TEXT_SIZE) != nullptr);
    }

    MemoryStore first;
    saveSettings(first, settings, rate, static_cast<double>(settings.savedTotal));
    checkSaved(first);
    Settings again;
    Rate againRate;
    loadSettings(&first, again, againRate);
    MemoryStore second;
    saveSettings(second, again, againRate, static_cast<double>(again.savedTotal));
    check(first.values.size() == second.values.size());
    for (const auto& [name, value] : first.values) {
        check(second.values.at(name).data == value.data);
    }

    MemoryStore key;
    std::vector<unsigned char> record = {'R', 'u', 'n', '1'};
    record.insert(record.end(), data + at, data + size);
    key.values["Checkpoint"] = {VALUE_BINARY, record};
    RunRecord run;
    if (loadRunRecord(key, run)) {
        check(std::isfinite(run.total));
        check(!run.open || (run.elapsed >= 0 && std::isfinite(run.startTotal)));
        check(run.stretchCount <= MAX_KEPT_STRETCHES);
        for (std::size_t i = 0; i < run.stretchCount; ++i) {
            check(run.stretches[i].length > 0 &&
                  run.stretches[i].offset + run.stretches[i].length <= run.elapsed);
        }
        MemoryStore saved;
        saveRunRecord(saved, &run);
        RunRecord back;
        check(loadRunRecord(saved, back));
        MemoryStore again;
        saveRunRecord(again, &back);
        check(again.values.at("Checkpoint").data == saved.values.at("Checkpoint").data);
    }
    return 0;
}
