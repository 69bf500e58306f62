// Media control strings over WebAudio: "open FILE", "play FILE", "stop FILE"
// and "close FILE" play one piece of music, started in step with the demo's
// running time, which counts from the tick-count reading just before "play".
// A missing file is reported in the result and changes nothing; one the
// browser cannot decode stays silent. A stepped run (a still) plays nothing.
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/mci_command.h"
#include "platform/web/browser.h"
#include "platform/web/presenting.h"
#include "platform/web/web_clocks.h"
#include "platform/win32.h"

namespace {

const MCIERROR kUnrecognisedCommand = 261, kFileNotFound = 275;

std::vector<std::string> open_tracks;

bool is_open(const std::string& name) {
    for (const std::string& t : open_tracks)
        if (t == name) return true;
    return false;
}

MCIERROR open_track(const std::string& name) {
    if (is_open(name)) return 0;
    struct stat st;
    if (stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return kFileNotFound;
    open_tracks.push_back(name);
    return 0;
}

MCIERROR play(const std::string& name) {
    if (MCIERROR e = open_track(name)) return e;
    if (web::run_mode().stepped) return 0;
    char path[PATH_MAX];
    if (!realpath(name.c_str(), path)) return kFileNotFound;
    return qo_web_music_play(path, name.c_str(), web::last_tick_count_time());
}

}  // namespace

MCIERROR mciSendStringA(LPCSTR command, LPSTR returnString, UINT returnLength, HWND) {
    if (returnString && returnLength) returnString[0] = '\0';
    platform::MciCommand parsed;
    if (!platform::parse_mci_command(command, &parsed)) return kUnrecognisedCommand;
    const std::string &verb = parsed.verb, &name = parsed.name;

    if (verb == "open") return open_track(name);
    if (verb == "play") return play(name);
    if (verb == "stop") return is_open(name) ? qo_web_music_stop(name.c_str()) : kFileNotFound;
    if (verb == "close") {
        if (!is_open(name)) return kFileNotFound;
        for (size_t i = 0; i < open_tracks.size(); i++)
            if (open_tracks[i] == name) open_tracks.erase(open_tracks.begin() + (long)i);
        return qo_web_music_close(name.c_str());
    }
    return kUnrecognisedCommand;
}
