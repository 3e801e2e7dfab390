#pragma once

#include <cstddef>

// The maker's web page and a new mail to the maker, opened from the About dialog.
extern const char* const MAKER_WEB_URL;
extern const char* const MAKER_MAIL_URL;

// The command line is built in 520 bytes; a registry default value is read into 260.
constexpr std::size_t LINK_COMMAND_SIZE = 520;
constexpr std::size_t REGISTRY_VALUE_SIZE = 260;

// The command that opens url in the browser registered for HTML documents: the registered
// command cut before its placeholder ("%1" in quotes, else %1; whatever follows it is dropped),
// then one blank and the url. False, with out untouched, when that is longer than 519
// characters: a cut command line would open something else.
bool browserCommand(const char* registered, const char* url, char (&out)[LINK_COMMAND_SIZE]);
