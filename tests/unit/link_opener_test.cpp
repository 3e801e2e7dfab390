#include "dialogs/link_opener.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/settings.h"

namespace {

const char* const URL = "https://www.marrowfen.example/cointrel";

TEST(LinkOpener, CommandIsCutAtThePlaceholderAndGetsTheUrl) {
    const struct {
        const char* registered;
        const char* command;
    } cases[] = {
        {"\"C:\\Browser\\browse.exe\" -url \"%1\"", "\"C:\\Browser\\browse.exe\" -url  "},
        {"C:\\Browser\\browse.exe %1 -nohome", "C:\\Browser\\browse.exe  "},
        {"C:\\Browser\\browse.exe", "C:\\Browser\\browse.exe "},
        {"", " "},
    };
    for (const auto& c : cases) {
        char out[LINK_COMMAND_SIZE];
        ASSERT_TRUE(browserCommand(c.registered, URL, out)) << c.registered;
        EXPECT_EQ(std::string(out), std::string(c.command) + URL) << c.registered;
    }
    // A command line that would not fit is not cut short: nothing is run.
    char out[LINK_COMMAND_SIZE] = "unchanged";
    const std::string program(LINK_COMMAND_SIZE - std::strlen(URL) - 1, 'p');
    EXPECT_FALSE(browserCommand(program.c_str(), URL, out));
    EXPECT_STREQ(out, "unchanged");
    EXPECT_TRUE(browserCommand(program.substr(1).c_str(), URL, out));
}

TEST(LinkOpener, StoredTextIsTerminatedWithinItsBuffer) {
    const struct {
        std::string data;
        std::size_t size;
        bool fits;
        const char* text;
    } cases[] = {
        {"open", 4, true, "open"},  // stored without its terminator
        {std::string("open\0xx", 7), 7, true, "open"},
        {std::string(259, 'c') + '\0', 260, true, nullptr},
        {std::string(260, 'c'), 260, false, nullptr},  // a full buffer, no terminator
        {std::string(260, 'c'), 300, false, nullptr},  // larger than the buffer
    };
    for (const auto& c : cases) {
        char buffer[REGISTRY_VALUE_SIZE];
        std::memset(buffer, 'x', sizeof buffer);
        std::memcpy(buffer, c.data.data(), std::min(c.data.size(), sizeof buffer));
        EXPECT_EQ(terminateStoredText(buffer, sizeof buffer, c.size), c.fits) << c.size;
        if (c.fits) {
            EXPECT_EQ(std::string(buffer), c.text != nullptr ? c.text : std::string(259, 'c'));
        }
    }
}

}  // namespace
