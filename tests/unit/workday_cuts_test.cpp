// A process can be ended between any two of its writes. Three runs of a busy day are cut after
// every write that reaches the world (a value of the key, a log record, rows for the ledger), and
// a new run then starts from what had landed, answers whatever it is asked as counted, and exits
// at once. After every cut:
//  - the total saved is what the ledger's rows earned, from the total the day began with or from
//    the reset, to the cent;
//  - no row has time or earnings below nothing;
//  - every Started in a log has its Finished next in that log;
//  - the run's record is whole or absent;
//  - no answer the user gave is asked again, and time away kept in the key is asked about.
// A second pass refuses each write to the key in turn: the run goes on, and by its next save the
// key is as if nothing had failed.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "test_day.h"
#include "test_files.h"
#include "workday_world.h"

namespace {

struct Event {
    const char* what;
    int second;  // after 09:00
    std::function<void(Workday&)> act;
    bool userActs = true;  // the user's input comes with it
};
struct Run {
    std::vector<Event> events;
};

constexpr int ANSWERED_LUNCH = 2, ANSWERED_MEETING = 3;
constexpr double START_TOTAL = 100, RESET_TOTAL = 7;

// Run 1 ends in a crash with a question open; run 2 starts by answering it, and is ended with
// the session while the screen is locked; run 3 asks about that, and exits.
std::vector<Run> day() {
    const auto checkpoint = [](Workday& d) { d.checkpoint(); };
    const auto lock = [](Workday& d) { d.sessionLocked(true); };
    const auto unlock = [](Workday& d) { d.sessionLocked(false); };
    const auto start = [](int answer) {
        return [answer](Workday& d) {
            ASSERT_TRUE(d.load());
            AwayQuestion q{};
            while (d.awayQuestion(q)) {
                d.awayAnswered(answer);
            }
            d.begin();
        };
    };
    Rate doubled;
    doubled.hourly = 7200;
    doubled.recalc(RECALC_HOURLY);
    return {
        {{{"start", 0, start(-1)},
          {"checkpoint", 10, checkpoint},
          {"switch to Meeting", 20, [](Workday& d) { d.switchTo(3); }},
          {"checkpoint", 30, checkpoint},
          {"lock", 40, lock},
          {"checkpoint while locked", 110, checkpoint, false},
          {"unlock: asked", 120, unlock, false},
          {"answered unpaid", 125, [](Workday& d) { d.awayAnswered(ANSWERED_LUNCH); }},
          {"rate doubled", 135, [doubled](Workday& d) { d.rateChosen(doubled); }},
          {"checkpoint", 145, checkpoint},
          {"reset", 150, [](Workday& d) { d.resetTotal(RESET_TOTAL); }},
          {"switch to Working", 160, [](Workday& d) { d.switchTo(1); }},
          {"lock", 170, lock},
          {"unlock: asked", 240, unlock, false},
          {"answered paid", 245, [](Workday& d) { d.awayAnswered(ANSWERED_MEETING); }},
          {"logging to another file", 250, [](Workday& d) { d.loggingChosen(true, "week.txt"); }},
          {"lock", 260, lock},
          {"unlock: asked, and left open", 335, unlock, false},
          {"checkpoint with the question open", 340, checkpoint, false}}},
        {{{"start-up with an open question, answered unpaid", 400, start(ANSWERED_LUNCH)},
          {"checkpoint", 410, checkpoint},
          {"lock", 420, lock},
          {"checkpoint while locked", 490, checkpoint, false},
          {"the session ends while locked", 495, [](Workday& d) { d.sessionEnds(); }, false}}},
        {{{"start-up after the session's end, answered paid", 600, start(ANSWERED_MEETING)},
          {"switch to Working", 610, [](Workday& d) { d.switchTo(1); }},
          {"checkpoint while idle", 620, checkpoint, false},
          {"checkpoint while idle", 690, checkpoint, false},
          {"back, and at once another activity", 700,
           [](Workday& d) {
               if (d.noticeReturn()) {
                   d.awayAnswered(ANSWERED_LUNCH);
               }
               d.switchTo(3);
           }},
          {"currency changed", 710, [](Workday& d) { d.currencyChosen(2, 1, ""); }},
          {"checkpoint while idle", 720, checkpoint, false},
          {"checkpoint while idle", 790, checkpoint, false},
          {"back, and at once Options", 800, [](Workday& d) { d.optionsChosen(2, true, false); }},
          {"answered unpaid", 805, [](Workday& d) { d.awayAnswered(ANSWERED_LUNCH); }},
          {"exit", 820, [](Workday& d) { d.exit(); }}}},
    };
}

// Seconds from 09:00.
LocalTime at(int second) {
    return onTheDay(9 + second / 3600, second / 60 % 60, second % 60);
}

void setClock(World& world, int second, bool userActs) {
    world.now = at(second);
    world.tick = static_cast<std::uint32_t>(second) * 1000 + 5000;
    if (userActs) {
        world.lastInput = world.tick;
    }
}

struct DayFiles {
    TempDir dir;
    DayFiles() {
        writeBytes(dir.file("acts.txt"), "!Nothing in particular\nWorking\n!Lunch\nMeeting\n");
    }
    void prepare(World& world) const {
        world.key.setText("ActivitiesFile", dir.file("acts.txt"));
        world.key.set("Kett", static_cast<float>(START_TOTAL));
        world.key.set("Hourly", 3600.0f);
        world.key.set("Logging", std::int32_t{1});
        world.key.setText("CurrentActivity", "Working");
        world.key.set("AwayMinutes", std::int32_t{1});
    }
};

// Where the reference run stood after each event: its effects so far, the key, and for an answer
// the question it answered.
struct Mark {
    std::string event;
    long effects;
    long keyWrites;
    std::map<std::string, MemoryStore::Value> key;
    std::size_t rows;  // in the ledger
    long commit;       // the effect that put its record in the key, counted from 0
    bool lastOfRun = false;
    std::size_t kept = 0;  // stretches of time away its record holds
    bool answer = false;
    AwayQuestion answered{};
};

// Runs the day over `world`, until the world takes no more; `after` is told of each event done.
void live(World& world, const std::function<void(const Event&, Workday&)>& after = {}) {
    for (const Run& run : day()) {
        Workday workday(world.services());
        for (const Event& e : run.events) {
            setClock(world, e.second, e.userActs);
            e.act(workday);
            if (after) {
                after(e, workday);
            }
            if (world.lastEffect >= 0 && world.effects >= world.lastEffect) {
                return;  // ended from outside
            }
        }
    }
}

struct Row {
    std::string line;
    long long seconds;
    double earned;
};

std::vector<Row> rowsOf(const std::string& ledger) {
    std::vector<Row> rows;
    std::istringstream lines(ledger);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');) {
            f.push_back(field);
        }
        if (f.size() == 9 && f[0] != "date") {
            rows.push_back({line, std::atoll(f[5].c_str()), std::atof(f[7].c_str())});
        }
    }
    return rows;
}

// What is wrong with the world after a new run has started from it, and exited.
std::string brokenAfterRecovery(World& world, const std::vector<Mark>& marks, long cut) {
    std::ostringstream broken;
    if (world.key.values.count("Checkpoint") != 0) {
        RunRecord record;
        if (!loadRunRecord(world.key, record)) {
            broken << "the record left is not whole; ";
        }
    }
    Workday next(world.services());
    setClock(world, 1000, true);
    if (!next.load()) {
        return "the next start cannot load";
    }
    std::vector<AwayQuestion> asked;
    AwayQuestion q{};
    while (next.awayQuestion(q) && asked.size() < 8) {
        asked.push_back(q);
        next.awayAnswered(-1);
    }
    next.begin();
    next.exit();
    // Money: from the day's start, or from the reset once it landed, to the total saved.
    const std::vector<Row> rows = rowsOf(world.ledgers["ledger.csv"]);
    std::size_t from = 0;
    double base = START_TOTAL;
    for (std::size_t i = 1; i < marks.size(); ++i) {
        if (marks[i].event == "reset" && cut > marks[i].commit) {
            base = RESET_TOTAL;
            from = marks[i].rows;
        }
    }
    double earned = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        earned += i >= from ? r.earned : 0.0;
        if (r.seconds < 0 || r.earned < 0) {
            broken << "a row below nothing: " << r.line << "; ";
        }
        for (std::size_t k = 0; k < i; ++k) {
            if (rows[k].line == r.line) {
                broken << "a row twice: " << r.line << "; ";
            }
        }
    }
    const double saved = world.key.get<float>("Kett");
    if (std::fabs(saved - (base + earned)) > 0.005 * static_cast<double>(rows.size() + 1) + 0.01) {
        broken << "saved " << saved << " but the rows earned " << earned << " from " << base
               << "; ";
    }
    // Every Started has its Finished next.
    for (const auto& log : world.logs) {
        std::istringstream records(log.second);
        std::string record, open;
        while (std::getline(records, record, '|')) {
            if (!open.empty() && record != "F " + open) {
                broken << log.first << ": Started " << open << " followed by " << record << "; ";
            }
            open = record.rfind("S ", 0) == 0 ? record.substr(2) : "";
        }
        if (!open.empty()) {
            broken << log.first << ": Started " << open << " never finished; ";
        }
    }
    // No answer asked again, and time away the run kept asked about.
    for (const Mark& m : marks) {
        if (cut == m.effects && m.kept > asked.size()) {
            broken << "'" << m.event << "' kept " << m.kept << " stretches away, and "
                   << asked.size() << " were asked about; ";
        }
        for (const AwayQuestion& a : asked) {
            if (m.answer && cut >= m.effects && a.start == m.answered.start) {
                broken << "asked again what '" << m.event << "' answered; ";
            }
        }
    }
    return broken.str();
}

std::string where(const std::vector<Mark>& marks, const World& reference, long cut) {
    std::ostringstream out;
    out << "cut after write " << cut;
    long before = 0;
    for (const Mark& m : marks) {
        if (cut <= m.effects) {
            out << " (event '" << m.event << "', its write " << cut - before << " of "
                << m.effects - before;
            if (cut > 0) {
                out << ": " << reference.taken[static_cast<std::size_t>(cut - 1)];
            }
            out << ")";
            break;
        }
        before = m.effects;
    }
    return out.str();
}

std::vector<Mark> reference(const DayFiles& setup, World& world) {
    setup.prepare(world);
    std::vector<Mark> marks;
    AwayQuestion open{};
    bool asking = false;
    live(world, [&](const Event& e, Workday& d) {
        const long before = marks.empty() ? 0 : marks.back().effects;
        long commit = before;
        while (commit < world.effects &&
               world.taken[static_cast<std::size_t>(commit)] != "key Checkpoint") {
            ++commit;
        }
        Mark m{e.what,
               world.effects,
               world.keyWrites,
               world.key.values,
               rowsOf(world.ledgers["ledger.csv"]).size(),
               commit};
        const std::string what = e.what;
        m.answer = what.find("answered") != std::string::npos && asking;
        RunRecord record;
        m.kept = loadRunRecord(world.key, record) ? record.stretchCount : 0;
        m.answered = open;
        asking = d.awayQuestion(open);
        marks.push_back(m);
    });
    std::size_t i = 0;
    for (const Run& run : day()) {
        i += run.events.size();
        marks[i - 1].lastOfRun = true;
    }
    return marks;
}

TEST(WorkdayCuts, EveryCutOfABusyDayLeavesTheFiguresWhole) {
    DayFiles setup;
    World full;
    const std::vector<Mark> marks = reference(setup, full);
    // The day as it went, uncut: every stretch asked about and counted as answered (the last
    // two ended by an action of the user's at once), and the question open at the crash, and
    // the lock the session's end cut short, asked at the next start.
    std::string ledger;
    for (const Row& r : rowsOf(full.ledgers["ledger.csv"])) {
        ledger += r.line.substr(11, r.line.size() - 12) + "|";
    }
    EXPECT_EQ(ledger,
              "09:00:00,09:00:20,Working,1,20,3600.00,20.00,GBP|"
              "09:00:20,09:00:40,Meeting,1,20,3600.00,20.00,GBP|"
              "09:00:40,09:02:00,Lunch,0,80,3600.00,0.00,GBP|"
              "09:02:00,09:02:15,Meeting,1,15,3600.00,15.00,GBP|"
              "09:02:15,09:02:30,Meeting,1,15,7200.00,30.00,GBP|"
              "09:02:30,09:02:40,None,1,10,7200.00,20.00,GBP|"
              "09:02:40,09:02:50,Working,1,10,7200.00,20.00,GBP|"
              "09:02:50,09:04:00,Meeting,1,70,7200.00,140.00,GBP|"
              "09:04:00,09:04:20,Working,1,20,7200.00,40.00,GBP|"
              "09:04:20,09:05:35,Lunch,0,75,7200.00,0.00,GBP|"
              "09:05:35,09:05:40,Working,1,5,7200.00,10.00,GBP|"
              "09:06:40,09:07:00,Working,1,20,7200.00,40.00,GBP|"
              "09:07:00,09:08:15,Meeting,1,75,7200.00,150.00,GBP|"
              "09:10:00,09:10:10,Working,1,10,7200.00,20.00,GBP|"
              "09:10:10,09:11:30,Lunch,0,80,7200.00,0.00,GBP|"
              "09:11:30,09:11:40,Working,1,10,7200.00,20.00,GBP|"
              "09:11:40,09:11:50,Meeting,1,10,7200.00,20.00,GBP|"
              "09:11:50,09:13:10,Lunch,0,80,7200.00,0.00,EUR|"
              "09:13:10,09:13:40,Meeting,1,30,7200.00,60.00,EUR|");
    std::string keeping;
    for (const Mark& m : marks) {
        keeping += m.kept > 0 ? m.event + std::string("|") : "";
    }
    EXPECT_EQ(keeping,
              "checkpoint while locked|unlock: asked|unlock: asked|unlock: asked, and left open|"
              "checkpoint with the question open|checkpoint while locked|"
              "the session ends while locked|checkpoint while idle|checkpoint while idle|"
              "back, and at once Options|")
        << "the events after which the key keeps time away";
    ASSERT_GT(full.effects, 100) << "the day writes: " << full.effects;
    int failed = 0;
    for (long cut = 0; cut <= full.effects && failed < 5; ++cut) {
        World world;
        setup.prepare(world);
        world.lastEffect = cut;
        live(world);
        world.lastEffect = -1;
        const std::string broken = brokenAfterRecovery(world, marks, cut);
        if (!broken.empty()) {
            ++failed;
            ADD_FAILURE() << where(marks, full, cut) << ": " << broken;
        }
    }
}

TEST(WorkdayCuts, AWriteRefusedIsWrittenAtTheNextSave) {
    DayFiles setup;
    World full;
    const std::vector<Mark> marks = reference(setup, full);
    int failed = 0;
    for (long refused = 1; refused <= full.keyWrites && failed < 5; ++refused) {
        // The event the refused write belongs to; with none after it in its run, a crash takes
        // what it failed to write, which the cuts cover.
        std::size_t in = 0;
        while (marks[in].keyWrites < refused) {
            ++in;
        }
        if (marks[in].lastOfRun) {
            continue;
        }
        World world;
        setup.prepare(world);
        world.failingWrite = refused;
        std::size_t event = 0;
        bool retried = false;
        live(world, [&](const Event&, Workday&) {
            const Mark& m = marks[event++];
            if (event - 1 <= in || retried) {
                return;
            }
            // The first save after the refusal: the key is as if nothing had failed.
            if (m.keyWrites > marks[event - 2].keyWrites) {
                retried = true;
                if (world.key.values != m.key) {
                    ++failed;
                    ADD_FAILURE() << "write " << refused << " refused in '" << marks[in].event
                                  << "': after '" << m.event << "' the key still differs";
                }
            }
        });
        EXPECT_TRUE(retried) << "write " << refused << ": no save after it";
        EXPECT_EQ(world.ledgers, full.ledgers) << "write " << refused << " refused";
        EXPECT_EQ(world.logs, full.logs) << "write " << refused << " refused";
    }
}

}  // namespace
