#pragma once

// The run's one owner of its state and its rules, free of the window system: the settings, the
// rate, the activity list and the current activity, the meter's accumulation, the open period,
// the rows on their way to the ledger, and when and what is saved. The window turns its messages
// into these events and draws from this state; the world outside comes in through the services.
//
// Every event of the user's (a switch, a reset, a dialog's accepted values) ends with a
// checkpoint, and once the run has ended (exit) no event changes anything.

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
#include "settings/settings.h"

// While the total grows it is saved at least this often, so that a process ended from outside
// (a crash, End task, a power cut) loses no more than that of the earnings; while it stands, the
// checkpoint's time alone changes, and is recorded once a minute, so that a period a crash left
// open ends within a minute of it.
constexpr unsigned CHECKPOINT_MS = 10000;
constexpr unsigned STANDING_CHECKPOINT_MS = 60000;

class Workday {
  public:
    explicit Workday(const WorkdayServices& services);
    Workday(const Workday&) = delete;
    Workday& operator=(const Workday&) = delete;

    // Start-up before any window: the settings and the rate from the key, the list from the
    // activities file, the current activity resolved. False when the list cannot be made.
    bool load();
    // Once the meter shows: the period a crashed run left open is closed, rows still waiting go to
    // the ledger, the log gets its banner, and the current activity's period starts.
    void begin();

    // The user's events.
    void switchTo(int index);
    void toggleTopMost();
    // The period so far is finished, and one named "None" begins from newTotal with the meter
    // running, paid activity or not, until the next switch.
    void resetTotal(double newTotal);
    // A new activity at the end of the list; false when the list is full.
    bool addActivity(const char* name, bool paid);
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
    void awayMinutesChosen(int minutes);

    // Time away, while the meter runs: the session locked or unlocked, the machine asleep or
    // awake again (the checkpoint also looks for input after idleness, and a sleep untold).
    void sessionLocked(bool locked);
    void powerSuspended();
    void powerResumed();
    // The question to ask now about time away, when there is one: when the stretch began and
    // ended (local), its true length (100 ns), and the activity it interrupted. A run that
    // crashed with one open asks it at start-up, before `begin`.
    struct AwayAsk {
        std::int64_t start;
        std::int64_t end;
        std::int64_t length;
        const char* activity;
    };
    bool awayQuestion(AwayAsk& ask) const;
    // The answer: the stretch counts as activity `picked`; -1, or the activity interrupted,
    // leaves everything as counted.
    void awayAnswered(int picked);

    // Saves what changed since the last save: after a change of the user's, and when due.
    void checkpoint();
    // How long until the next checkpoint is due; 0 once the run has ended.
    unsigned checkpointPeriodMs() const;
    // Windows ends the session: the period is finished and every value saved; the run goes on
    // until the process is ended.
    void sessionEnds();
    // The main window is gone: the period is finished and every value saved, for the last time.
    void exit();
    bool ended() const { return ended_; }

    const Settings& settings() const { return settings_; }
    const Rate& rate() const { return rate_; }
    Accumulation& meter() { return meter_; }
    const Activities& activities() const { return *activities_; }
    int current() const { return current_; }
    // The current activity's name, or the stored one while the list is empty.
    const char* currentActivityName() const;
    // The total as of now, however long ago the meter last stepped.
    double currentTotal();
    // What the ledger, the rows waiting for it and the open period up to now add up to, by the
    // locale's weeks (0 Monday to 6 Sunday); null when memory runs out.
    std::unique_ptr<LedgerSummary> summary(int firstDayOfWeek);

  private:
    enum class Save { OpenPeriod, Changed, Everything };
    // The one checkpoint writer (see the .cpp for its order).
    void save(Save what);
    void startActivity(int index);
    void startPeriod(const char* name, bool running);
    void finishPeriod();
    // The open period as the ledger would take it if it finished now, at local time `finish`.
    bool periodSoFar(std::int64_t finish, LedgerPeriod& period);
    bool openPeriodNow(OpenPeriod& period);
    void record(const LedgerPeriod& period);
    void flushLedger();
    void closeCrashedPeriod();
    LogFields logFields() const;
    // Where a crashed run's records go: its log and its ledger.
    LogFields crashedLog() const;
    void recordCrashed(const LedgerPeriod& period);
    AwayReading awayReading();
    // A stretch that ended becomes the question, when none is open.
    void takeAwayQuestion();
    // The live answer: the open period cut around the stretch, which becomes `picked`'s.
    void countAwayAs(int picked);
    // The crashed run's period closed in its pieces around the stretch, counted as `leftAnswer_`.
    bool closeCrashedAround();
    LedgerPeriod ledgerRow(std::int64_t start, std::int64_t finish, std::int64_t elapsed,
                           const char* activity, bool paid, double earned) const;

    WorkdayServices services_;
    Settings settings_;
    Rate rate_;
    std::unique_ptr<Activities> activities_;
    int current_ = -1;
    Accumulation meter_{rate_, 0.0};
    // The open period: what the log calls it (an activity's name, or "None"), when it started,
    // and the meter's total then, from which its earnings are counted.
    struct Period {
        const char* name = nullptr;
        LocalTime start{};
        // Its true length is counted from these, not from the local clock, which may jump.
        std::uint32_t startTick = 0;
        std::int64_t startUtc = 0;
        double startTotal = 0;
        bool open = false;
    } period_;
    TextBuffer pending_;  // rows waiting for the ledger file, oldest first
    WrittenValues written_;
    bool ended_ = false;
    bool begun_ = false;
    // The period a crashed run left open, found at load and closed at begin.
    OpenPeriod crashed_;
    bool hasCrashed_ = false;
    // Time away: the watch, the question open, and one a crashed run left with its answer.
    AwayWatch away_;
    struct Question {
        AwayStretch stretch;
        double hourly = 0;
        int activity = -1;
        std::int64_t endUtc = 0;  // once, as it is taken: saved unchanged at every checkpoint
        bool open = false;
    } question_;
    AwayQuestion left_;
    bool hasLeft_ = false;
    int leftAnswer_ = -1;
};
