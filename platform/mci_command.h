// mci_command.h: a media control string ("VERB NAME") taken apart, for the
// backends that answer mciSendStringA.
#ifndef QO_PLATFORM_MCI_COMMAND_H
#define QO_PLATFORM_MCI_COMMAND_H

#include <string>

namespace platform {

struct MciCommand {
    std::string verb, name;  // the name without blanks around it or its quotes
};

/* False for no command, or one that names nothing (an unrecognised command). */
bool parse_mci_command(const char* command, MciCommand* out);

}  // namespace platform

#endif
