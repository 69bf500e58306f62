// Media control strings over SDL_mixer: "open FILE", "play FILE", "stop FILE"
// and "close FILE" play one piece of music in the background. A file that is
// missing or cannot be played is reported in the result and otherwise
// changes nothing.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <string.h>

#include <string>
#include <vector>

#include "platform/mci_command.h"
#include "platform/sdl_backend.h"

namespace {

const MCIERROR kUnrecognisedCommand = 261, kFileNotFound = 275, kCannotLoadDriver = 266;

struct Track {
    std::string name;
    Mix_Music* music;
};

std::vector<Track> tracks;
bool audio_open = false;

bool open_audio() {
    if (audio_open) return true;
    platform::ensure_cleanup();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 4096) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    audio_open = true;
    return true;
}

void close_audio() {
    if (!audio_open) return;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio_open = false;
}

Track* find(const std::string& name) {
    for (Track& t : tracks)
        if (t.name == name) return &t;
    return nullptr;
}

MCIERROR open_track(const std::string& name, Track** track) {
    if ((*track = find(name))) return 0;
    FILE* f = fopen(name.c_str(), "rb");
    if (!f) return kFileNotFound;
    fclose(f);
    if (!open_audio()) return kCannotLoadDriver;
    Mix_Music* music = Mix_LoadMUS(name.c_str());
    if (!music) {
        if (tracks.empty()) close_audio();
        return kCannotLoadDriver;
    }
    tracks.push_back(Track{name, music});
    *track = &tracks.back();
    return 0;
}

void close_track(const std::string& name) {
    for (size_t i = 0; i < tracks.size(); i++) {
        if (tracks[i].name != name) continue;
        Mix_HaltMusic();
        Mix_FreeMusic(tracks[i].music);
        tracks.erase(tracks.begin() + (long)i);
        break;
    }
    if (tracks.empty()) close_audio();
}

}  // namespace

MCIERROR mciSendStringA(LPCSTR command, LPSTR returnString, UINT returnLength, HWND) {
    if (returnString && returnLength) returnString[0] = '\0';
    platform::MciCommand parsed;
    if (!platform::parse_mci_command(command, &parsed)) return kUnrecognisedCommand;
    const std::string &verb = parsed.verb, &name = parsed.name;

    Track* track = nullptr;
    if (verb == "open") return open_track(name, &track);
    if (verb == "play") {
        if (MCIERROR e = open_track(name, &track)) return e;
        return Mix_PlayMusic(track->music, 1) == 0 ? 0 : kCannotLoadDriver;
    }
    if (verb == "stop") {
        if (!find(name)) return kFileNotFound;
        Mix_HaltMusic();
        return 0;
    }
    if (verb == "close") {
        if (!find(name)) return kFileNotFound;
        close_track(name);
        return 0;
    }
    return kUnrecognisedCommand;
}

namespace platform {

void release_media() {
    while (!tracks.empty()) close_track(tracks.front().name);
    close_audio();
}

}  // namespace platform
