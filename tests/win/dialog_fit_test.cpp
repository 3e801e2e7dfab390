// The dialogs' texts fit their controls, in the dialog's own font: the labels of the template and
// the texts set as the dialog runs, at their longest.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "dialog_driver.h"
#include "dialogs/dialogs_win.h"
#include "resources/resource.h"
#include "win_test_support.h"

namespace {

// Each control of `dialog` whose text runs past it: "id 103 'minutes' needs 61 x 13, has 52 x 13".
std::string textsThatDoNotFit(HWND dialog) {
    std::string out;
    HDC dc = GetDC(dialog);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font);
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        char kind[32] = "";
        char text[512] = "";
        GetClassNameA(c, kind, sizeof kind);
        GetWindowTextA(c, text, sizeof text);
        const auto style = static_cast<DWORD>(GetWindowLongA(c, GWL_STYLE));
        RECT room{};
        GetClientRect(c, &room);
        if (text[0] == '\0' || !IsWindowVisible(c)) {
            continue;
        }
        const std::string name = kind;
        const DWORD button = style & BS_TYPEMASK;
        const bool box = name == "Button" && button != BS_PUSHBUTTON &&
                         button != BS_DEFPUSHBUTTON && button != BS_GROUPBOX;
        // A box's mark and the gap after it; a push button's edges; a group's corner.
        const int taken = box ? GetSystemMetrics(SM_CXMENUCHECK) + 4
                          : name == "Button" && button == BS_GROUPBOX ? 16
                          : name == "Button"                          ? 6
                                                                      : 0;
        const bool wraps = name == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT;
        RECT needed{0, 0, room.right - taken, 0};
        DrawTextA(dc, text, -1, &needed,
                  DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE) |
                      ((style & SS_NOPREFIX) != 0 && name == "Static" ? DT_NOPREFIX : 0));
        if (needed.right + taken > room.right || needed.bottom > room.bottom) {
            out += "id " + std::to_string(GetDlgCtrlID(c)) + " '" + text + "' needs " +
                   std::to_string(needed.right + taken) + " x " + std::to_string(needed.bottom) +
                   ", has " + std::to_string(room.right) + " x " + std::to_string(room.bottom) +
                   "; ";
        }
    }
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    return out;
}

TEST(DialogFit, TextsFitTheirControls) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    Settings settings;
    copyText(settings.activitiesFile, tempPath("fit-acts.txt").c_str());
    Activities activities(settings.activitiesFile);
    // Typed out of range, the refusal shows under the field.
    EXPECT_TRUE(driveDialog(
        [&] {
            runOptionsDialog(instance, nullptr, {15, true, false});
        },
        [&] {
            HWND d = waitForDialog("Options");
            ASSERT_NE(d, nullptr) << "no Options dialog";
            typeInto(d, IDC_OPTIONS_MINUTES, "1000");
            click(d, IDOK);
            EXPECT_NE(controlText(d, IDC_OPTIONS_REFUSAL), "") << "no refusal shown";
            EXPECT_EQ(textsThatDoNotFit(d), "") << "Options";
            click(d, IDCANCEL);
        }));
    const char* question =
        "You were away from Mon 7 Dec 23:10 to Tue 8 Dec 08:55 (9 h 45 min) "
        "while Nothing in particular was current.";
    EXPECT_TRUE(driveDialog(
        [&] {
            runTimeAwayDialog(instance, nullptr, question,
                              "Keep counts it as Nothing in particular, paid.", activities, 0);
        },
        [&] {
            HWND d = waitForDialog("Time away");
            ASSERT_NE(d, nullptr) << "no Time away dialog";
            EXPECT_EQ(textsThatDoNotFit(d), "") << "Time away";
            click(d, IDCANCEL);
        }));
}

TEST(OptionsDialog, HidingWhenMinimisedNeedsTheIcon) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    std::optional<OptionsValues> given;
    EXPECT_TRUE(driveDialog(
        [&] {
            given = runOptionsDialog(instance, nullptr, {15, false, true});
        },
        [&] {
            HWND d = waitForDialog("Options");
            ASSERT_NE(d, nullptr) << "no Options dialog";
            HWND hide = GetDlgItem(d, IDC_OPTIONS_HIDE);
            EXPECT_FALSE(IsWindowEnabled(hide)) << "opened without the icon";
            click(d, IDC_OPTIONS_ICON);
            EXPECT_TRUE(IsWindowEnabled(hide)) << "the icon ticked";
            click(d, IDOK);
        }));
    ASSERT_TRUE(given.has_value()) << "OK gave nothing back";
    EXPECT_TRUE(given->notificationIcon && given->hideWhenMinimised);
}

}  // namespace
