// The library's precondition report: the C library's own assertion report,
// naming the library's header.
#include <assert.h>

#include "model/include2.h"

void glmAssertFail(const char* expression, int line, const char* function) {
    __assert_fail(expression, "include2.h", (unsigned)line, function);
}
