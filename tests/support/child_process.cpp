#include "child_process.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

static FILE* to_parent = nullptr;

// Lines travel one per line: line breaks and backslashes inside are escaped.
void emit(const std::string& line) {
    if (!to_parent) return;
    for (char c : line) {
        if (c == '\n')
            fputs("\\n", to_parent);
        else if (c == '\\')
            fputs("\\\\", to_parent);
        else
            fputc(c, to_parent);
    }
    fputc('\n', to_parent);
}

static std::string unescape(const char* s) {
    std::string out;
    for (; *s; ++s) {
        if (*s == '\\' && s[1]) {
            ++s;
            out += *s == 'n' ? '\n' : *s;
        } else {
            out += *s;
        }
    }
    return out;
}

ChildRun run_in_child(void (*body)()) {
    ChildRun run;
    int fds[2];
    if (pipe(fds) != 0) return run;
    fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        to_parent = fdopen(fds[1], "w");
        body();
        fflush(to_parent);
        exit(0);
    }
    close(fds[1]);
    FILE* from_child = fdopen(fds[0], "r");
    char* line = nullptr;
    size_t capacity = 0;
    ssize_t n;
    while ((n = getline(&line, &capacity, from_child)) > 0) {
        if (line[n - 1] == '\n') line[n - 1] = '\0';
        run.lines.push_back(unescape(line));
    }
    free(line);
    fclose(from_child);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exited = WIFEXITED(status);
    run.status = run.exited ? WEXITSTATUS(status) : -1;
    return run;
}
