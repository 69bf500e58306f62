// Comparing two pictures of the same size, byte for byte: peak
// signal-to-noise ratio over all channels, and the largest difference.
#ifndef QO_TESTS_FIXEDGL_PICTURE_COMPARE_H
#define QO_TESTS_FIXEDGL_PICTURE_COMPARE_H

#include <string>
#include <vector>

struct PictureDifference {
    double psnr = 0;     // dB; infinite for equal pictures
    int max_difference = 0;
};

PictureDifference compare_pictures(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b);

// Whether a picture holds more than one colour (RGB bytes).
bool picture_varies(const std::vector<unsigned char>& rgb);

struct ProgramRun {
    int status = -1;
    std::vector<std::string> lines;  // standard output
};

// Runs a command through the shell and gathers its output lines.
ProgramRun run_program(const std::string& command);

std::vector<unsigned char> read_file_bytes(const std::string& path);

// A fresh directory for a test's files.
std::string scratch_directory(const char* tag);

#endif
