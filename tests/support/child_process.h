// Runs a piece of test code in a forked child, so each run of the demo starts
// from a fresh process, and brings back the lines the child emitted.
#ifndef QO_TESTS_CHILD_PROCESS_H
#define QO_TESTS_CHILD_PROCESS_H

#include <string>
#include <vector>

struct ChildRun {
    bool exited = false;  // ended through exit (not a signal)
    int status = -1;      // its exit status
    std::vector<std::string> lines;
};

ChildRun run_in_child(void (*body)());

// In the child: one line for the parent.
void emit(const std::string& line);

#endif
