// The library's precondition report: the failed expression and the library's
// header, in the words of the C library's assertion report, then abort. Written
// out here so it stays on whether or not NDEBUG is defined.
#include <stdio.h>
#include <stdlib.h>

#include "model/include2.h"

void glmAssertFail(const char* expression, int line, const char* function) {
    fprintf(stderr, "include2.h:%d: %s: Assertion `%s' failed.\n", line, function, expression);
    fflush(stderr);
    abort();
}
