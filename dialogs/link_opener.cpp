#include "dialogs/link_opener.h"

#include <cstring>
#include <string>

const char* const MAKER_WEB_URL = "https://www.marrowfen.example/cointrel";
const char* const MAKER_MAIL_URL = "mailto:mail@marrowfen.example";

bool browserCommand(const char* registered, const char* url, char (&out)[LINK_COMMAND_SIZE]) {
    std::string command = registered;
    std::size_t placeholder = command.find("\"%1\"");
    if (placeholder == std::string::npos) {
        placeholder = command.find("%1");
    }
    if (placeholder != std::string::npos) {
        command.resize(placeholder);
    }
    command += ' ';
    command += url;
    if (command.size() >= sizeof out) {
        return false;
    }
    std::memcpy(out, command.c_str(), command.size() + 1);
    return true;
}
