#include "platform/mci_command.h"

#include <ctype.h>

namespace platform {

namespace {

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && isspace((unsigned char)s[b])) b++;
    while (e > b && isspace((unsigned char)s[e - 1])) e--;
    std::string t = s.substr(b, e - b);
    if (t.size() >= 2 && t.front() == '"' && t.back() == '"') t = t.substr(1, t.size() - 2);
    return t;
}

}  // namespace

bool parse_mci_command(const char* command, MciCommand* out) {
    if (!command) return false;
    std::string text = trim(command);
    size_t space = text.find(' ');
    out->verb = text.substr(0, space);
    out->name = space == std::string::npos ? "" : trim(text.substr(space + 1));
    return !out->name.empty();
}

}  // namespace platform
