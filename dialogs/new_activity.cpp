#include "dialogs/new_activity.h"

#include <cstdio>
#include <cstring>

#include "activities/activities.h"
#include "activities/unique_file.h"
#include "resources/resource.h"

const char* const NEW_ACTIVITY_OPEN_FAILED_TEXT =
    "Couldn't open the activities file!  Ensure the file exists, is not read-only, and is not "
    "already in use, then try again.";
const char* const NEW_ACTIVITY_OPEN_FAILED_CAPTION = "File open failed";

void NewActivity::opened(const char* activitiesFile) {
    decision = {};
    copyText(newActivityFile, activitiesFile);
    decision.check(IDC_NEW_ACTIVITY_UNPAID, false);
}

NewActivity::Outcome NewActivity::ok(bool unpaidChecked) {
    decision = {};
    UniqueFile file(newActivityFile, "a+");
    if (!file) {
        return Outcome::CannotOpen;
    }
    paid = !unpaidChecked;
    name[NEW_ACTIVITY_READ_SIZE - 1] = '\0';
    // One line of the file: a pasted line break would start another activity there.
    name[std::strcspn(name, "\r\n")] = '\0';
    if (name[0] == '\0') {
        return Outcome::NoName;
    }
    appendActivityLine(file.get(), newActivityFile, name, paid);
    decision.endWith(0);
    return Outcome::Added;
}

void NewActivity::cancel() {
    decision = {};
    decision.endWith(0);
}
