/* include2.h: the model library's one header.
 *
 * A model read from a Wavefront OBJ file lives in plain records: flat 1-based
 * arrays of positions, normals, texture coordinates and facet normals (element 0
 * allocated and never used), a 0-based array of triangles, a 0-based array of
 * materials ("default" first) and a singly linked list of groups (newest first,
 * "default" last). Every operation takes the model record by pointer and works
 * on its fields directly.
 */
#ifndef QO_MODEL_INCLUDE2_H
#define QO_MODEL_INCLUDE2_H

#include <GL/gl.h>
#include <stddef.h>

/* Precondition checks report the failed expression and this header's name,
 * then abort, as the C library's assert does. They are part of the library's
 * behaviour, so they stay on in every build. */
#define GLM_ASSERT(e) ((e) ? (void)0 : glmAssertFail(#e, __LINE__, __func__))
[[noreturn]] void glmAssertFail(const char* expression, int line, const char* function);

/* Mode flags shared by drawing and writing; a mode is their bitwise OR. */
#define DRAW_NONE 0
#define DRAW_FLAT (1 << 0)
#define DRAW_SMOOTH (1 << 1)
#define DRAW_TEXTURE (1 << 2)
#define DRAW_COLOR (1 << 3)
#define DRAW_MATERIAL (1 << 4)

struct ModelMaterial {
    char* name;         /* "default" for record 0 */
    GLfloat diffuse[4]; /* RGBA */
    GLfloat ambient[4];
    GLfloat specular[4];
    GLfloat spare[4];   /* never set or read */
    GLfloat shininess;  /* GL's 0..128 scale */
};

struct ModelTriangle {
    GLint vert[3]; /* 1-based into vertices */
    GLint norm[3]; /* 1-based into normals */
    GLint tex[3];  /* 1-based into texcoords */
    GLint facet;   /* 1-based into facetnorms */
};

struct ModelGroup {
    char* name;
    GLuint ntriangles;
    GLuint* triangles; /* 0-based into the model's triangles, file order */
    GLuint material;   /* 0-based into the model's materials */
    ModelGroup* next;
};

struct _GLMmodel {
    char* path;   /* the file name exactly as passed to glmReadOBJ */
    char* mtllib; /* as written on the "mtllib" line, or null */

    GLuint nvertices;
    GLfloat* vertices; /* (nvertices + 1) * 3 */

    GLuint nnormals;
    GLfloat* normals; /* (nnormals + 1) * 3, or null */

    GLuint ntexcoords;
    GLfloat* texcoords; /* (ntexcoords + 1) * 2, or null */

    GLuint nfacetnorms;
    GLfloat* facetnorms; /* (nfacetnorms + 1) * 3, or null */

    GLuint ntriangles;
    ModelTriangle* triangles; /* exactly ntriangles */

    GLuint nmaterials;
    ModelMaterial* materials; /* or null when no library was read */

    GLuint ngroups;
    ModelGroup* groups; /* head of the list */

    GLfloat reserved[3];
};

/* Vector operations on three consecutive floats. */
GLfloat glmMax(GLfloat a, GLfloat b);
GLfloat glmAbs(GLfloat f);
GLfloat glmDot(GLfloat* u, GLfloat* v);
void glmCross(GLfloat* u, GLfloat* v, GLfloat* n);
void glmNormalize(GLfloat* v);
GLboolean glmEqual(GLfloat* u, GLfloat* v, GLfloat epsilon);

/* Reading. */
_GLMmodel* glmReadOBJ(const char* filename);
ModelGroup* glmFindGroup(_GLMmodel* model, const char* name);
ModelGroup* glmAddGroup(_GLMmodel* model, const char* name);
GLuint glmFindMaterial(_GLMmodel* model, const char* name);
char* glmDirName(const char* path);
void glmReadMTL(_GLMmodel* model, const char* name);

/* Normalisation and normals. */
GLfloat glmUnitize(_GLMmodel* model);
void glmDimensions(_GLMmodel* model, GLfloat* dimensions);
void glmScale(_GLMmodel* model, GLfloat scale);
void glmReverseWinding(_GLMmodel* model);
void glmFacetNormals(_GLMmodel* model);
void glmVertexNormals(_GLMmodel* model, GLfloat angle);

/* Drawing. */
void glmDraw(_GLMmodel* model, GLuint mode);
GLuint glmList(_GLMmodel* model, GLuint mode);

/* Writing. */
void glmWriteOBJ(_GLMmodel* model, const char* filename, GLuint mode);
void glmWriteMTL(_GLMmodel* model, const char* modelpath, const char* mtllibname);

/* Utilities. */
void glmWeld(_GLMmodel* model, GLfloat epsilon);
GLfloat* glmWeldVectors(GLfloat* vectors, GLuint* numvectors, GLfloat epsilon);
void glmLinearTexture(_GLMmodel* model);
void glmSpheremapTexture(_GLMmodel* model);
void glmDelete(_GLMmodel* model);

/* Reading from bytes in memory. glmReadOBJ and glmReadMTL map the file and
 * read it through these; on failure they print the message on its stream
 * and end the process with the status. These only describe the failure: no
 * files, no exits. */

/* What a failed read would print and the exit status it would end with.
 * status 0: no failure. stream: 1 standard output, 2 standard error.
 * message: one malloc'ed line ending in '\n' (the caller frees it), or null. */
struct GlmReadFailure {
    int status;
    int stream;
    char* message;
};

/* Supplies the bytes of a file by name (a material library: the OBJ file's
 * directory followed by the name on its "mtllib" line). Returns 0 when there
 * is no such file. The bytes stay valid until the next call or until the read
 * that asked for them returns. */
typedef int (*GlmFileSource)(void* context, const char* filename, const char** data, size_t* size);

/* Reads an OBJ model from data[0..size); path becomes the model's path (its
 * directory locates material libraries). Returns the model, or null with
 * *failure filled in. Reads of different models may run on any threads at
 * once. */
_GLMmodel* glmReadOBJBytes(const char* path, const char* data, size_t size, GlmFileSource library,
                           void* library_context, GlmReadFailure* failure);

/* Reads an MTL library's text into the model's materials (replacing them). */
void glmParseMTL(_GLMmodel* model, const char* data, size_t size);

#endif
