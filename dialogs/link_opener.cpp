#include "dialogs/link_opener.h"

#include <cstring>

const char* const MAKER_WEB_URL = "https://www.marrowfen.example/cointrel";
const char* const MAKER_MAIL_URL = "mailto:mail@marrowfen.example";

bool browserCommand(const char* registered, const char* url, char (&out)[LINK_COMMAND_SIZE]) {
    const char* placeholder = std::strstr(registered, "\"%1\"");
    if (placeholder == nullptr) {
        placeholder = std::strstr(registered, "%1");
    }
    const std::size_t kept = placeholder != nullptr
                                 ? static_cast<std::size_t>(placeholder - registered)
                                 : std::strlen(registered);
    const std::size_t urlLength = std::strlen(url);
    if (kept + 1 + urlLength >= sizeof out) {
        return false;
    }
    std::memcpy(out, registered, kept);
    out[kept] = ' ';
    std::memcpy(out + kept + 1, url, urlLength + 1);
    return true;
}
