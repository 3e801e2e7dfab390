#pragma once

// The world outside the workday, in memory: a clock the test sets, the settings key, the logs
// and the ledgers by file. Every write that reaches it (a value written or taken out of the key,
// a log record, rows appended to a ledger) is one effect; it can stop taking them after a given
// number, as a process ended from outside would, or refuse one write to the key.

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/workday.h"
#include "memory_store.h"

struct World : Clock, SettingsStore, SettingsWriter, LogWriter, LedgerFile, FileNames {
    LocalTime now{};
    std::uint32_t tick = 0;
    std::uint32_t lastInput = 0;
    std::int64_t utcAhead = 0;  // UTC minus the local clock
    MemoryStore key;
    // What reached the world, for tables to compare: the key's writes (and "-" removals), and the
    // records and rows in the order they came (see write and append).
    std::string written, records;
    // The logs' records by file ("S name", "F name"), and the ledgers' text by file.
    std::map<std::string, std::string> logs, ledgers;
    bool locked = false;   // the ledger, by another program: appends wait
    bool held = false;     // the ledger, so that the summary cannot read it
    std::string unusable;  // a ledger file that cannot be written where it is named

    // Effects so far; the world takes no more once `lastEffect` have come (none when negative),
    // and refuses the key's write number `failingWrite` (counted from 1).
    long effects = 0;
    long lastEffect = -1;
    long keyWrites = 0;
    long failingWrite = -1;
    std::vector<std::string> taken;  // what each effect was
    bool takes(const std::string& what) {
        if (lastEffect >= 0 && effects >= lastEffect) {
            return false;
        }
        ++effects;
        taken.push_back(what);
        return true;
    }

    // Milliseconds the tick count moves on at every read, as a real one does between two.
    std::uint32_t drift = 0;

    LocalTime localTime() override { return now; }
    std::uint32_t tickCount() override { return tick += drift; }
    std::int64_t utcTime() override {
        std::int64_t local = 0;
        wallClockValue(now, local);
        return local + utcAhead;
    }
    std::uint64_t awakeMs() override { return tick; }  // never asleep
    std::int64_t localOf(std::int64_t utc) override { return utc - utcAhead; }
    std::uint32_t lastInputTick() override { return lastInput; }

    void read(Callback<void(SettingsReader*)> reads) override { reads(&key); }
    bool write(Callback<void(SettingsWriter&)> writes) override {
        writes(*this);
        return true;
    }
    bool write(const char* name, std::uint32_t kind, const void* data,
               std::uint32_t size) override {
        if (++keyWrites == failingWrite || !takes(std::string("key ") + name)) {
            return false;
        }
        key.write(name, kind, data, size);
        written += std::string(written.empty() ? "" : " ") + name;
        return true;
    }
    bool remove(const char* name) override {
        if (++keyWrites == failingWrite || !takes(std::string("key -") + name)) {
            return false;
        }
        key.remove(name);
        written += std::string(written.empty() ? "-" : " -") + name;
        return true;
    }

    // As "file Started name hh:mm|", "file Finished name hh:mm-hh:mm|", "file Banner hh:mm|";
    // the records of one call are one effect.
    using LogWriter::write;
    void write(const LogFields& log, const LogRecordKind* kinds, std::size_t count) override {
        static const char* const names[] = {"Banner", "Started", "Finished"};
        std::string what = "log";
        for (std::size_t i = 0; i < count; ++i) {
            what += std::string(" ") + names[kinds[i]] +
                    (kinds[i] == LOG_BANNER ? "" : std::string(" ") + log.logActivityName);
        }
        if (!log.loggingEnabled || !takes(what)) {
            return;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const LogRecordKind kind = kinds[i];
            char text[400];
            std::snprintf(text, sizeof text, "%s %s%s%s %02d:%02d", log.logFileName, names[kind],
                          kind == LOG_BANNER ? "" : " ",
                          kind == LOG_BANNER ? "" : log.logActivityName, log.startTime.hour,
                          log.startTime.minute);
            records += text;
            if (kind == LOG_FINISHED) {
                std::snprintf(text, sizeof text, "-%02d:%02d", log.finishTime.hour,
                              log.finishTime.minute);
                records += text;
            }
            records += "|";
            if (kind != LOG_BANNER) {
                logs[file(log.logFileName)] +=
                    std::string(kind == LOG_STARTED ? "S " : "F ") + log.logActivityName + "|";
            }
        }
    }

    // Each row as "file activity,paid,seconds,earned|".
    LedgerWrite append(const char* path, const TextBuffer& rows) override {
        if (file(path) == unusable) {
            return LedgerWrite::Unusable;
        }
        if (locked || !takes(std::string("ledger ") + file(path))) {
            return LedgerWrite::Busy;
        }
        ledgers[file(path)].append(rows.data(), rows.size());
        std::string field;
        int column = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const char c = rows.data()[i];
            if (c == ',' || c == '\r') {
                const bool kept = column >= 3 && column <= 7 && column != 6;
                records += kept ? (column == 3 ? std::string(path) + " " : ",") + field : "";
                records += c == '\r' ? "|" : "";
                field.clear();
                column = c == '\r' ? 0 : column + 1;
            } else if (c != '\n') {
                field += c;
            }
        }
        return LedgerWrite::Written;
    }
    LedgerRead read(const char* path, LedgerSummary& summary) override {
        const std::string& text = ledgers[file(path)];
        summary.add(text.data(), text.size());
        summary.finish();
        return held ? LedgerRead::Held : LedgerRead::Whole;
    }
    bool holds(const char* path, const TextBuffer& rows) override {
        const std::string& text = ledgers[file(path)];
        return !locked && text.size() >= rows.size() &&
               text.compare(text.size() - rows.size(), rows.size(), rows.data(), rows.size()) == 0;
    }

    // Names are of the working folder C:\work unless they name a drive.
    void wholePath(const char* name, char* out, std::size_t size) override {
        const bool relative = name[0] != '\0' && std::strchr(name, ':') == nullptr;
        std::snprintf(out, size, "%s%s", relative ? "C:\\work\\" : "", name);
    }
    // A file by its name in the working folder.
    static std::string file(const char* path) {
        const std::string p = path;
        return p.rfind("C:\\work\\", 0) == 0 ? p.substr(8) : p;
    }

    WorkdayServices services() { return {*this, *this, *this, *this, *this}; }
};
