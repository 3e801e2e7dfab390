#pragma once

// The run's one owner of its state and its rules, free of the window system: the settings, the
// rate, the activity list and the current activity, the meter's accumulation, the open period,
// the rows on their way to the ledger, and when and what is saved. The window turns its messages
// into these events and draws from this state; the world outside comes in through the services.
//
// Every event ends with a save of what it changed, and once the run has ended (exit) no event
// changes anything. What a crash between two writes would leave half done is written first as
// one value of the key, the run's record, which the next start finishes from.

#include <cstdint>
#include <memory>

#include "activities/activities.h"
#include "activities/ledger.h"
#include "activities/ledger_summary.h"
#include "app/time_away.h"
#include "app/workday_services.h"
#include "meter/accumulation.h"
#include "meter/rate.h"
#include "settings/changed_values.h"
#include "settings/run_record.h"
#include "settings/settings.h"

struct CutRecord;

// While the total grows it is saved at least this often, so that a process ended from outside
// (a crash, End task, a power cut) loses no more than that of the earnings; while it stands, the
// checkpoint's time alone changes, and is recorded once a minute, so that a period a crash left
// open ends within a minute of it.
constexpr unsigned CHECKPOINT_MS = 10000;
constexpr unsigned STANDING_CHECKPOINT_MS = 60000;

// A question about time away: when the stretch began and ended (local), its true length (100 ns),
// and the activity it interrupted.
struct AwayQuestion {
    std::int64_t start;
    std::int64_t end;
    std::int64_t length;
    const char* activity;
};

class Workday {
  public:
    explicit Workday(const WorkdayServices& services);
    Workday(const Workday&) = delete;
    Workday& operator=(const Workday&) = delete;

    // Start-up before any window: the settings and the rate from the key, the list from the
    // activities file, the current activity resolved, and what a run that ended unfinished left.
    // False when the list cannot be made.
    bool load();
    // Once the meter shows: the period a crashed run left open is closed as its questions were
    // answered, rows still waiting go to the ledger, the log gets its banner, and the current
    // activity's period starts.
    void begin();

    // The user's events.
    void switchTo(int index);
    void toggleTopMost();
    // The period so far is finished, and one named "None" begins from newTotal with the meter
    // running, paid activity or not, until the next switch.
    void resetTotal(double newTotal);
    // A new activity at the end of the list; false when the list is full.
    bool addActivity(const char* name, bool paid);
    // A new rate or currency mid-period ends the ledger's row there, and starts the next.
    void rateChosen(const Rate& chosen);
    void currencyChosen(int currency, int decimals, const char* digitsBitmapFile);
    // The digits strip chosen cannot be loaded: pounds, with two decimals, as at start-up.
    void currencyFellBack();
    // The switch or the file changed mid-period: its Finished goes to the old log and its Started
    // to the new one, as far as each is logged, so that every Started has its Finished.
    void loggingChosen(bool logging, const char* logFile);
    void activitiesFileChosen(const char* activitiesFile);
    void ledgerKept(bool keep);
    // Where the window is now, saved at the next checkpoint.
    void placed(const Placement& placement);
    // The Options dialog's values: the minutes away asked about (negative: not asked), the icon
    // in the notification area and whether a minimised window hides behind it.
    void optionsChosen(int awayMinutes, bool notificationIcon, bool hideWhenMinimised);

    // Time away, while the meter runs: the session locked or unlocked, the machine asleep or
    // awake again (the checkpoint also looks for input after idleness, and a sleep untold).
    void sessionLocked(bool locked);
    void powerSuspended();
    void powerResumed();
    // Looks at the last input now, so that a stretch of idleness the user has just ended becomes
    // a question; true when one is open. The window asks it before acting on a command, since the
    // command may end the period the answer would cut.
    bool noticeReturn();
    // The question to ask now, when there is one. Those a crashed run left are asked at
    // start-up, before `begin`, in turn.
    bool awayQuestion(AwayQuestion& question) const;
    // The answer: the stretch counts as activity `picked`; -1, or the activity interrupted,
    // leaves everything as counted.
    void awayAnswered(int picked);

    // Saves what changed since the last save: after a change of the user's, and when due.
    void checkpoint();
    // How long until the next checkpoint is due; 0 once the run has ended.
    unsigned checkpointPeriodMs() const;
    // Windows ends the session: the period is finished and every value saved; the run goes on
    // until the process is ended. Time away not yet answered keeps the period open instead, for
    // the next start to ask about.
    void sessionEnds();
    // The main window is gone: the same, for the last time.
    void exit();
    bool ended() const { return ended_; }

    const Settings& settings() const { return settings_; }
    const Rate& rate() const { return rate_; }
    // The meter's accumulation, which the workday alone changes: the total at any tick of its
    // clock.
    const Accumulation& meter() const { return meter_; }
    const Activities& activities() const { return *activities_; }
    int current() const { return current_; }
    // The current activity's name, or the stored one while the list is empty.
    const char* currentActivityName() const;
    // The total as of now.
    double currentTotal() const;
    // What the ledger, the rows waiting for it and the open period up to now add up to, by the
    // locale's weeks (0 Monday to 6 Sunday), around `day` (days since 1601; today when negative);
    // null when memory runs out.
    std::unique_ptr<LedgerSummary> summary(int firstDayOfWeek, std::int64_t day = -1);

  private:
    // What a save writes: the run's record (with the rows waiting for the ledger) alone, as an
    // event's first step does; what changed besides; or every value.
    enum class Save { Record, Changed, Everything };
    // The one checkpoint writer (see the .cpp for its order).
    void save(Save what);
    // The record as the run stands; false when there is nothing to keep.
    bool runRecord(RunRecord& record);
    // The period's state: started (the meter started, the watch restarted; the log's Started
    // comes once the key holds it), and finished (its Finished logged, its rows handed over).
    void openPeriod(const char* name, bool running);
    void logStarted();
    void finishPeriod();
    // An event that ends a period: `change` ends it and starts the next; the key then holds both
    // and the rows handed over before the ledger and the log get them.
    template <typename Change>
    void betweenPeriods(Change change);
    // The same for the ledger's row alone, which ends where the rate or the currency changes, so
    // that every row earned at its own rate, in its own currency: `change` is given the tick.
    template <typename Change>
    void betweenRows(bool rowEnds, Change change);
    // The open period's ledger row as if it finished now.
    bool rowSoFar(LedgerPeriod& row, std::uint32_t tick) const;
    void hand(const LedgerPeriod& row);
    // Rows handed over go to their file; those it cannot take now wait.
    void deliverHanded();
    void flushLedger();
    LogFields logFields() const;
    // Records of a cut, to `file` (whole path; empty: none), or to this run's log (null).
    void writeLog(const char* file, const CutRecord* records, std::size_t count);
    // The crashed run's period closed as its questions were answered.
    void closeCrashed();
    // Time away.
    AwayReading awayReading();
    void takeAwayQuestion();
    KeptStretch kept(const AwayStretch& stretch) const;
    void countAwayAs(int picked);
    // Exit and the session's end: the period finished, or left open when time away waits.
    void end();

    WorkdayServices services_;
    Settings settings_;
    Rate rate_;
    std::unique_ptr<Activities> activities_;
    int current_ = -1;
    Accumulation meter_{0.0, rate_.hourly};
    // The open period: what the log calls it (an activity's name, or "None") and when its Started
    // was; and the ledger row it is on, from its start (local, tick, UTC) and the meter's total
    // then, from which its earnings are counted.
    struct Period {
        const char* name = nullptr;
        LocalTime start{};
        bool paid = false;
        bool open = false;
        std::int64_t rowStart = 0;
        std::uint32_t rowStartTick = 0;
        std::int64_t rowStartUtc = 0;
        double rowStartTotal = 0;
    } period_;
    TextBuffer pending_;  // rows waiting for the ledger file, oldest first
    // Rows the key's record holds as handed over, until their file has them, and that file.
    TextBuffer handed_;
    char handedFile_[PERIOD_PATH_SIZE] = "";
    WrittenValues written_;
    bool ended_ = false;
    bool begun_ = false;
    // What a run that ended unfinished left, from load, where it is read, to begin, where it is
    // closed: its record, and the answers so far to its questions (an activity, or -1 for as
    // counted).
    struct Crashed {
        RunRecord record;
        bool found = false;
        int answers[MAX_KEPT_STRETCHES] = {};
        std::size_t answered = 0;
    } crashed_;
    bool removeOlder_ = false;  // an older build's values of its run are still in the key
    // Time away: the watch, and the stretch being asked about.
    AwayWatch away_;
    AwayStretch question_{};
    bool asking_ = false;
};
