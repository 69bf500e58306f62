#include "picture_compare.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <limits>

PictureDifference compare_pictures(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    PictureDifference d;
    if (a.size() != b.size() || a.empty()) {
        d.psnr = -std::numeric_limits<double>::infinity();
        d.max_difference = 256;
        return d;
    }
    double squares = 0;
    for (size_t i = 0; i < a.size(); i++) {
        int e = abs((int)a[i] - (int)b[i]);
        squares += (double)e * e;
        if (e > d.max_difference) d.max_difference = e;
    }
    double mse = squares / (double)a.size();
    d.psnr = mse == 0 ? std::numeric_limits<double>::infinity() : 10 * log10(255.0 * 255.0 / mse);
    return d;
}

bool picture_varies(const std::vector<unsigned char>& rgb) {
    for (size_t i = 3; i + 2 < rgb.size(); i += 3)
        if (rgb[i] != rgb[0] || rgb[i + 1] != rgb[1] || rgb[i + 2] != rgb[2]) return true;
    return false;
}

ProgramRun run_program(const std::string& command) {
    ProgramRun run;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return run;
    char* line = nullptr;
    size_t capacity = 0;
    ssize_t n;
    while ((n = getline(&line, &capacity, p)) > 0) {
        if (line[n - 1] == '\n') line[n - 1] = '\0';
        run.lines.push_back(line);
    }
    free(line);
    int status = pclose(p);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<unsigned char> read_file_bytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return bytes;
    unsigned char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(f);
    return bytes;
}

std::string scratch_directory(const char* tag) {
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/qo-fixedgl-" + tag + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return mkdtemp(name.data()) ? std::string(name.data()) : std::string();
}
