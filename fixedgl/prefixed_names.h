// The GL names that the demo, the window code, texture upload and model
// drawing call, mapped onto the layer's prefixed entry points. Force-included
// (-include) when those sources are compiled to draw through the layer in a
// native build: the system's GL headers come first, so every later use of a
// GL name below becomes a call into the layer, and the system's own GL can
// still be linked into the same program.
#ifndef QO_FIXEDGL_PREFIXED_NAMES_H
#define QO_FIXEDGL_PREFIXED_NAMES_H

#include <GL/gl.h>
#include <GL/glu.h>

#ifdef __cplusplus
extern "C" {
#endif

// Immediate mode.
void fixedgl_glBegin(GLenum mode);
void fixedgl_glEnd(void);
void fixedgl_glVertex2f(GLfloat x, GLfloat y);
void fixedgl_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void fixedgl_glVertex3fv(const GLfloat* v);
void fixedgl_glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void fixedgl_glNormal3fv(const GLfloat* v);
void fixedgl_glColor3f(GLfloat red, GLfloat green, GLfloat blue);
void fixedgl_glColor3fv(const GLfloat* v);
void fixedgl_glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void fixedgl_glColor4fv(const GLfloat* v);
void fixedgl_glTexCoord2f(GLfloat s, GLfloat t);
void fixedgl_glTexCoord2fv(const GLfloat* v);

// Matrices.
void fixedgl_glMatrixMode(GLenum mode);
void fixedgl_glLoadIdentity(void);
void fixedgl_glLoadMatrixf(const GLfloat* m);
void fixedgl_glMultMatrixf(const GLfloat* m);
void fixedgl_glPushMatrix(void);
void fixedgl_glPopMatrix(void);
void fixedgl_glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void fixedgl_glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void fixedgl_glScalef(GLfloat x, GLfloat y, GLfloat z);

// Switches and fixed state.
void fixedgl_glEnable(GLenum cap);
void fixedgl_glDisable(GLenum cap);
GLboolean fixedgl_glIsEnabled(GLenum cap);
void fixedgl_glBlendFunc(GLenum sfactor, GLenum dfactor);
void fixedgl_glDepthFunc(GLenum func);
void fixedgl_glDepthMask(GLboolean flag);
void fixedgl_glShadeModel(GLenum mode);
void fixedgl_glHint(GLenum target, GLenum mode);
void fixedgl_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void fixedgl_glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
void fixedgl_glClear(GLbitfield mask);

// Lighting and fog.
void fixedgl_glLightfv(GLenum light, GLenum pname, const GLfloat* params);
void fixedgl_glLightModelfv(GLenum pname, const GLfloat* params);
void fixedgl_glMaterialfv(GLenum face, GLenum pname, const GLfloat* params);
void fixedgl_glMaterialf(GLenum face, GLenum pname, GLfloat param);
void fixedgl_glMateriali(GLenum face, GLenum pname, GLint param);
void fixedgl_glFogf(GLenum pname, GLfloat param);
void fixedgl_glFogfv(GLenum pname, const GLfloat* params);
void fixedgl_glFogi(GLenum pname, GLint param);

// Textures.
void fixedgl_glGenTextures(GLsizei n, GLuint* textures);
void fixedgl_glBindTexture(GLenum target, GLuint texture);
void fixedgl_glTexParameteri(GLenum target, GLenum pname, GLint param);
void fixedgl_glTexParameterf(GLenum target, GLenum pname, GLfloat param);
void fixedgl_glPixelStorei(GLenum pname, GLint param);

// Display lists.
GLuint fixedgl_glGenLists(GLsizei range);
void fixedgl_glNewList(GLuint list, GLenum mode);
void fixedgl_glEndList(void);
void fixedgl_glCallList(GLuint list);
void fixedgl_glDeleteLists(GLuint list, GLsizei range);

// Queries and read-back.
GLenum fixedgl_glGetError(void);
void fixedgl_glGetFloatv(GLenum pname, GLfloat* params);
void fixedgl_glGetIntegerv(GLenum pname, GLint* params);
void fixedgl_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                          GLvoid* pixels);
void fixedgl_glFinish(void);
void fixedgl_glFlush(void);

// GLU.
void fixedgl_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
GLint fixedgl_gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                                GLenum type, const void* data);
GLUquadric* fixedgl_gluNewQuadric(void);
void fixedgl_gluDeleteQuadric(GLUquadric* quad);
void fixedgl_gluQuadricDrawStyle(GLUquadric* quad, GLenum draw);
void fixedgl_gluQuadricNormals(GLUquadric* quad, GLenum normal);
void fixedgl_gluQuadricOrientation(GLUquadric* quad, GLenum orientation);

#ifdef __cplusplus
}
#endif

#define glBegin fixedgl_glBegin
#define glEnd fixedgl_glEnd
#define glVertex2f fixedgl_glVertex2f
#define glVertex3f fixedgl_glVertex3f
#define glVertex3fv fixedgl_glVertex3fv
#define glNormal3f fixedgl_glNormal3f
#define glNormal3fv fixedgl_glNormal3fv
#define glColor3f fixedgl_glColor3f
#define glColor3fv fixedgl_glColor3fv
#define glColor4f fixedgl_glColor4f
#define glColor4fv fixedgl_glColor4fv
#define glTexCoord2f fixedgl_glTexCoord2f
#define glTexCoord2fv fixedgl_glTexCoord2fv
#define glMatrixMode fixedgl_glMatrixMode
#define glLoadIdentity fixedgl_glLoadIdentity
#define glLoadMatrixf fixedgl_glLoadMatrixf
#define glMultMatrixf fixedgl_glMultMatrixf
#define glPushMatrix fixedgl_glPushMatrix
#define glPopMatrix fixedgl_glPopMatrix
#define glTranslatef fixedgl_glTranslatef
#define glRotatef fixedgl_glRotatef
#define glScalef fixedgl_glScalef
#define glEnable fixedgl_glEnable
#define glDisable fixedgl_glDisable
#define glIsEnabled fixedgl_glIsEnabled
#define glBlendFunc fixedgl_glBlendFunc
#define glDepthFunc fixedgl_glDepthFunc
#define glDepthMask fixedgl_glDepthMask
#define glShadeModel fixedgl_glShadeModel
#define glHint fixedgl_glHint
#define glViewport fixedgl_glViewport
#define glClearColor fixedgl_glClearColor
#define glClear fixedgl_glClear
#define glLightfv fixedgl_glLightfv
#define glLightModelfv fixedgl_glLightModelfv
#define glMaterialfv fixedgl_glMaterialfv
#define glMaterialf fixedgl_glMaterialf
#define glMateriali fixedgl_glMateriali
#define glFogf fixedgl_glFogf
#define glFogfv fixedgl_glFogfv
#define glFogi fixedgl_glFogi
#define glGenTextures fixedgl_glGenTextures
#define glBindTexture fixedgl_glBindTexture
#define glTexParameteri fixedgl_glTexParameteri
#define glTexParameterf fixedgl_glTexParameterf
#define glPixelStorei fixedgl_glPixelStorei
#define glGenLists fixedgl_glGenLists
#define glNewList fixedgl_glNewList
#define glEndList fixedgl_glEndList
#define glCallList fixedgl_glCallList
#define glDeleteLists fixedgl_glDeleteLists
#define glGetError fixedgl_glGetError
#define glGetFloatv fixedgl_glGetFloatv
#define glGetIntegerv fixedgl_glGetIntegerv
#define glReadPixels fixedgl_glReadPixels
#define glFinish fixedgl_glFinish
#define glFlush fixedgl_glFlush
#define gluPerspective fixedgl_gluPerspective
#define gluBuild2DMipmaps fixedgl_gluBuild2DMipmaps
#define gluNewQuadric fixedgl_gluNewQuadric
#define gluDeleteQuadric fixedgl_gluDeleteQuadric
#define gluQuadricDrawStyle fixedgl_gluQuadricDrawStyle
#define gluQuadricNormals fixedgl_gluQuadricNormals
#define gluQuadricOrientation fixedgl_gluQuadricOrientation

#endif
