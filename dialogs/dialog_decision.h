#pragma once

#include <array>
#include <cstddef>

// What one reaction of a dialog asks its window procedure to carry out. The reactions are plain
// functions on a dialog's working values that return this; the procedure reads the controls into
// the values first and carries out the decision afterwards, so every decision can be tested
// without a window.
struct DialogDecision {
    struct ButtonCheck {
        int id;
        bool checked;
    };

    std::array<ButtonCheck, 6> checks{};  // check states to set, in this order
    std::size_t checkCount = 0;
    bool writeFields = false;  // show the dialog's field texts again
    bool showPreview = false;  // load the working bitmap into the preview
    bool browse = false;       // run the open-file dialog on the working file name
    bool openFile = false;     // hand the working file name to the shell's "open"
    bool end = false;          // end the dialog with `result`; otherwise it stays open
    int result = 0;

    void check(int id, bool checked) {
        if (checkCount < checks.size()) {
            checks[checkCount++] = {id, checked};
        }
    }
    void endWith(int value) {
        end = true;
        result = value;
    }
    static DialogDecision ending(int value) {
        DialogDecision decision;
        decision.endWith(value);
        return decision;
    }
};
