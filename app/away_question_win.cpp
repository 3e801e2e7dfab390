#include "activities/activity_log_win.h"
#include "app/application_win.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/time_away.h"

void Application::askAboutTimeAway() {
    if (asking_) {
        return;
    }
    // Each question in turn, those that come while one is asked too.
    asking_ = true;
    AwayQuestion question{};
    while (!day_.ended() && day_.awayQuestion(question)) {
        LocalTime from{}, to{};
        localTimeOf(question.start, from);
        localTimeOf(question.end, to);
        const DialogText text =
            awayQuestionText(logMomentOf(systemTime(from)), logMomentOf(systemTime(to)),
                             dayOf(question.start) == dayOf(question.end),
                             question.length / UNITS_PER_SECOND, question.activity);
        const Activities& activities = day_.activities();
        const std::optional<int> picked = runTimeAwayDialog(
            programInstance_, window_.window(), text.text, keepNote(question.activity).text,
            activities, awayFirstPick(activities, activities.find(question.activity)));
        day_.awayAnswered(picked ? *picked : -1);  // nothing picked: as counted
    }
    asking_ = false;
    if (window_.window() != nullptr && !day_.ended()) {
        window_.showState();
    }
}
