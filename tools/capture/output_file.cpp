#include "tools/capture/output_file.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

char temporary_path[4096];  // for the handlers, which cannot touch a std::string

void on_termination(int sig) {
    discard_output_at_once();
    signal(sig, SIG_DFL);
    raise(sig);
}

std::string cannot_write(const OutputFile& output, int error_number) {
    return "cannot write " + output.name + ": " + strerror(error_number);
}

}  // namespace

bool create_output(OutputFile& output, const std::string& name, const std::string& path, std::string& error) {
    output.name = name;
    output.path = path;
    struct stat existing;
    if (stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        error = cannot_write(output, EISDIR);
        return false;
    }
    std::string pattern = path + ".XXXXXX.part";
    if (pattern.size() >= sizeof temporary_path) {
        error = cannot_write(output, ENAMETOOLONG);
        return false;
    }
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    // No interruption between making the file and knowing its name.
    const int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    sigset_t signals, before;
    sigemptyset(&signals);
    for (int sig : kSignals) {
        sigaddset(&signals, sig);
        signal(sig, on_termination);
    }
    sigprocmask(SIG_BLOCK, &signals, &before);
    int fd = mkstemps(buffer.data(), 5);
    if (fd >= 0) memcpy(temporary_path, buffer.data(), buffer.size());
    int made = errno;
    sigprocmask(SIG_SETMASK, &before, nullptr);
    if (fd < 0) {
        error = cannot_write(output, made);
        return false;
    }
    output.temporary = buffer.data();
    // mkstemps makes it private; the video gets the permissions of a new file.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return true;
}

bool commit_output(OutputFile& output, std::string& error) {
    int fd = open(output.temporary.c_str(), O_RDONLY);
    bool synced = fd >= 0 && fsync(fd) == 0;
    int sync_error = errno;
    if (fd >= 0) close(fd);
    if (!synced || rename(output.temporary.c_str(), output.path.c_str()) != 0) {
        error = cannot_write(output, synced ? errno : sync_error);
        discard_output(output);
        return false;
    }
    temporary_path[0] = '\0';
    output.temporary.clear();
    return true;
}

void discard_output(OutputFile& output) {
    if (!output.temporary.empty()) unlink(output.temporary.c_str());
    output.temporary.clear();
    temporary_path[0] = '\0';
}

void discard_output_at_once() {
    if (temporary_path[0]) unlink(temporary_path);
}
