#include "dialogs/new_activity.h"

#include <cstdio>
#include <cstring>

#include "activities/activities.h"
#include "base/unique_file.h"
#include "resources/resource.h"

const char* const NEW_ACTIVITY_OPEN_FAILED_TEXT =
    "Couldn't open the activities file!  Ensure the file exists, is not read-only, and is not "
    "already in use, then try again.";
const char* const NEW_ACTIVITY_OPEN_FAILED_CAPTION = "File open failed";

DialogDecision NewActivity::opened(const char* activitiesFile) {
    copyText(newActivityFile, activitiesFile);
    DialogDecision decision;
    decision.check(IDC_NEW_ACTIVITY_UNPAID, false);
    return decision;
}

DialogDecision NewActivity::ok(bool unpaidChecked) {
    UniqueFile file(newActivityFile, "a+");
    if (!file) {
        outcome = Outcome::CannotOpen;
        return {};
    }
    paid = !unpaidChecked;
    name[NEW_ACTIVITY_READ_SIZE - 1] = '\0';
    // One line of the file: a pasted line break would start another activity there.
    name[std::strcspn(name, "\r\n")] = '\0';
    if (name[0] == '\0') {
        outcome = Outcome::NoName;
        return {};
    }
    appendActivityLine(file.get(), newActivityFile, name, paid);
    outcome = Outcome::Added;
    return DialogDecision::ending(0);
}

DialogDecision NewActivity::cancel() {
    return DialogDecision::ending(0);
}
