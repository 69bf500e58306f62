// Temporary directories for tests, on POSIX systems and on Windows.
#ifndef QO_TESTS_SUPPORT_SCRATCH_DIR_H
#define QO_TESTS_SUPPORT_SCRATCH_DIR_H

#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "tests/support/environment.h"

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

inline long current_process_id() {
#ifdef _WIN32
    return (long)_getpid();
#else
    return (long)getpid();
#endif
}

// The same text in a test process and in the processes its death tests
// start: the id of the first, handed down through the environment.
inline std::string test_run_id() {
    const char* inherited = getenv("QO_TEST_RUN_ID");
    if (inherited && *inherited) return inherited;
    std::string mine = std::to_string(current_process_id());
    set_environment("QO_TEST_RUN_ID", mine.c_str());
    return mine;
}

// A directory of its own under the system's temporary directory for the
// calling test, named `prefix`, the test, the test process and a count within
// the test; empty when none can be made. A death test's statement may run in
// this program started again, which re-runs the test up to the statement and
// so comes to the same directory. Written with forward slashes on every
// system, so it can stand in a test's pattern.
inline std::string make_scratch_dir(const std::string& prefix) {
    static std::string last_test;
    static int count = 0;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "outside";
    count = name == last_test ? count + 1 : 1;
    last_test = name;
    std::error_code error;
    std::filesystem::path dir = std::filesystem::temp_directory_path(error);
    if (error) return std::string();
    dir /= prefix + name + "-" + test_run_id() + "-" + std::to_string(count);
    std::filesystem::create_directories(dir, error);
    return error ? std::string() : dir.generic_string();
}

#endif
