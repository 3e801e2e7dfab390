#include "activities/activity_log_win.h"
#include "app/application_win.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/time_away.h"

void Application::askAboutTimeAway(HWND mainWindow) {
    Workday::AwayAsk ask{};
    if (asking_ || !day_.awayQuestion(ask)) {
        return;
    }
    LocalTime from{}, to{};
    localTimeOf(ask.start, from);
    localTimeOf(ask.end, to);
    const AwayQuestionText text = awayQuestionText(
        logMomentOf(systemTime(from)), logMomentOf(systemTime(to)),
        dayOf(ask.start) == dayOf(ask.end), ask.length / UNITS_PER_SECOND, ask.activity);
    const Activities& activities = day_.activities();
    asking_ = true;
    const int picked = runTimeAwayDialog(programInstance_, mainWindow, text.text, activities,
                                         awayFirstPick(activities, activities.find(ask.activity)));
    asking_ = false;
    day_.awayAnswered(picked);
    if (IsWindow(mainWindow) && !day_.ended()) {
        showState(mainWindow);
        askLater(mainWindow);  // one that ended meanwhile
    }
}

void Application::askLater(HWND mainWindow) {
    // Posted, not asked here: a notification the system sends waits for its answer.
    Workday::AwayAsk ask{};
    if (!asking_ && day_.awayQuestion(ask)) {
        PostMessageA(mainWindow, ASK_ABOUT_TIME_AWAY, 0, 0);
    }
}
