// Parsing qo-model's command line.
#include "tools/qo-model/arguments.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

const char* const kUsage =
    "usage: qo-model [OPERATION...] [--write FILE [--mode MODE]] INPUT.obj\n"
    "\n"
    "Reads a Wavefront OBJ model, applies the operations in the order given,\n"
    "prints a summary of the result on standard output and, with --write,\n"
    "writes the result as an OBJ file.\n"
    "\n"
    "Operations:\n"
    "  --unitize               centre on the origin and scale into the unit cube\n"
    "  --scale FACTOR          multiply every position by FACTOR\n"
    "  --reverse               reverse the winding of every triangle\n"
    "  --facet-normals         compute one normal per triangle\n"
    "  --vertex-normals ANGLE  compute smoothed vertex normals with a crease angle\n"
    "                          in degrees (needs --facet-normals before it)\n"
    "  --weld EPSILON          merge vertices closer than EPSILON on every axis\n"
    "  --linear-texture        texture coordinates from the x and z positions\n"
    "  --spheremap-texture     texture coordinates from the vertex normals\n"
    "                          (needs normals from the file or --vertex-normals)\n"
    "\n"
    "Output:\n"
    "  --write FILE            write the model to FILE (and its material library\n"
    "                          beside it when the mode includes material)\n"
    "  --mode MODE             what to write: a comma-separated list of none, flat,\n"
    "                          smooth, texture, color, material (default: none)\n"
    "  --help                  print this help and exit\n"
    "  --version               print the version and exit\n"
    "\n"
    "Standard output carries the summary only; warnings and errors go to standard\n"
    "error. Exit status: 0 on success, 1 on an error, 2 on a usage error.\n";

namespace {

// A finite number making up the whole argument.
bool parseNumber(const char* text, GLfloat* value) {
    char* end = nullptr;
    double d = strtod(text, &end);
    if (end == text || *end != '\0' || !isfinite(d) || !isfinite((GLfloat)d)) return false;
    *value = (GLfloat)d;
    return true;
}

}  // namespace

bool parseMode(const std::string& text, GLuint* mode) {
    static const struct {
        const char* name;
        GLuint flag;
    } kFlags[] = {{"none", DRAW_NONE},       {"flat", DRAW_FLAT},   {"smooth", DRAW_SMOOTH},
                  {"texture", DRAW_TEXTURE}, {"color", DRAW_COLOR}, {"material", DRAW_MATERIAL}};
    GLuint result = DRAW_NONE;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        std::string word = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        bool known = false;
        for (const auto& f : kFlags)
            if (word == f.name) {
                result |= f.flag;
                known = true;
            }
        if (!known) return false;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    *mode = result;
    return true;
}

bool parseArguments(int argc, char** argv, Arguments* arguments, std::string* error) {
    *arguments = Arguments{false, false, "", {}, "", DRAW_NONE};
    bool haveMode = false, facetNormals = false, endOfOptions = false;

    for (int i = 1; i < argc; i++) {
        const std::string arg = argv[i];
        // The options that take a value find it in the next argument.
        auto value = [&](const char** out) {
            if (i + 1 >= argc) {
                *error = "option " + arg + " needs a value";
                return false;
            }
            *out = argv[++i];
            return true;
        };
        auto number = [&](GLfloat* out) {
            const char* text;
            if (!value(&text)) return false;
            if (!parseNumber(text, out)) {
                *error = "option " + arg + " needs a finite number, not '" + text + "'";
                return false;
            }
            return true;
        };

        if (endOfOptions || arg.empty() || arg[0] != '-' || arg == "-") {
            if (!arguments->input.empty()) {
                *error = "more than one input file ('" + arguments->input + "' and '" + arg + "')";
                return false;
            }
            arguments->input = arg;
        } else if (arg == "--") {
            endOfOptions = true;
        } else if (arg == "--help" || arg == "-h") {
            arguments->help = true;
            return true;
        } else if (arg == "--version") {
            arguments->version = true;
            return true;
        } else if (arg == "--unitize") {
            arguments->steps.push_back({STEP_UNITIZE, 0});
        } else if (arg == "--reverse") {
            arguments->steps.push_back({STEP_REVERSE, 0});
        } else if (arg == "--facet-normals") {
            arguments->steps.push_back({STEP_FACET_NORMALS, 0});
            facetNormals = true;
        } else if (arg == "--linear-texture") {
            arguments->steps.push_back({STEP_LINEAR_TEXTURE, 0});
        } else if (arg == "--spheremap-texture") {
            arguments->steps.push_back({STEP_SPHEREMAP_TEXTURE, 0});
        } else if (arg == "--scale" || arg == "--vertex-normals" || arg == "--weld") {
            Step step = {arg == "--scale" ? STEP_SCALE : arg == "--weld" ? STEP_WELD : STEP_VERTEX_NORMALS, 0};
            if (!number(&step.value)) return false;
            // Vertex normals are built from the facet normals.
            if (step.kind == STEP_VERTEX_NORMALS && !facetNormals) {
                *error = "--vertex-normals needs --facet-normals before it";
                return false;
            }
            arguments->steps.push_back(step);
        } else if (arg == "--write") {
            const char* text;
            if (!value(&text)) return false;
            if (*text == '\0') {
                *error = "option --write needs a file name";
                return false;
            }
            arguments->output = text;
        } else if (arg == "--mode") {
            const char* text;
            if (!value(&text)) return false;
            if (!parseMode(text, &arguments->mode)) {
                *error = std::string("unknown mode '") + text +
                         "' (use a comma-separated list of none, flat, smooth, texture, color, material)";
                return false;
            }
            haveMode = true;
        } else {
            *error = "unknown option '" + arg + "'";
            return false;
        }
    }

    if (arguments->input.empty()) {
        *error = "no input file";
        return false;
    }
    if (haveMode && arguments->output.empty()) {
        *error = "--mode needs --write";
        return false;
    }
    return true;
}
