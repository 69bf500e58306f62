// The video is written to a temporary file beside the one asked for and
// renamed over it when everything is done, so nothing at that name ever looks
// finished before it is. The temporary file goes when the capture fails or
// the process is interrupted.
#ifndef QO_TOOLS_CAPTURE_OUTPUT_FILE_H
#define QO_TOOLS_CAPTURE_OUTPUT_FILE_H

#include <string>

struct OutputFile {
    std::string name;       // as the user gave it, for messages
    std::string path;       // where the finished video goes
    std::string temporary;  // where it is written until then
};

bool create_output(OutputFile& output, const std::string& name, const std::string& path, std::string& error);

// Writes the temporary file through to the disk and renames it.
bool commit_output(OutputFile& output, std::string& error);

void discard_output(OutputFile& output);

// Removes the temporary file; safe in signal and exit handlers.
void discard_output_at_once();

#endif
