// qo-model: reads an OBJ model, applies the model library's operations in
// command-line order, prints a summary and optionally writes the result.
//
// Exit status 0 on success, 1 on an error (including the library's own exits
// when a file cannot be opened, read or written), 2 on a usage error.
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "model/include2.h"
#include "qo_version.h"
#include "tools/qo-model/arguments.h"
#include "tools/qo-model/quiet_stdout.h"
#include "tools/qo-model/steps.h"
#include "tools/qo-model/summary.h"

int main(int argc, char** argv) {
    Arguments arguments;
    std::string error;
    if (!parseArguments(argc, argv, &arguments, &error)) {
        fprintf(stderr, "qo-model: %s\nTry 'qo-model --help' for more information.\n", error.c_str());
        return 2;
    }
    if (arguments.help) {
        fputs(kUsage, stdout);
        return 0;
    }
    if (arguments.version) {
        puts("qo-model " QO_VERSION);
        return 0;
    }

    // The library ends the process when it cannot open the file; a plain
    // message of our own is clearer for the common case.
    FILE* probe = fopen(arguments.input.c_str(), "r");
    if (!probe) {
        fprintf(stderr, "qo-model: cannot open '%s': %s\n", arguments.input.c_str(), strerror(errno));
        return 1;
    }
    fclose(probe);
    struct stat info;
    if (stat(arguments.input.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        fprintf(stderr, "qo-model: '%s' is a directory\n", arguments.input.c_str());
        return 1;
    }

    int saved = divertStdout();
    _GLMmodel* model = glmReadOBJ(arguments.input.c_str());
    bool ok = applySteps(model, arguments.steps, &error);
    if (ok && !arguments.output.empty()) glmWriteOBJ(model, arguments.output.c_str(), arguments.mode);
    restoreStdout(saved);

    if (!ok) {
        fprintf(stderr, "qo-model: %s\n", error.c_str());
        glmDelete(model);
        return 1;
    }
    printSummary(stdout, model);
    glmDelete(model);
    if (fflush(stdout) != 0 || ferror(stdout)) {
        fprintf(stderr, "qo-model: cannot write the summary: %s\n", strerror(errno));
        return 1;
    }
    return 0;
}
