// The video's temporary file goes when the process is interrupted or the
// demo ends the process: nothing half made is left beside the output.
#ifndef QO_TOOLS_CAPTURE_TEMPORARY_REMOVAL_H
#define QO_TOOLS_CAPTURE_TEMPORARY_REMOVAL_H

#include "model/write_file.h"

// Opens the output through the model library's safe-write path with the
// termination signals held off until its temporary's name is known; from
// then on such a signal removes the temporary and ends the process as it
// would. False, with output->error, when it cannot be opened.
bool open_removable_output(GlmOutput* output, const char* path);

// The output is in place or abandoned: a signal has nothing to remove.
void forget_temporary();

// Removes the temporary file now; safe in signal and exit handlers.
void remove_temporary_now();

#endif
