#include "run_tool.h"

#include <dirent.h>
#include <fcntl.h>
#include <glob.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

namespace {

bool exists(const std::string& pattern) {
    glob_t found;
    bool any = glob(pattern.c_str(), 0, nullptr, &found) == 0 && found.gl_pathc > 0;
    globfree(&found);
    return any;
}

}  // namespace

std::string read_file(const std::string& path) {
    std::string bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return bytes;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    fclose(f);
    return bytes;
}

void write_file(const std::string& path, const std::string& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return;
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

std::string scratch_dir() {
    static std::vector<std::string> made;
    static pid_t owner = getpid();
    static bool cleanup = atexit([] {
        if (getpid() != owner) return;
        for (const std::string& dir : made) {
            std::string command = "rm -rf '" + dir + "'";
            if (system(command.c_str()) != 0) fprintf(stderr, "could not remove %s\n", dir.c_str());
        }
    }) == 0;
    (void)cleanup;
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/qo_capture_test_XXXXXX";
    if (!mkdtemp(&pattern[0])) return "";
    made.push_back(pattern);
    return pattern;
}

std::vector<std::string> files_in(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

ToolRun run_tool(const std::vector<std::string>& argv, const ToolLimits& limits) {
    static const std::string dir = scratch_dir();
    const std::string out = dir + "/stdout", err = dir + "/stderr";
    fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(o, 1);
        dup2(e, 2);
        if (limits.file_size >= 0) {
            signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
            rlimit limit{(rlim_t)limits.file_size, (rlim_t)limits.file_size};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    bool ended = false;
    while (limits.interrupt && !ended) {
        ended = waitpid(child, &status, WNOHANG) == child;
        if (!ended && exists(limits.interrupt_when)) {
            usleep((useconds_t)limits.interrupt_after_ms * 1000);
            kill(child, limits.interrupt);
            break;
        }
        usleep(10000);
    }
    if (!ended) waitpid(child, &status, 0);
    ToolRun run;
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    run.out = read_file(out);
    run.err = read_file(err);
    return run;
}
