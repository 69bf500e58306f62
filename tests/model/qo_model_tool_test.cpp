// The qo-model command-line tool, run as a separate process: its usage
// errors, its errors, its exit statuses, and that standard output carries
// nothing but the summary.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <string>

#include "tests/model/built_model.h"

namespace {

struct ToolRun {
    int status;  // exit status, or -1 when the tool did not exit normally
    std::string out, err;
};

class QoModelTool : public testing::Test {
protected:
    built::ScratchDir dir;

    // Runs the tool with arguments already quoted for the shell.
    ToolRun run(const std::string& arguments) {
        std::string command = std::string("'") + QO_MODEL_TOOL + "' " + arguments + " >'" + (dir / "stdout") +
                              "' 2>'" + (dir / "stderr") + "'";
        int raw = system(command.c_str());
        ToolRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, built::readText(dir / "stdout"), built::readText(dir / "stderr")};
        return r;
    }

    // Two triangles sharing an edge, corners at -1..3 on x, one vertex
    // repeated, grouped in " top", no normals.
    std::string square() {
        std::string path = dir / "square.obj";
        built::writeText(path,
                        "v -1 0 0\nv 3 0 0\nv 3 2 0\nv -1 2 1\nv -1 0 0\n"
                        "g top\nf 1 2 3\nf 5 3 4\n");
        return path;
    }
};

TEST_F(QoModelTool, HelpGoesToStdoutWithStatusZero) {
    ToolRun r = run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find("usage: qo-model"), 0u);
    EXPECT_NE(r.out.find("--weld EPSILON"), std::string::npos);
    EXPECT_EQ(r.err, "");
}

TEST_F(QoModelTool, UsageErrorsExitTwoWithAReasonOnStderr) {
    const std::string input = square();
    const struct {
        std::string arguments, reason;
    } cases[] = {
        {"", "no input file"},
        {"--frobnicate " + input, "unknown option '--frobnicate'"},
        {input + " --scale", "option --scale needs a value"},
        {"--scale abc " + input, "needs a finite number, not 'abc'"},
        {"--weld inf " + input, "needs a finite number"},
        {"--scale 1e39 " + input, "needs a finite number"},
        {"--vertex-normals 90 --facet-normals " + input, "--vertex-normals needs --facet-normals before it"},
        {"--write out.obj --mode smooth,sparkly " + input, "unknown mode 'smooth,sparkly'"},
        {"--write out.obj --mode smooth, " + input, "unknown mode"},
        {"--mode smooth " + input, "--mode needs --write"},
        {input + " " + input, "more than one input file"},
    };
    for (const auto& c : cases) {
        ToolRun r = run(c.arguments);
        EXPECT_EQ(r.status, 2) << c.arguments;
        EXPECT_EQ(r.out, "") << c.arguments;
        EXPECT_NE(r.err.find("qo-model: " ), std::string::npos) << c.arguments;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << c.arguments << "\n" << r.err;
        EXPECT_NE(r.err.find("Try 'qo-model --help'"), std::string::npos) << c.arguments;
    }
}

TEST_F(QoModelTool, MissingInputIsAnErrorWithStatusOne) {
    ToolRun r = run("'" + (dir / "nothing.obj") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("qo-model: cannot open '" + (dir / "nothing.obj") + "'"), std::string::npos);

    ToolRun d = run("'" + dir.path + "'");
    EXPECT_EQ(d.status, 1);
    EXPECT_NE(d.err.find("is a directory"), std::string::npos);
}

TEST_F(QoModelTool, SummaryOfAModelAsRead) {
    ToolRun r = run(square());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "vertices: 5\nnormals: 0\ntexcoords: 0\ntriangles: 2\ngroups: 2\nmaterials: 0\n"
              "bounds: -1 0 0 .. 3 2 1\n");
}

TEST_F(QoModelTool, OperationsRunInCommandLineOrder) {
    // Welding first merges the repeated corner; scaling then doubles the box.
    ToolRun r = run("--weld 0.001 --scale 2 --facet-normals --vertex-normals 90 --spheremap-texture " + square());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("vertices: 4\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("bounds: -2 0 0 .. 6 4 2\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("normals: 0\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("texcoords: 0\n"), std::string::npos) << r.out;

    ToolRun linear = run("--unitize --linear-texture " + square());
    EXPECT_EQ(linear.status, 0) << linear.err;
    EXPECT_NE(linear.out.find("texcoords: 5\n"), std::string::npos) << linear.out;
}

TEST_F(QoModelTool, UnmetPreconditionIsAnErrorNotAnAbort) {
    ToolRun r = run("--spheremap-texture " + square());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("qo-model: --spheremap-texture needs vertex normals"), std::string::npos) << r.err;
}

TEST_F(QoModelTool, WritesTheResultAndKeepsLibraryWarningsOffStdout) {
    const std::string out = dir / "out.obj";
    // No texture coordinates: the library's warning goes to stderr.
    ToolRun r = run("--facet-normals --write '" + out + "' --mode flat,texture " + square());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("vertices: 5\n"), 0u);
    EXPECT_EQ(r.out.find("warning"), std::string::npos);
    EXPECT_NE(r.err.find("glmWriteOBJ() warning: texture coordinate output requested"), std::string::npos);
    std::string text = built::readText(out);
    EXPECT_NE(text.find("# 2 normals\n"), std::string::npos);
    EXPECT_NE(text.find("f 1//1 2//1 3//1\n"), std::string::npos);

    // And it reads back.
    ToolRun again = run("'" + out + "'");
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out.find("vertices: 5\nnormals: 2\n"), 0u) << again.out;
}

TEST_F(QoModelTool, FailuresInsideTheLibraryExitOneWithStdoutClean) {
    ToolRun write = run("--write '" + (dir / "missing/out.obj") + "' " + square());
    EXPECT_EQ(write.status, 1);
    EXPECT_EQ(write.out, "");
    EXPECT_NE(write.err.find("glmWriteOBJ() failed: can't open file"), std::string::npos);

    // A device that takes no data: nothing is reported as written.
    ToolRun full = run("--write /dev/full " + square());
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.out, "");
    EXPECT_EQ(full.err, "glmWriteOBJ() failed: can't write file \"/dev/full\": No space left on device.\n");

    const std::string bad = dir / "bad.obj";
    built::writeText(bad, "v 0 0 0\nvp 1 2\n");
    ToolRun read = run("'" + bad + "'");
    EXPECT_EQ(read.status, 1);
    EXPECT_EQ(read.out, "");
    EXPECT_NE(read.err.find("Unknown token \"vp\""), std::string::npos) << read.err;
}

}  // namespace
