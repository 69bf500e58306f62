// Running the built programs (and FFmpeg's) as separate processes, with their
// output, status and any signal that ended them.
#ifndef QO_TESTS_CAPTURE_RUN_TOOL_H
#define QO_TESTS_CAPTURE_RUN_TOOL_H

#include <sys/types.h>

#include <string>
#include <vector>

struct ToolRun {
    int status = -1;  // exit status, or -1 when a signal ended it
    int signal = 0;
    std::string out, err;
};

struct ToolLimits {
    long file_size = -1;         // bytes a file may grow to (the signal for it ignored)
    int interrupt = 0;           // a signal to send...
    std::string interrupt_when;  // ...once a file matching this glob exists,
    int interrupt_after_ms = 0;  // and this much later
};

ToolRun run_tool(const std::vector<std::string>& argv, const ToolLimits& limits = ToolLimits());

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

// A fresh directory under the system's temporary one, removed with its files
// when the process ends.
std::string scratch_dir();

// Names of the files in a directory, sorted.
std::vector<std::string> files_in(const std::string& dir);

#endif
