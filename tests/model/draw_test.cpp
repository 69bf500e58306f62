// Drawing checked against what GL receives: a recording layer in front of the
// GL entry points that glmDraw uses, and GL's own feedback mode.
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/include2.h"
#include "platform/scripted.h"
#include "tests/model/hand_model.h"
#include "tests/model/read_helpers.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

// ---- recording layer ----
//
// These definitions in the test program take the place of libGL's for the
// library linked into it; each records its call while recording is on and
// then hands the call to the real GL function.

namespace {

bool recording = false;
bool no_list_names = false;  // glGenLists answers 0
std::vector<std::string> calls;

template <typename F>
F real(const char* name) {
    void* p = dlsym(RTLD_NEXT, name);
    if (!p) {
        fprintf(stderr, "no GL function %s\n", name);
        abort();
    }
    return (F)p;
}

std::string text(const char* name, std::initializer_list<double> args) {
    std::string s = name;
    char buf[32];
    for (double a : args) {
        snprintf(buf, sizeof buf, " %.9g", a + 0.0);  // -0 reads as 0
        s += buf;
    }
    return s;
}

void record(const char* name, std::initializer_list<double> args) {
    if (recording) calls.push_back(text(name, args));
}

}  // namespace

extern "C" {

void glBegin(GLenum mode) {
    static auto f = real<void (*)(GLenum)>("glBegin");
    record("glBegin", {(double)mode});
    f(mode);
}
void glEnd(void) {
    static auto f = real<void (*)()>("glEnd");
    record("glEnd", {});
    f();
}
void glVertex3fv(const GLfloat* v) {
    static auto f = real<void (*)(const GLfloat*)>("glVertex3fv");
    record("glVertex3fv", {v[0], v[1], v[2]});
    f(v);
}
void glNormal3fv(const GLfloat* v) {
    static auto f = real<void (*)(const GLfloat*)>("glNormal3fv");
    record("glNormal3fv", {v[0], v[1], v[2]});
    f(v);
}
void glTexCoord2fv(const GLfloat* v) {
    static auto f = real<void (*)(const GLfloat*)>("glTexCoord2fv");
    record("glTexCoord2fv", {v[0], v[1]});
    f(v);
}
void glColor3fv(const GLfloat* v) {
    static auto f = real<void (*)(const GLfloat*)>("glColor3fv");
    record("glColor3fv", {v[0], v[1], v[2]});
    f(v);
}
void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
    static auto f = real<void (*)(GLenum, GLenum, const GLfloat*)>("glMaterialfv");
    record("glMaterialfv", {(double)face, (double)pname, params[0], params[1], params[2], params[3]});
    f(face, pname, params);
}
void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
    static auto f = real<void (*)(GLenum, GLenum, GLfloat)>("glMaterialf");
    record("glMaterialf", {(double)face, (double)pname, param});
    f(face, pname, param);
}
void glEnable(GLenum cap) {
    static auto f = real<void (*)(GLenum)>("glEnable");
    record("glEnable", {(double)cap});
    f(cap);
}
void glDisable(GLenum cap) {
    static auto f = real<void (*)(GLenum)>("glDisable");
    record("glDisable", {(double)cap});
    f(cap);
}
GLuint glGenLists(GLsizei range) {
    static auto f = real<GLuint (*)(GLsizei)>("glGenLists");
    GLuint name = no_list_names ? 0 : f(range);
    record("glGenLists", {(double)range});
    return name;
}
void glNewList(GLuint list, GLenum mode) {
    static auto f = real<void (*)(GLuint, GLenum)>("glNewList");
    record("glNewList", {(double)list, (double)mode});
    f(list, mode);
}
void glEndList(void) {
    static auto f = real<void (*)()>("glEndList");
    record("glEndList", {});
    f();
}

}  // extern "C"

namespace {

std::vector<std::string> record_draw(_GLMmodel* m, GLuint mode) {
    calls.clear();
    recording = true;
    glmDraw(m, mode);
    recording = false;
    return calls;
}

std::vector<std::string> matching(const std::vector<std::string>& all, const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& c : all)
        if (c.compare(0, prefix.size() + 1, prefix + " ") == 0 || c == prefix) out.push_back(c);
    return out;
}

// The calls the drawing rules give for a mode that needs no adjustment,
// written out plainly from the model's data.
std::vector<std::string> expected_calls(const _GLMmodel* m, GLuint mode) {
    std::vector<std::string> e;
    if (mode & DRAW_COLOR)
        e.push_back(text("glEnable", {GL_COLOR_MATERIAL}));
    else if (mode & DRAW_MATERIAL)
        e.push_back(text("glDisable", {GL_COLOR_MATERIAL}));
    auto vec = [](const char* name, const GLfloat* v, int n) {
        return n == 2 ? text(name, {v[0], v[1]}) : text(name, {v[0], v[1], v[2]});
    };
    for (const ModelGroup* g = m->groups; g; g = g->next) {
        const ModelMaterial* mat = m->materials ? &m->materials[g->material] : nullptr;
        if (mode & DRAW_MATERIAL) {
            const GLfloat* colours[3] = {mat->ambient, mat->diffuse, mat->specular};
            const GLenum names[3] = {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR};
            for (int c = 0; c < 3; c++)
                e.push_back(text("glMaterialfv", {GL_FRONT_AND_BACK, (double)names[c], colours[c][0], colours[c][1],
                                                  colours[c][2], colours[c][3]}));
            e.push_back(text("glMaterialf", {GL_FRONT_AND_BACK, GL_SHININESS, mat->shininess}));
        }
        if (mode & DRAW_COLOR) e.push_back(vec("glColor3fv", mat->diffuse, 3));
        e.push_back(text("glBegin", {GL_TRIANGLES}));
        for (GLuint i = 0; i < g->ntriangles; i++) {
            const ModelTriangle& t = m->triangles[g->triangles[i]];
            if (mode & DRAW_FLAT) e.push_back(vec("glNormal3fv", &m->facetnorms[3 * t.facet], 3));
            for (int k = 0; k < 3; k++) {
                if (mode & DRAW_SMOOTH) e.push_back(vec("glNormal3fv", &m->normals[3 * t.norm[k]], 3));
                if (mode & DRAW_TEXTURE) e.push_back(vec("glTexCoord2fv", &m->texcoords[2 * t.tex[k]], 2));
                e.push_back(vec("glVertex3fv", &m->vertices[3 * t.vert[k]], 3));
            }
        }
        e.push_back(text("glEnd", {}));
    }
    return e;
}

// ---- feedback ----

struct FedVertex {
    GLfloat x, y, z;
    GLfloat rgba[4];
    GLfloat stuv[4];
};

// Runs `draw` in feedback mode and returns the polygons GL produced, in order.
template <typename Draw>
std::vector<std::vector<FedVertex>> feedback(Draw draw) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer((GLsizei)buffer.size(), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint n = glRenderMode(GL_RENDER);
    std::vector<std::vector<FedVertex>> polygons;
    for (GLint p = 0; p < n;) {
        GLint token = (GLint)buffer[p++];
        EXPECT_EQ(token, GL_POLYGON_TOKEN) << "only polygons are drawn";
        if (token != GL_POLYGON_TOKEN) break;
        GLint count = (GLint)buffer[p++];
        std::vector<FedVertex> polygon;
        for (GLint v = 0; v < count; v++, p += 11) {
            FedVertex fv = {buffer[p], buffer[p + 1], buffer[p + 2], {}, {}};
            for (int c = 0; c < 4; c++) fv.rgba[c] = buffer[p + 3 + c], fv.stuv[c] = buffer[p + 7 + c];
            polygon.push_back(fv);
        }
        polygons.push_back(polygon);
    }
    return polygons;
}

// The folded strip at half size: t0 and t1 a square in z = 0, t2 upright on
// the edge 2-4 facing -x. Group "lid" (material 1, newest, drawn first) holds
// t1; "default" (material 0) holds t0 and t2. Facet and vertex normals at 90
// degrees, and one texture coordinate per vertex.
_GLMmodel* scene_model() {
    _GLMmodel* m = hand::model({-0.5f, -0.5f, 0, 0.5f, -0.5f, 0, -0.5f, 0.5f, 0, 0.5f, 0.5f, 0, 0.5f, -0.5f, 0.5f},
                               {{1, 2, 3}, {2, 4, 3}, {2, 5, 4}});
    hand::add_materials(m, 2);
    hand::add_group(m, "lid", {1}, 1);
    hand::set_texcoords(m, {0, 0, 1, 0, 0, 1, 1, 1, 0.5f, 0.25f});
    for (GLuint i = 0; i < 3; i++)
        for (int k = 0; k < 3; k++) m->triangles[i].tex[k] = m->triangles[i].vert[k];
    glmFacetNormals(m);
    testing::internal::CaptureStderr();
    glmVertexNormals(m, 90);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    return m;
}

class Draw : public testing::Test {
protected:
    static void SetUpTestSuite() { context = scripted::open_gl_context(64, 64); }

    void SetUp() override {
        ASSERT_TRUE(context) << "no headless GL context";
        glViewport(0, 0, 64, 64);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_COLOR_MATERIAL);
        glDisable(GL_CULL_FACE);
        glDisable(GL_DEPTH_TEST);
        glShadeModel(GL_SMOOTH);
        const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1}, diffuse[4] = {0.8f, 0.8f, 0.8f, 1},
                      black[4] = {0, 0, 0, 1};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0);
        glColor4f(1, 1, 1, 1);
        glNormal3f(0, 0, 1);
        glTexCoord2f(0, 0);
        m = scene_model();
    }

    void TearDown() override {
        if (m) glmDelete(m);
    }

    static bool context;
    _GLMmodel* m = nullptr;
};

bool Draw::context = false;

// Window position of a model coordinate in the 64 x 64 viewport.
GLfloat window(GLfloat c) { return (c + 1) * 32; }

}  // namespace

TEST_F(Draw, PositionsOnlyGroupByGroupNewestFirst) {
    glEnable(GL_COLOR_MATERIAL);
    CaptureStdout();
    std::vector<std::string> got = record_draw(m, DRAW_NONE);
    EXPECT_EQ(GetCapturedStdout(), "");
    // Mode 0: positions only, and GL_COLOR_MATERIAL left as it was.
    const GLfloat* v = m->vertices;
    auto vertex = [&](int i) { return text("glVertex3fv", {v[3 * i], v[3 * i + 1], v[3 * i + 2]}); };
    std::vector<std::string> want = {
        text("glBegin", {GL_TRIANGLES}), vertex(2), vertex(4), vertex(3), text("glEnd", {}),
        text("glBegin", {GL_TRIANGLES}), vertex(1), vertex(2), vertex(3), vertex(2), vertex(5), vertex(4),
        text("glEnd", {})};
    EXPECT_EQ(got, want);
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    glDisable(GL_COLOR_MATERIAL);
    record_draw(m, DRAW_NONE);
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
}

TEST_F(Draw, FeedbackShowsThreeVerticesPerTriangleInGroupOrder) {
    auto polygons = feedback([&] { glmDraw(m, DRAW_NONE); });
    ASSERT_EQ(polygons.size(), 3u);
    const int order[3] = {1, 0, 2};  // "lid" (t1), then "default" (t0, t2)
    for (int p = 0; p < 3; p++) {
        ASSERT_EQ(polygons[p].size(), 3u);
        for (int k = 0; k < 3; k++) {
            const GLfloat* v = &m->vertices[3 * m->triangles[order[p]].vert[k]];
            EXPECT_FLOAT_EQ(polygons[p][k].x, window(v[0]));
            EXPECT_FLOAT_EQ(polygons[p][k].y, window(v[1]));
            EXPECT_FLOAT_EQ(polygons[p][k].z, (v[2] + 1) / 2);
        }
    }
}

TEST_F(Draw, EveryModeSendsItsAttributesPerCorner) {
    const GLuint modes[] = {DRAW_FLAT, DRAW_SMOOTH, DRAW_TEXTURE, DRAW_FLAT | DRAW_TEXTURE,
                            DRAW_SMOOTH | DRAW_TEXTURE | DRAW_COLOR, DRAW_SMOOTH | DRAW_MATERIAL,
                            DRAW_FLAT | DRAW_TEXTURE | DRAW_MATERIAL, DRAW_COLOR, DRAW_SMOOTH | 32 | 64};
    for (GLuint mode : modes) {
        CaptureStdout();
        std::vector<std::string> got = record_draw(m, mode);
        EXPECT_EQ(GetCapturedStdout(), "") << mode;
        EXPECT_EQ(got, expected_calls(m, mode)) << mode;
        EXPECT_EQ(matching(got, "glVertex3fv").size(), 9u);
        EXPECT_EQ(matching(got, "glBegin").size(), 2u);
    }
}

TEST_F(Draw, FlatModeSendsOneNormalBeforeEachTriangle) {
    std::vector<std::string> got = record_draw(m, DRAW_FLAT);
    ASSERT_EQ(got.size(), 2u + 3u * 4u + 2u);
    EXPECT_EQ(got[1], text("glNormal3fv", {0, 0, 1}));  // t1 faces +z
    EXPECT_EQ(got[7], text("glNormal3fv", {0, 0, 1}));  // t0
    EXPECT_EQ(got[11], text("glNormal3fv", {-1, 0, 0}));  // t2 stands facing -x
}

TEST_F(Draw, LitFeedbackShowsTheNormalsGlReceived) {
    // One white directional light along +z, no ambient: a corner's red is
    // 0.8 max(0, n.z) for the default diffuse 0.8.
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const GLfloat none[4] = {0, 0, 0, 1}, along_z[4] = {0, 0, 1, 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_POSITION, along_z);
    const int order[3] = {1, 0, 2};
    glmVertexNormals(m, 180);  // the fold smoothed: vertex and facet normals differ at 2 and 4

    for (GLuint mode : {DRAW_SMOOTH, DRAW_FLAT}) {
        auto polygons = feedback([&] { glmDraw(m, mode); });
        ASSERT_EQ(polygons.size(), 3u);
        for (int p = 0; p < 3; p++)
            for (int k = 0; k < 3; k++) {
                const ModelTriangle& t = m->triangles[order[p]];
                const GLfloat* n = mode == DRAW_SMOOTH ? &m->normals[3 * t.norm[k]] : &m->facetnorms[3 * t.facet];
                EXPECT_NEAR(polygons[p][k].rgba[0], 0.8f * std::max(0.0f, n[2]), 1e-5) << mode << " " << p << k;
            }
    }
    // The current normal stays at the last corner's.
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_NORMAL, current);
    EXPECT_EQ(current[0], -1.0f);
    glDisable(GL_LIGHT0);
}

TEST_F(Draw, FeedbackCarriesTheTextureCoordinates) {
    auto polygons = feedback([&] { glmDraw(m, DRAW_TEXTURE); });
    ASSERT_EQ(polygons.size(), 3u);
    const int order[3] = {1, 0, 2};
    for (int p = 0; p < 3; p++)
        for (int k = 0; k < 3; k++) {
            const GLfloat* st = &m->texcoords[2 * m->triangles[order[p]].tex[k]];
            EXPECT_EQ(polygons[p][k].stuv[0], st[0]);
            EXPECT_EQ(polygons[p][k].stuv[1], st[1]);
        }
}

TEST_F(Draw, ColourModeDrawsEachGroupInItsDiffuseColour) {
    auto polygons = feedback([&] { glmDraw(m, DRAW_COLOR); });
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    ASSERT_EQ(polygons.size(), 3u);
    const GLuint material[3] = {1, 0, 0};
    for (int p = 0; p < 3; p++)
        for (const FedVertex& v : polygons[p])
            for (int c = 0; c < 3; c++) EXPECT_FLOAT_EQ(v.rgba[c], m->materials[material[p]].diffuse[c]);

    // Set once per group, before its glBegin.
    std::vector<std::string> got = record_draw(m, DRAW_COLOR);
    EXPECT_EQ(got[0], text("glEnable", {GL_COLOR_MATERIAL}));
    EXPECT_EQ(got[1], text("glColor3fv", {1 / 8.0, 0.25, 0.5}));
    EXPECT_EQ(got[2], text("glBegin", {GL_TRIANGLES}));
    EXPECT_EQ(got[7], text("glColor3fv", {0, 0.25, 0.5}));
    EXPECT_EQ(got[8], text("glBegin", {GL_TRIANGLES}));
}

TEST_F(Draw, MaterialModeSetsBothFacesAndSwitchesColourMaterialOff) {
    glEnable(GL_COLOR_MATERIAL);
    std::vector<std::string> got = record_draw(m, DRAW_MATERIAL);
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(got, expected_calls(m, DRAW_MATERIAL));
    EXPECT_EQ(got[1], text("glMaterialfv", {GL_FRONT_AND_BACK, GL_AMBIENT, 0.125, 1 / 8.0, 0.75, 1}));
    EXPECT_EQ(got[4], text("glMaterialf", {GL_FRONT_AND_BACK, GL_SHININESS, 9}));
    // GL holds the last group's ("default", material 0) on both faces.
    for (GLenum face : {GL_FRONT, GL_BACK}) {
        GLfloat diffuse[4], shininess;
        glGetMaterialfv(face, GL_DIFFUSE, diffuse);
        glGetMaterialfv(face, GL_SHININESS, &shininess);
        for (int c = 0; c < 4; c++) EXPECT_EQ(diffuse[c], m->materials[0].diffuse[c]);
        EXPECT_EQ(shininess, 1.0f);
    }
}

TEST_F(Draw, EmptyGroupStillSetsItsMaterialAndDrawsAnEmptyPair) {
    hand::add_group(m, "empty", {}, 1);
    std::vector<std::string> got = record_draw(m, DRAW_COLOR);
    EXPECT_EQ(got[1], text("glColor3fv", {1 / 8.0, 0.25, 0.5}));
    EXPECT_EQ(got[2], text("glBegin", {GL_TRIANGLES}));
    EXPECT_EQ(got[3], text("glEnd", {}));
    EXPECT_EQ(matching(got, "glBegin").size(), 3u);
}

TEST_F(Draw, GroupsReadFromObjTextAreDrawnNewestFirstInTheirColours) {
    Library libs = {{"two.mtl", "newmtl red\nKd 1 0 0\nnewmtl blue\nKd 0 0 1\n"}};
    _GLMmodel* read = read_obj(
        "mtllib two.mtl\nv -0.5 -0.5 0\nv 0.5 -0.5 0\nv -0.5 0.5 0\nv 0.5 0.5 0\n"
        "g first\nusemtl red\nf 1 2 3\ng second\nusemtl blue\nf 2 4 3\n",
        libs);
    ASSERT_NE(read, nullptr);
    auto polygons = feedback([&] { glmDraw(read, DRAW_COLOR); });
    ASSERT_EQ(polygons.size(), 2u);
    const GLfloat blue[3] = {0, 0, 1}, red[3] = {1, 0, 0};
    const GLfloat* colour[2] = {blue, red};  // "second", then "first"
    const GLint first_vertex[2] = {2, 1};
    for (int p = 0; p < 2; p++) {
        ASSERT_EQ(polygons[p].size(), 3u);
        EXPECT_EQ(polygons[p][0].x, window(read->vertices[3 * first_vertex[p]]));
        for (const FedVertex& v : polygons[p])
            for (int c = 0; c < 3; c++) EXPECT_EQ(v.rgba[c], colour[p][c]);
    }
    // The empty "default" group comes last: its colour and an empty pair.
    std::vector<std::string> got = record_draw(read, DRAW_COLOR);
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got[got.size() - 3], text("glColor3fv", {read->materials[0].diffuse[0], read->materials[0].diffuse[1],
                                                       read->materials[0].diffuse[2]}));
    EXPECT_EQ(got[got.size() - 2], text("glBegin", {GL_TRIANGLES}));
    EXPECT_EQ(got.back(), text("glEnd", {}));
    glmDelete(read);
}

// ---- mode corrections ----

namespace {

const char* const kFlatNoFacets = "glmDraw() warning: flat render mode requested with no facet normals defined.\n";
const char* const kSmoothNoNormals = "glmDraw() warning: smooth render mode requested with no normals defined.\n";
const char* const kTextureNoCoords =
    "glmDraw() warning: texture render mode requested with no texture coordinates defined.\n";
const char* const kFlatAndSmooth =
    "glmDraw() warning: flat render mode requested and smooth render mode requested (using smooth).\n";
const char* const kColorNoMaterials = "glmDraw() warning: color render mode requested with no materials defined.\n";
const char* const kMaterialNoMaterials =
    "glmDraw() warning: material render mode requested with no materials defined.\n";
const char* const kColorAndMaterial =
    "glmDraw() warning: color and material render mode requested using only material mode.\n";

struct Correction {
    const char* what;
    bool facetnorms, normals, texcoords, materials;  // which arrays the model keeps
    GLuint mode;
    std::string warnings;
    GLuint drawn;  // the mode drawing goes on with
};

// The model with some of its arrays taken away (counts kept: only the
// pointers count).
void strip(_GLMmodel* m, const Correction& c) {
    auto drop = [](GLfloat*& array) {
        free(array);
        array = nullptr;
    };
    if (!c.facetnorms) drop(m->facetnorms);
    if (!c.normals) drop(m->normals);
    if (!c.texcoords) drop(m->texcoords);
    if (!c.materials) {
        for (GLuint i = 0; i < m->nmaterials; i++) free(m->materials[i].name);
        free(m->materials);
        m->materials = nullptr;
    }
}

}  // namespace

TEST_F(Draw, ModeCorrectionsWarnOnStandardOutputAndDrawWithWhatIsLeft) {
    const Correction cases[] = {
        {"flat+smooth, both arrays", true, true, true, true, DRAW_FLAT | DRAW_SMOOTH, kFlatAndSmooth, DRAW_SMOOTH},
        {"flat+smooth, no facet normals", false, true, true, true, DRAW_FLAT | DRAW_SMOOTH, kFlatNoFacets,
         DRAW_SMOOTH},
        {"smooth, no normals", true, false, true, true, DRAW_SMOOTH | DRAW_TEXTURE, kSmoothNoNormals, DRAW_TEXTURE},
        {"flat+smooth, neither", false, false, true, true, DRAW_FLAT | DRAW_SMOOTH,
         std::string(kFlatNoFacets) + kSmoothNoNormals, DRAW_NONE},
        {"texture, no coordinates", true, true, false, true, DRAW_TEXTURE | DRAW_FLAT, kTextureNoCoords, DRAW_FLAT},
        {"color+material, no materials", true, true, true, false, DRAW_COLOR | DRAW_MATERIAL,
         std::string(kColorNoMaterials) + kMaterialNoMaterials, DRAW_NONE},
        {"color+material", true, true, true, true, DRAW_COLOR | DRAW_MATERIAL, kColorAndMaterial, DRAW_MATERIAL},
        {"demo's 18, no materials", true, true, true, false, DRAW_SMOOTH | DRAW_MATERIAL, kMaterialNoMaterials,
         DRAW_SMOOTH},
        {"everything", true, true, true, true, 31, std::string(kFlatAndSmooth) + kColorAndMaterial,
         DRAW_SMOOTH | DRAW_TEXTURE | DRAW_MATERIAL},
        {"everything, nothing there", false, false, false, false, 31,
         std::string(kFlatNoFacets) + kSmoothNoNormals + kTextureNoCoords + kColorNoMaterials + kMaterialNoMaterials,
         DRAW_NONE},
    };
    for (const Correction& c : cases) {
        glmDelete(m);
        m = scene_model();
        strip(m, c);
        glEnable(GL_COLOR_MATERIAL);
        CaptureStdout();
        std::vector<std::string> got = record_draw(m, c.mode);
        EXPECT_EQ(GetCapturedStdout(), c.warnings) << c.what;
        EXPECT_EQ(got, expected_calls(m, c.drawn)) << c.what;
        // Material mode switched colour material off; without it, it stays on.
        EXPECT_EQ((bool)glIsEnabled(GL_COLOR_MATERIAL), !(c.drawn & DRAW_MATERIAL)) << c.what;
    }
}

// ---- display lists ----

TEST_F(Draw, ListReproducesTheDrawing) {
    const GLuint mode = DRAW_SMOOTH | DRAW_TEXTURE | DRAW_COLOR;
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    auto direct = feedback([&] { glmDraw(m, mode); });
    std::vector<std::string> drawn = record_draw(m, mode);

    calls.clear();
    recording = true;
    GLuint first = glmList(m, mode);
    recording = false;
    std::vector<std::string> compiled(calls.begin() + 2, calls.end() - 1);
    EXPECT_EQ(calls[0], text("glGenLists", {1}));
    EXPECT_EQ(calls[1], text("glNewList", {(double)first, GL_COMPILE}));
    EXPECT_EQ(calls.back(), text("glEndList", {}));
    EXPECT_EQ(compiled, drawn);

    GLuint second = glmList(m, mode);
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, first);
    EXPECT_TRUE(glIsList(first));
    EXPECT_TRUE(glIsList(second));

    glDisable(GL_COLOR_MATERIAL);
    glColor3f(1, 1, 1);
    auto listed = feedback([&] { glCallList(first); });
    ASSERT_EQ(listed.size(), direct.size());
    for (size_t p = 0; p < direct.size(); p++) {
        ASSERT_EQ(listed[p].size(), 3u);
        for (int k = 0; k < 3; k++) {
            EXPECT_EQ(memcmp(&listed[p][k], &direct[p][k], sizeof(FedVertex)), 0) << p << " " << k;
        }
    }
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));  // the list's own switch
    glDeleteLists(first, 1);
    glDeleteLists(second, 1);
    glDisable(GL_LIGHT0);
}

TEST_F(Draw, ListWithoutANameDrawsNothing) {
    no_list_names = true;
    calls.clear();
    recording = true;
    GLuint name = glmList(m, DRAW_SMOOTH);
    recording = false;
    no_list_names = false;
    EXPECT_EQ(name, 0u);
    EXPECT_EQ(calls, std::vector<std::string>{text("glGenLists", {1})});
}

TEST(DrawDeathTest, PreconditionsNameTheExpression) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // GL may have started threads
    _GLMmodel* m = hand::model({0, 0, 0}, {});
    EXPECT_DEATH(glmDraw(nullptr, DRAW_NONE), "include2.h:.*: .*Assertion `model' failed");
    GLfloat* vertices = m->vertices;
    m->vertices = nullptr;
    EXPECT_DEATH(glmDraw(m, DRAW_NONE), "include2.h:.*: .*Assertion `model->vertices' failed");
    m->vertices = vertices;
    glmDelete(m);
}
