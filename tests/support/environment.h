// Setting and removing environment variables in tests, on POSIX systems and
// on Windows.
#ifndef QO_TESTS_SUPPORT_ENVIRONMENT_H
#define QO_TESTS_SUPPORT_ENVIRONMENT_H

#include <stdlib.h>

// Sets `name` to `value`, or removes it when `value` is null.
inline void set_environment(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : "");  // an empty value removes it there
#else
    if (value) setenv(name, value, 1);
    else unsetenv(name);
#endif
}

#endif
