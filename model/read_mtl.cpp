// Material libraries: a counting pass over the "newmtl" lines, then a filling
// pass that applies each key to the current material. Record 0 is always the
// library's own "default".
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "model/include2.h"
#include "model/map_file.h"
#include "model/read_obj.h"
#include "model/read_support.h"
#include "model/text_cursor.h"

static void set_defaults(ModelMaterial* m) {
    m->name = nullptr;
    const GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f}, ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f},
                  specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    memcpy(m->diffuse, diffuse, sizeof diffuse);
    memcpy(m->ambient, ambient, sizeof ambient);
    memcpy(m->specular, specular, sizeof specular);
    m->shininess = 65.0f;
}

static void release_materials(_GLMmodel* model) {
    for (GLuint i = 0; model->materials && i < model->nmaterials; i++) free(model->materials[i].name);
    free(model->materials);
    model->materials = nullptr;
    model->nmaterials = 0;
}

/* The first blank-delimited word of a line read (empty when there is none). */
static char* first_word(const char* line) {
    while (*line && text_is_space((unsigned char)*line)) ++line;
    size_t n = 0;
    while (line[n] && !text_is_space((unsigned char)line[n])) ++n;
    return glm_copy_text(line, n);
}

void glmParseMTL(_GLMmodel* model, const char* data, size_t size) {
    GlmTextCursor text = text_cursor(data, size);
    char buf[TEXT_WORD_MAX + 1];

    size_t count = 1; /* "default" */
    while (text_word(&text, buf)) {
        if (buf[0] == 'n') {
            text_line(&text, buf);
            count++;
        } else {
            text_skip_line(&text);
        }
    }

    release_materials(model);
    ModelMaterial* materials = (ModelMaterial*)glm_calloc_array(count, sizeof *materials);
    if (!materials) return;
    for (size_t i = 0; i < count; i++) set_defaults(&materials[i]);
    materials[0].name = strdup("default");

    /* The filling pass can meet more or fewer "newmtl" lines than were counted
     * (numbers read past a line end, a line cut at 127 characters): the array
     * grows as needed and is trimmed to the materials actually met. */
    size_t current = 0;
    text.at = text.begin;
    while (text_word(&text, buf)) {
        ModelMaterial* m = &materials[current];
        if (buf[0] == 'n') {
            if (!text_line(&text, buf)) buf[0] = '\0';
            if (current + 1 == count) {
                ModelMaterial* grown = count < SIZE_MAX / 2 / sizeof *materials
                                           ? (ModelMaterial*)realloc(materials, 2 * count * sizeof *materials)
                                           : nullptr;
                if (!grown) break;
                materials = grown;
                for (size_t i = count; i < 2 * count; i++) set_defaults(&materials[i]);
                count *= 2;
            }
            materials[++current].name = first_word(buf);
        } else if (buf[0] == 'N') {
            /* Ns (and Ni, and any N word): 0..1000 in the file, 0..128 for GL.
             * A read that converts nothing rescales the value already there. */
            text_scan_float(&text, &m->shininess);
            m->shininess = (GLfloat)(m->shininess / 1000.0);
            m->shininess = (GLfloat)(m->shininess * 128.0);
        } else if (buf[0] == 'K' && buf[1] == 'd') {
            text_scan_floats(&text, m->diffuse, 3);
        } else if (buf[0] == 'K' && buf[1] == 'a') {
            text_scan_floats(&text, m->ambient, 3);
        } else if (buf[0] == 'K' && buf[1] == 's') {
            text_scan_floats(&text, m->specular, 3);
        } else {
            text_skip_line(&text);
        }
    }

    if (current + 1 < count) {
        ModelMaterial* trimmed = (ModelMaterial*)realloc(materials, (current + 1) * sizeof *materials);
        if (trimmed) materials = trimmed;
    }
    model->materials = materials;
    model->nmaterials = (GLuint)(current + 1);
}

GLboolean glmReadMTLFrom(_GLMmodel* model, const char* name, GlmFileSource library, void* library_context,
                         GlmReadFailure* failure) {
    char* dir = glmDirName(model->path);
    size_t dir_length = dir ? strlen(dir) : 0, name_length = strlen(name);
    char* filename = (char*)malloc(dir_length + name_length + 1);
    if (!dir || !filename) {
        free(dir);
        free(filename);
        return glm_fail(failure, 2, "glmReadMTL() failed: out of memory.\n");
    }
    memcpy(filename, dir, dir_length);
    memcpy(filename + dir_length, name, name_length + 1);
    free(dir);

    const char* data = nullptr;
    size_t size = 0;
    if (!library || !library(library_context, filename, &data, &size)) {
        glm_fail(failure, 2, "glmReadMTL() failed: can't open material file \"%s\".\n", filename);
        free(filename);
        return GL_FALSE;
    }
    free(filename);
    glmParseMTL(model, data, size);
    return GL_TRUE;
}

void glmReadMTL(_GLMmodel* model, const char* name) {
    GlmMappedFile file = {nullptr, 0, 0};
    GlmReadFailure failure = {0, 0, nullptr};
    if (!glmReadMTLFrom(model, name, glmMapFile, &file, &failure)) {
        fputs(failure.message ? failure.message : "glmReadMTL() failed.\n", failure.stream == 1 ? stdout : stderr);
        exit(failure.status);
    }
    glmUnmapFile(&file);
}
